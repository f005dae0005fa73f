#include "PageListener.h"

#include "CUIManager.h"

namespace {

// The listener list belongs to the window's manager, not to the controls' view of it.
DuiLib::CUIManager* WindowManager(DuiLib::CControlUI* page) {
    return dynamic_cast<DuiLib::CUIManager*>(page->Manager());
}

}  // namespace

void ListenToManager(DuiLib::CControlUI* page, DuiLib::INotifyUI* listener) {
    if (DuiLib::CUIManager* manager = WindowManager(page)) {
        manager->AddNotifyTarget(listener);
    }
}

void StopListeningToManager(DuiLib::CControlUI* page, DuiLib::INotifyUI* listener) {
    if (DuiLib::CUIManager* manager = WindowManager(page)) {
        manager->RemoveNotifyTarget(listener);
    }
}
