#include "PendingRenames.h"

#include "PendingFileRenames.h"

#include <windows.h>

namespace test {

namespace {

bool IsInOrBelow(const std::wstring& path, const std::wstring& folder) {
    if (path.size() < folder.size() ||
        ::CompareStringOrdinal(path.data(), static_cast<int>(folder.size()), folder.data(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return path.size() == folder.size() || path[folder.size()] == L'\\';
}

}  // namespace

std::vector<std::wstring> PendingDeletionsBelow(const std::wstring& folder) {
    std::vector<std::wstring> paths;
    for (const PendingRename& rename : ReadPendingRenames()) {
        const std::wstring path = PendingSourcePath(rename.source);
        if (rename.target.empty() && IsInOrBelow(path, folder)) {
            paths.push_back(path);
        }
    }
    return paths;
}

PendingRenamesCleanup::~PendingRenamesCleanup() {
    WithdrawRestartRemovals(PendingDeletionsBelow(folder_));
}

}  // namespace test
