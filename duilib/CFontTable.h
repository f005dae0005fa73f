#pragma once

#include "FontInfo.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace DuiLib {

// The fonts of one manager: a default font and custom fonts addressed by index. Every font is
// created from the platform's default GUI font description and owned here; metrics are measured
// with the window's DC on first use.
class CFontTable {
public:
    CFontTable();
    CFontTable(const CFontTable&) = delete;
    CFontTable& operator=(const CFontTable&) = delete;

    // The DC fonts are measured with (the window's; nullptr until there is one).
    void SetMeasureDc(HDC dc) { measureDc_ = dc; }

    // style holds FontStyle bits. Appends a font; nullptr (and nothing appended) when it cannot be
    // created.
    HFONT Create(const std::wstring& face, int size, UINT style);
    // Replaces the default font; false (default kept) when the font cannot be created.
    bool SetDefault(const std::wstring& face, int size, UINT style);
    // An index outside the custom fonts gives the default font.
    HFONT At(int index) const;
    const FontInfo& InfoAt(int index);
    // Index of a custom font with exactly these properties (face ignoring case), or -1.
    int Find(const std::wstring& face, int size, UINT style) const;
    size_t Count() const { return custom_.size(); }

    // The face name every new manager's default font uses (empty: the platform's).
    static void SetDefaultFaceName(const std::wstring& face);
    static std::wstring DefaultFaceName();

private:
    struct Entry {
        ScopedFont handle;
        FontInfo info;
    };
    static bool Make(Entry& entry, const std::wstring& face, int size, UINT style);
    Entry& EntryAt(int index);
    void Measure(Entry& entry) const;

    HDC measureDc_ = nullptr;
    Entry default_;
    std::vector<Entry> custom_;
};

}  // namespace DuiLib
