// Test fixture for the map texture: a temporary home folder whose maps/ receives small GIF
// files written by giflib, a 240 × 320 back buffer, built tables and default options.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "../gif/giflib_io.h"
#include "base/options.h"
#include "platform/folders.h"
#include "raster/back_buffer.h"
#include "texture/map_message.h"
#include "texture/map_set.h"
#include "view/tables.h"
#include "view/view_state.h"

class MapFiles : public ::testing::Test {
  protected:
    static constexpr int kW = 240, kH = 320;

    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("mundora-maps-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(root_ / "home" / "maps");
        std::filesystem::create_directories(root_ / "state");
        platform::chooseFolders((root_ / "home").string(), (root_ / "state").string(), nullptr);
        gDisplay = {kW, kH, 2, 2 * kW, 16};
        ASSERT_TRUE(allocateBackBuffer());
        buildTrigTables();
        gOptions = Options{};
        gView = ViewState{};
        buildColumnTables();
        gMapSet = MapSet{};
        gMapSetMessage = MapSetMessage{};
    }
    void TearDown() override {
        gMapSet = MapSet{};
        freeBackBuffer();
        std::filesystem::remove_all(root_);
    }

    // A W × H texture of texels value(u, v), row by row, installed as the working texture.
    template <typename F>
    void makeTexture(int w, int h, F value) {
        std::unique_ptr<uint16_t[]> texels(new uint16_t[size_t(w) * h]);
        for (int v = 0; v < h; ++v)
            for (int u = 0; u < w; ++u) texels[size_t(v) * w + u] = value(u, v);
        installTexture(std::move(texels), w, h);
        gView.mapHeight = h;
    }

    // Writes maps/`name`: width × height pixels, colour(x, y) from a palette of ≤ 256.
    void writeMap(const std::string& name, int width, int height,
                  const std::vector<gifref::Rgb>& palette,
                  const std::function<uint8_t(int, int)>& index, bool interlaced = false) {
        gifref::Picture p = gifref::picture(width, height, palette, index);
        p.interlaced = interlaced;
        ASSERT_TRUE(gifref::writeGifFile((root_ / "home" / "maps" / name).string(), p));
    }
    // A map of one colour.
    void writeUniform(const std::string& name, int width, int height, gifref::Rgb colour) {
        writeMap(name, width, height, {colour, {0, 0, 0}}, [](int, int) { return 0; });
    }

    // Whether the globe of `radius` covers pixel (x, y): columns 120 ± (D − 1), D the radius
    // up to 119, each as high as the circle there within rows 1 .. 319; the centre column one
    // pixel shorter at each end.
    static bool onDisc(int radius, int x, int y) {
        const int d = std::abs(x - 120);
        if (d >= std::min(radius, 119)) return false;
        const int half = int(std::sqrt(double(radius) * radius - double(d) * d));
        return std::abs(y - 160) <= std::min(half, 159) - (d == 0);
    }
    uint16_t texel(int u, int v) const {
        return gMapSet.mapTexture[size_t(v) * gMapSet.textureWidth + u];
    }
    uint16_t at(int x, int y) const { return backBuffer()[y * kW + x]; }

    std::filesystem::path root_;
};
