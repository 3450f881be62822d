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
    const int w = device->Width(), h = device->Height();  // 320 by 480 when turned
    std::vector<uint32_t> argb(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) argb[static_cast<size_t>(y) * w + x] = device->Pixel(x, y);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_BGRA;
    png_image_write_to_file(&image, path.c_str(), 0, argb.data(), 0, nullptr);
}

}  // namespace testing_support
