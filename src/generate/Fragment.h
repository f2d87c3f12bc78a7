// The shared pieces of every section function's answer: a small, complete RTF
// document with its own font and colour table, set in the font of one text class.
#pragma once

#include "rtfengine/Dataset.h"
#include "store/FontSetting.h"

#include <string>
#include <string_view>

namespace generate {

using store::TextClass;

// The RTF control words of a style (a store::StyleBit sum); empty for 0 and for any
// value outside 0..15.
std::string_view styleControlWords(long long style);

// The font setting of a text class on the current (first) row of `configuration`.
// Throws EFieldNotFound or EConversionError, style first, then colour, face and size.
store::FontSetting readFontSetting(rtfengine::Dataset& configuration, TextClass textClass);

// The fragment header of a text class, read from the current (first) row of
// `configuration`: font table, colour table, style words and font size, ending in a
// blank after which the section's text follows.
std::string fragmentHeader(rtfengine::Dataset& configuration, TextClass textClass);

// The four-digit year of a date column on the current row; empty when it has no value.
std::string yearText(rtfengine::Dataset& dataset, std::string_view column);

// A database value as RTF text: escaped and converted so the reader sees what was typed.
std::string databaseText(rtfengine::Dataset& dataset, std::string_view column);

} // namespace generate
