#include "generate/Fragment.h"

#include "generate/FieldAccess.h"
#include "rtfengine/FormatSettings.h"
#include "rtfengine/RtfText.h"

namespace generate {
namespace {

std::string_view columnPrefix(TextClass textClass) {
    switch (textClass) {
    case TextClass::Heading:
        return "Heading";
    case TextClass::SubHeading:
        return "SubHeading";
    case TextClass::NormalText:
        return "NormalText";
    }
    return "NormalText";
}

} // namespace

ColorCounts SplitColor(long long value) {
    ColorCounts counts;
    if (value < 0) {
        counts.red = value;
        return counts;
    }
    counts.blue = value / 65536;
    value %= 65536;
    counts.green = value / 256;
    counts.red = value % 256;
    return counts;
}

std::string_view StyleWords(long long code) {
    static constexpr std::string_view kWords[16] = {
        "",
        "\\b",
        "\\i",
        "\\b\\i",
        "\\ul",
        "\\ul\\b",
        "\\ul\\i",
        "\\ul\\b\\i",
        "\\strike",
        "\\strike\\b",
        "\\strike\\i",
        "\\strike\\i\\b",
        "\\strike\\ul",
        "\\strike\\ul\\b",
        "\\strike\\ul\\i",
        "\\strike\\ul\\i\\b",
    };
    return (code >= 0 && code < 16) ? kWords[code] : std::string_view();
}

std::string fragmentHeader(rtfengine::Dataset& configuration, TextClass textClass) {
    const std::string prefix(columnPrefix(textClass));
    const long long style = fieldInteger(configuration, prefix + "FontStyle");
    const long long color = fieldInteger(configuration, prefix + "FontColor");
    const std::string fontName = databaseText(configuration, prefix + "FontName");
    const ColorCounts counts = SplitColor(color);

    std::string header = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
                         "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 ";
    header += fontName;
    header += ";}}{\\colortbl ;\\red";
    header += std::to_string(counts.red);
    header += "\\green";
    header += std::to_string(counts.green);
    header += "\\blue";
    header += std::to_string(counts.blue);
    header += ";}\\viewkind4\\uc1\\pard\\cf1";
    header += StyleWords(style);
    header += "\\f0\\fs";
    header += std::to_string(fieldInteger(configuration, prefix + "FontSize") * 2);
    header += ' ';
    return header;
}

std::string yearText(rtfengine::Dataset& dataset, std::string_view column) {
    rtfengine::Field& field = fieldByName(dataset, column);
    // Editors store a date only once the user changes the field: no date, no year.
    if (!hasValue(dataset, field) || field.asString().empty()) {
        return {};
    }
    return rtfengine::formatDateTime("yyyy", field.asDateTime());
}

std::string databaseText(rtfengine::Dataset& dataset, std::string_view column) {
    return rtfengine::rtfText(fieldText(dataset, column));
}

} // namespace generate
