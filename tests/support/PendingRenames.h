#pragma once

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

}  // namespace test
