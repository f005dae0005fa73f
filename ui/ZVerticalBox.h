#pragma once

#include "CVerticalLayoutUI.h"

// The program's own vertical box: a plain vertical layout, so that every box the pages build has
// the program's type.
class ZVerticalBox : public DuiLib::CVerticalLayoutUI {
public:
    ZVerticalBox() = default;
    ~ZVerticalBox() override;
};
