#include "CLeftoverSweep.h"

#include "FolderWalk.h"
#include "PendingFileRenames.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr DWORD kProtectingAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// The attributes SetFileAttributesW accepts besides the protecting ones.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                      FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;

void MakeDeletable(const std::wstring& path, DWORD attributes) {
    if (HasProtectingAttributes(attributes)) {
        ::SetFileAttributesW(path.c_str(), WritableAttributes(attributes));
    }
}

}  // namespace

RestartScheduler PlatformRestartScheduler() {
    return [](const std::wstring& path) { return ScheduleRestartRemoval(path); };
}

DWORD WritableAttributes(DWORD attributes) {
    const DWORD kept = attributes & kSettableAttributes;
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

bool HasProtectingAttributes(DWORD attributes) {
    return (attributes & kProtectingAttributes) != 0;
}

CLeftoverSweep::CLeftoverSweep(RestartScheduler schedule,
                               std::vector<std::wstring> alreadyScheduled)
    : schedule_(std::move(schedule)), alreadyScheduled_(std::move(alreadyScheduled)) {}

void CLeftoverSweep::Sweep(const std::wstring& root) {
    const std::optional<WalkStart> start = StartWalk(root);
    if (!start) {
        return;
    }
    if (IsLinkAttributes(start->attributes)) {
        SweepLink(start->path, start->attributes);
    } else {
        SweepFolder(start->path, start->attributes);
    }
}

// The folder's own read-only attribute goes first: where it is kept in the folder's permissions,
// it would keep the entries from being deleted.
CLeftoverSweep::Left CLeftoverSweep::SweepFolder(const std::wstring& folder, DWORD attributes) {
    MakeDeletable(folder, attributes);
    Left below = Left::kNothing;
    ForEachFolderEntry(folder, [this, &below](const std::wstring& entry, DWORD entryAttributes) {
        Left left = Left::kNothing;
        if (IsLinkAttributes(entryAttributes)) {
            left = SweepLink(entry, entryAttributes);
        } else if (entryAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            left = SweepFolder(entry, entryAttributes);
        } else {
            left = SweepFile(entry, entryAttributes);
        }
        below = std::max(below, left);
    });
    if (::RemoveDirectoryW(folder.c_str())) {
        return Left::kNothing;
    }
    const DWORD error = ::GetLastError();
    // A folder that still holds something the walk could not see (or could not remove) would not
    // be removed at the restart either.
    const bool heldOnlyByScheduledItems =
        below == Left::kScheduled || (below == Left::kNothing && error != ERROR_DIR_NOT_EMPTY);
    return heldOnlyByScheduledItems ? ScheduleOrKeep(folder) : Keep(folder);
}

CLeftoverSweep::Left CLeftoverSweep::SweepFile(const std::wstring& file, DWORD attributes) {
    MakeDeletable(file, attributes);
    if (::DeleteFileW(file.c_str())) {
        return Left::kNothing;
    }
    return ScheduleOrKeep(file);
}

// A link's attributes may be those of its target, so they are left alone; a link that can't be
// deleted now is not scheduled, because a restart might resolve it to its target.
CLeftoverSweep::Left CLeftoverSweep::SweepLink(const std::wstring& link, DWORD attributes) {
    const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveFolderLink(link)
                                                                 : ::DeleteFileW(link.c_str());
    return removed ? Left::kNothing : Keep(link);
}

CLeftoverSweep::Left CLeftoverSweep::ScheduleOrKeep(const std::wstring& path) {
    const bool scheduledBefore = std::find(alreadyScheduled_.begin(), alreadyScheduled_.end(),
                                           path) != alreadyScheduled_.end();
    if (!scheduledBefore && !schedule_(path)) {
        return Keep(path);
    }
    outcome_.scheduledForRestart.push_back(path);
    return Left::kScheduled;
}

CLeftoverSweep::Left CLeftoverSweep::Keep(const std::wstring& path) {
    outcome_.remaining.push_back(path);
    return Left::kRemaining;
}
