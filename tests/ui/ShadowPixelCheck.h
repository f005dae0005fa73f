#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace test {

// One pixel of a computed shadow worked out by hand, with the reason for its value.
struct ShadowPixelCase {
    int row, column;
    uint32_t expected;
    const char* why;
};

// Checks the pixels (shadow rows from the top, width pixels each) of a computed shadow.
inline void ExpectShadowPixels(const std::vector<uint32_t>& pixels, int width, int height,
                               std::initializer_list<ShadowPixelCase> cases) {
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height);
    for (const ShadowPixelCase& c : cases) {
        EXPECT_EQ(pixels[c.row * width + c.column], c.expected) << c.why;
    }
}

}  // namespace test
