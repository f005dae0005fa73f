#include "ZInstallProgressUI.h"

#include "ProgressMath.h"

#include <memory>

ZInstallProgressUI::ZInstallProgressUI() {
    auto fill = std::make_unique<DuiLib::CControlUI>();
    auto point = std::make_unique<DuiLib::CControlUI>();
    auto rest = std::make_unique<DuiLib::CControlUI>();
    rest->SetFixedWidth(kProgressFillLimit);
    fillPart_ = Add(std::move(fill));
    pointPart_ = Add(std::move(point));
    restPart_ = Add(std::move(rest));
}

ZInstallProgressUI::~ZInstallProgressUI() = default;

void ZInstallProgressUI::SetFilledWidth(int width) {
    fillPart_->SetVisible(width > 0);
    if (width > 0) {
        fillPart_->SetFixedWidth(width);
    }
}
