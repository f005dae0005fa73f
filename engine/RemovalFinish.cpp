#include "RemovalFinish.h"

#include "CDiskObject.h"
#include "CRunExitCode.h"
#include "FolderWalk.h"
#include "InstallPathSafety.h"
#include "IUninstallLog.h"
#include "PathUtil.h"
#include "PendingFileRenames.h"
#include "RunningPrograms.h"
#include "ShellUtilities.h"
#include "TextConvert.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

// Whether folder holds nothing but file (directly inside it).
bool HoldsOnly(const std::wstring& folder, const std::wstring& file) {
    if (!IsBelow(file, folder) || file.find(L'\\', folder.size() + 1) != std::wstring::npos) {
        return false;
    }
    int others = 0;
    bool found = false;
    ForEachFolderEntry(folder, [&](const std::wstring& entry, DWORD) {
        if (EqualsIgnoringCase(entry, file)) {
            found = true;
        } else {
            ++others;
        }
    });
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
    // Checked again: the folder may have been replaced by a link since the removal ran.
    if (installPath.empty() || !IsRemovableInstallFolder(installPath)) {
        return OutcomeAsTheRunEnds(installPath, outcome);
    }
    CDiskObject().DeleteFolderTree(installPath);
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
