#pragma once

#include <windows.h>

namespace DuiLib {

// Offered every queued message of the window before it is translated; returns 0 when it
// translated the message itself (which then is not dispatched).
class ITranslateAccelerator {
public:
    virtual LRESULT TranslateAccelerator(MSG* message) = 0;

protected:
    ~ITranslateAccelerator() = default;
};

}  // namespace DuiLib
