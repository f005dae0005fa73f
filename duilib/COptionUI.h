#pragma once

#include "CButtonUI.h"

namespace DuiLib {

// A button that stays selected: alone it toggles on each click; in a group (options sharing a
// group name in one manager) selecting one deselects the others. Sends "selectchanged" when its
// own selection changes, except when it is deselected as part of a group.
class COptionUI : public CButtonUI {
public:
    COptionUI() = default;
    ~COptionUI() override;

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    bool Trigger() override;
    void AttachManager(IControlHost* manager, CControlUI* parent, AttachMode mode) override;
    void SetEnabled(bool enabled) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;

    // --- Selection ---
    virtual void SetSelected(bool selected);
    bool IsSelected() const { return selected_; }
    const std::wstring& Group() const { return group_; }
    void SetGroup(std::wstring_view group);
    bool NotifiesSelectChange() const { return notifySelectChange_; }
    void SetNotifySelectChange(bool notify) { notifySelectChange_ = notify; }

    // --- Selected look ---
    const std::wstring& SelectedImage() const { return selectedImage_; }
    void SetSelectedImage(std::wstring_view image);
    const std::wstring& SelectedHotImage() const { return selectedHotImage_; }
    void SetSelectedHotImage(std::wstring_view image);
    const std::wstring& SelectedForeImage() const { return selectedForeImage_; }
    void SetSelectedForeImage(std::wstring_view image);
    DWORD SelectedBkColor() const { return selectedBkColor_; }
    void SetSelectedBkColor(DWORD color);
    DWORD SelectedTextColor() const { return selectedTextColor_; }
    void SetSelectedTextColor(DWORD color);

private:
    // Draws the selected look; false when it has no image of its own.
    bool PaintSelectedImage(HDC dc);

    bool selected_ = false;
    std::wstring group_;
    DWORD selectedBkColor_ = 0;
    DWORD selectedTextColor_ = 0;
    std::wstring selectedImage_;
    std::wstring selectedHotImage_;
    std::wstring selectedForeImage_;
    bool notifySelectChange_ = true;
};

}  // namespace DuiLib
