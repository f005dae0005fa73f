#pragma once

#include "UINotify.h"

namespace DuiLib {

// Receives the notifications of a manager's controls, in the order the targets were added.
class INotifyUI {
public:
    virtual void Notify(UINotify& notification) = 0;

protected:
    ~INotifyUI() = default;
};

}  // namespace DuiLib
