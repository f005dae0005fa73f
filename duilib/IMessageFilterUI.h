#pragma once

#include <windows.h>

namespace DuiLib {

// Sees a window message before the manager handles it; setting handled ends its handling with
// the returned result.
class IMessageFilterUI {
public:
    virtual LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

}  // namespace DuiLib
