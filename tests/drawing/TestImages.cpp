#include "TestImages.h"

#include "ResourceSettings.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
#include <zlib.h>

#include <stdexcept>

namespace test {

namespace {

void AppendBytes(std::string& out, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::string RawDeflate(const std::string& content) {
    z_stream stream = {};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    return out;
}

}  // namespace

std::string PngBytes(int width, int height, const std::vector<uint32_t>& pixels) {
    std::string rgba;
    for (uint32_t pixel : pixels) {
        rgba.push_back(static_cast<char>((pixel >> 16) & 0xFF));
        rgba.push_back(static_cast<char>((pixel >> 8) & 0xFF));
        rgba.push_back(static_cast<char>(pixel & 0xFF));
        rgba.push_back(static_cast<char>(pixel >> 24));
    }
    std::string png;
    auto collect = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<size_t>(size));
    };
    if (stbi_write_png_to_func(collect, &png, width, height, 4, rgba.data(), width * 4) == 0) {
        throw std::runtime_error("PNG encoding failed");
    }
    return png;
}

std::string TwoBandPng(int width, int height, uint32_t top, uint32_t bottom) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * width + x] = y < height / 2 ? top : bottom;
        }
    }
    return PngBytes(width, height, pixels);
}

std::string ZipBytes(const std::vector<ZipFile>& files) {
    std::string archive;
    std::string directory;
    for (const ZipFile& file : files) {
        const std::string data = file.deflated ? RawDeflate(file.content) : file.content;
        const uint32_t crc =
            static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(file.content.data()),
                                        static_cast<uInt>(file.content.size())));
        const uint32_t size = file.claimedSize.value_or(static_cast<uint32_t>(file.content.size()));
        const uint32_t offset = static_cast<uint32_t>(archive.size());
        const uint16_t method = file.deflated ? 8 : 0;
        // Local header.
        AppendBytes(archive, 0x04034b50, 4);
        AppendBytes(archive, 20, 2);
        AppendBytes(archive, 0, 2);
        AppendBytes(archive, method, 2);
        AppendBytes(archive, 0, 4);  // time and date
        AppendBytes(archive, crc, 4);
        AppendBytes(archive, static_cast<uint32_t>(data.size()), 4);
        AppendBytes(archive, size, 4);
        AppendBytes(archive, static_cast<uint32_t>(file.name.size()), 2);
        AppendBytes(archive, 0, 2);
        archive += file.name;
        archive += data;
        // Central directory header.
        AppendBytes(directory, 0x02014b50, 4);
        AppendBytes(directory, 20, 2);
        AppendBytes(directory, 20, 2);
        AppendBytes(directory, 0, 2);
        AppendBytes(directory, method, 2);
        AppendBytes(directory, 0, 4);
        AppendBytes(directory, crc, 4);
        AppendBytes(directory, static_cast<uint32_t>(data.size()), 4);
        AppendBytes(directory, size, 4);
        AppendBytes(directory, static_cast<uint32_t>(file.name.size()), 2);
        AppendBytes(directory, 0, 2 + 2 + 2 + 2 + 4);  // extra, comment, disk, attributes
        AppendBytes(directory, offset, 4);
        directory += file.name;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(archive.size());
    archive += directory;
    AppendBytes(archive, 0x06054b50, 4);
    AppendBytes(archive, 0, 4);  // disk numbers
    AppendBytes(archive, static_cast<uint32_t>(files.size()), 2);
    AppendBytes(archive, static_cast<uint32_t>(files.size()), 2);
    AppendBytes(archive, static_cast<uint32_t>(directory.size()), 4);
    AppendBytes(archive, directoryOffset, 4);
    AppendBytes(archive, 0, 2);
    return archive;
}

ResourceSettingsReset::~ResourceSettingsReset() {
    DuiLib::SetResourceArchive(L"", DuiLib::ArchiveOpening::kAtEachLookUp);
    DuiLib::SetResourceDirectory(L"");
}

}  // namespace test
