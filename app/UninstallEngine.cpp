#include "UninstallEngine.h"

#include "AppConfig.h"

UninstallSettings UninstallSettingsFromConfig() {
    UninstallSettings settings;
    settings.projectName = GetProjectName();
    settings.displayName = GetDisplayName();
    settings.windowMarkName = GetWndMarkName();
    settings.brandName = GetBrandName();
    settings.runningProgramNames = {settings.projectName + L".exe"};
    return settings;
}

ZUninstallObj& UninstallEngine() {
    static ZUninstallObj engine(UninstallSettingsFromConfig());
    return engine;
}
