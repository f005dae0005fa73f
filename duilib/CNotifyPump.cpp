#include "CNotifyPump.h"

#include "TextConvert.h"

#include "CControlUI.h"

namespace DuiLib {

namespace {

const NotifyMapEntry kNoEntries[] = {{nullptr, nullptr, nullptr, nullptr}};
const NotifyMap kEmptyMap = {nullptr, kNoEntries};

}  // namespace

const NotifyMapEntry* MatchNotifyEntry(const NotifyMapEntry* entries, const std::wstring& type,
                                       const std::wstring& senderName) {
    const NotifyMapEntry* anySender = nullptr;
    for (const NotifyMapEntry* entry = entries; entry->type != nullptr; ++entry) {
        if (type != entry->type) {
            continue;
        }
        const std::wstring name = entry->controlName != nullptr ? entry->controlName : L"";
        if (name.empty()) {
            anySender = entry;
        } else if (name == senderName) {
            return entry;
        }
    }
    return anySender;
}

bool CNotifyPump::AddVirtualWnd(const std::wstring& name, CNotifyPump* object) {
    for (const auto& entry : virtualWindows_) {
        if (EqualsIgnoringCase(entry.first, name)) {
            return false;
        }
    }
    virtualWindows_.emplace_back(name, object);
    return true;
}

bool CNotifyPump::RemoveVirtualWnd(const std::wstring& name) {
    for (auto it = virtualWindows_.begin(); it != virtualWindows_.end(); ++it) {
        if (EqualsIgnoringCase(it->first, name)) {
            virtualWindows_.erase(it);
            return true;
        }
    }
    return false;
}

bool CNotifyPump::NotifyPump(UINotify& notification) {
    if (!notification.virtualWindow.empty()) {
        for (const auto& entry : virtualWindows_) {
            if (EqualsIgnoringCase(entry.first, notification.virtualWindow) &&
                entry.second->Dispatch(notification)) {
                return true;
            }
        }
    }
    return Dispatch(notification);
}

const NotifyMap* CNotifyPump::NotifyTable() const {
    return &kEmptyMap;
}

bool CNotifyPump::Dispatch(UINotify& notification) {
    const std::wstring sender =
        notification.sender != nullptr ? notification.sender->GetName() : std::wstring();
    for (const NotifyMap* map = NotifyTable(); map != nullptr; map = map->base) {
        const NotifyMapEntry* entry = MatchNotifyEntry(map->entries, notification.type, sender);
        if (entry == nullptr) {
            continue;
        }
        if (entry->onNotify != nullptr) {
            (this->*entry->onNotify)(notification);
        } else if (entry->onParams != nullptr) {
            (this->*entry->onParams)(notification.wParam, notification.lParam);
        }
        return true;
    }
    return false;
}

}  // namespace DuiLib
