#include "CFontTable.h"

#include "TextConvert.h"

#include <cwctype>
#include <optional>

namespace DuiLib {

namespace {

std::wstring& ProcessDefaultFace() {
    static std::wstring face;
    return face;
}

LOGFONTW DefaultGuiLogFont() {
    LOGFONTW logFont = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
    logFont.lfCharSet = DEFAULT_CHARSET;
    return logFont;
}

}  // namespace

CFontTable::CFontTable() {
    LOGFONTW logFont = DefaultGuiLogFont();
    if (!ProcessDefaultFace().empty()) {
        ::lstrcpynW(logFont.lfFaceName, ProcessDefaultFace().c_str(), LF_FACESIZE);
    }
    default_.handle.Reset(::CreateFontIndirectW(&logFont));
    default_.info.font = default_.handle.Get();
    default_.info.faceName = logFont.lfFaceName;
    default_.info.size = -logFont.lfHeight;
    default_.info.bold = logFont.lfWeight >= FW_BOLD;
    default_.info.underline = logFont.lfUnderline != 0;
    default_.info.italic = logFont.lfItalic != 0;
}

bool CFontTable::Make(Entry& entry, const std::wstring& face, int size, UINT style) {
    const bool bold = (style & kFontBold) != 0;
    const bool underline = (style & kFontUnderline) != 0;
    const bool italic = (style & kFontItalic) != 0;
    LOGFONTW logFont = DefaultGuiLogFont();
    ::lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
    logFont.lfHeight = -size;
    if (bold) {
        logFont.lfWeight += FW_BOLD;
    }
    logFont.lfUnderline = underline ? TRUE : FALSE;
    logFont.lfItalic = italic ? TRUE : FALSE;
    entry.handle.Reset(::CreateFontIndirectW(&logFont));
    if (!entry.handle) {
        return false;
    }
    entry.info = FontInfo{};
    entry.info.font = entry.handle.Get();
    entry.info.faceName = face;
    entry.info.size = size;
    entry.info.bold = bold;
    entry.info.underline = underline;
    entry.info.italic = italic;
    return true;
}

HFONT CFontTable::Create(const std::wstring& face, int size, UINT style) {
    Entry entry;
    if (!Make(entry, face, size, style)) {
        return nullptr;
    }
    Measure(entry);
    custom_.push_back(std::move(entry));
    return custom_.back().info.font;
}

bool CFontTable::SetDefault(const std::wstring& face, int size, UINT style) {
    Entry entry;
    if (!Make(entry, face, size, style)) {
        return false;
    }
    Measure(entry);
    default_ = std::move(entry);
    return true;
}

HFONT CFontTable::At(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= custom_.size()) {
        return default_.info.font;
    }
    return custom_[static_cast<size_t>(index)].info.font;
}

const FontInfo& CFontTable::InfoAt(int index) {
    Entry& entry = EntryAt(index);
    if (entry.info.metrics.tmHeight == 0) {
        Measure(entry);
    }
    return entry.info;
}

int CFontTable::Find(const std::wstring& face, int size, UINT style) const {
    for (size_t i = 0; i < custom_.size(); ++i) {
        const FontInfo& info = custom_[i].info;
        if (EqualsIgnoringCase(info.faceName, face) && info.size == size &&
            StyleOf(info) == style) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CFontTable::SetDefaultFaceName(const std::wstring& face) {
    ProcessDefaultFace() = face;
}

std::wstring CFontTable::DefaultFaceName() {
    return ProcessDefaultFace();
}

CFontTable::Entry& CFontTable::EntryAt(int index) {
    if (index < 0 || static_cast<size_t>(index) >= custom_.size()) {
        return default_;
    }
    return custom_[static_cast<size_t>(index)];
}

void CFontTable::Measure(Entry& entry) const {
    // Without the window's DC yet, a screen DC measures the same font.
    std::optional<ScopedWindowDC> screen;
    HDC dc = measureDc_;
    if (dc == nullptr) {
        dc = screen.emplace(nullptr).Get();
    }
    if (dc == nullptr) {
        return;
    }
    const ScopedSelectObject select(dc, entry.handle.Get());
    ::GetTextMetricsW(dc, &entry.info.metrics);
}

}  // namespace DuiLib
