#include "ByteBuffer.h"

#include <algorithm>
#include <cstring>

void ByteBuffer::Assign(const void* data, std::size_t size, std::size_t padding) {
    std::vector<char> block(size + std::max<std::size_t>(padding, 2), '\0');
    if (size != 0) {
        std::memcpy(block.data(), data, size);
    }
    bytes_.swap(block);
    size_ = size;
}
