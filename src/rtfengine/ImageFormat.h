// The size, scale and border of one picture as it is written into the document,
// and the engine's 16-colour palette that picture borders are coloured from.
#pragma once

#include <array>
#include <cstdint>

namespace rtfengine {

struct PaletteColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// The border palette, by index: black, blue, cyan, green, magenta, red, yellow,
// white, then the dark variants and two greys.
const std::array<PaletteColor, 16>& borderPalette();

// Handed to the OnImageFormat handler, which may change any field before the
// picture's header is built.
struct TImageFormat {
    // Millimetres per pixel at 96 pixels per inch, as the header numbers use it.
    static constexpr double kMillimetresPerPixel = 0.264596930676;

    // The format of a picture of this size in pixels: unscaled, no border.
    static TImageFormat forPixels(uint16_t width, uint16_t height);

    double WidthMM = 0; // displayed size in millimetres
    double HeightMM = 0;
    uint16_t Width = 0; // pixels at 96 per inch
    uint16_t Height = 0;
    uint16_t ScaleX = 100; // percent
    uint16_t ScaleY = 100;
    uint8_t BorderStyle = 0;  // 0 none, 1 single, 2 double, 3 thick, 4 shadow, 5 dotted, 6 hairline
    float BorderWidth = 0;    // points, as SetBorder received it
    uint16_t BorderColor = 0; // index into borderPalette()

    // Sets style and colour; the width is capped at 3.5 points and a border that
    // rounds to no width at all is no border.
    void SetBorder(uint8_t style, uint16_t colorIndex, float widthPoints);
    uint8_t borderWidthTwips() const { return m_borderWidthTwips; }

private:
    uint8_t m_borderWidthTwips = 0;
};

} // namespace rtfengine
