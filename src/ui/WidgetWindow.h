#pragma once
// CWidgetWindow: a widget drawn as a framed box. A nine-piece frame (corners,
// edges, centre) cut from one frame image is stretched around the box's
// centre by four half extents, which a resize can animate so that the box
// grows out of a point or shrinks into one. The widget's typewriter text is
// drawn inside.
#include "ui/Widget.h"

class CWidgetWindow : public CWidget {
public:
    // Resize modes.
    static constexpr int32_t kHeightFirst = 0;
    static constexpr int32_t kWidthFirst = 1;
    static constexpr int32_t kTogether = 2;

    CWidgetWindow() = default;

    void Update() override;
    void Draw() override;

    virtual void SetFrameExtents(int32_t leftExtent, int32_t rightExtent, int32_t topExtent, int32_t bottomExtent);
    // Animates the box from w0 x h0 to w1 x h1 (full sizes) over `frames`;
    // the extents jump to the start size at once.
    virtual void StartResize(int32_t w0, int32_t w1, int32_t h0, int32_t h1, int32_t frames, int32_t mode);
    virtual bool IsResizing() const { return resizeFrames != resizeCounter; }
    // Size in source pixels of the frame image's corners (and the thickness
    // of its edges).
    virtual void SetFrameTexture(int32_t cornerW, int32_t cornerH);

    int32_t cornerWidth = 0, cornerHeight = 0;
    int32_t resizeW0 = 0, resizeW1 = 0, resizeH0 = 0, resizeH1 = 0;
    int32_t resizeFrames = 0, resizeCounter = 0;
    int32_t resizeMode = kTogether;
    int32_t left = 0, right = 0, top = 0, bottom = 0;

private:
    void StepResize();
};
