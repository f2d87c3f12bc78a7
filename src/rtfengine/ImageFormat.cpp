#include "rtfengine/ImageFormat.h"

#include <algorithm>
#include <cmath>

namespace rtfengine {

const std::array<PaletteColor, 16>& borderPalette() {
    static const std::array<PaletteColor, 16> palette{{
        {0, 0, 0},
        {0, 0, 255},
        {0, 255, 255},
        {0, 255, 0},
        {255, 0, 255},
        {255, 0, 0},
        {255, 255, 0},
        {255, 255, 255},
        {0, 0, 128},
        {0, 128, 128},
        {0, 128, 0},
        {128, 0, 128},
        {128, 0, 0},
        {128, 128, 0},
        {128, 128, 128},
        {192, 192, 192},
    }};
    return palette;
}

TImageFormat TImageFormat::forPixels(uint16_t width, uint16_t height) {
    TImageFormat f;
    f.Width = width;
    f.Height = height;
    f.WidthMM = width * kMillimetresPerPixel;
    f.HeightMM = height * kMillimetresPerPixel;
    return f;
}

void TImageFormat::SetBorder(uint8_t style, uint16_t colorIndex, float widthPoints) {
    BorderStyle = style;
    BorderColor = colorIndex;
    BorderWidth = widthPoints;
    // A negative or undefined width is no border, not a wrapped-around byte.
    const float capped = std::isnan(widthPoints) ? 0.0f : std::clamp(widthPoints, 0.0f, 3.5f);
    m_borderWidthTwips = uint8_t(std::nearbyint(capped * 20.0f));
    if (m_borderWidthTwips == 0)
        BorderStyle = 0;
}

} // namespace rtfengine
