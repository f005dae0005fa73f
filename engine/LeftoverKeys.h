#pragma once

#include <string>
#include <vector>

// The product's registry keys still there after the removal, each named with its root
// ("HKEY_LOCAL_MACHINE\Software\..."): the product key in the native view and the
// installed-programs entry of projectName. Nothing is looked up for an empty or compound name.
std::vector<std::wstring> ProductKeysLeft(const std::wstring& projectName);
