#pragma once

#include <windows.h>

// Messages the uninstall engine posts to the window that started the removal.

// wParam: items done so far (counts from 1); lParam: items expected in this run.
constexpr UINT WM_UNINSTALL_PROGRESS = WM_USER + 1;
// Posted once when the request has ended, whether or not anything was removed. No parameters.
constexpr UINT WM_UNINSTALL_FINISHED = WM_USER + 2;
