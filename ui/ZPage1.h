#pragma once

#include "CContainerUI.h"

// The confirmation page: asks whether the product is to be removed and offers the confirm and
// the cancel button, centred with 30 pixels between them, each fitted to its text within
// 160..250 pixels. The main frame handles both clicks by the buttons' names.
class ZPage1 : public DuiLib::CContainerUI {
public:
    ZPage1() = default;
    ~ZPage1() override;

    // Builds the page once its manager has a window to measure the button texts on.
    void OnInit() override;
};
