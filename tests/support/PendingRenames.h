#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace test {

// The paths of the system's pending deletions at the next restart (PendingFileRenameOperations)
// that lie in or below folder, in the order the system would carry them out.
std::vector<std::wstring> PendingDeletionsBelow(const std::wstring& folder);

// Takes every pending deletion in or below folder out of the system's list when the object goes
// away, so that a test leaves the list as it found it.
class PendingRenamesCleanup {
public:
    explicit PendingRenamesCleanup(std::wstring folder) : folder_(std::move(folder)) {}
    ~PendingRenamesCleanup();
    PendingRenamesCleanup(const PendingRenamesCleanup&) = delete;
    PendingRenamesCleanup& operator=(const PendingRenamesCleanup&) = delete;

private:
    std::wstring folder_;
};

// The characters of a literal with embedded NULs, all but the literal's own terminator.
template <std::size_t N>
std::wstring WithNuls(const wchar_t (&text)[N]) {
    return std::wstring(text, N - 1);
}

// The raw bytes of PendingFileRenameOperations, read without the program's own parsing; none
// when the value is missing.
std::optional<std::string> PendingValueBytes();
// Writes bytes as the value, exactly, as another program would.
bool SetPendingValueBytes(const std::string& bytes, DWORD type = REG_MULTI_SZ);

// Puts PendingFileRenameOperations back as it was found (bytes and type, or missing) when the
// object goes away.
class PendingValueBackup {
public:
    PendingValueBackup();
    ~PendingValueBackup();
    PendingValueBackup(const PendingValueBackup&) = delete;
    PendingValueBackup& operator=(const PendingValueBackup&) = delete;

private:
    DWORD type_ = REG_NONE;
    std::optional<std::string> bytes_;
};

}  // namespace test
