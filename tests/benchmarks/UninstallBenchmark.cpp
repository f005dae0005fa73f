// Times the uninstaller from inside Wine, where Wine's own start-up is not counted. Not a test:
// the figures vary from run to run, so each run compares against a yardstick measured in the same
// run. scripts/benchmark.sh installs the demo product before each part and prints the ratios.
//
// Usage:
//   uninstall_benchmark startup ROUNDS   median time from starting the installed uninstaller to
//                                        its window being visible, and the same for bare_window
//   uninstall_benchmark uninstall        the installed uninstaller confirmed, started and timed
//                                        from the click on the start button to the finish button
//                                        on the screen; prints files/s and how the bar moved
//   uninstall_benchmark walk             a plain FindFirstFile/DeleteFile walk deleting the
//                                        installation folder; prints files/s
#include "UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kInstallFolder[] = L"C:\\Program Files\\QuorvelTablet";
constexpr wchar_t kUninstallerTitle[] = L"QuorvelTablet卸载程序";

constexpr DWORD kFrameMs = 16;

// Client points of the uninstaller's window (see its layout).
constexpr POINT kStartButton = {300, 362};
constexpr POINT kFinishButton = {302, 340};
constexpr int kBarRow = 334;
constexpr int kBarLeft = 57;
constexpr int kBarRight = 543;

class Clock {
public:
    Clock() {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

ScopedHandle Start(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring folder = program.substr(0, program.rfind(L'\\'));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info)) {
        return ScopedHandle();
    }
    ScopedHandle thread(info.hThread);
    return ScopedHandle(info.hProcess);
}

HWND WaitForVisibleWindow(const wchar_t* title, double timeoutSeconds) {
    const Clock clock;
    while (clock.Seconds() < timeoutSeconds) {
        const HWND window = ::FindWindowW(nullptr, title);
        if (window != nullptr && ::IsWindowVisible(window)) {
            return window;
        }
        ::Sleep(1);
    }
    return nullptr;
}

void CloseAndWait(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    ScopedHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (process) {
        ::WaitForSingleObject(process.Get(), 10000);
    }
}

// Seconds from starting program to the window titled title being visible; negative on failure.
double TimeToWindow(const std::wstring& program, const wchar_t* title) {
    const Clock clock;
    ScopedHandle process = Start(program);
    const HWND window = process ? WaitForVisibleWindow(title, 60) : nullptr;
    const double seconds = clock.Seconds();
    if (window == nullptr) {
        return -1;
    }
    CloseAndWait(window);
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

int Startup(int rounds) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bare = self;
    bare = bare.substr(0, bare.rfind(L'\\')) + L"\\bare_window.exe";
    const std::wstring uninstaller = std::wstring(kInstallFolder) + L"\\Uninstall.exe";
    std::vector<double> bareTimes;
    std::vector<double> uninstallerTimes;
    for (int round = 0; round < rounds; ++round) {
        bareTimes.push_back(TimeToWindow(bare, L"bare window"));
        uninstallerTimes.push_back(TimeToWindow(uninstaller, kUninstallerTitle));
    }
    const double bareMedian = Median(bareTimes);
    const double uninstallerMedian = Median(uninstallerTimes);
    std::printf(
        "startup: bare window %.0f ms, uninstaller (with its relaunch) %.0f ms, "
        "ratio %.2f (median of %d)\n",
        bareMedian * 1000, uninstallerMedian * 1000, uninstallerMedian / bareMedian, rounds);
    return bareMedian > 0 && uninstallerMedian > 0 ? 0 : 1;
}

// Reads the screen under the window: whether the finish button shows, and how far the progress
// bar is filled (the right end of its blue part), in one copy of the rows concerned.
struct ScreenState {
    bool finishShown = false;
    int fill = 0;
};

bool IsButtonBlue(COLORREF colour) {
    return GetBValue(colour) > 150 && GetBValue(colour) - GetRValue(colour) > 60;
}

ScreenState ReadScreen(HWND window) {
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    const int width = kBarRight - kBarLeft;
    const int height = kFinishButton.y - kBarRow + 1;
    ScreenState state;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, origin.x + kBarLeft, origin.y + kBarRow,
                 SRCCOPY);
        const auto* pixels = static_cast<const DWORD*>(bits);
        auto at = [&](int x, int y) {
            const DWORD bgr = pixels[y * width + x];
            return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
        };
        state.finishShown = IsButtonBlue(at(kFinishButton.x - kBarLeft, height - 1));
        for (int x = 0; x < width; ++x) {
            if (IsButtonBlue(at(x, 0))) {
                state.fill = x + 1;
            }
        }
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return state;
}

// A plain FindFirstFile walk: onFile for every file below folder, onFolderDone for each folder
// once its content has been visited.
template <typename OnFile, typename OnFolderDone>
void WalkTree(const std::wstring& folder, OnFile onFile, OnFolderDone onFolderDone) {
    WIN32_FIND_DATAW data;
    {
        ScopedFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
        if (!find) {
            return;
        }
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                WalkTree(path, onFile, onFolderDone);
            } else {
                onFile(path);
            }
        } while (::FindNextFileW(find.Get(), &data));
    }
    onFolderDone(folder);
}

int CountFiles(const std::wstring& folder) {
    int count = 0;
    WalkTree(
        folder, [&count](const std::wstring&) { ++count; }, [](const std::wstring&) {});
    return count;
}

void Click(HWND window, POINT point) {
    const LPARAM position = MAKELPARAM(point.x, point.y);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, position);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
    ::PostMessageW(window, WM_LBUTTONUP, 0, position);
}

int Uninstall() {
    const int files = CountFiles(kInstallFolder);
    ScopedHandle first = Start(std::wstring(kInstallFolder) + L"\\Uninstall.exe");
    const HWND window = first ? WaitForVisibleWindow(kUninstallerTitle, 60) : nullptr;
    if (window == nullptr) {
        std::printf("uninstall: no window\n");
        return 1;
    }
    ::Sleep(500);
    ::PostMessageW(window, WM_KEYDOWN, 'Y', 0);
    ::Sleep(500);

    const Clock clock;
    Click(window, kStartButton);
    ScreenState state;
    int lastFill = -1;
    int changes = 0;
    double lastChange = 0;
    double longestStill = 0;
    while (clock.Seconds() < 600) {
        state = ReadScreen(window);
        const double now = clock.Seconds();
        if (state.finishShown) {
            break;
        }
        if (state.fill != lastFill) {
            if (lastFill >= 0) {
                longestStill = std::max(longestStill, now - lastChange);
            }
            lastFill = state.fill;
            lastChange = now;
            ++changes;
        }
        // Once a frame, as a person watching sees it. Reading the screen is a round trip to the
        // X server, and reading it more often takes the processor from the run being measured.
        ::Sleep(kFrameMs);
    }
    const double seconds = clock.Seconds();
    std::printf(
        "uninstall: %d files from the start click to the finish button in %.2f s = "
        "%.0f files/s; the bar moved %d times, longest still %.0f ms\n",
        files, seconds, files / seconds, changes, longestStill * 1000);
    CloseAndWait(window);
    return state.finishShown ? 0 : 1;
}

int DeleteTree(const std::wstring& folder) {
    int deleted = 0;
    WalkTree(
        folder,
        [&deleted](const std::wstring& file) { deleted += ::DeleteFileW(file.c_str()) ? 1 : 0; },
        [](const std::wstring& emptied) { ::RemoveDirectoryW(emptied.c_str()); });
    return deleted;
}

int Walk() {
    const Clock clock;
    const int deleted = DeleteTree(kInstallFolder);
    const double seconds = clock.Seconds();
    std::printf("walk: %d files deleted in %.2f s = %.0f files/s\n", deleted, seconds,
                deleted / seconds);
    return deleted > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup") {
        return Startup(argc > 2 ? std::max(1, std::atoi(argv[2])) : 5);
    }
    if (mode == "uninstall") {
        return Uninstall();
    }
    if (mode == "walk") {
        return Walk();
    }
    std::fprintf(stderr, "usage: uninstall_benchmark startup [rounds] | uninstall | walk\n");
    return 2;
}
