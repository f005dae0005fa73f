#include "CRunExitCode.h"

UINT ExitCodeForOutcome(const UninstallOutcome& outcome) {
    if (outcome.verdict == RemovalVerdict::kNotInstalled) {
        return ExitCode::kNotInstalled;
    }
    if (!outcome.remaining.empty()) {
        return ExitCode::kLeftBehind;
    }
    if (!outcome.scheduledForRestart.empty()) {
        return ExitCode::kRestartNeeded;
    }
    return ExitCode::kRemoved;
}

CRunExitCode& CRunExitCode::Instance() {
    static CRunExitCode runExitCode;
    return runExitCode;
}

void CRunExitCode::ReportCancelled() {
    if (!removalStarted_) {
        code_ = ExitCode::kCancelled;
    }
}

void CRunExitCode::ReportRemovalFinished(const UninstallOutcome& outcome) {
    removalStarted_ = true;
    code_ = ExitCodeForOutcome(outcome);
}
