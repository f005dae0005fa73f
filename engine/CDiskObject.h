#pragma once

#include <windows.h>

#include <string>

// CDiskObject deletes single files and folder trees and keeps the text of the last error, for
// callers that want to know why a file stayed. When a feedback window is given, each new error
// text is also written into it as its window text.
class CDiskObject {
public:
    explicit CDiskObject(HWND feedbackWindow = nullptr);

    bool DeleteSingleFile(const std::wstring& path);
    // Deletes everything below folder and folder itself; true when folder itself was removed.
    bool DeleteFolderTree(const std::wstring& folder);
    // Turns path into a full path, in place; false when its parts hold ':', '*' or '?'.
    bool MakeFullPath(std::wstring& path);
    // Error text = the system's message for code, trimmed, then a space and fileName if any.
    void SetSystemError(DWORD code, const std::wstring& fileName);
    const std::wstring& ErrorText() const;

private:
    void SetErrorText(std::wstring text);

    HWND feedbackWindow_;
    std::wstring errorText_;
};

// The system's message text for an error code, without the line break it ends with.
std::wstring SystemErrorText(DWORD code);

// The path arithmetic of MakeFullPath, without touching the process: path (already using
// backslashes) is completed against currentFolder. Returns whether the path's parts are valid.
bool CompleteFullPath(std::wstring& path, const std::wstring& currentFolder);
