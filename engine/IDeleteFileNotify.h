#pragma once

#include <string>

// IDeleteFileNotify hears about every file a folder removal has deleted, so that progress can
// move once per file.
class IDeleteFileNotify {
public:
    virtual ~IDeleteFileNotify();
    virtual void OnFileDeleted(std::wstring path) = 0;
};
