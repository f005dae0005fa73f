#include "CContainerUI.h"

#include "AttributeParsing.h"
#include "ScopedClip.h"
#include "UniqueHandle.h"

#include <algorithm>

namespace DuiLib {

// --- IContainerUI ---------------------------------------------------------------------------

CControlUI* CContainerUI::ItemAt(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return items_[static_cast<size_t>(index)];
}

int CContainerUI::IndexOf(CControlUI* control) const {
    const auto found = std::find(items_.begin(), items_.end(), control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool CContainerUI::MoveItem(CControlUI* control, int index) {
    const int from = IndexOf(control);
    if (from < 0) {
        return false;
    }
    MarkLayoutDirty();
    items_.erase(items_.begin() + from);
    const int to = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + to, control);
    return true;
}

int CContainerUI::Count() const {
    return static_cast<int>(items_.size());
}

bool CContainerUI::Append(CControlUI* control) {
    return Insert(control, Count());
}

bool CContainerUI::InsertAt(CControlUI* control, int index) {
    return Insert(control, index);
}

bool CContainerUI::Insert(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > Count()) {
        return false;
    }
    if (Manager() != nullptr) {
        Manager()->AdoptControls(control, this);
    } else {
        // Without a manager the child still learns its parent, so that invalidation, layout
        // marks and events find their way up once the tree is attached.
        control->AttachManager(nullptr, this, AttachMode::kAttachOnly);
    }
    if (IsVisible()) {
        MarkLayoutDirty();
    } else {
        control->SetParentVisible(false);
    }
    items_.insert(items_.begin() + index, control);
    return true;
}

bool CContainerUI::Remove(CControlUI* control) {
    const int index = IndexOf(control);
    if (index < 0) {
        return false;
    }
    MarkLayoutDirty();
    items_.erase(items_.begin() + index);
    if (autoDestroy_) {
        Dispose(control);
    }
    return true;
}

bool CContainerUI::RemoveIndex(int index) {
    return Remove(ItemAt(index));
}

void CContainerUI::Clear() {
    // Taken out of the list first: a child's destroy listeners may look at this container.
    std::vector<CControlUI*> removed;
    removed.swap(items_);
    if (autoDestroy_) {
        for (CControlUI* control : removed) {
            Dispose(control);
        }
    }
    MarkLayoutDirty();
}

void CContainerUI::Dispose(CControlUI* control) {
    if (delayedDestroy_ && Manager() != nullptr) {
        Manager()->DeleteLater(std::unique_ptr<CControlUI>(control));
    } else {
        delete control;
    }
}

// --- CControlUI -----------------------------------------------------------------------------

CContainerUI::~CContainerUI() {
    delayedDestroy_ = false;
    std::vector<CControlUI*> removed;
    removed.swap(items_);
    if (autoDestroy_) {
        for (CControlUI* control : removed) {
            delete control;
        }
    }
}

const wchar_t* CContainerUI::ClassName() const {
    return L"ContainerUI";
}

void* CContainerUI::AsInterface(std::wstring_view name) {
    if (name == L"IContainer") {
        return static_cast<IContainerUI*>(this);
    }
    if (name == L"Container") {
        return this;
    }
    return CControlUI::AsInterface(name);
}

void CContainerUI::AttachManager(IControlHost* manager, CControlUI* parent, AttachMode mode) {
    for (CControlUI* control : items_) {
        control->AttachManager(manager, this, mode);
    }
    CControlUI::AttachManager(manager, parent, mode);
}

void CContainerUI::SetBounds(const RECT& rect) {
    CControlUI::SetBounds(rect);
    if (items_.empty()) {
        return;
    }
    const RECT inner = InnerRect();
    for (int i = 0; i < Count(); ++i) {
        CControlUI* control = items_[static_cast<size_t>(i)];
        if (!control->IsVisible()) {
            continue;
        }
        if (control->IsFloat()) {
            PlaceFloat(i);
        } else {
            control->SetBounds(inner);
        }
    }
}

void CContainerUI::SetVisible(bool visible) {
    if (visible == IsOwnVisible()) {
        return;
    }
    CControlUI::SetVisible(visible);
    for (CControlUI* control : items_) {
        control->SetParentVisible(IsVisible());
    }
}

void CContainerUI::SetParentVisible(bool visible) {
    CControlUI::SetParentVisible(visible);
    for (CControlUI* control : items_) {
        control->SetParentVisible(IsVisible());
    }
}

CControlUI* CContainerUI::Search(FindControlProc proc, void* data, UINT flags) {
    if ((flags & kFindVisible) != 0 && !IsVisible()) {
        return nullptr;
    }
    if ((flags & kFindEnabled) != 0 && !IsEnabled()) {
        return nullptr;
    }
    const bool hitTest = (flags & kFindHitTest) != 0;
    const RECT bounds = Bounds();
    if (hitTest) {
        if (!::PtInRect(&bounds, *static_cast<const POINT*>(data))) {
            return nullptr;
        }
        if (!mouseChildEnabled_) {
            return CControlUI::Search(proc, data, flags);
        }
    }
    if ((flags & kFindMeFirst) != 0) {
        if (CControlUI* found = CControlUI::Search(proc, data, flags)) {
            return found;
        }
    }
    const RECT inner = InnerRect();
    const bool topFirst = (flags & kFindTopFirst) != 0;
    for (int n = 0; n < Count(); ++n) {
        CControlUI* child = items_[static_cast<size_t>(topFirst ? Count() - 1 - n : n)];
        CControlUI* found = child->Search(proc, data, flags);
        if (found == nullptr) {
            continue;
        }
        // A hit in the inset margin belongs to the container, unless a float child covers it.
        if (!hitTest || found->IsFloat() || ::PtInRect(&inner, *static_cast<const POINT*>(data))) {
            return found;
        }
    }
    if ((flags & kFindMeFirst) == 0) {
        return CControlUI::Search(proc, data, flags);
    }
    return nullptr;
}

void CContainerUI::HandleEvent(UIEvent& event) {
    if (!IsMouseEnabled() && IsMouseEvent(event.kind)) {
        if (Parent() != nullptr) {
            Parent()->HandleEvent(event);
        } else {
            CControlUI::HandleEvent(event);
        }
        return;
    }
    if (event.kind == kEventSetFocus || event.kind == kEventKillFocus) {
        SetFocusedFlag(event.kind == kEventSetFocus);
        return;
    }
    CControlUI::HandleEvent(event);
}

void CContainerUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"inset") {
        SetInset(ParseRect(value));
    } else if (name == L"mousechild") {
        SetMouseChildEnabled(ParseBool(value));
    } else if (name == L"childpadding") {
        SetChildPadding(ParseInteger(value));
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

void CContainerUI::Paint(HDC dc, const RECT& paintRect) {
    const RECT bounds = Bounds();
    RECT area;
    if (!::IntersectRect(&area, &paintRect, &bounds)) {
        return;
    }
    ScopedClip clip(dc);
    clip.Intersect(area);
    CControlUI::Paint(dc, paintRect);
    if (items_.empty()) {
        return;
    }

    // Float children are clipped to the container alone, not to its inner rectangle.
    const ScopedRegion containerClip = CopyClipRegion(dc);
    const RECT inner = InnerRect();
    RECT innerArea;
    const bool innerVisible = ::IntersectRect(&innerArea, &paintRect, &inner) != FALSE;
    ScopedClip innerClip(dc);
    if (innerVisible) {
        innerClip.Intersect(innerArea);
    }
    for (CControlUI* control : items_) {
        if (!control->IsVisible()) {
            continue;
        }
        const RECT childRect = control->Bounds();
        RECT overlap;
        if (!::IntersectRect(&overlap, &paintRect, &childRect)) {
            continue;
        }
        if (control->IsFloat()) {
            if (!::IntersectRect(&overlap, &bounds, &childRect)) {
                continue;
            }
            ScopedClip floatClip(dc);
            floatClip.Select(containerClip.Get());
            control->Paint(dc, paintRect);
        } else if (innerVisible && ::IntersectRect(&overlap, &inner, &childRect)) {
            control->Paint(dc, paintRect);
        }
    }
}

// --- Container operations -------------------------------------------------------------------

RECT CContainerUI::Inset() const {
    return inset_;
}

void CContainerUI::SetInset(const RECT& inset) {
    inset_ = inset;
    MarkLayoutDirty();
}

int CContainerUI::ChildPadding() const {
    return childPadding_;
}

void CContainerUI::SetChildPadding(int padding) {
    childPadding_ = padding;
    MarkLayoutDirty();
}

bool CContainerUI::OwnsItems() const {
    return autoDestroy_;
}

void CContainerUI::SetOwnsItems(bool owns) {
    autoDestroy_ = owns;
}

bool CContainerUI::DefersDelete() const {
    return delayedDestroy_;
}

void CContainerUI::SetDefersDelete(bool defers) {
    delayedDestroy_ = defers;
}

bool CContainerUI::IsMouseChildEnabled() const {
    return mouseChildEnabled_;
}

void CContainerUI::SetMouseChildEnabled(bool enabled) {
    mouseChildEnabled_ = enabled;
}

void CContainerUI::PlaceFloat(int index) {
    CControlUI* control = ItemAt(index);
    if (control == nullptr || !control->IsVisible() || !control->IsFloat()) {
        return;
    }
    const FloatPlacement placement = ComputeFloatBounds(
        Bounds(), control->FixedXY(), SIZE{control->FixedWidth(), control->FixedHeight()},
        control->GetRelativePos());
    if (control->IsRelativePos()) {
        control->SetRelativeParentSize(placement.parentSize);
    }
    control->SetBounds(placement.bounds);
}

RECT CContainerUI::InnerRect() const {
    return DeflateRect(Bounds(), inset_);
}

std::vector<LayoutChild> CContainerUI::LayoutChildren() const {
    std::vector<LayoutChild> children;
    children.reserve(items_.size());
    for (const CControlUI* control : items_) {
        LayoutChild child;
        child.visible = control->IsVisible();
        child.isFloat = control->IsFloat();
        child.padding = control->Padding();
        child.fixedSize = {control->FixedWidth(), control->FixedHeight()};
        child.minSize = {control->MinWidth(), control->MinHeight()};
        child.maxSize = {control->MaxWidth(), control->MaxHeight()};
        children.push_back(child);
    }
    return children;
}

void CContainerUI::ApplyPlacements(const std::vector<ChildPlacement>& placements) {
    for (size_t i = 0; i < placements.size() && i < items_.size(); ++i) {
        switch (placements[i].kind) {
            case PlacementKind::kFloat:
                PlaceFloat(static_cast<int>(i));
                break;
            case PlacementKind::kBounds:
                items_[i]->SetBounds(placements[i].bounds);
                break;
            case PlacementKind::kSkip:
                break;
        }
    }
}

}  // namespace DuiLib
