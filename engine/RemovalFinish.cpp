#include "RemovalFinish.h"

#include "CDiskObject.h"
#include "CRunExitCode.h"
#include "IUninstallLog.h"
#include "PendingFileRenames.h"
#include "RunningPrograms.h"
#include "ShellUtilities.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

bool IsAtOrBelow(const std::wstring& item, const std::wstring& folder) {
    if (item.size() < folder.size() ||
        ::CompareStringOrdinal(item.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return item.size() == folder.size() || item[folder.size()] == L'\\';
}

// Whether folder holds nothing but file (directly inside it).
bool HoldsOnly(const std::wstring& folder, const std::wstring& file) {
    if (file.size() <= folder.size() || !IsAtOrBelow(file, folder) ||
        file.find(L'\\', folder.size() + 1) != std::wstring::npos) {
        return false;
    }
    WIN32_FIND_DATAW entry;
    const ScopedFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    int others = 0;
    bool found = false;
    for (BOOL more = find.IsValid(); more; more = ::FindNextFileW(find.Get(), &entry)) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if (::CompareStringOrdinal(name.c_str(), -1, file.c_str() + folder.size() + 1, -1, TRUE) ==
            CSTR_EQUAL) {
            found = true;
        } else {
            ++others;
        }
    }
    return found && others == 0;
}

}  // namespace

UninstallOutcome OutcomeAsTheRunEnds(const std::wstring& installPath,
                                     const UninstallOutcome& outcome) {
    UninstallOutcome left = outcome;
    if (installPath.empty() ||
        (::GetFileAttributesW(installPath.c_str()) != INVALID_FILE_ATTRIBUTES &&
         !HoldsOnly(installPath, ParentProgramPath()))) {
        return left;
    }
    for (std::vector<std::wstring>* items : {&left.remaining, &left.scheduledForRestart}) {
        items->erase(std::remove_if(items->begin(), items->end(),
                                    [&installPath](const std::wstring& item) {
                                        return IsAtOrBelow(item, installPath);
                                    }),
                     items->end());
    }
    return left;
}

UninstallOutcome DeleteWhatIsLeft(const std::wstring& installPath,
                                  const UninstallOutcome& outcome) {
    if (installPath.empty()) {
        return outcome;
    }
    CDiskObject disk;
    disk.DeleteFolderTree(installPath);
    const UninstallOutcome left = OutcomeAsTheRunEnds(installPath, outcome);
    // Deletions scheduled for the restart would remove a new installation under that name.
    std::vector<std::wstring> withdrawn;
    std::copy_if(outcome.scheduledForRestart.begin(), outcome.scheduledForRestart.end(),
                 std::back_inserter(withdrawn), [&left](const std::wstring& item) {
                     return std::find(left.scheduledForRestart.begin(),
                                      left.scheduledForRestart.end(),
                                      item) == left.scheduledForRestart.end();
                 });
    WithdrawRestartRemovals(withdrawn);
    return left;
}

void FinishRemovalAndExit(const std::wstring& installPath, const UninstallOutcome& outcome,
                          IUninstallLog* log) {
    const UninstallOutcome left = DeleteWhatIsLeft(installPath, outcome);
    CRunExitCode& run = CRunExitCode::Instance();
    run.ReportRemovalFinished(left);
    if (log != nullptr) {
        for (const std::wstring& item : left.scheduledForRestart) {
            log->Write(L"Scheduled for removal at the next restart: " + item);
        }
        for (const std::wstring& item : left.remaining) {
            log->Write(L"Left behind: " + item);
        }
        log->Write(L"Exit code " + std::to_wstring(run.Code()));
    }
    SelfDelete(run.Code());
}
