#pragma once

// Preconditions the callers must keep. With UNINSTALLER_CHECKS defined (the test build) a broken
// one writes its message and where it was to the error output and ends the process at once, so a
// test can't pass over it; otherwise the check costs nothing.

[[noreturn]] void FailCheck(const char* condition, const char* message, const char* file, int line);

#ifdef UNINSTALLER_CHECKS
#define UNINSTALLER_CHECK(condition, message) \
    ((condition) ? static_cast<void>(0) : FailCheck(#condition, message, __FILE__, __LINE__))
#else
#define UNINSTALLER_CHECK(condition, message) static_cast<void>(sizeof(condition))
#endif
