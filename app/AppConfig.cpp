#include "AppConfig.h"

#include "Loaders.h"
#include "PathUtil.h"
#include "TextConvert.h"

namespace {

JsonValue& MutableAppConfig() {
    static JsonValue config;
    return config;
}

std::wstring ConfigText(const char* member) {
    return Utf8ToWide(AppConfig()[member].AsString());
}

}  // namespace

const JsonValue& AppConfig() {
    return MutableAppConfig();
}

bool LoadAppConfig(HMODULE module) {
    JsonValue& config = MutableAppConfig();
    config = JsonValue();
    {
        ByteBuffer embedded;
        if (LoadResourceText(module, kAppConfigResourceId, kAppConfigResourceType, embedded) &&
            ParseJsonText(embedded.Data(), config)) {
            return true;
        }
    }
    return ParseJsonFile(config, GetModuleFolder() + L"\\" + kAppConfigFileName,
                         kAppConfigFileMaxSize);
}

std::wstring GetBrandName() {
    return ConfigText("BrandName");
}
std::wstring GetProjectName() {
    return ConfigText("ProjectName");
}
std::wstring GetDisplayName() {
    return ConfigText("DisplayName");
}
std::wstring GetWndMarkName() {
    return GetBrandName() + L"WndMark";
}
