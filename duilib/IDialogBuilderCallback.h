#pragma once

#include <string_view>

namespace DuiLib {

class CControlUI;

// Creates the controls a skin names that the framework does not know itself.
class IDialogBuilderCallback {
public:
    // A new control for the name (owned by the caller), or nullptr.
    virtual CControlUI* CreateControl(std::wstring_view name) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

}  // namespace DuiLib
