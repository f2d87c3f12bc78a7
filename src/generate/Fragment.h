// The shared pieces of every section function's answer: a small, complete RTF
// document with its own font and colour table, set in the font of one text class.
#pragma once

#include "rtfengine/Dataset.h"

#include <string>
#include <string_view>

namespace generate {

// The three font settings of the Configuration row.
enum class TextClass {
    Heading,    // HeadingFontName, HeadingFontSize, HeadingFontColor, HeadingFontStyle
    SubHeading, // SubHeadingFont...
    NormalText, // NormalTextFont...
};

// Red, green and blue counts of a stored colour value.
struct ColorCounts {
    long long red = 0;
    long long green = 0;
    long long blue = 0;

    bool operator==(const ColorCounts&) const = default;
};

// Splits blue * 65536 + green * 256 + red into its counts. A value of 16777216 or more
// gives a blue count above 255; a negative value becomes the red count as it is.
ColorCounts SplitColor(long long value);

// The RTF control words of a style code (bold 1 + italic 2 + underline 4 + strikeout 8);
// empty for 0 and for any value outside 0..15.
std::string_view StyleWords(long long code);

// The fragment header of a text class, read from the current (first) row of
// `configuration`: font table, colour table, style words and font size, ending in a
// blank after which the section's text follows.
std::string fragmentHeader(rtfengine::Dataset& configuration, TextClass textClass);

// The four-digit year of a date column on the current row; empty when it has no value.
std::string yearText(rtfengine::Dataset& dataset, std::string_view column);

// A database value as RTF text: escaped and converted so the reader sees what was typed.
std::string databaseText(rtfengine::Dataset& dataset, std::string_view column);

} // namespace generate
