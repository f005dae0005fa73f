#pragma once

#include "CHorizontalLayoutUI.h"

// The program's own horizontal box: a plain horizontal layout (the base of the progress bar).
class ZHorizontalBox : public DuiLib::CHorizontalLayoutUI {
public:
    ZHorizontalBox() = default;
    ~ZHorizontalBox() override;
};
