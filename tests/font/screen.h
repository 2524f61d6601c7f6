// Test fixture shared by the font and drawing tests: a 240 × 320 back buffer, cleared to 0,
// with the built-in pictures registered.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

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
        std::fill(backBuffer(), backBuffer() + kW * kH, uint16_t(0));
    }
    void TearDown() override { freeBackBuffer(); }

    uint16_t at(int x, int y) const { return backBuffer()[y * kW + x]; }
};
