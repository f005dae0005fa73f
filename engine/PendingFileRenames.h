#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The list of renames and deletions the system carries out at the next start:
// PendingFileRenameOperations under HKLM\System\CurrentControlSet\Control\Session Manager, pairs
// of a source ("\??\C:\...") and a target (empty for a deletion). Other programs' entries share
// the value, so the list is edited as it is stored, and every byte the removal did not add is
// written back unchanged, also where a program left the value malformed.
struct PendingRename {
    std::wstring source;
    std::wstring target;
    bool operator==(const PendingRename& other) const {
        return source == other.source && target == other.target;
    }
};

// The value's content cut into its complete pairs and the rest: the list's closing terminator and
// whatever follows it, or an unfinished pair, or a last odd byte. Bytes of PendingRenamesBytes
// give back exactly the bytes parsed.
struct PendingRenameList {
    std::vector<PendingRename> renames;
    std::vector<BYTE> tail;
    bool operator==(const PendingRenameList& other) const {
        return renames == other.renames && tail == other.tail;
    }
};

// Pairs are read up to the first empty source: an empty target looks like the end of the list but
// is a deletion.
PendingRenameList ParsePendingRenames(const std::vector<BYTE>& bytes);
std::vector<BYTE> PendingRenamesBytes(const PendingRenameList& list);

// list with a deletion of path after its last pair; a new list gets its closing terminator.
PendingRenameList WithDeletionOf(PendingRenameList list, const std::wstring& path);

// list without the deletions of paths (letter case ignored); renames, other deletions and the
// tail stay as they are.
PendingRenameList WithoutDeletionsOf(const PendingRenameList& list,
                                     const std::vector<std::wstring>& paths);

// The path a deletion's source names ("\??\" taken off).
std::wstring PendingSourcePath(const std::wstring& source);

// The system's list now; empty when the value is missing or can't be read.
std::vector<PendingRename> ReadPendingRenames();

// Adds a deletion of path (a full path) at the next restart to the system's list; false when the
// list can't be read or written (no administrator rights, a value of another type).
bool ScheduleRestartRemoval(const std::wstring& path);

// Takes the deletions of paths back out of the system's list, for items that were scheduled for
// the restart and are gone now: left there, a deletion would remove whatever is installed under
// that name before the restart. Nothing else in the list changes; the value goes when nothing but
// its terminator is left.
void WithdrawRestartRemovals(const std::vector<std::wstring>& paths);
