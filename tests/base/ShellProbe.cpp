// A small program for the shell utility tests. Its behaviour depends on how it is started:
//   ShellProbe selfdelete       deletes its own file through SelfDelete (exit code 0)
//   ShellProbe selfdelete-folder  the same, and removes its folder with it
//   ShellProbe linger FOLDER    writes FOLDER\started.txt, waits for FOLDER\release.txt (at most
//                               20 s), then writes FOLDER\ended.txt
// Copied under the name cmd.exe it plays a planted interpreter: it only writes planted-ran.txt
// beside itself.
#include "PathUtil.h"
#include "ShellUtilities.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

namespace {

void Touch(const std::wstring& path) {
    ScopedFileHandle(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct ArgumentsDeleter {
    void operator()(wchar_t** arguments) const { ::LocalFree(arguments); }
};

}  // namespace

int main() {
    const std::wstring self = GetModulePath();
    const std::wstring name = self.substr(self.find_last_of(L'\\') + 1);
    if (::CompareStringOrdinal(name.c_str(), -1, L"cmd.exe", -1, TRUE) == CSTR_EQUAL) {
        Touch(GetModuleFolder() + L"\\planted-ran.txt");
        return 0;
    }
    int count = 0;
    const std::unique_ptr<wchar_t*, ArgumentsDeleter> arguments(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    const std::wstring mode = count > 1 ? arguments.get()[1] : L"";
    if (mode == L"selfdelete") {
        SelfDelete();
    }
    if (mode == L"selfdelete-folder") {
        SelfDelete(0, GetModuleFolder());
    }
    if (mode == L"linger" && count > 2) {
        const std::wstring folder = arguments.get()[2];
        Touch(folder + L"\\started.txt");
        for (int waited = 0; waited < 20000 && !Exists(folder + L"\\release.txt"); waited += 20) {
            ::Sleep(20);
        }
        Touch(folder + L"\\ended.txt");
        return 0;
    }
    return 3;
}
