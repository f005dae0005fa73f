#pragma once

#include <string>
#include <vector>

// The list of renames and deletions the system carries out at the next start:
// PendingFileRenameOperations under HKLM\System\CurrentControlSet\Control\Session Manager, pairs
// of a source ("\??\C:\...") and a target (empty for a deletion). MoveFileExW with
// MOVEFILE_DELAY_UNTIL_REBOOT adds to it.
struct PendingRename {
    std::wstring source;
    std::wstring target;
    bool operator==(const PendingRename& other) const {
        return source == other.source && target == other.target;
    }
};

// The pairs of a REG_MULTI_SZ value's text (its characters, terminators included). The text is
// read in pairs, because an empty target looks like the end of the list.
std::vector<PendingRename> ParsePendingRenames(const std::wstring& multiString);
std::wstring JoinPendingRenames(const std::vector<PendingRename>& renames);

// renames without the deletions of paths (letter case ignored); renames and other deletions stay
// in their order.
std::vector<PendingRename> WithoutDeletionsOf(const std::vector<PendingRename>& renames,
                                              const std::vector<std::wstring>& paths);

// The path a deletion's source names ("\??\" taken off).
std::wstring PendingSourcePath(const std::wstring& source);

// The system's list now; empty when the value is missing or can't be read.
std::vector<PendingRename> ReadPendingRenames();

// Takes the deletions of paths back out of the system's list, for items that were scheduled for
// the restart and are gone now: left there, a deletion would remove whatever is installed under
// that name before the restart. Nothing else in the list changes; the value goes when it empties.
void WithdrawRestartRemovals(const std::vector<std::wstring>& paths);
