// Test fixture shared by the font and drawing tests: a 240 × 320 back buffer, cleared to 0,
// with the built-in pictures registered.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "embedded_resources.h"
#include "raster/back_buffer.h"

class ScreenTest : public ::testing::Test {
  protected:
    static constexpr int kW = 240, kH = 320;

    void SetUp() override {
        size_t count = 0;
        const platform::Resource* table = embeddedResources(&count);
        platform::registerResources(table, count);
        gDisplay = {kW, kH, 2, 2 * kW, 16};
        ASSERT_TRUE(allocateBackBuffer());
        clear();
    }
    void TearDown() override { freeBackBuffer(); }

    uint16_t at(int x, int y) const { return backBuffer()[y * kW + x]; }
    void clear() { std::fill(backBuffer(), backBuffer() + kW * kH, uint16_t(0)); }
    // Index of the first pixel that differs from `want`, or −1.
    int firstDifference(const std::vector<uint16_t>& want) const {
        for (int i = 0; i < kW * kH; ++i)
            if (backBuffer()[i] != want[i]) return i;
        return -1;
    }
};
