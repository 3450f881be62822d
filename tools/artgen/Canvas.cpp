#include "Canvas.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

Canvas::Canvas(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

Rgb Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return kKey;
    return px_[static_cast<size_t>(y) * w_ + x];
}

void Canvas::Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Canvas::SetWrapped(int x, int y, Rgb c) { Set(((x % w_) + w_) % w_, ((y % h_) + h_) % h_, c); }

void Canvas::Fill(Rgb c) { std::fill(px_.begin(), px_.end(), c); }

void Canvas::Rect(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::Frame(int x, int y, int w, int h, Rgb c) {
    Rect(x, y, w, 1, c);
    Rect(x, y + h - 1, w, 1, c);
    Rect(x, y, 1, h, c);
    Rect(x + w - 1, y, 1, h, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void Canvas::Disc(int cx, int cy, int r, Rgb c) {
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r + r) Set(cx + x, cy + y, c);
}

void Canvas::Ring(int cx, int cy, int r, Rgb c) {
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x) {
            const int d = x * x + y * y;
            if (d <= r * r + r && d >= (r - 1) * (r - 1) + (r - 1)) Set(cx + x, cy + y, c);
        }
}

void Canvas::Polygon(const std::vector<std::pair<int, int>>& pts, Rgb c) {
    if (pts.size() < 3) return;
    int minY = h_, maxY = -1;
    for (auto& p : pts) { minY = std::min(minY, p.second); maxY = std::max(maxY, p.second); }
    for (int y = std::max(0, minY); y <= std::min(h_ - 1, maxY); ++y) {
        std::vector<double> xs;
        const double sy = y + 0.5;
        for (size_t i = 0; i < pts.size(); ++i) {
            auto a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.second <= sy) != (b.second <= sy)) {
                xs.push_back(a.first + (sy - a.second) * (b.first - a.first) / double(b.second - a.second));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = static_cast<int>(xs[i] + 0.5); x < static_cast<int>(xs[i + 1] + 0.5); ++x) Set(x, y, c);
    }
}

namespace {
// 5x7 capitals, digits and a few signs; rows top to bottom, bit 4 = left.
struct Glyph { char ch; uint8_t rows[7]; };
const Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};
const Glyph* FindGlyph(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const Glyph& g : kFont) if (g.ch == c) return &g;
    return nullptr;
}
}  // namespace

int Canvas::TextWidth(const std::string& s, int scale) { return static_cast<int>(s.size()) * 6 * scale - scale; }

int Canvas::Text(int x, int y, const std::string& s, Rgb c, int scale) {
    int pen = x;
    for (char ch : s) {
        if (const Glyph* g = FindGlyph(ch)) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g->rows[row] & (0x10 >> col)) Rect(pen + col * scale, y + row * scale, scale, scale, c);
        }
        pen += 6 * scale;
    }
    return pen - x - scale;
}

void Canvas::Outline(Rgb c) {
    std::vector<Rgb> copy = px_;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (!(copy[static_cast<size_t>(y) * w_ + x] == kKey)) continue;
            bool near = false;
            for (int d = 0; d < 4 && !near; ++d) {
                const int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
                if (nx >= 0 && ny >= 0 && nx < w_ && ny < h_ && !(copy[static_cast<size_t>(ny) * w_ + nx] == kKey))
                    near = true;
            }
            if (near) Set(x, y, c);
        }
}

void Canvas::Blit(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h_; ++j)
        for (int i = 0; i < src.w_; ++i) {
            const Rgb c = src.Get(i, j);
            if (!(c == kKey)) Set(x + i, y + j, c);
        }
}

void Canvas::Grid(int x, int y, const std::vector<std::string>& rows, const std::function<bool(char, Rgb&)>& legend) {
    for (size_t j = 0; j < rows.size(); ++j)
        for (size_t i = 0; i < rows[j].size(); ++i) {
            Rgb c;
            if (rows[j][i] != '.' && legend(rows[j][i], c)) Set(x + static_cast<int>(i), y + static_cast<int>(j), c);
        }
}

Canvas Canvas::Scaled(int factor) const {
    Canvas out(w_ * factor, h_ * factor);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) out.Set(x, y, Get(x / factor, y / factor));
    return out;
}

Canvas Canvas::QuarterTurnLeft() const {
    Canvas out(h_, w_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) out.Set(y, w_ - 1 - x, Get(x, y));
    return out;
}

bool Canvas::WritePng(const std::string& path) const {
    std::vector<uint8_t> rgb(static_cast<size_t>(w_) * h_ * 3);
    for (size_t i = 0; i < px_.size(); ++i) {
        rgb[3 * i] = px_[i].r;
        rgb[3 * i + 1] = px_[i].g;
        rgb[3 * i + 2] = px_[i].b;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w_);
    image.height = static_cast<png_uint_32>(h_);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
