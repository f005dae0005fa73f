#pragma once

#include "JsonValue.h"
#include "resource.h"

#include <windows.h>

#include <string>

// The application configuration names the product this uninstaller removes. It is embedded in the
// program (resource "JSON_APPCFG" 150) and, only when that is missing or broken, read from
// ProjectController.json beside the running program. Loaded once on the main thread before any
// other thread starts; read-only afterwards.

constexpr int kAppConfigResourceId = IDR_APP_CONFIG;
constexpr wchar_t kAppConfigResourceType[] = L"JSON_APPCFG";
constexpr wchar_t kAppConfigFileName[] = L"ProjectController.json";
// A bigger ProjectController.json is taken for a broken one (the embedded configuration is 1 KiB).
constexpr size_t kAppConfigFileMaxSize = 4 * 1024 * 1024;

bool LoadAppConfig(HMODULE module);

// The loaded configuration (null before LoadAppConfig or when nothing loaded).
const JsonValue& AppConfig();

// Members of the configuration as UTF-16 text; the empty text when missing.
std::wstring GetBrandName();
std::wstring GetProjectName();
std::wstring GetDisplayName();

// Name of the window property that marks the driver program's window: brand name + "WndMark".
std::wstring GetWndMarkName();
