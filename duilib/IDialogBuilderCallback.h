#pragma once

#include <memory>
#include <string_view>

namespace DuiLib {

class CControlUI;

// Creates the controls a skin names that the framework does not know itself.
class IDialogBuilderCallback {
public:
    // A new control for the name, or nullptr.
    virtual std::unique_ptr<CControlUI> CreateControl(std::wstring_view name) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

}  // namespace DuiLib
