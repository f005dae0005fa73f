#include "Check.h"

#include <cstdio>
#include <cstdlib>

void FailCheck(const char* condition, const char* message, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", file, line, message, condition);
    std::fflush(stderr);
    std::abort();
}
