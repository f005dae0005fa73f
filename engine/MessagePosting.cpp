#include "MessagePosting.h"

namespace {

// Long enough for the window's thread to drain part of its queue, short enough not to be seen.
constexpr DWORD kRetryPauseMs = 10;

}  // namespace

bool PostUntilQueued(const PostMessageFunction& post, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam) {
    while (!post(window, message, wParam, lParam)) {
        if (!::IsWindow(window)) {
            return false;
        }
        ::Sleep(kRetryPauseMs);
    }
    return true;
}
