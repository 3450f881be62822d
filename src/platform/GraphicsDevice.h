#pragma once
// Software graphics device: a 480x320 ARGB colour buffer (320x480 after a
// reset to that size) with a 16-bit depth buffer, drawing pre-transformed
// textured triangles with the fixed-function states the game uses (one
// texture stage, three colour operations, alpha blending, depth test
// less-or-equal). Pixel centres lie on integer
// coordinates and edges follow the top-left fill rule, so a sprite placed at
// x - 0.5 covers exactly its pixels.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

class GraphicsDevice;

namespace detail {
struct SpanSetup;  // per-draw state of the span routines
struct Rows;       // the rows of a primitive and their set-ups
// Fills the rows into the colour (and depth) buffer.
using SpanFn = void (*)(const Rows& rows, uint32_t* colour, uint16_t* depth);
struct PreparedTriangle;
}  // namespace detail

using Result = int32_t;
constexpr Result kOk = 0;
constexpr Result kFail = static_cast<Result>(0x80004005u);
constexpr Result kDeviceLost = static_cast<Result>(0x88760868u);
constexpr Result kDeviceNotReset = static_cast<Result>(0x88760869u);

// Render-state numbers and values as the game passes them.
enum class RenderState : int {
    ZEnable = 7,
    ZWriteEnable = 14,
    AlphaBlendEnable = 27,
    SrcBlend = 19,
    DestBlend = 20,
    ZFunc = 23,
    Lighting = 137,
    ShadeMode = 9,
    SpecularEnable = 29,
    NormalizeNormals = 143,
    TextureFactor = 60,
};

enum BlendFactor : uint32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6,
};

enum TextureStageState : int {
    kStageColorOp = 1,
    kStageColorArg1 = 2,
    kStageColorArg2 = 3,
    kStageAlphaOp = 4,
    kStageAlphaArg1 = 5,
    kStageAlphaArg2 = 6,
};

enum TextureOp : uint32_t {
    kTopSelectArg1 = 2,
    kTopSelectArg2 = 3,
    kTopModulate = 4,
    kTopBlendFactorAlpha = 14,
};

constexpr uint32_t kCmpLessEqual = 4;

// One pre-transformed vertex, 32 bytes: position with rhw, diffuse and
// specular colour, one texture coordinate pair.
struct Vertex {
    float x, y, z, rhw;
    uint32_t diffuse;
    uint32_t specular;
    float u, v;
};
static_assert(sizeof(Vertex) == 32);
constexpr uint32_t kVertexFormat = 0x1C4;

// A square (or at least power-of-two) ARGB texture; addressing wraps.
class Texture {
public:
    Texture(uint32_t width, uint32_t height);
    ~Texture();
    Texture(const Texture&) = default;
    Texture& operator=(const Texture&) = default;
    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    // The texels to write. Each call counts as a change of the texels, so a
    // writer takes the pointer anew after drawing with the texture.
    uint32_t* Pixels();
    const uint32_t* Pixels() const { return pixels_.data(); }
    uint32_t At(uint32_t x, uint32_t y) const { return pixels_[y * width_ + x]; }
    // Different for every texture and every change of its texels.
    uint64_t Stamp() const { return stamp_; }
    // Whether every texel is fully opaque.
    bool Opaque() const;

private:
    uint32_t width_, height_;
    std::vector<uint32_t> pixels_;
    uint64_t stamp_;
    mutable int8_t opaque_ = -1;  // -1 until worked out for these texels
};

// Decodes a PNG (palette, grey or RGB, with or without alpha) into a new
// width x height texture: the image lies at the top-left and is cut where it
// is larger; texels outside the image are transparent black; texels equal to
// colourKey become transparent black. Null when the data is not a PNG.
std::unique_ptr<Texture> CreateTextureFromPng(const uint8_t* data, size_t size, uint32_t width,
                                              uint32_t height, uint32_t colourKey);

class GraphicsDevice {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 320;
    // The back buffer may also be reset to 320x480. Its rows always lie
    // kWidth pixels apart in the buffers, so it holds up to kMaxHeight rows.
    static constexpr int kMaxHeight = 480;

    GraphicsDevice();
    ~GraphicsDevice();
    GraphicsDevice(const GraphicsDevice&) = delete;
    GraphicsDevice& operator=(const GraphicsDevice&) = delete;

    // A frame's picture is made by its last Clear and the draws after it,
    // up to Present. A frame that repeats the last one presented, clear and
    // draws alike (the same states, textures with the same texels, the same
    // vertices), is not drawn again: the buffers still hold it. Its draws
    // are held back while they match and drawn after all as soon as one
    // differs or the buffers are read.
    Result Clear(uint32_t argb, float depth);
    Result BeginScene();
    Result EndScene();
    // Hands the finished colour buffer to the presenter (the window), if any.
    Result Present();
    // Whether the last Present handed on the same picture as the one before
    // it (the frame repeated the one before, to the same presenter).
    bool FrameRepeated() const { return repeated_; }
    Result TestCooperativeLevel() const { return kOk; }
    Result Reset();
    // A reset to another back-buffer size (at most kWidth wide and
    // kMaxHeight high); the buffers are cleared.
    Result Reset(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    Result SetRenderState(RenderState state, uint32_t value);
    uint32_t GetRenderState(RenderState state) const;
    Result SetTextureStageState(int stage, TextureStageState type, uint32_t value);
    uint32_t GetTextureStageState(int stage, TextureStageState type) const;
    Result SetTexture(int stage, const Texture* texture);
    Result SetVertexShader(uint32_t fvf);
    // Triangle list from memory; stride must be sizeof(Vertex).
    Result DrawPrimitiveUP(int triangleCount, const Vertex* vertices, uint32_t stride);

    const uint32_t* ColourBuffer() const {
        Settle();
        return colour_.data();
    }
    uint32_t Pixel(int x, int y) const {
        Settle();
        return colour_[y * kWidth + x];
    }
    uint16_t Depth(int x, int y) const {
        Settle();
        return depth_[y * kWidth + x];
    }
    // Draws whatever is held back (a repeating frame's draws, a clear that
    // may yet prove pointless); reading the buffers does it itself.
    void DrawHeldBack();

    using Presenter = std::function<void(const uint32_t* argb, int width, int height)>;
    void SetPresenter(Presenter p) {
        presenter_ = std::move(p);
        presenterFresh_ = true;
    }

    uint64_t PresentCount() const { return presentCount_; }

    // Draws with the portable span routines even where wider ones would run
    // (the tests compare the two).
    void UsePortableSpans(bool portable) { portableSpans_ = portable; }

private:
    // What a draw depends on besides its vertices.
    struct DrawState {
        const Texture* texture = nullptr;
        uint64_t textureStamp = 0;
        uint32_t textureFactor = 0, srcBlend = 0, destBlend = 0, colourOp = 0;
        bool zEnable = false, zWrite = false, blendEnable = false, portableSpans = false;
        bool operator==(const DrawState&) const = default;
    };
    // One clear or draw of a frame, its vertices kept apart.
    struct FrameCommand {
        bool clear = false;
        uint32_t clearArgb = 0;
        float clearDepth = 0;
        DrawState state;
        size_t firstVertex = 0, vertexCount = 0;
    };
    struct FrameLog {
        std::vector<FrameCommand> commands;
        std::vector<Vertex> vertices;
        void Clear() {
            commands.clear();
            vertices.clear();
        }
    };

    void Settle() const {
        if (holding_ || clearPending_) const_cast<GraphicsDevice*>(this)->DrawHeldBack();
    }
    DrawState CurrentDrawState() const;
    void ApplyDrawState(const DrawState& s);
    // Whether the current frame's last command matches the shown frame's
    // command at the same place.
    bool LastCommandRepeats() const;
    // Stops holding back: the frame so far is drawn from its log.
    void StopHolding();
    void ClearNow(uint32_t argb, float depth);
    void DrawNow(int triangleCount, const Vertex* vertices);
    // Fills the colour buffer with a clear still pending.
    void FillPendingClear();
    void DrawTriangle(const Vertex& a, const Vertex& b, const Vertex& c);
    // Set-up, span routine and edges of one triangle; false when it draws
    // nothing.
    bool PrepareTriangle(const Vertex& a, const Vertex& b, const Vertex& c, detail::PreparedTriangle& out);
    // The two triangles (a, b, c) and (a, c, d) of a turned sprite, drawn
    // together; false when the six vertices are not such a pair.
    bool DrawQuadPair(const Vertex* six);
    // Fast path for the two triangles of an unrotated sprite; false when the
    // six vertices are not such a pair.
    bool DrawAxisAlignedQuad(const Vertex* six);
    // Fills the per-draw span set-up (attribute planes, states) and picks
    // the span routine; false when the triangle cannot be drawn sensibly.
    bool Setup(const Vertex& v0, const Vertex& v1, const Vertex& v2, double area, detail::SpanSetup& setup);

    std::vector<uint32_t> colour_;
    std::vector<uint16_t> depth_;
    int width_ = kWidth;
    int height_ = kHeight;
    // The picture packed row by row for a presenter when the back buffer is
    // narrower than the rows.
    std::vector<uint32_t> packed_;
    const Texture* texture_ = nullptr;
    bool zEnable_ = true;
    bool zWrite_ = true;
    bool blendEnable_ = false;
    uint32_t srcBlend_ = kBlendOne;
    uint32_t destBlend_ = kBlendZero;
    uint32_t textureFactor_ = 0xFFFFFFFFu;
    uint32_t colourOp_ = kTopModulate;
    uint32_t otherStates_[256] = {};
    uint32_t stageStates_[8] = {};
    detail::SpanFn spanFn_ = nullptr;
    // Whether any draw wrote depth since the last clear, and the cleared value.
    bool depthDirty_ = false;
    uint16_t depthClearValue_ = 0xFFFF;
    bool portableSpans_ = false;
    // The colour buffer's clear, held back until the first draw shows
    // whether it covers the whole picture with opaque pixels.
    bool clearPending_ = false;
    uint32_t pendingClearArgb_ = 0;
    // The kind of the last draw set up, for the clear above.
    int lastOp_ = 0, lastBlend_ = 0;
    // The frame being built (logged from its last Clear on) and the last
    // one presented, which the buffers hold while shownValid_.
    FrameLog frame_, shown_;
    bool logging_ = false;
    bool shownValid_ = false;
    // The frame so far repeats the shown one and is not drawn.
    bool holding_ = false;
    bool repeated_ = false;
    bool presenterFresh_ = true;
    Presenter presenter_;
    uint64_t presentCount_ = 0;
};

// Writes the colour buffer as an RGB PNG (for screenshots and reviews).
bool SaveColourBufferPng(const GraphicsDevice& device, const char* path);

}  // namespace platform
