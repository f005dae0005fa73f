#pragma once

#include <windows.h>

#include <string>

// IDeleteFileNotify hears about every file a folder removal has deleted, so that progress can
// move once per file. The path is lent for the call only: a listener that keeps it copies it.
class IDeleteFileNotify {
public:
    virtual ~IDeleteFileNotify();
    virtual void OnFileDeleted(const std::wstring& path) = 0;
    // A file, folder or link that could not be removed, with the system's error code. Most
    // listeners only count progress and ignore this.
    virtual void OnDeleteFailed(const std::wstring& path, DWORD error);
};
