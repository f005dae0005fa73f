#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace test {

// PNG file bytes of a width x height image; pixels row by row from the top, 0xAARRGGBB.
std::string PngBytes(int width, int height, const std::vector<uint32_t>& pixels);
// A width x height PNG: the top half one colour, the bottom half another (0xAARRGGBB).
std::string TwoBandPng(int width, int height, uint32_t top, uint32_t bottom);

// One file of a zip archive written by ZipBytes.
struct ZipFile {
    std::string name;
    std::string content;
    bool deflated = false;
    // Written instead of the real uncompressed size, to make an archive that lies.
    std::optional<uint32_t> claimedSize;
};

// The bytes of a zip archive holding files, as a zip tool writes them.
std::string ZipBytes(const std::vector<ZipFile>& files);

// Puts the process-wide resource settings back to a folder-less, archive-less state when it
// goes away, so each test starts from the same settings.
class ResourceSettingsReset {
public:
    ResourceSettingsReset() = default;
    ~ResourceSettingsReset();
    ResourceSettingsReset(const ResourceSettingsReset&) = delete;
    ResourceSettingsReset& operator=(const ResourceSettingsReset&) = delete;
};

}  // namespace test
