#pragma once

#include <windows.h>

#include <vector>

namespace test {

// The skin archive the program carries (resource "ZIPRES" 147, embedded in the test program too),
// copied out of the module; empty when it is missing.
std::vector<BYTE> ProgramSkinArchive();

// Makes the skin archive the framework's image source for the rest of the process.
void UseProgramSkinArchive();

}  // namespace test
