// The two frame images of the window widget, each 256 x 256 with its frame
// on the border: the window draws corners and edges from the border and
// stretches the inside, sampling past the right and bottom edge of a larger
// declared image wraps onto the far border of this one.
//   113: the message frame, corners 2 x 2: a dark box with a light rim.
//   112: the panel frame, corners 7 wide and 5 high: a lacquered wooden rim
//        with gold trim around a dark field.
#include "Palette.h"
#include "Sheets.h"

namespace {

constexpr int kSize = 256;

// Paints a rim of rings (outermost first, one colour per ring); the rings
// are as many pixels wide on the sides as `sides` lists and as high at the
// top and bottom as `ends` lists.
void Rim(Canvas& c, const std::vector<Rgb>& sides, const std::vector<Rgb>& ends) {
    for (int i = 0; i < static_cast<int>(sides.size()); ++i) {
        c.Rect(i, 0, 1, kSize, sides[static_cast<size_t>(i)]);
        c.Rect(kSize - 1 - i, 0, 1, kSize, sides[static_cast<size_t>(i)]);
    }
    const int sideWidth = static_cast<int>(sides.size());
    for (int i = 0; i < static_cast<int>(ends.size()); ++i) {
        c.Rect(sideWidth, i, kSize - 2 * sideWidth, 1, ends[static_cast<size_t>(i)]);
        c.Rect(sideWidth, kSize - 1 - i, kSize - 2 * sideWidth, 1, ends[static_cast<size_t>(i)]);
    }
}

// Mirrors the top-left corner block (w x h) into the other three corners.
void MirrorCorners(Canvas& c, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb v = c.Get(x, y);
            c.Set(kSize - 1 - x, y, v);
            c.Set(x, kSize - 1 - y, v);
            c.Set(kSize - 1 - x, kSize - 1 - y, v);
        }
}

}  // namespace

ART_SHEET(113, "window-frame") {
    Canvas c(kSize, kSize, kNavy);
    Rim(c, {kInk, kCream}, {kInk, kCream});
    // Rounded corners.
    c.Set(0, 0, kKey);
    c.Set(1, 0, kInk);
    c.Set(0, 1, kInk);
    c.Set(1, 1, kInk);
    MirrorCorners(c, 2, 2);
    return c;
}

ART_SHEET(112, "window-panel") {
    Canvas c(kSize, kSize, kNight);
    // A faint lattice in the field so that large panels are not flat.
    for (int y = 5; y < kSize - 5; ++y)
        for (int x = 7; x < kSize - 7; ++x)
            if ((x + y) % 16 == 0 || (x - y + 512) % 16 == 0) c.Set(x, y, kNavy);
    Rim(c, {kInk, kEarthDark, kEarth, kWood, kEarth, kGold, kInk}, {kInk, kWood, kEarth, kGold, kInk});
    // Corner studs of gold where the rims meet, the outer corner cut round.
    c.Grid(0, 0,
           {
               ".kkkkkk",
               "kcggggk",
               "kggggak",
               "kgggaak",
               "kkkkkkk",
           },
           [](char ch, Rgb& out) {
               switch (ch) {
                   case 'k': out = kInk; return true;
                   case 'g': out = kGold; return true;
                   case 'c': out = kCream; return true;
                   case 'a': out = kAmber; return true;
                   default: return false;
               }
           });
    c.Set(0, 0, kKey);
    MirrorCorners(c, 7, 5);
    return c;
}
