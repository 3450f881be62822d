#pragma once
// A text style for bitmap text. (Least form until bitmap text lands.)
#include <cstdint>

class CDrawString {
public:
    CDrawString() = default;
    virtual ~CDrawString() = default;
    int32_t asciiCellWidth = 0;
    int32_t doubleByteCellWidth = 0;
    int32_t cellHeight = 0;
    int32_t asciiTexture = 0;
    int32_t doubleByteTexture = 0;
    int32_t asciiAdvance = 0;
    int32_t doubleByteAdvance = 0;
    int32_t lineHeight = 0;
    uint8_t red = 255, green = 255, blue = 255, alpha = 255;
    float scaleX = 1.0f, scaleY = 1.0f;
};
