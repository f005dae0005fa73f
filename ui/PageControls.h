#pragma once

#include "CButtonUI.h"
#include "CControlUI.h"
#include "CLabelUI.h"

#include <windows.h>

#include <memory>
#include <string>

// The pieces the pages build their control trees from: labels and buttons in the page style, a
// button fitted to its text, and spacers.

// DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS: centred, one line, "..." when too wide.
constexpr UINT kPageTextStyle = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

// A label with the page style. textColour is 0xAARRGGBB; a width or height of 0 is left to the
// layout.
std::unique_ptr<DuiLib::CLabelUI> MakeLabel(std::wstring name, std::wstring text, DWORD textColour,
                                            int fontIndex, int width, int height);
// A button with the page style, as MakeLabel.
std::unique_ptr<DuiLib::CButtonUI> MakeButton(std::wstring name, std::wstring text,
                                              DWORD textColour, int fontIndex, int width,
                                              int height);

// Gives button the fixed width of its text in its font, measured on the window of page's
// manager, plus 20 pixels on each side. An empty text gives 40.
void FitButtonWidth(DuiLib::CControlUI* page, DuiLib::CButtonUI* button);

// The width FitButtonWidth gives a text measured textWidth pixels wide.
int FittedButtonWidth(int textWidth);

// What the blue button of "btn_bkg_3.png" shows while pressed: its hot state again, or the
// darker pressed state.
enum class PushedLook { kHot, kPressed };

// Gives button the blue skin of "btn_bkg_3.png" (25-pixel states stacked, 10-pixel corners kept
// at any size): the normal and hot states, and the pushed look.
void SetBlueButtonImages(DuiLib::CButtonUI* button, PushedLook pushed);

// A plain control that only takes space; 0 leaves a dimension to the layout.
std::unique_ptr<DuiLib::CControlUI> MakeSpacer(int width, int height);

// The first control below root (root itself included) named exactly name, or nullptr.
DuiLib::CControlUI* FindDescendant(DuiLib::CControlUI* root, const std::wstring& name);
