#include "Check.h"
#include "FileSystem.h"
#include "MessageWindow.h"
#include "PathUtil.h"
#include "TestFiles.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <string>
#include <utility>

namespace {

TEST(GdiOwnersTest, FontAndBitmapAreDeletedWithTheirOwner) {
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    {
        ScopedFont ownedFont(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                           DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        ScopedBitmap ownedBitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
        ASSERT_TRUE(ownedFont);
        ASSERT_TRUE(ownedBitmap);
        font = ownedFont.Get();
        bitmap = ownedBitmap.Get();
        EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        ScopedFont moved(std::move(ownedFont));
        EXPECT_FALSE(ownedFont);
        EXPECT_EQ(moved.Get(), font);
    }
    EXPECT_EQ(::GetObjectType(font), 0u);
    EXPECT_EQ(::GetObjectType(bitmap), 0u);
}

TEST(GdiOwnersTest, SelectionIsUndoneAtTheEndOfTheScope) {
    ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    ScopedBitmap bitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
    ASSERT_TRUE(dc);
    const HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_BITMAP);
    {
        const ScopedSelectObject selection(dc.Get(), bitmap.Get());
        EXPECT_TRUE(selection.Succeeded());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmap.Get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), before);
    const ScopedSelectObject refused(dc.Get(), nullptr);
    EXPECT_FALSE(refused.Succeeded());
}

TEST(GdiOwnersTest, IconIsDestroyedWithItsOwner) {
    const BYTE andMask[32 * 4] = {};
    const BYTE xorMask[32 * 4] = {};
    HICON icon = nullptr;
    {
        ScopedIcon owned(::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
        ASSERT_TRUE(owned);
        icon = owned.Get();
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
    }
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(icon, &info));
}

TEST(WindowOwnersTest, WindowIsDestroyedAndItsDCsAreReleased) {
    HWND window = nullptr;
    {
        ScopedWindow owned(::CreateWindowExW(0, L"STATIC", L"owned", WS_POPUP, 0, 0, 40, 30,
                                             nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(owned);
        window = owned.Get();
        const ScopedWindowDC dc(window);
        ASSERT_TRUE(dc);
        EXPECT_EQ(::WindowFromDC(dc.Get()), window);
    }
    EXPECT_FALSE(::IsWindow(window));
}

// A window that sets the thread's last error while it is destroyed, as a window procedure may.
constexpr DWORD kErrorSetByDestroy = ERROR_INVALID_DATA;
WNDPROC g_staticProc = nullptr;

LRESULT CALLBACK SetsLastErrorOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcW(g_staticProc, window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        ::SetLastError(kErrorSetByDestroy);
    }
    return result;
}

HWND MakeWindowThatSetsLastErrorOnDestroy() {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"sets error", WS_POPUP, 0, 0, 10, 10,
                                          nullptr, nullptr, nullptr, nullptr);
    g_staticProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SetsLastErrorOnDestroy)));
    return window;
}

TEST(WindowOwnersTest, ReleasingKeepsTheLastErrorOfTheFailedCallBefore) {
    // The stand-in really changes the last error when it is destroyed.
    {
        const HWND window = MakeWindowThatSetsLastErrorOnDestroy();
        ASSERT_NE(window, nullptr);
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        ::DestroyWindow(window);
        ASSERT_EQ(::GetLastError(), kErrorSetByDestroy);
    }
    enum class Release { kReset, kMoveAnotherIn, kEndOfScope };
    for (Release release : {Release::kReset, Release::kMoveAnotherIn, Release::kEndOfScope}) {
        HWND released = nullptr;
        {
            ScopedWindow owned(MakeWindowThatSetsLastErrorOnDestroy());
            ScopedWindow another(::CreateWindowExW(0, L"STATIC", L"another", WS_POPUP, 0, 0, 10, 10,
                                                   nullptr, nullptr, nullptr, nullptr));
            ASSERT_TRUE(owned);
            released = owned.Get();
            ::SetLastError(ERROR_FILE_NOT_FOUND);
            if (release == Release::kReset) {
                owned.Reset();
            } else if (release == Release::kMoveAnotherIn) {
                owned = std::move(another);
            }
            if (release != Release::kEndOfScope) {
                EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
                    << static_cast<int>(release);
            }
        }
        if (release == Release::kEndOfScope) {
            EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        }
        EXPECT_FALSE(::IsWindow(released)) << static_cast<int>(release);
    }
}

TEST(WindowOwnersTest, PaintDCEndsThePaintAndValidatesTheWindow) {
    RECT painted = {};
    bool gotDC = false;
    test::MessageWindow host([&](UINT message, WPARAM, LPARAM) {
        if (message != WM_PAINT) {
            return false;
        }
        const ScopedPaintDC paint(host.Window());
        gotDC = static_cast<bool>(paint);
        painted = paint.Paint().rcPaint;
        return true;
    });
    // Only a shown window has anything to paint.
    ::ShowWindow(host.Window(), SW_SHOWNA);
    ::ValidateRect(host.Window(), nullptr);
    RECT dirty = {1, 2, 6, 7};
    ::InvalidateRect(host.Window(), &dirty, FALSE);
    ::UpdateWindow(host.Window());
    EXPECT_TRUE(gotDC);
    EXPECT_EQ(painted.left, 1);
    EXPECT_EQ(painted.bottom, 7);
    EXPECT_FALSE(::GetUpdateRect(host.Window(), nullptr, FALSE)) << "nothing left to paint";
}

// Counts its references; deletes nothing (it lives on the test's stack).
class CountedObject : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id != IID_IUnknown) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
};

TEST(ComOwnersTest, ReferenceIsReleasedOnceWhateverHappensToTheHolder) {
    CountedObject object;
    {
        ComPtr<IUnknown> held;
        ASSERT_EQ(object.QueryInterface(IID_IUnknown, held.Receive()), S_OK);
        EXPECT_EQ(object.references, 2u);
        ComPtr<IUnknown> moved(std::move(held));
        EXPECT_FALSE(held);
        EXPECT_EQ(moved.Get(), &object);
        EXPECT_EQ(object.references, 2u);
        ASSERT_EQ(object.QueryInterface(IID_IUnknown, moved.Receive()), S_OK)
            << "receiving again releases what was held";
        EXPECT_EQ(object.references, 2u);
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(MemoryOwnersTest, CoTaskMemoryAndLocalMemoryAreHeldUntilReleased) {
    ScopedCoTaskMemory<wchar_t> text(static_cast<wchar_t*>(::CoTaskMemAlloc(16)));
    ASSERT_TRUE(text);
    wchar_t* const kept = text.Release();
    EXPECT_FALSE(text);
    ::CoTaskMemFree(kept);

    ScopedLocalMemory<wchar_t> message;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<wchar_t*>(message.Receive()), 0,
        nullptr);
    ASSERT_GT(length, 0u);
    EXPECT_NE(message.Get(), nullptr);
}

TEST(RedirectionOwnerTest, OnlyA32BitProcessOn64BitWindowsHasRedirectionToTurnOff) {
    BOOL wow64 = FALSE;
    ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &wow64));
    const ScopedFsRedirectionOff redirectionOff;
    EXPECT_EQ(redirectionOff.Active(), wow64 != FALSE);
}

TEST(FileSystemTest, TellsFilesFoldersAndMissingPathsApart) {
    test::ScratchFolder scratch(L"file system");
    test::WriteFile(scratch / L"file.txt", "x");
    struct Case {
        std::wstring path;
        bool exists, file, folder;
    };
    const Case cases[] = {
        {scratch / L"file.txt", true, true, false},
        {scratch.Path(), true, false, true},
        {scratch / L"missing", false, false, false},
        {L"", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        EXPECT_EQ(PathExists(c.path), c.exists);
        EXPECT_EQ(FileExists(c.path), c.file);
        EXPECT_EQ(FolderExists(c.path), c.folder);
    }
}

TEST(CheckDeathTest, ABrokenPreconditionStopsTheTestProgramWithItsMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const bool broken = true;
    EXPECT_DEATH(UNINSTALLER_CHECK(!broken, "the precondition of this test"),
                 "check failed: the precondition of this test");
}

}  // namespace
