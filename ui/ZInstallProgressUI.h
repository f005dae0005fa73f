#pragma once

#include "ZHorizontalBox.h"

#include "CControlUI.h"

// The progress bar of the progress page: a horizontal box whose own background is the empty
// track, holding three plain parts left to right: the filled part, a small marker at its end,
// and a blank part 443 pixels wide. Progress is shown by the filled part's fixed width (0..443);
// before the first value the filled part takes what the other two leave free. The user of the
// bar sets the images of the track, the filled part and the marker, and the marker's width.
class ZInstallProgressUI : public ZHorizontalBox {
public:
    ZInstallProgressUI();
    ~ZInstallProgressUI() override;

    DuiLib::CControlUI* FillPart() const { return fillPart_; }
    DuiLib::CControlUI* PointPart() const { return pointPart_; }
    DuiLib::CControlUI* RestPart() const { return restPart_; }

    // Shows width pixels as filled. The layouts read a fixed width of 0 as "not fixed", so an
    // empty fill hides the filled part instead and the marker moves to the left edge.
    void SetFilledWidth(int width);

private:
    // Children of this box, owned by it.
    DuiLib::CControlUI* fillPart_ = nullptr;
    DuiLib::CControlUI* pointPart_ = nullptr;
    DuiLib::CControlUI* restPart_ = nullptr;
};
