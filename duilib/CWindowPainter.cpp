#include "CWindowPainter.h"

#include "CControlUI.h"
#include "ControlSearch.h"

namespace DuiLib {

namespace {

constexpr COLORREF kRepaintOutline = RGB(220, 0, 0);

int WidthOf(const RECT& rect) {
    return rect.right - rect.left;
}
int HeightOf(const RECT& rect) {
    return rect.bottom - rect.top;
}

void CopyArea(HDC target, HDC source, const RECT& area) {
    ::BitBlt(target, area.left, area.top, WidthOf(area), HeightOf(area), source, area.left,
             area.top, SRCCOPY);
}

// Paints the tree and the overlays into dc, clipped to area; the DC's state is put back.
void PaintTree(HDC dc, const RECT& area, CControlUI* root,
               const std::vector<CControlUI*>& overlays) {
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    root->Paint(dc, area);
    for (CControlUI* overlay : overlays) {
        overlay->PaintOverlay(dc, area);
    }
    ::RestoreDC(dc, saved);
}

}  // namespace

bool LayOutTree(CControlUI* root, const RECT& client) {
    if (root == nullptr || ::IsRectEmpty(&client)) {
        return false;
    }
    if (root->IsLayoutDirty()) {
        root->SetBounds(client);
        return true;
    }
    // A control that stays dirty after its own layout would otherwise be found forever.
    CControlUI* previous = nullptr;
    while (CControlUI* control = NextDirtyControl(root)) {
        if (control == previous) {
            break;
        }
        control->SetBounds(control->Bounds());
        previous = control;
    }
    return false;
}

void CWindowPainter::DropSurfaces() {
    offscreen_.reset();
    background_.reset();
    backgroundTaken_ = false;
}

void CWindowPainter::EnsureSurfaces(HDC reference, const RECT& client) {
    if (offscreen_ == nullptr && !::IsRectEmpty(&client)) {
        offscreen_ = std::make_unique<MemoryCanvas>(reference, WidthOf(client), HeightOf(client));
        if (!offscreen_->IsValid()) {
            offscreen_.reset();
        }
    }
    if (keepBackground_ && background_ == nullptr && !::IsRectEmpty(&client)) {
        background_ = std::make_unique<MemoryCanvas>(reference, WidthOf(client), HeightOf(client));
        backgroundTaken_ = false;
        if (!background_->IsValid()) {
            background_.reset();
        }
    }
}

void CWindowPainter::Paint(HWND window, CControlUI* root,
                           const std::vector<CControlUI*>& overlays) {
    const ScopedPaintDC paint(window);
    if (!paint) {
        return;
    }
    const HDC dc = paint.Get();
    const RECT area = paint.Paint().rcPaint;
    RECT client = {};
    ::GetClientRect(window, &client);
    EnsureSurfaces(dc, client);
    if (offscreen_ != nullptr) {
        const HDC offscreen = offscreen_->Dc();
        if (keepBackground_ && background_ != nullptr) {
            if (!backgroundTaken_) {
                CopyArea(background_->Dc(), dc, area);
                backgroundTaken_ = true;
            }
            CopyArea(offscreen, background_->Dc(), area);
        }
        PaintTree(offscreen, area, root, overlays);
        CopyArea(dc, offscreen, area);
    } else {
        PaintTree(dc, area, root, overlays);
    }
    if (showRepaints_) {
        if (!outlinePen_) {
            outlinePen_.Reset(::CreatePen(PS_SOLID, 1, kRepaintOutline));
        }
        ScopedSelectObject pen(dc, outlinePen_.Get());
        ScopedSelectObject brush(dc, ::GetStockObject(HOLLOW_BRUSH));
        ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
    }
}

void CWindowPainter::PaintInto(HDC dc, const RECT& rect, CControlUI* root) {
    if (root != nullptr) {
        PaintTree(dc, rect, root, {});
    }
}

}  // namespace DuiLib
