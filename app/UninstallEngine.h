#pragma once

#include "UninstallSettings.h"
#include "ZUninstallObj.h"

// The engine settings the loaded configuration gives: its project, display and brand names, the
// window mark, and the project's executable as the one program that must not run.
UninstallSettings UninstallSettingsFromConfig();

// The program's engine, built from the configuration on first use (after LoadAppConfig) and alive
// until the process ends.
ZUninstallObj& UninstallEngine();
