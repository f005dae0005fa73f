// Measures how much a progress message per deleted file costs the engine's folder removal: the
// same tree of 10,000 files is deleted through DeleteFolderNotify once with a notifier that posts
// WM_UNINSTALL_PROGRESS to a window on another thread (as the uninstall does) and once without a
// notifier. Prints both in files per second. Not a test: the numbers vary from run to run.
//
// Usage: delete_benchmark [files] [rounds]   (defaults 10000 and 2)
#include "FolderWalk.h"
#include "IDeleteFileNotify.h"
#include "MessagePosting.h"
#include "MessageWindow.h"
#include "UninstallMessages.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr int kFilesPerFolder = 500;
constexpr wchar_t kBenchFolder[] = L"C:\\uninstaller-benchmark";

// A hidden window on its own thread that takes the progress messages as the progress page would
// (reading them off its queue) and signals when the finished message has arrived.
class ProgressWindowThread {
public:
    ProgressWindowThread()
        : ready_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          finished_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this] { Run(); }) {
        ::WaitForSingleObject(ready_.Get(), INFINITE);
    }
    ~ProgressWindowThread() {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    ProgressWindowThread(const ProgressWindowThread&) = delete;
    ProgressWindowThread& operator=(const ProgressWindowThread&) = delete;

    HWND Window() const { return window_; }
    void WaitFinished() {
        ::WaitForSingleObject(finished_.Get(), INFINITE);
        ::ResetEvent(finished_.Get());
    }
    long Received() const { return received_; }

private:
    void Run() {
        test::MessageWindow window([this](UINT id, WPARAM, LPARAM) {
            switch (id) {
                case WM_UNINSTALL_PROGRESS:
                    ++received_;
                    return true;
                case WM_UNINSTALL_FINISHED:
                    ::SetEvent(finished_.Get());
                    return true;
                case WM_CLOSE:
                    ::PostQuitMessage(0);
                    return true;
                default:
                    return false;
            }
        });
        window_ = window.Window();
        ::SetEvent(ready_.Get());
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&message);
        }
    }

    ScopedHandle ready_;
    ScopedHandle finished_;
    HWND window_ = nullptr;
    long received_ = 0;
    std::thread thread_;
};

// Posts one progress message per deleted file, the way the engine reports.
class PostingNotifier : public IDeleteFileNotify {
public:
    explicit PostingNotifier(HWND window) : window_(window) {}
    void OnFileDeleted(const std::wstring&) override {
        ++done_;
        PostUntilQueued(::PostMessageW, window_, WM_UNINSTALL_PROGRESS, done_, 0);
    }

private:
    HWND window_;
    WPARAM done_ = 0;
};

void CreateTree(const std::wstring& root, int files) {
    ::CreateDirectoryW(kBenchFolder, nullptr);
    ::CreateDirectoryW(root.c_str(), nullptr);
    std::wstring folder;
    for (int i = 0; i < files; ++i) {
        if (i % kFilesPerFolder == 0) {
            folder = root + L"\\part" + std::to_wstring(i / kFilesPerFolder);
            ::CreateDirectoryW(folder.c_str(), nullptr);
        }
        const std::wstring path = folder + L"\\file" + std::to_wstring(i) + L".dat";
        ScopedFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ::WriteFile(file.Get(), "benchmark", 9, &written, nullptr);
    }
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Deletes a fresh tree of files files; returns the seconds the delete took.
double TimeDelete(int files, IDeleteFileNotify* notify) {
    const std::wstring root = std::wstring(kBenchFolder) + L"\\tree";
    CreateTree(root, files);
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    const bool removed = DeleteFolderNotify(root, notify);
    ::QueryPerformanceCounter(&end);
    if (!removed) {
        std::fprintf(stderr, "the tree was not removed completely\n");
    }
    return Seconds(start, end);
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const int files = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 2;
    ::LocalFree(argv);

    ProgressWindowThread progressWindow;
    double notifiedSeconds = 0;
    double plainSeconds = 0;
    for (int round = 0; round < rounds; ++round) {
        PostingNotifier notifier(progressWindow.Window());
        const double notified = TimeDelete(files, &notifier);
        PostUntilQueued(::PostMessageW, progressWindow.Window(), WM_UNINSTALL_FINISHED, 0, 0);
        progressWindow.WaitFinished();
        const double plain = TimeDelete(files, nullptr);
        std::printf("round %d: with progress messages %.0f files/s, without %.0f files/s\n",
                    round + 1, files / notified, files / plain);
        notifiedSeconds += notified;
        plainSeconds += plain;
    }
    ::RemoveDirectoryW(kBenchFolder);

    const double total = static_cast<double>(files) * rounds;
    std::printf("files per round: %d, rounds: %d, progress messages received: %ld\n", files, rounds,
                progressWindow.Received());
    std::printf("DeleteFolderNotify with a progress message per file: %.0f files/s\n",
                total / notifiedSeconds);
    std::printf("DeleteFolderNotify without a notifier:              %.0f files/s\n",
                total / plainSeconds);
    std::printf("cost of the messages: %.1f %%\n",
                100.0 * (notifiedSeconds - plainSeconds) / plainSeconds);
    return 0;
}
