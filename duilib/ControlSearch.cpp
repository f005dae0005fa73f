#include "ControlSearch.h"

#include "TextConvert.h"

#include "CControlUI.h"

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace DuiLib {

namespace {

CControlUI* Itself(CControlUI* control, void* /*data*/) {
    return control;
}

CControlUI* WaitingForLayout(CControlUI* control, void* /*data*/) {
    return control->IsLayoutDirty() ? control : nullptr;
}

CControlUI* NamedIgnoringCase(CControlUI* control, void* data) {
    const auto* name = static_cast<const std::wstring_view*>(data);
    return EqualsIgnoringCase(control->GetName(), *name) ? control : nullptr;
}

CControlUI* Collect(CControlUI* control, void* data) {
    static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
    return nullptr;
}

struct ShortcutSearch {
    wchar_t ch;
    bool pickNext;
};

bool IsLabel(const CControlUI* control) {
    return std::wcsstr(control->ClassName(), L"LabelUI") != nullptr;
}

CControlUI* WithShortcut(CControlUI* control, void* data) {
    auto* search = static_cast<ShortcutSearch*>(data);
    if (!control->IsVisible()) {
        return nullptr;
    }
    const bool matches =
        control->Shortcut() != 0 && std::towupper(control->Shortcut()) == search->ch;
    if (IsLabel(control)) {
        search->pickNext = search->pickNext || matches;
        return nullptr;
    }
    return matches || search->pickNext ? control : nullptr;
}

// Visible, enabled controls in tab order: each container before its children, in child order.
std::vector<CControlUI*> TabWalk(CControlUI* root) {
    std::vector<CControlUI*> walk;
    if (root != nullptr) {
        root->Search(Collect, &walk, kFindVisible | kFindEnabled | kFindMeFirst);
    }
    return walk;
}

bool IsTabStop(const CControlUI* control) {
    return (control->ControlFlags() & kControlTabStop) != 0;
}

}  // namespace

CControlUI* ControlAtPoint(CControlUI* root, POINT point) {
    if (root == nullptr) {
        return nullptr;
    }
    return root->Search(Itself, &point, kFindVisible | kFindHitTest | kFindTopFirst);
}

CControlUI* FindByNameIgnoringCase(CControlUI* root, std::wstring_view name) {
    if (root == nullptr) {
        return nullptr;
    }
    return root->Search(NamedIgnoringCase, &name, kFindAll | kFindMeFirst);
}

CControlUI* NextTabStop(CControlUI* root, CControlUI* current, TabDirection direction) {
    const bool forward = direction == TabDirection::kForward;
    CControlUI* first = nullptr;
    CControlUI* last = nullptr;
    CControlUI* beforeCurrent = nullptr;
    bool currentMet = current == nullptr;
    for (CControlUI* control : TabWalk(root)) {
        if (control == current) {
            currentMet = true;
            beforeCurrent = last;
            continue;
        }
        if (!IsTabStop(control)) {
            continue;
        }
        if (first == nullptr) {
            first = control;
        }
        if (forward && currentMet) {
            return control;
        }
        last = control;
    }
    if (forward) {
        return first;
    }
    // Backward: the last tab stop before current, wrapping round to the last of all.
    return current != nullptr && beforeCurrent != nullptr ? beforeCurrent : last;
}

CControlUI* TabStopBefore(CControlUI* root, CControlUI* control) {
    CControlUI* last = nullptr;
    for (CControlUI* visited : TabWalk(root)) {
        if (visited == control) {
            break;
        }
        if (IsTabStop(visited)) {
            last = visited;
        }
    }
    return last;
}

CControlUI* FindShortcut(CControlUI* root, wchar_t ch) {
    if (root == nullptr) {
        return nullptr;
    }
    ShortcutSearch search{static_cast<wchar_t>(std::towupper(ch)), false};
    return root->Search(WithShortcut, &search, kFindEnabled | kFindMeFirst | kFindTopFirst);
}

CControlUI* NextDirtyControl(CControlUI* root) {
    if (root == nullptr) {
        return nullptr;
    }
    return root->Search(WaitingForLayout, nullptr, kFindVisible | kFindMeFirst);
}

}  // namespace DuiLib
