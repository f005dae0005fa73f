// Ends the way the finish button ends the program: removes the installation folder given as the
// only argument, then deletes its own file and exits.
#include "ZPage3.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::wstring installPath = (arguments != nullptr && count > 1) ? arguments[1] : L"";
    ::LocalFree(arguments);
    ZPage3::FinishAndExit(installPath);
}
