#pragma once

#include "CControlUI.h"
#include "CUIManager.h"

#include <windows.h>

#include <memory>
#include <string>

namespace test {

// A real pop-up window of the test thread whose client area is one page, handled by a manager
// with the main window's nine fonts ("微软雅黑", sizes 14 to 22). The page is the only child of
// the manager's root, so it is initialised (OnInit) with a window and a paint DC as in the
// program.
class PageHost {
public:
    PageHost(std::unique_ptr<DuiLib::CControlUI> page, int width, int height);
    ~PageHost();
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    HWND Window() const { return window_; }
    DuiLib::CUIManager& Manager() { return manager_; }
    DuiLib::CControlUI* Page() const { return page_; }

    // Paints the window now, which lays out whatever changed since the last paint.
    void Layout();
    // Runs the window's queued messages.
    void Pump();

    // The control named name, which must exist.
    DuiLib::CControlUI* Control(const std::wstring& name) const;
    // The control's rectangle relative to the page.
    RECT PageRect(const std::wstring& name) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    DuiLib::CUIManager manager_;
    DuiLib::CControlUI* page_ = nullptr;
    HWND window_ = nullptr;
};

// The program's font table: index i is "微软雅黑" of size 14 + i.
void AddProgramFonts(DuiLib::CUIManager& manager);

// Width of text in the manager's font fontIndex, measured on the screen.
int TextWidth(DuiLib::CUIManager& manager, int fontIndex, const std::wstring& text);

// Makes the pages speak language (a dictionary language name, "CN" for the source texts) using
// the program's embedded dictionary. Lang.cfg beside the test program exists only meanwhile.
void UseLanguage(const std::wstring& language);
// The same with a dictionary file of the test's own (JSON text in UTF-8) instead of the embedded
// one; Lang.json exists beside the test program only meanwhile.
void UseLanguageWithDictionary(const std::wstring& language, const std::string& dictionary);

}  // namespace test
