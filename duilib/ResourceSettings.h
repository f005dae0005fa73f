#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace DuiLib {

// Where the framework finds its images: one set of settings for the whole process, shared by
// every window. Images are read from the resource folder, or from a zip archive (a file in that
// folder, or a block of memory such as the skin carried as a resource of the program).
//
// The settings have one owner (ResourceSettings.cpp) and one lock; every function here may be
// called from any thread.

void SetModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();
// The module resources are looked up in; the program module when none was set.
void SetResourceInstance(HINSTANCE instance);
HINSTANCE ResourceInstance();

// Folder prefix for image files; a trailing "\" is added when the path lacks a separator.
void SetResourceDirectory(const std::wstring& path);
std::wstring ResourceDirectory();

enum class ArchiveOpening {
    kAtEachLookUp,
    kOnceNow,  // opened at once and kept open
};

// Images come from the zip archive ResourceDirectory() + name (empty name: from the folder).
void SetResourceArchive(const std::wstring& name, ArchiveOpening opening);
// Images come from the zip archive held in this memory, which is not copied: the caller keeps it
// alive for the rest of the process. A second call is ignored while a memory archive is in use.
void SetResourceArchive(const BYTE* data, size_t length);

// The name of the current archive: empty for none, kMemoryArchiveName for one held in memory.
inline constexpr wchar_t kMemoryArchiveName[] = L"membuffer";
std::wstring ResourceArchiveName();

// The whole content of an image name: the file ResourceDirectory() + name when there is no
// archive, otherwise the archive entry of that name (letter case ignored). None when it is
// missing, empty or cannot be read completely.
std::optional<std::vector<BYTE>> ReadResourceBytes(const std::wstring& name);

}  // namespace DuiLib
