#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// ByteBuffer owns a block of bytes read from a resource or a file. The block always ends with at
// least two zero bytes after the content, so the content can also be read as a zero-terminated
// UTF-8 or UTF-16 text.
class ByteBuffer {
public:
    ByteBuffer() = default;

    // Replaces the content by a copy of size bytes, followed by padding zero bytes (at least two).
    void Assign(const void* data, std::size_t size, std::size_t padding = 2);
    void Clear() {
        bytes_.clear();
        size_ = 0;
    }

    bool Empty() const { return size_ == 0; }
    std::size_t Size() const { return size_; }
    const char* Data() const { return bytes_.empty() ? nullptr : bytes_.data(); }
    std::string_view Text() const { return std::string_view(Data() ? Data() : "", size_); }

private:
    std::vector<char> bytes_;
    std::size_t size_ = 0;
};
