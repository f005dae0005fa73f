#pragma once

#include <string>

// Receives one line of text for each thing the uninstall does or fails to do. Called from the
// worker thread; an implementation serialises its own writes.
class IUninstallLog {
public:
    virtual void Write(const std::wstring& line) = 0;

protected:
    ~IUninstallLog() = default;
};
