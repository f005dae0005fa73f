#pragma once

#include <windows.h>

#include <functional>

// The engine reports to the window only by posted messages, and a window's queue holds a limited
// number of them (10,000 by default). A lost progress message would leave the bar short; a lost
// finished message would leave the window waiting for ever. So a post that fails is repeated
// after a short pause for as long as the window exists.

// The platform's post call, replaceable so that tests can make it fail.
using PostMessageFunction = std::function<BOOL(HWND, UINT, WPARAM, LPARAM)>;

// Posts message through post until it is queued; true then. False when the window is (or goes)
// away first, so that a closed window never holds the caller up.
bool PostUntilQueued(const PostMessageFunction& post, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam);
