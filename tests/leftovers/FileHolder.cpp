// Stand-in for a program that keeps a file open while the uninstaller runs (a scanner, a process
// with the driver's library loaded): it opens the file without delete sharing and keeps it open
// until it is told to let go.
//
// usage: file_holder.exe FILE READY_EVENT RELEASE_EVENT
// Sets the named event READY_EVENT once FILE is open, then waits (at most ten minutes) for the
// named event RELEASE_EVENT. Exit code 0 after a release, 2 when FILE could not be opened, 3 for
// a wrong command line or missing events, 4 when nobody released it in time.

#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t** arguments) const { ::LocalFree(arguments); }
};

constexpr DWORD kLongestHold = 10 * 60 * 1000;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreeDeleter> arguments(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!arguments || count != 4) {
        return 3;
    }
    const ScopedHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments.get()[2]));
    const ScopedHandle release(::OpenEventW(SYNCHRONIZE, FALSE, arguments.get()[3]));
    if (!ready || !release) {
        return 3;
    }
    const ScopedFileHandle file(::CreateFileW(arguments.get()[1], GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
    if (!file) {
        return 2;
    }
    ::SetEvent(ready.Get());
    return ::WaitForSingleObject(release.Get(), kLongestHold) == WAIT_OBJECT_0 ? 0 : 4;
}
