#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace DuiLib {

// One file of a zip archive, as its central directory describes it.
struct ZipEntry {
    std::wstring name;
    uint16_t method = 0;  // kZipStored or kZipDeflated; others are not read
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t localHeaderOffset = 0;
};

inline constexpr uint16_t kZipStored = 0;
inline constexpr uint16_t kZipDeflated = 8;

// Largest entry ever extracted, and the highest compression ratio deflate can reach: an entry
// claiming more than either is corrupt and is refused before anything is allocated for it.
inline constexpr uint32_t kZipMaxEntrySize = 64u * 1024 * 1024;
inline constexpr uint32_t kZipMaxDeflateRatio = 1032;

// The entries of the archive held in data, read from its central directory; none when the bytes
// are not a complete zip archive (no end record, a directory outside the data, a truncated or
// malformed directory header). Entries whose data would lie outside the archive are refused too.
std::optional<std::vector<ZipEntry>> ReadZipDirectory(const BYTE* data, size_t size);

// The uncompressed bytes of entry; none when its local header is broken, its method is neither
// stored nor deflated, its sizes are implausible, the data is corrupt or short, or the checksum
// does not match.
std::optional<std::vector<BYTE>> ExtractZipEntry(const BYTE* data, size_t size,
                                                 const ZipEntry& entry);

// Index of the entry called name, letter case ignored and "\" taken as "/"; none when absent.
std::optional<size_t> FindZipEntry(const std::vector<ZipEntry>& entries, const std::wstring& name);

// A zip archive opened from a file (read into memory) or over memory owned by the caller. Read
// only once opened, so one archive can serve several threads.
class ZipArchive {
public:
    // None when the file cannot be read or is not a zip archive.
    static std::unique_ptr<ZipArchive> OpenFile(const std::wstring& path);
    // data must outlive the archive. None when the bytes are not a zip archive.
    static std::unique_ptr<ZipArchive> OpenMemory(const BYTE* data, size_t size);

    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // The content of the entry called name (letter case ignored), or none.
    std::optional<std::vector<BYTE>> Read(const std::wstring& name) const;

    // Made by OpenFile and OpenMemory only.
    class Key {
        friend class ZipArchive;
        explicit Key() = default;
    };
    ZipArchive(Key, std::vector<BYTE> owned, const BYTE* data, size_t size,
               std::vector<ZipEntry> entries);

private:
    std::vector<BYTE> owned_;  // the file's bytes; empty for an archive over caller memory
    const BYTE* data_;
    size_t size_;
    std::vector<ZipEntry> entries_;
};

}  // namespace DuiLib
