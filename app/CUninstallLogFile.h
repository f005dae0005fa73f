#pragma once

#include "CriticalSection.h"
#include "IUninstallLog.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <string>

// The log an administrator reads when a machine misbehaves: a UTF-8 text file that is only ever
// appended to, one time-stamped line per thing the uninstaller does or fails to do. Both processes
// of a run (the first one and its copy in the temporary folder) append to the same file.
// A file that can't be opened makes every write a no-op: a log never stops an uninstall.
// Thread-safe: the worker thread and the main thread both write; lock_ serialises the writes.
class CUninstallLogFile : public IUninstallLog {
public:
    // Opens path for appending, creating it when missing (its folder is not created). An empty
    // path gives a log that writes nothing.
    explicit CUninstallLogFile(const std::wstring& path);
    CUninstallLogFile(const CUninstallLogFile&) = delete;
    CUninstallLogFile& operator=(const CUninstallLogFile&) = delete;

    bool IsOpen() const { return file_.IsValid(); }
    // The system's error text when the file could not be opened.
    const std::wstring& OpenError() const { return openError_; }

    void Write(const std::wstring& line) override;

private:
    CriticalSection lock_;
    ScopedFileHandle file_;
    std::wstring openError_;
};

// The UTF-8 bytes for text as log lines stamped with time ("2026-12-08 23:30:01.250 text"), CR LF
// after each. Text holding line breaks gives one stamped line per line.
std::string FormatLogLines(const SYSTEMTIME& time, const std::wstring& text);
