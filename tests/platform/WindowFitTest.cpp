// The picture in a window of any size: one rectangle that the drawing and
// the mouse share; the factor the window opens at, and the one it keeps
// when the picture turns to portrait and back.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace {

using platform::Desktop;
using platform::FitPicture;
using platform::PictureRect;
using platform::StartFactor;
using platform::TurnedWindow;
using platform::TurnWindow;
using platform::WindowGeometry;
using platform::WindowPlace;
using platform::WindowToPicture;

struct FitCase {
    const char* name;
    WindowGeometry window;
    PictureRect picture;
};

const FitCase kCases[] = {
    {"the window's own size", {480, 320, 480, 320, 480, 320}, {0, 0, 480, 320}},
    {"twice", {960, 640, 960, 640, 480, 320}, {0, 0, 960, 640}},
    {"a tiling manager's full screen", {1280, 800, 1280, 800, 480, 320}, {160, 80, 960, 640}},
    {"wider and taller, but not twice", {700, 400, 700, 400, 480, 320}, {110, 40, 480, 320}},
    {"square", {1000, 1000, 1000, 1000, 480, 320}, {20, 180, 960, 640}},
    {"HiDPI: points are half the pixels", {480, 320, 960, 640, 480, 320}, {0, 0, 960, 640}},
    {"HiDPI, resized", {700, 400, 1400, 800, 480, 320}, {220, 80, 960, 640}},
    {"smaller than the picture", {400, 300, 400, 300, 480, 320}, {0, 17, 400, 266}},
    {"smaller, and wider than the picture", {500, 300, 500, 300, 480, 320}, {25, 0, 450, 300}},
    {"the portrait picture in a landscape window", {960, 640, 960, 640, 320, 480}, {320, 80, 320, 480}},
    {"the portrait picture in a tiling manager's full screen", {1280, 800, 1280, 800, 320, 480}, {480, 160, 320, 480}},
};

// The window point at the middle of a picture pixel.
void PointOf(const FitCase& c, int px, int py, int& wx, int& wy) {
    const PictureRect& r = c.picture;
    const WindowGeometry& g = c.window;
    const int pixelX = r.x + (2 * px + 1) * r.w / (2 * g.pictureW);
    const int pixelY = r.y + (2 * py + 1) * r.h / (2 * g.pictureH);
    wx = pixelX * g.pointsW / g.pixelsW;
    wy = pixelY * g.pointsH / g.pixelsH;
}

TEST(WindowFit, ThePictureKeepsItsShapeAndTheMouseFollowsItInEveryWindow) {
    for (const FitCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const PictureRect r = FitPicture(c.window);
        EXPECT_EQ(r.x, c.picture.x);
        EXPECT_EQ(r.y, c.picture.y);
        EXPECT_EQ(r.w, c.picture.w);
        EXPECT_EQ(r.h, c.picture.h);

        // Pointer positions on the picture come back as its pixels: the
        // corners, the middle, and where "BACK" of a page lies.
        const int w = c.window.pictureW, h = c.window.pictureH;
        const int points[][2] = {{0, 0}, {w - 1, h - 1}, {w / 2, h / 2}, {60, h - 30}, {w - 61, 15}};
        for (const auto& p : points) {
            int wx = 0, wy = 0, cx = -1, cy = -1;
            PointOf(c, p[0], p[1], wx, wy);
            EXPECT_TRUE(WindowToPicture(c.window, wx, wy, cx, cy)) << wx << "," << wy;
            EXPECT_NEAR(cx, p[0], 1) << wx << "," << wy;
            EXPECT_NEAR(cy, p[1], 1) << wx << "," << wy;
        }

        // Positions in the margins, or just off the window where the picture
        // fills it, lie outside.
        // (Pixels to points, rounded down also below 0.)
        const int k = c.window.pixelsW / c.window.pointsW;
        auto pt = [k](int pixel) { return pixel >= 0 ? pixel / k : -1; };
        const int outside[][2] = {{pt(r.x - 1), pt(r.y + r.h / 2)},
                                  {pt(r.x + r.w), pt(r.y + r.h / 2)},
                                  {pt(r.x + r.w / 2), pt(r.y + r.h)},
                                  {pt(r.x + r.w / 2), pt(r.y - 1)}};
        for (const auto& o : outside) {
            int cx = 0, cy = 0;
            EXPECT_FALSE(WindowToPicture(c.window, o[0], o[1], cx, cy)) << o[0] << "," << o[1];
            EXPECT_TRUE(cx < 0 || cx >= w || cy < 0 || cy >= h) << cx << "," << cy;
        }
    }
}

// Off the picture the cursor keeps its place beside it, in picture pixels
// rounded toward minus infinity.
TEST(WindowFit, TheCursorOffThePictureKeepsItsPlaceBesideIt) {
    struct Off {
        const char* name;
        WindowGeometry window;
        int wx, wy, cx, cy;
    };
    const Off offs[] = {
        {"left of a window of the picture's size", {480, 320, 480, 320, 480, 320}, -1, 0, -1, 0},
        {"right of it", {480, 320, 480, 320, 480, 320}, 480, 319, 480, 319},
        {"above and left of a window twice the size", {960, 640, 960, 640, 480, 320}, -2, -4, -1, -2},
        {"the corner of a full screen's side band", {1280, 800, 1280, 800, 480, 320}, 0, 0, -80, -40},
        {"left of a window at one and a half pixels a point", {480, 320, 720, 480, 480, 320}, -1, 0, -122, -80},
    };
    for (const Off& o : offs) {
        SCOPED_TRACE(o.name);
        int cx = 0, cy = 0;
        EXPECT_FALSE(WindowToPicture(o.window, o.wx, o.wy, cx, cy));
        EXPECT_EQ(cx, o.cx);
        EXPECT_EQ(cy, o.cy);
    }
}

TEST(WindowFit, AnEmptyWindowShowsNothingAndHitsNothing) {
    const WindowGeometry none{0, 0, 0, 0, 480, 320};
    EXPECT_EQ(FitPicture(none).w, 0);
    int cx = 0, cy = 0;
    EXPECT_FALSE(WindowToPicture(none, 10, 10, cx, cy));
}

struct StartCase {
    const char* name;
    Desktop desktop;  // usable width and height, DPI, desktop scale
    int factor;
};

const StartCase kStarts[] = {
    {"1366x768 with a panel", {1366, 740, 96, 0}, 1},
    {"1366x768 at 192 DPI: the HiDPI scale fits", {1366, 740, 192, 0}, 2},
    {"1366x768 at 144 DPI: one and a half rounds up to twice", {1366, 740, 144, 0}, 2},
    {"1366x768 at 120 DPI: one and a quarter stays once", {1366, 740, 120, 0}, 1},
    {"1920x1080, the whole screen (Xvfb)", {1920, 1080, 96, 0}, 2},
    {"1920x1080 with a panel", {1920, 1048, 96, 0}, 2},
    {"1920x1200", {1920, 1160, 96, 0}, 2},
    {"2560x1440, the whole screen", {2560, 1440, 96, 0}, 3},
    {"2560x1440 with a top bar", {2560, 1408, 96, 0}, 3},
    {"3840x2160 at 192 DPI", {3840, 2160, 192, 0}, 4},
    {"3840x2160 at 192 DPI with a panel", {3840, 2112, 192, 0}, 4},
    {"3840x2160 given in points at a desktop scale of 2", {1920, 1052, 192, 2}, 2},
    {"GDK_SCALE=3 on 1920x1080", {1920, 1048, 96, 3}, 3},
    {"GDK_SCALE=2 on 1366x768", {1366, 740, 96, 2}, 2},
    {"192 DPI under a desktop scale of 1: the larger of the two counts", {1366, 740, 192, 1}, 2},
    {"a desktop scale beyond 8 is not taken", {1920, 1048, 96, 9}, 2},
    {"a HiDPI scale larger than the desktop", {800, 600, 288, 0}, 1},
    {"a desktop smaller than the picture", {400, 300, 96, 0}, 1},
    {"no usable size known, 192 DPI", {0, 0, 192, 0}, 2},
    {"nothing known", {0, 0, 0, 0}, 1},
    {"1920x1280: seven tenths of it hold twice, not three times", {1920, 1280, 96, 0}, 2},
    {"1920 wide and 2000 high: the width's seven tenths hold twice", {1920, 2000, 96, 0}, 2},
    {"2560 wide and 1280 high: the height's seven tenths hold twice", {2560, 1280, 96, 0}, 2},
    {"a desktop scale of 8, no size known", {0, 0, 96, 8}, 8},
    {"192 DPI on a desktop exactly twice the picture", {960, 640, 192, 0}, 2},
};

TEST(WindowStart, TheWindowOpensAtTheLargestWholeFactorThatLeavesTheDesktopRoom) {
    for (const StartCase& c : kStarts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StartFactor(480, 320, c.desktop), c.factor);
    }
}

struct TurnCase {
    const char* name;
    int kept;
    WindowGeometry now;  // points, pixels, picture
    int newW, newH;
    Desktop desktop;
    TurnedWindow turned;  // factor kept, window size
};

const Desktop k1080{1920, 1048, 96, 0};
const Desktop k1440{2560, 1408, 96, 0};

const TurnCase kTurns[] = {
    {"2x turns to portrait at 2x", 2, {960, 640, 960, 640, 480, 320}, 320, 480, k1080, {2, 640, 960}},
    {"and back", 2, {640, 960, 640, 960, 320, 480}, 480, 320, k1080, {2, 960, 640}},
    {"3x whose portrait would not fit turns at 2x", 3, {1440, 960, 1440, 960, 480, 320}, 320, 480, k1440,
     {3, 640, 960}},
    {"and comes back at 3x", 3, {640, 960, 640, 960, 320, 480}, 480, 320, k1440, {3, 1440, 960}},
    {"sized by the player to 3x", 2, {1500, 1000, 1500, 1000, 480, 320}, 320, 480, k1080, {3, 640, 960}},
    {"and back to the player's 3x", 3, {640, 960, 640, 960, 320, 480}, 480, 320, k1080, {3, 1440, 960}},
    {"a tiling manager's full screen", 2, {1920, 1048, 1920, 1048, 480, 320}, 320, 480, k1080, {3, 640, 960}},
    {"sized below the picture", 2, {400, 300, 400, 300, 480, 320}, 320, 480, k1080, {1, 320, 480}},
    {"HiDPI: sizes in points", 2, {960, 640, 1920, 1280, 480, 320}, 320, 480, k1080, {2, 640, 960}},
    {"no desktop size known", 4, {1920, 1280, 1920, 1280, 480, 320}, 320, 480, Desktop{}, {4, 1280, 1920}},
};

TEST(WindowStart, ThePortraitTurnKeepsTheFactorAsFarAsTheDesktopAllows) {
    for (const TurnCase& c : kTurns) {
        SCOPED_TRACE(c.name);
        const TurnedWindow t = TurnWindow(c.kept, c.now, c.newW, c.newH, c.desktop);
        EXPECT_EQ(t.factor, c.turned.factor);
        EXPECT_EQ(t.w, c.turned.w);
        EXPECT_EQ(t.h, c.turned.h);
    }
}

// Where the turned window stands: its place kept while it stays wholly on
// the usable desktop, else moved just far enough (the frame counted), at the
// kept factor while the window with its frame fits, else the largest that
// does.
TEST(WindowTurn, TheTurnedWindowStaysWhollyOnTheDesktop) {
    struct PlaceCase {
        const char* name;
        int kept;
        WindowGeometry now;
        int newW, newH;
        Desktop desktop;  // usable width and height, DPI, scale, corner
        WindowPlace place;  // known, client corner, frame top, left, bottom, right
        TurnedWindow turned;  // factor kept, size, moved, client corner
    };
    const WindowGeometry landscape2x{960, 640, 960, 640, 480, 320};
    const WindowGeometry portrait2x{640, 960, 640, 960, 320, 480};
    const Desktop fullHd{1920, 1080, 96, 0};
    const WindowPlace i3At300{true, 482, 300, 18, 2, 2, 2};
    const PlaceCase cases[] = {
        {"i3 floating at y 300: moved up until the frame's bottom meets the screen's", 2, landscape2x, 320, 480,
         fullHd, i3At300, {2, 640, 960, true, 482, 118}},
        {"and back: it fits where it stands", 2, portrait2x, 480, 320, fullHd, {true, 482, 118, 18, 2, 2, 2},
         {2, 960, 640, false, 482, 118}},
        {"near the right edge, turned back: moved left", 2, portrait2x, 480, 320, fullHd,
         {true, 1250, 118, 18, 2, 2, 2}, {2, 960, 640, true, 958, 118}},
        {"room enough below: stays", 2, landscape2x, 320, 480, fullHd, {true, 482, 100, 18, 2, 2, 2},
         {2, 640, 960, false, 482, 100}},
        {"a panel at the bottom", 2, landscape2x, 320, 480, {1920, 1048, 96, 0}, i3At300,
         {2, 640, 960, true, 482, 86}},
        {"a panel at the top, window partly above the usable area", 2, landscape2x, 320, 480,
         {1920, 1048, 96, 0, 0, 32}, {true, 482, 20, 18, 2, 2, 2}, {2, 640, 960, true, 482, 50}},
        {"partly off the left edge", 2, portrait2x, 480, 320, fullHd, {true, -100, 118, 18, 2, 2, 2},
         {2, 960, 640, true, 2, 118}},
        {"the second of two screens", 2, landscape2x, 320, 480, {1920, 1080, 96, 0, 1920, 0},
         {true, 2402, 300, 18, 2, 2, 2}, {2, 640, 960, true, 2402, 118}},
        {"no frame (no window manager)", 1, {480, 320, 480, 320, 480, 320}, 320, 480, {1280, 1024, 96, 0},
         {true, 900, 700, 0, 0, 0, 0}, {1, 320, 480, true, 900, 544}},
        {"twice fits only without the frame: once (twice kept for the way back)", 2, landscape2x, 320, 480,
         {1920, 970, 96, 0}, i3At300, {2, 320, 480, false, 482, 300}},
        {"3x on 2560x1440: twice, the largest that fits, moved up", 3, {1440, 960, 1440, 960, 480, 320}, 320, 480,
         {2560, 1440, 96, 0}, {true, 500, 600, 18, 2, 2, 2}, {3, 640, 960, true, 500, 478}},
        {"place unknown (no window system that tells it): not moved", 2, landscape2x, 320, 480, fullHd,
         {false, 0, 0, 0, 0, 0, 0}, {2, 640, 960, false, 0, 0}},
        {"desktop unknown: not moved", 2, landscape2x, 320, 480, Desktop{}, i3At300, {2, 640, 960, false, 482, 300}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TurnedWindow t = TurnWindow(c.kept, c.now, c.newW, c.newH, c.desktop, c.place);
        EXPECT_EQ(t.factor, c.turned.factor);
        EXPECT_EQ(t.w, c.turned.w);
        EXPECT_EQ(t.h, c.turned.h);
        EXPECT_EQ(t.move, c.turned.move);
        EXPECT_EQ(t.x, c.turned.x);
        EXPECT_EQ(t.y, c.turned.y);
    }
}

// The window's size frame by frame: SDL's, the X server's (0 x 0: not
// known); then the size the picture is fitted into, whether the frame is
// shown and whether SDL is given the real size.
TEST(WindowTurn, ThePictureFollowsTheSizeTheWindowReallyHas) {
    using Frame = std::array<int, 8>;
    const Frame refused{320, 480, 1280, 800, 1280, 800, 0, 0};
    std::vector<Frame> refusal(8, refused);  // 7 frames unshown, SDL told on the 8th
    refusal.front() = {1280, 800, 1280, 800, 1280, 800, 1, 0};
    refusal.push_back({320, 480, 1280, 800, 1280, 800, 1, 1});
    refusal.push_back(refusal.front());
    const std::pair<const char*, std::vector<Frame>> stories[] = {
        {"the asked size refused", refusal},
        {"the asked size granted late",
         {{640, 960, 960, 640, 960, 640, 0, 0},
          {640, 960, 960, 640, 960, 640, 0, 0},
          {640, 960, 640, 960, 640, 960, 1, 0}}},
        {"the player drags the window, SDL a frame behind",
         {{960, 640, 1000, 660, 1000, 660, 0, 0},
          {1000, 660, 1040, 680, 1040, 680, 0, 0},
          {1040, 680, 1040, 680, 1040, 680, 1, 0}}},
        {"no X server", {{640, 960, 0, 0, 640, 960, 1, 0}}},
    };
    for (const auto& [name, frames] : stories) {
        platform::WindowSizeFollower follower;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const Frame& f = frames[i];
            const auto step = follower.Observe(f[0], f[1], f[2], f[3]);
            EXPECT_EQ((Frame{f[0], f[1], f[2], f[3], step.w, step.h, step.show, step.tellSdl}), f)
                << name << ", frame " << i;
        }
    }
}

// On the test display (1024 x 768) a window the player sized to twice the
// picture turns to portrait at once, as twice would not fit; turned back,
// it is twice the size again.
TEST(WindowTurn, ThePlayersSizeComesBackAfterATurnTheDesktopSqueezed) {
    ASSERT_TRUE(platform::CreateGameWindow("test", 480, 320));
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 100000 && !window; ++id) window = SDL_GetWindowFromID(id);
    SDL_Rect usable{};
    if (!window || SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w != 1024 || usable.h != 768 ||
        platform::WindowScale() != 1) {
        platform::DestroyGameWindow();
        GTEST_SKIP() << "not the 1024 x 768 test display";
    }
    SDL_SetWindowSize(window, 960, 640);
    struct Step {
        int pictureW, pictureH;
        int windowW, windowH, factor;
    };
    const Step steps[] = {{320, 480, 320, 480, 2}, {480, 320, 960, 640, 2}};
    for (const Step& s : steps) {
        platform::ResizeGameWindow(s.pictureW, s.pictureH);
        int w = 0, h = 0;
        SDL_GetWindowSize(window, &w, &h);
        EXPECT_EQ(w, s.windowW) << s.pictureW << "x" << s.pictureH;
        EXPECT_EQ(h, s.windowH) << s.pictureW << "x" << s.pictureH;
        EXPECT_EQ(platform::WindowScale(), s.factor) << s.pictureW << "x" << s.pictureH;
    }
    platform::DestroyGameWindow();
}

// What reaches the window: the picture at its whole factor in the middle,
// each of its pixels a square of that factor, and black bands around it.
TEST(WindowPresent, ThePictureLandsInTheMiddleAtItsWholeFactorWithBlackBands) {
    ASSERT_TRUE(platform::CreateGameWindow("test", 480, 320));
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 100000 && !window; ++id) window = SDL_GetWindowFromID(id);
    ASSERT_NE(window, nullptr);
    SDL_SetWindowSize(window, 1000, 700);  // twice the picture, at (20, 30)
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || surface->w != 1000 || surface->h != 700 || surface->format->BytesPerPixel != 4) {
        platform::DestroyGameWindow();
        GTEST_SKIP() << "no window surface of 32-bit pixels";
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    std::vector<uint32_t> frame(480 * 320);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = 0xFF000000u | ((static_cast<uint32_t>(i) * 2654435761u) >> 8);
    platform::PresentToWindow(frame.data(), 480, 320);
    auto at = [&](int x, int y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
        return row[x] & 0xFFFFFFu;
    };
    const int pixels[][2] = {{0, 0}, {479, 319}, {240, 160}, {1, 0}, {0, 1}, {300, 7}};
    for (const auto& p : pixels) {
        for (int d = 0; d < 4; ++d) {
            const int x = 20 + 2 * p[0] + d % 2, y = 30 + 2 * p[1] + d / 2;
            EXPECT_EQ(at(x, y), frame[static_cast<std::size_t>(p[1] * 480 + p[0])] & 0xFFFFFFu)
                << "picture " << p[0] << "," << p[1] << " at " << x << "," << y;
        }
    }
    const int bands[][2] = {{0, 0}, {19, 100}, {980, 100}, {999, 699}, {500, 29}, {500, 670}};
    for (const auto& b : bands) EXPECT_EQ(at(b[0], b[1]), 0u) << b[0] << "," << b[1];

    // A frame of another shape than the window's picture (one drawn before
    // a turn) is not shown: the window keeps the last picture.
    const std::vector<uint32_t> other(320 * 480, 0xFFFFFFFFu);
    platform::PresentToWindow(other.data(), 320, 480);
    for (const auto& p : pixels) {
        EXPECT_EQ(at(20 + 2 * p[0], 30 + 2 * p[1]), frame[static_cast<std::size_t>(p[1] * 480 + p[0])] & 0xFFFFFFu)
            << "picture " << p[0] << "," << p[1];
    }
    for (const auto& b : bands) EXPECT_EQ(at(b[0], b[1]), 0u) << b[0] << "," << b[1];

    // A frame that repeats the last is not sent again; a new one comes
    // without the bands, which stand as they were; after a window event (an
    // exposure) the window takes everything again, repeated or not.
    platform::PresentToWindow(frame.data(), 480, 320, false);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    platform::PresentToWindow(frame.data(), 480, 320, true);
    EXPECT_EQ(at(20, 30), 0xFFFFFFu);
    std::vector<uint32_t> next(frame.rbegin(), frame.rend());
    platform::PresentToWindow(next.data(), 480, 320, false);
    EXPECT_EQ(at(20, 30), next[0] & 0xFFFFFFu);
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&exposed);
    platform::Message message;
    while (platform::PeekMessage(message)) {
    }
    platform::PresentToWindow(next.data(), 480, 320, true);
    for (const auto& b : bands) EXPECT_EQ(at(b[0], b[1]), 0u) << b[0] << "," << b[1];
    platform::DestroyGameWindow();
}

}  // namespace
