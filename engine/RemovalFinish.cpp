#include "RemovalFinish.h"

#include "CDiskObject.h"
#include "CRunExitCode.h"
#include "IUninstallLog.h"
#include "ShellUtilities.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsAtOrBelow(const std::wstring& item, const std::wstring& folder) {
    if (item.size() < folder.size() ||
        ::CompareStringOrdinal(item.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return item.size() == folder.size() || item[folder.size()] == L'\\';
}

}  // namespace

UninstallOutcome DeleteWhatIsLeft(const std::wstring& installPath,
                                  const UninstallOutcome& outcome) {
    UninstallOutcome left = outcome;
    if (installPath.empty()) {
        return left;
    }
    CDiskObject disk;
    disk.DeleteFolderTree(installPath);
    if (::GetFileAttributesW(installPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        for (std::vector<std::wstring>* items : {&left.remaining, &left.scheduledForRestart}) {
            items->erase(std::remove_if(items->begin(), items->end(),
                                        [&installPath](const std::wstring& item) {
                                            return IsAtOrBelow(item, installPath);
                                        }),
                         items->end());
        }
    }
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
