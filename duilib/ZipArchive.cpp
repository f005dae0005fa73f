#include "ZipArchive.h"

#include "Loaders.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace DuiLib {

namespace {

constexpr uint32_t kEndRecordSignature = 0x06054b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxCommentSize = 0xFFFF;
constexpr uint16_t kUtf8NameFlag = 0x0800;
constexpr uint16_t kEncryptedFlag = 0x0001;
// An archive file is read whole; skins are a few hundred kilobytes.
constexpr size_t kMaxArchiveFileSize = 256u * 1024 * 1024;

// Bounds-checked little-endian reads over the archive bytes.
class ByteReader {
public:
    ByteReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool Has(size_t offset, size_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    uint16_t U16(size_t offset) const {
        return static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    }
    uint32_t U32(size_t offset) const {
        return static_cast<uint32_t>(U16(offset)) | (static_cast<uint32_t>(U16(offset + 2)) << 16);
    }
    const BYTE* At(size_t offset) const { return data_ + offset; }

private:
    const BYTE* data_;
    size_t size_;
};

std::optional<size_t> FindEndRecord(const ByteReader& reader, size_t size) {
    if (size < kEndRecordSize) {
        return std::nullopt;
    }
    const size_t last = size - kEndRecordSize;
    const size_t first = last > kMaxCommentSize ? last - kMaxCommentSize : 0;
    for (size_t offset = last + 1; offset-- > first;) {
        if (reader.U32(offset) == kEndRecordSignature &&
            offset + kEndRecordSize + reader.U16(offset + 20) <= size) {
            return offset;
        }
    }
    return std::nullopt;
}

std::wstring DecodeEntryName(const BYTE* bytes, size_t length, bool utf8) {
    if (length == 0) {
        return {};
    }
    const UINT codePage = utf8 ? CP_UTF8 : 437;
    const int count = ::MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(bytes),
                                            static_cast<int>(length), nullptr, 0);
    if (count <= 0) {
        return {};
    }
    std::wstring name(static_cast<size_t>(count), L'\0');
    ::MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(bytes),
                          static_cast<int>(length), name.data(), count);
    return name;
}

std::wstring NormalisedName(std::wstring name) {
    std::replace(name.begin(), name.end(), L'\\', L'/');
    return name;
}

bool SizesArePlausible(const ZipEntry& entry) {
    if (entry.uncompressedSize > kZipMaxEntrySize) {
        return false;
    }
    if (entry.method == kZipStored) {
        return entry.compressedSize == entry.uncompressedSize;
    }
    // Even an empty deflate stream takes two bytes.
    return entry.compressedSize >= 2 &&
           static_cast<uint64_t>(entry.uncompressedSize) <=
               static_cast<uint64_t>(entry.compressedSize) * kZipMaxDeflateRatio;
}

bool Inflate(const BYTE* input, uint32_t inputSize, std::vector<BYTE>& output) {
    z_stream stream = {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        return false;
    }
    stream.next_in = const_cast<Bytef*>(input);
    stream.avail_in = inputSize;
    stream.next_out = output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool complete = result == Z_STREAM_END && stream.total_out == output.size();
    inflateEnd(&stream);
    return complete;
}

}  // namespace

std::optional<std::vector<ZipEntry>> ReadZipDirectory(const BYTE* data, size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    const ByteReader reader(data, size);
    const std::optional<size_t> end = FindEndRecord(reader, size);
    if (!end) {
        return std::nullopt;
    }
    const size_t count = reader.U16(*end + 10);
    const size_t directorySize = reader.U32(*end + 12);
    const size_t directoryOffset = reader.U32(*end + 16);
    if (!reader.Has(directoryOffset, directorySize) || directoryOffset + directorySize > *end) {
        return std::nullopt;
    }
    std::vector<ZipEntry> entries;
    size_t offset = directoryOffset;
    const size_t directoryEnd = directoryOffset + directorySize;
    for (size_t i = 0; i < count; ++i) {
        if (offset + kCentralHeaderSize > directoryEnd ||
            reader.U32(offset) != kCentralHeaderSignature) {
            return std::nullopt;
        }
        const uint16_t flags = reader.U16(offset + 8);
        const size_t nameLength = reader.U16(offset + 28);
        const size_t extraLength = reader.U16(offset + 30);
        const size_t commentLength = reader.U16(offset + 32);
        const size_t headerEnd =
            offset + kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (headerEnd > directoryEnd) {
            return std::nullopt;
        }
        ZipEntry entry;
        entry.method = reader.U16(offset + 10);
        entry.crc = reader.U32(offset + 16);
        entry.compressedSize = reader.U32(offset + 20);
        entry.uncompressedSize = reader.U32(offset + 24);
        entry.localHeaderOffset = reader.U32(offset + 42);
        entry.name = DecodeEntryName(reader.At(offset + kCentralHeaderSize), nameLength,
                                     (flags & kUtf8NameFlag) != 0);
        if ((flags & kEncryptedFlag) != 0) {
            entry.method = 0xFFFF;  // never extracted
        }
        if (!reader.Has(entry.localHeaderOffset, kLocalHeaderSize) ||
            !reader.Has(entry.localHeaderOffset + kLocalHeaderSize, entry.compressedSize)) {
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
        offset = headerEnd;
    }
    return entries;
}

std::optional<std::vector<BYTE>> ExtractZipEntry(const BYTE* data, size_t size,
                                                 const ZipEntry& entry) {
    if (data == nullptr || (entry.method != kZipStored && entry.method != kZipDeflated) ||
        !SizesArePlausible(entry)) {
        return std::nullopt;
    }
    const ByteReader reader(data, size);
    const size_t header = entry.localHeaderOffset;
    if (!reader.Has(header, kLocalHeaderSize) || reader.U32(header) != kLocalHeaderSignature) {
        return std::nullopt;
    }
    const size_t start =
        header + kLocalHeaderSize + reader.U16(header + 26) + reader.U16(header + 28);
    if (!reader.Has(start, entry.compressedSize)) {
        return std::nullopt;
    }
    std::vector<BYTE> content(entry.uncompressedSize);
    if (entry.method == kZipStored) {
        std::copy_n(reader.At(start), content.size(), content.begin());
    } else if (!Inflate(reader.At(start), entry.compressedSize, content)) {
        return std::nullopt;
    }
    const uLong crc = crc32(0L, content.data(), static_cast<uInt>(content.size()));
    if (crc != entry.crc) {
        return std::nullopt;
    }
    return content;
}

std::optional<size_t> FindZipEntry(const std::vector<ZipEntry>& entries, const std::wstring& name) {
    const std::wstring wanted = NormalisedName(name);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring candidate = NormalisedName(entries[i].name);
        if (::CompareStringOrdinal(candidate.c_str(), static_cast<int>(candidate.size()),
                                   wanted.c_str(), static_cast<int>(wanted.size()),
                                   TRUE) == CSTR_EQUAL) {
            return i;
        }
    }
    return std::nullopt;
}

ZipArchive::ZipArchive(Key, std::vector<BYTE> owned, const BYTE* data, size_t size,
                       std::vector<ZipEntry> entries)
    : owned_(std::move(owned)), data_(data), size_(size), entries_(std::move(entries)) {}

std::unique_ptr<ZipArchive> ZipArchive::OpenFile(const std::wstring& path) {
    std::optional<std::vector<BYTE>> bytes = ReadWholeFile(path, kMaxArchiveFileSize);
    if (!bytes) {
        return nullptr;
    }
    std::optional<std::vector<ZipEntry>> entries = ReadZipDirectory(bytes->data(), bytes->size());
    if (!entries) {
        return nullptr;
    }
    // The vector's buffer does not move with the vector, so data_ stays valid.
    const BYTE* data = bytes->data();
    const size_t size = bytes->size();
    return std::make_unique<ZipArchive>(Key(), std::move(*bytes), data, size, std::move(*entries));
}

std::unique_ptr<ZipArchive> ZipArchive::OpenMemory(const BYTE* data, size_t size) {
    std::optional<std::vector<ZipEntry>> entries = ReadZipDirectory(data, size);
    if (!entries) {
        return nullptr;
    }
    return std::make_unique<ZipArchive>(Key(), std::vector<BYTE>(), data, size,
                                        std::move(*entries));
}

std::optional<std::vector<BYTE>> ZipArchive::Read(const std::wstring& name) const {
    const std::optional<size_t> index = FindZipEntry(entries_, name);
    if (!index) {
        return std::nullopt;
    }
    return ExtractZipEntry(data_, size_, entries_[*index]);
}

}  // namespace DuiLib
