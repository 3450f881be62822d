#pragma once
// A small RGB canvas for drawing the game's sheets. Pure green (the colour
// key) is the empty colour.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 255, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kKey{0, 255, 0};

inline constexpr Rgb Hex(uint32_t v) {
    return Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

class Canvas {
public:
    Canvas(int w, int h, Rgb fill = kKey);
    int W() const { return w_; }
    int H() const { return h_; }
    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);
    // Writes with wrap-around (for seamless tiles).
    void SetWrapped(int x, int y, Rgb c);
    void Fill(Rgb c);
    void Rect(int x, int y, int w, int h, Rgb c);
    void Frame(int x, int y, int w, int h, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);
    void Disc(int cx, int cy, int r, Rgb c);
    void Ring(int cx, int cy, int r, Rgb c);
    // Closed polygon fill (even-odd).
    void Polygon(const std::vector<std::pair<int, int>>& pts, Rgb c);
    // Text in the 5x7 tool font; returns the width drawn.
    int Text(int x, int y, const std::string& s, Rgb c, int scale = 1);
    static int TextWidth(const std::string& s, int scale = 1);
    // Draws a 1-pixel outline of colour c around every non-key pixel.
    void Outline(Rgb c);
    // Copies src at (x, y); key pixels of src are skipped.
    void Blit(const Canvas& src, int x, int y);
    // Pixel grid: each char of each row is looked up in the legend;
    // '.' (or any char missing from it) stays empty.
    void Grid(int x, int y, const std::vector<std::string>& rows, const std::function<bool(char, Rgb&)>& legend);
    Canvas Scaled(int factor) const;
    // Turned a quarter turn counter-clockwise: what pointed right points up
    // (a w x h canvas gives an h x w one).
    Canvas QuarterTurnLeft() const;
    bool WritePng(const std::string& path) const;

private:
    int w_, h_;
    std::vector<Rgb> px_;
};
