#pragma once

#include <string_view>

namespace DuiLib {

// One row of a control class's attribute table: the attribute's name and how it is applied.
template <typename Control>
struct AttributeRow {
    std::wstring_view name;
    void (*apply)(Control& control, std::wstring_view value);
};

// Applies the row named name from table; false when the class does not know the name, so the
// caller hands it on to its base class.
template <typename Control, size_t N>
bool ApplyFromTable(const AttributeRow<Control> (&table)[N], Control& control,
                    std::wstring_view name, std::wstring_view value) {
    for (const AttributeRow<Control>& row : table) {
        if (row.name == name) {
            row.apply(control, value);
            return true;
        }
    }
    return false;
}

}  // namespace DuiLib
