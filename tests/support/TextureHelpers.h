#pragma once
// Helpers for drawing tests: textures put straight into texture slots, and
// small PNGs made in memory.
#include <png.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"

namespace testing_support {

// Puts a size x size texture into a slot; texels are filled row by row
// from the list (the rest stay transparent black).
inline platform::Texture* PutTexture(int slot, uint32_t size, std::initializer_list<uint32_t> texels = {}) {
    auto tex = std::make_unique<platform::Texture>(size, size);
    size_t i = 0;
    for (uint32_t t : texels) tex->Pixels()[i++] = t;
    platform::Texture* raw = tex.get();
    TextureTable[slot].texture = std::move(tex);
    TextureTable[slot].width = size;
    TextureTable[slot].height = size;
    TextureRefCount[slot] = 1;
    return raw;
}

// An RGB (or palette when colormap is true) PNG of w x h from ARGB pixels.
inline std::vector<uint8_t> MakePng(int w, int h, const std::vector<uint32_t>& argb, bool colormap) {
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < argb.size(); ++i) {
        rgb[3 * i] = (argb[i] >> 16) & 0xFF;
        rgb[3 * i + 1] = (argb[i] >> 8) & 0xFF;
        rgb[3 * i + 2] = argb[i] & 0xFF;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> palette;
    std::vector<uint8_t> indices;
    const void* buffer = rgb.data();
    if (colormap) {
        // Build a palette of the distinct colours.
        std::vector<uint32_t> colours;
        for (uint32_t c : argb) {
            bool found = false;
            for (uint32_t k : colours) found = found || k == c;
            if (!found) colours.push_back(c);
        }
        for (uint32_t c : colours) {
            palette.push_back((c >> 16) & 0xFF);
            palette.push_back((c >> 8) & 0xFF);
            palette.push_back(c & 0xFF);
        }
        for (uint32_t c : argb) {
            for (size_t k = 0; k < colours.size(); ++k)
                if (colours[k] == c) indices.push_back(static_cast<uint8_t>(k));
        }
        image.format = PNG_FORMAT_RGB_COLORMAP;
        image.colormap_entries = static_cast<png_uint_32>(colours.size());
        buffer = indices.data();
    }
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, buffer, 0, colormap ? palette.data() : nullptr);
    std::vector<uint8_t> out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, buffer, 0, colormap ? palette.data() : nullptr);
    out.resize(size);
    return out;
}

}  // namespace testing_support
