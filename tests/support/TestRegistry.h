#pragma once

#include <windows.h>

#include <string>

namespace test {

// A registry key for one test: path (below root) is wiped before the test and deleted with all
// its subkeys afterwards. Deleting a key that is already gone is fine.
class ScratchRegKey {
public:
    ScratchRegKey(HKEY root, std::wstring path, REGSAM view = 0);
    ~ScratchRegKey();
    ScratchRegKey(const ScratchRegKey&) = delete;
    ScratchRegKey& operator=(const ScratchRegKey&) = delete;

    HKEY Root() const { return root_; }
    const std::wstring& Path() const { return path_; }

private:
    HKEY root_;
    std::wstring path_;
    REGSAM view_;
};

// Creates root\path (and the keys above it) in view; true on success.
bool CreateKey(HKEY root, const std::wstring& path, REGSAM view = 0);
bool KeyExists(HKEY root, const std::wstring& path, REGSAM view = 0);
bool SetStringValue(HKEY root, const std::wstring& path, const std::wstring& name,
                    const std::wstring& data, DWORD type = REG_SZ, REGSAM view = 0);
bool SetBinaryValue(HKEY root, const std::wstring& path, const std::wstring& name,
                    const std::string& data, DWORD type, REGSAM view = 0);
void DeleteTree(HKEY root, const std::wstring& path, REGSAM view = 0);

}  // namespace test
