#pragma once

#include <string>
#include <vector>

namespace test {

// One entry of the list of renames and deletions the system carries out at the next start:
// PendingFileRenameOperations under HKLM\System\CurrentControlSet\Control\Session Manager.
struct PendingRename {
    std::wstring source;  // as written, "\??\C:\..."
    std::wstring target;  // empty for a deletion
    bool operator==(const PendingRename& other) const {
        return source == other.source && target == other.target;
    }
};

// The entries of a REG_MULTI_SZ value's text (its characters, terminators included). The list is
// read in pairs, because an empty target looks like the end of the list.
std::vector<PendingRename> ParsePendingRenames(const std::wstring& multiString);
std::wstring JoinPendingRenames(const std::vector<PendingRename>& renames);

// The entries now in the registry; empty when the value is missing.
std::vector<PendingRename> ReadPendingRenames();

// The paths (without the "\??\" prefix) of the pending deletions whose path lies in or below
// folder, in the order the system would carry them out.
std::vector<std::wstring> PendingDeletionsBelow(const std::wstring& folder);

// Removes, when the object goes away, every entry whose source lies in or below folder from the
// pending list (and the value itself when it becomes empty), so that a test leaves the list as it
// found it.
class PendingRenamesCleanup {
public:
    explicit PendingRenamesCleanup(std::wstring folder) : folder_(std::move(folder)) {}
    ~PendingRenamesCleanup();
    PendingRenamesCleanup(const PendingRenamesCleanup&) = delete;
    PendingRenamesCleanup& operator=(const PendingRenamesCleanup&) = delete;

private:
    std::wstring folder_;
};

}  // namespace test
