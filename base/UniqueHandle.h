#pragma once

#include "Check.h"

#include <windows.h>
#include <objbase.h>

#include <utility>

// The program's owners of Win32 handles, memory blocks and COM references. UniqueHandle owns one
// handle and releases it with the function that matches the way it was acquired; each kind has its
// own traits type and alias below, so a handle can't be released with the wrong function (a
// registry key with CloseHandle, a memory DC with ReleaseDC, ...). The owners whose release needs
// more than the handle (a window DC, a paint DC, a selection, a COM reference, redirection) are
// small classes after it. All of them are move-only or fixed to their scope.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    bool IsValid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return IsValid(); }

    // For APIs that return the handle through an out parameter; releases what was held.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

    // Keeps the calling thread's last error: an owner going out of scope between a failed call
    // and the caller's GetLastError must not change what the caller reads.
    void Reset(Handle handle = Traits::Invalid()) {
        if (Traits::IsValid(handle_)) {
            const DWORD lastError = ::GetLastError();
            Traits::Close(handle_);
            ::SetLastError(lastError);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

namespace handle_traits {

// Handles that report failure as null, released by Close.
template <typename H, auto Free>
struct NullInvalid {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { Free(h); }
};

// Kernel objects returned as null on failure: events, semaphores, threads, processes, jobs.
struct Kernel {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    // A failed close means the handle was closed twice or never owned: with two owners of one
    // handle value, the second close could take a handle that another part has opened since.
    static void Close(Handle h) {
        const BOOL closed = ::CloseHandle(h);
        UNINSTALLER_CHECK(closed, "a kernel handle is closed that is not open");
    }
};

// Files and tool-help snapshots, which report failure as INVALID_HANDLE_VALUE.
struct File : Kernel {
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
};

struct Find : File {
    static void Close(Handle h) { ::FindClose(h); }
};

inline void ReleaseRegKey(HKEY key) {
    ::RegCloseKey(key);
}
inline void ReleaseModule(HMODULE module) {
    ::FreeLibrary(module);
}
inline void ReleaseGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}
// DCs from CreateCompatibleDC / CreateDC.
inline void ReleaseCreatedDC(HDC dc) {
    ::DeleteDC(dc);
}
inline void ReleaseIcon(HICON icon) {
    ::DestroyIcon(icon);
}
inline void ReleaseWindow(HWND window) {
    ::DestroyWindow(window);
}
inline void ReleaseMenu(HMENU menu) {
    ::DestroyMenu(menu);
}
inline void ReleaseLocalMemory(void* memory) {
    ::LocalFree(memory);
}
inline void ReleaseCoTaskMemory(void* memory) {
    ::CoTaskMemFree(memory);
}

}  // namespace handle_traits

using ScopedHandle = UniqueHandle<handle_traits::Kernel>;
using ScopedFileHandle = UniqueHandle<handle_traits::File>;
using ScopedFindHandle = UniqueHandle<handle_traits::Find>;
using ScopedRegKey = UniqueHandle<handle_traits::NullInvalid<HKEY, handle_traits::ReleaseRegKey>>;
using ScopedModule =
    UniqueHandle<handle_traits::NullInvalid<HMODULE, handle_traits::ReleaseModule>>;

template <typename GdiHandle>
using ScopedGdiObject =
    UniqueHandle<handle_traits::NullInvalid<GdiHandle, handle_traits::ReleaseGdiObject>>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedMemoryDC =
    UniqueHandle<handle_traits::NullInvalid<HDC, handle_traits::ReleaseCreatedDC>>;
using ScopedIcon = UniqueHandle<handle_traits::NullInvalid<HICON, handle_traits::ReleaseIcon>>;
// A window this program created and destroys (not one it was given).
using ScopedWindow = UniqueHandle<handle_traits::NullInvalid<HWND, handle_traits::ReleaseWindow>>;
using ScopedMenu = UniqueHandle<handle_traits::NullInvalid<HMENU, handle_traits::ReleaseMenu>>;

// Memory the system allocated for the caller: LocalFree (FormatMessage) or CoTaskMemFree (shell
// item lists, COM out texts).
template <typename T>
using ScopedLocalMemory =
    UniqueHandle<handle_traits::NullInvalid<T*, handle_traits::ReleaseLocalMemory>>;
template <typename T>
using ScopedCoTaskMemory =
    UniqueHandle<handle_traits::NullInvalid<T*, handle_traits::ReleaseCoTaskMemory>>;

// A window's DC from GetDC, given back with ReleaseDC.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint for the scope, EndPaint after it. Only inside WM_PAINT of window.
class ScopedPaintDC {
public:
    explicit ScopedPaintDC(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~ScopedPaintDC() { ::EndPaint(window_, &paint_); }
    ScopedPaintDC(const ScopedPaintDC&) = delete;
    ScopedPaintDC& operator=(const ScopedPaintDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back when it goes away.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (Succeeded()) {
            ::SelectObject(dc_, previous_);
        }
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

    bool Succeeded() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Holds one reference to a COM object.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // For creation and query calls that return the reference through a void** out parameter;
    // releases what was held.
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&object_);
    }

    void Reset() {
        if (object_ != nullptr) {
            std::exchange(object_, nullptr)->Release();
        }
    }

private:
    Interface* object_ = nullptr;
};

// Turns the file-system redirection of a 32-bit process on 64-bit Windows off for the calling
// thread, for the scope. The calls are looked up at run time: systems without WOW64 lack them, and
// there is nothing to turn off.
class ScopedFsRedirectionOff {
public:
    ScopedFsRedirectionOff() {
        const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        const auto disable = reinterpret_cast<BOOL(WINAPI*)(void**)>(
            reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
        revert_ = reinterpret_cast<BOOL(WINAPI*)(void*)>(
            reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
        active_ = disable != nullptr && revert_ != nullptr && disable(&previous_) != FALSE;
    }
    ~ScopedFsRedirectionOff() {
        if (active_) {
            revert_(previous_);
        }
    }
    ScopedFsRedirectionOff(const ScopedFsRedirectionOff&) = delete;
    ScopedFsRedirectionOff& operator=(const ScopedFsRedirectionOff&) = delete;

    // Whether redirection was turned off (false on 64-bit processes and on systems without it).
    bool Active() const { return active_; }

private:
    BOOL(WINAPI* revert_)(void*) = nullptr;
    void* previous_ = nullptr;
    bool active_ = false;
};
