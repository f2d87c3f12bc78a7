// The font of one text class as the Configuration row stores it: four columns per
// class (face, size, colour, style), read the same way by generation, the format
// window and the font dialog.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

namespace store {

// The three font settings of the Configuration row.
enum class TextClass {
    Heading,    // HeadingFontName, HeadingFontSize, HeadingFontColor, HeadingFontStyle
    SubHeading, // SubHeadingFont...
    NormalText, // NormalTextFont...
};

inline constexpr TextClass kTextClasses[] = {TextClass::Heading, TextClass::SubHeading,
                                             TextClass::NormalText};

// The start of the class's four column names.
constexpr std::string_view columnPrefix(TextClass textClass) {
    constexpr std::string_view kPrefixes[] = {"Heading", "SubHeading", "NormalText"};
    const auto index = static_cast<std::size_t>(textClass);
    return index < std::size(kPrefixes) ? kPrefixes[index] : "NormalText";
}

// One of the class's columns: part is "FontName", "FontSize", "FontColor" or "FontStyle".
inline std::string fontColumn(TextClass textClass, std::string_view part) {
    std::string name(columnPrefix(textClass));
    name += part;
    return name;
}

// The stored style is the sum of these bits; other bits are kept but mean nothing.
enum StyleBit : int { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
inline constexpr int kStyleBits = Bold | Italic | Underline | StrikeOut;

// Red, green and blue counts of a stored colour value.
struct Rgb {
    long long red = 0;
    long long green = 0;
    long long blue = 0;

    bool operator==(const Rgb&) const = default;
};

// Splits blue * 65536 + green * 256 + red into its counts. A value of 16777216 or more
// gives a blue count above 255; a negative value becomes the red count as it is.
constexpr Rgb rgbFromStored(long long value) {
    if (value < 0)
        return Rgb{value, 0, 0};
    return Rgb{value % 256, value % 65536 / 256, value / 65536};
}

// The stored value of counts, each 0..255: blue * 65536 + green * 256 + red.
constexpr long long storedFromRgb(Rgb rgb) {
    return rgb.blue * 65536 + rgb.green * 256 + rgb.red;
}

// The four columns of one text class, as stored.
struct FontSetting {
    std::string face;
    long long size = 0;
    long long color = 0; // see rgbFromStored
    long long style = 0; // StyleBit sum

    bool operator==(const FontSetting&) const = default;
};

} // namespace store
