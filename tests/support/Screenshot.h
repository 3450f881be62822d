#pragma once
// The frame on the graphics device's screen written to a PNG file, for
// looking at what a test drew.
#include <png.h>

#include <string>
#include <vector>

#include "win/Graphics.h"

namespace testing_support {

inline void WriteScreenshot(const std::string& path) {
    platform::GraphicsDevice* device = GetDevice();
    if (device == nullptr) return;
    std::vector<uint32_t> argb(480 * 320);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 480; ++x) argb[static_cast<size_t>(y) * 480 + x] = device->Pixel(x, y);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 480;
    image.height = 320;
    image.format = PNG_FORMAT_BGRA;
    png_image_write_to_file(&image, path.c_str(), 0, argb.data(), 0, nullptr);
}

}  // namespace testing_support
