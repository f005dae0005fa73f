#pragma once

#include "CControlUI.h"
#include "IContainerUI.h"

#include <memory>
#include <vector>

namespace DuiLib {

// A control that owns an ordered list of child controls and places them inside its rectangle
// less its inset. The base container gives every laid-out child the whole inner rectangle and
// places float children by their own offsets; the layouts derive from it. It keeps the children's
// visibility in step with its own, clips their painting to itself and searches them for hits.
class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI() = default;

    // --- IContainerUI ---
    CControlUI* ItemAt(int index) const override;
    int IndexOf(CControlUI* control) const override;
    bool MoveItem(CControlUI* control, int index) override;
    int Count() const override;
    bool Append(CControlUI* control) override;
    bool InsertAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveIndex(int index) override;
    void Clear() override;

    // Appends a newly made control; returns it, or nullptr (and deletes it) when that fails.
    template <typename T>
    T* Add(std::unique_ptr<T> control) {
        T* raw = control.get();
        if (!Append(raw)) {
            return nullptr;
        }
        control.release();
        return raw;
    }

    // --- CControlUI ---
    ~CContainerUI() override;
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    void AttachManager(IControlHost* manager, CControlUI* parent, AttachMode mode) override;
    void SetBounds(const RECT& rect) override;
    void SetVisible(bool visible) override;
    void SetParentVisible(bool visible) override;
    CControlUI* Search(FindControlProc proc, void* data, UINT flags) override;
    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    void Paint(HDC dc, const RECT& paintRect) override;

    // --- Operations containers add ---
    virtual RECT Inset() const;
    virtual void SetInset(const RECT& inset);
    virtual int ChildPadding() const;
    virtual void SetChildPadding(int padding);
    // Removed children are deleted (the default).
    virtual bool OwnsItems() const;
    virtual void SetOwnsItems(bool owns);
    // Deletion goes through the manager's delayed cleanup (the default), so that a child may be
    // removed while one of its own handlers runs.
    virtual bool DefersDelete() const;
    virtual void SetDefersDelete(bool defers);
    virtual bool IsMouseChildEnabled() const;
    virtual void SetMouseChildEnabled(bool enabled);
    // Places the float child at index by its offset and size inside this container.
    virtual void PlaceFloat(int index);

protected:
    // The rectangle the children are laid out in.
    RECT InnerRect() const;
    // The children's size hints, in child order, for the layout functions.
    std::vector<LayoutChild> LayoutChildren() const;
    // Applies computed placements: bounds, or PlaceFloat for float children.
    void ApplyPlacements(const std::vector<ChildPlacement>& placements);

private:
    // Append and InsertAt without the dispatch to a subclass's own bookkeeping.
    bool Insert(CControlUI* control, int index);
    // Deletes the child now or hands it to the manager's delayed cleanup.
    void Dispose(CControlUI* control);

    std::vector<CControlUI*> items_;
    RECT inset_ = {0, 0, 0, 0};
    int childPadding_ = 0;
    bool autoDestroy_ = true;
    bool delayedDestroy_ = true;
    bool mouseChildEnabled_ = true;
};

}  // namespace DuiLib
