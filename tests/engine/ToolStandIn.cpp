// Stands in for the driver package's device tools. Writes, into the folder named by the variable
// UNINSTALLER_TEST_RECORD, a file named after its own program (devcon.txt, DIFxCmd.txt) holding
// its own full path, its working folder and then each argument, one per line (UTF-8), and ends.
#include "TextConvert.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
    wchar_t recordFolder[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"UNINSTALLER_TEST_RECORD", recordFolder, MAX_PATH) == 0) {
        return 2;
    }
    wchar_t modulePath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, modulePath, MAX_PATH);
    wchar_t workingFolder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, workingFolder);

    std::string record = WideToUtf8(modulePath) + "\n" + WideToUtf8(workingFolder) + "\n";
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        record += WideToUtf8(arguments[i]) + "\n";
    }
    ::LocalFree(arguments);

    std::wstring name = modulePath;
    name = name.substr(name.rfind(L'\\') + 1);
    name = name.substr(0, name.rfind(L'.'));
    const std::wstring finalPath = std::wstring(recordFolder) + L"\\" + name + L".txt";
    const std::wstring partPath = finalPath + L".part";
    {
        ScopedFileHandle file(::CreateFileW(partPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return 3;
        }
        DWORD written = 0;
        ::WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written,
                    nullptr);
    }
    // Appears complete or not at all, so a test can wait for it.
    ::MoveFileExW(partPath.c_str(), finalPath.c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
