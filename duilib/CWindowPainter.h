#pragma once

#include "UniqueHandle.h"
#include "MemoryCanvas.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace DuiLib {

class CControlUI;

// Paints a control tree into a window through an off-screen bitmap of the client size, so a
// repaint never flickers; optionally keeps a copy of what was behind the window and outlines every
// repainted area in red.
class CWindowPainter {
public:
    CWindowPainter() = default;
    CWindowPainter(const CWindowPainter&) = delete;
    CWindowPainter& operator=(const CWindowPainter&) = delete;

    void SetShowRepaints(bool show) { showRepaints_ = show; }
    bool ShowRepaints() const { return showRepaints_; }
    void SetKeepBackground(bool keep) { keepBackground_ = keep; }
    bool KeepBackground() const { return keepBackground_; }

    // Forgets the off-screen surfaces; they are made again at the client size on the next paint.
    void DropSurfaces();
    bool HasSurface() const { return offscreen_ != nullptr; }

    // Handles one paint message: BeginPaint, the tree and then each overlay control into the
    // off-screen bitmap over the update area, copied to the window; EndPaint.
    void Paint(HWND window, CControlUI* root, const std::vector<CControlUI*>& overlays);
    // Paints the tree directly into dc over rect (printing).
    static void PaintInto(HDC dc, const RECT& rect, CControlUI* root);

private:
    void EnsureSurfaces(HDC reference, const RECT& client);

    bool showRepaints_ = false;
    bool keepBackground_ = false;
    std::unique_ptr<MemoryCanvas> offscreen_;
    std::unique_ptr<MemoryCanvas> background_;
    bool backgroundTaken_ = false;
    ScopedPen outlinePen_;
};

// The layout pass before a paint: the whole tree when the root waits for layout (true returned:
// sizes changed), otherwise each visible control waiting for layout within its own rectangle.
bool LayOutTree(CControlUI* root, const RECT& client);

}  // namespace DuiLib
