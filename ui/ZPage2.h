#pragma once

#include "CContainerUI.h"
#include "INotifyUI.h"

// The second page: where the product is installed, in a disabled, read-only field 55 pixels in
// from each side, and the start button centred below it (at least 120 pixels, fitted to its
// text). The main frame fills the field and handles the start button by its name.
class ZPage2 : public DuiLib::CContainerUI, public DuiLib::INotifyUI {
public:
    ZPage2() = default;
    ~ZPage2() override;

    // Listens to the manager's notifications and builds the page.
    void OnInit() override;
    // Nothing on this page reacts to a notification.
    void Notify(DuiLib::UINotify& notification) override;
};
