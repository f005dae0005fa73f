#pragma once

#include "FileSystem.h"

#include <string>
#include <string_view>

namespace test {

// A folder for one test, created fresh below C:\uninstaller-tests and deleted with everything in
// it when the object goes away. Links inside it are removed, never followed.
class ScratchFolder {
public:
    explicit ScratchFolder(std::wstring_view name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    // Path() + "\" + relative.
    std::wstring operator/(std::wstring_view relative) const;

private:
    std::wstring path_;
};

// Writes bytes to path, creating the folders above it.
void WriteFile(const std::wstring& path, std::string_view bytes);
std::string ReadFile(const std::wstring& path);
// text followed by blanks up to size bytes, for files of a given size that still parse as JSON.
std::string PaddedTo(std::string text, size_t size);
using ::FileExists;
using ::FolderExists;
void MakeFolders(const std::wstring& path);

// Deletes a folder tree; a link inside it is removed as a link. Missing folders are fine.
void RemoveTree(const std::wstring& path);

// The folder of the running test program (the build's bin folder, beside Uninstall.exe).
std::wstring TestProgramFolder();

}  // namespace test
