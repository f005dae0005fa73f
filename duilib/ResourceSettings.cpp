#include "ResourceSettings.h"

#include "Loaders.h"
#include "ZipArchive.h"

#include <memory>
#include <mutex>

namespace DuiLib {

namespace {

// Image files are small; anything bigger than this is not an image of ours.
constexpr size_t kMaxImageFileSize = 64u * 1024 * 1024;

// The process-wide settings. Guarded by mutex; the cached archive is shared with readers, who keep
// it alive while they read even when the settings change meanwhile.
struct Settings {
    std::mutex mutex;
    HINSTANCE moduleInstance = nullptr;
    HINSTANCE resourceInstance = nullptr;
    std::wstring directory;
    std::wstring archiveName;
    bool archiveCached = false;
    std::shared_ptr<const ZipArchive> cachedArchive;
};

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

}  // namespace

void SetModuleInstance(HINSTANCE instance) {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    settings.moduleInstance = instance;
}

HINSTANCE ModuleInstance() {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    return settings.moduleInstance;
}

void SetResourceInstance(HINSTANCE instance) {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    settings.resourceInstance = instance;
}

HINSTANCE ResourceInstance() {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    return settings.resourceInstance != nullptr ? settings.resourceInstance
                                                : settings.moduleInstance;
}

void SetResourceDirectory(const std::wstring& path) {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    settings.directory = path;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        settings.directory += L'\\';
    }
}

std::wstring ResourceDirectory() {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    return settings.directory;
}

void SetResourceArchive(const std::wstring& name, ArchiveOpening opening) {
    const bool cached = opening == ArchiveOpening::kOnceNow;
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    if (name == settings.archiveName && cached == settings.archiveCached) {
        return;
    }
    settings.cachedArchive.reset();
    settings.archiveName = name;
    settings.archiveCached = cached;
    if (cached && !name.empty()) {
        settings.cachedArchive = ZipArchive::OpenFile(settings.directory + name);
    }
}

void SetResourceArchive(const BYTE* data, size_t length) {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    if (settings.archiveName == kMemoryArchiveName) {
        return;
    }
    settings.archiveName = kMemoryArchiveName;
    settings.archiveCached = true;
    settings.cachedArchive = ZipArchive::OpenMemory(data, length);
}

std::wstring ResourceArchiveName() {
    Settings& settings = TheSettings();
    const std::lock_guard<std::mutex> lock(settings.mutex);
    return settings.archiveName;
}

std::optional<std::vector<BYTE>> ReadResourceBytes(const std::wstring& name) {
    std::wstring directory;
    std::wstring archiveName;
    bool cached = false;
    std::shared_ptr<const ZipArchive> archive;
    {
        Settings& settings = TheSettings();
        const std::lock_guard<std::mutex> lock(settings.mutex);
        directory = settings.directory;
        archiveName = settings.archiveName;
        cached = settings.archiveCached;
        archive = settings.cachedArchive;
    }
    if (archiveName.empty()) {
        std::optional<std::vector<BYTE>> bytes = ReadWholeFile(directory + name, kMaxImageFileSize);
        return bytes && !bytes->empty() ? bytes : std::nullopt;
    }
    if (!cached) {
        archive = ZipArchive::OpenFile(directory + archiveName);
    }
    if (archive == nullptr) {
        return std::nullopt;
    }
    std::optional<std::vector<BYTE>> bytes = archive->Read(name);
    if (bytes && bytes->empty()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace DuiLib
