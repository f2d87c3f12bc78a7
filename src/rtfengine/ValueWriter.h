// Writing values into the document: text with the language prefix and the
// command's codes after it, the numeric and date-time format functions, fields by
// their kind, and the hand-over of pictures and hyperlinks.
#pragma once

#include "rtfengine/Expression.h"
#include "rtfengine/FormatSettings.h"
#include "rtfengine/TemplateProgram.h"

#include <string>
#include <string_view>

namespace rtfengine {

class Field;
struct RunState;

// Applies a numeric format function to a number; FFIXR and FNUMR mark the decimals
// with "-" and a zero fraction with "="; with `clearZero` a result without a digit
// other than "0" is empty.
std::string formatNumber(double number, const FormatRecord& format, bool clearZero,
                         const FormatSettings& settings = FormatSettings::current());

// Applies a numeric format function to a text, as formatNumber does. A text that is not a number
// stays as it is.
std::string formatNumberText(std::string_view text, const FormatRecord& format, bool clearZero,
                             const FormatSettings& settings = FormatSettings::current());

// Appends text typed in the template itself, such as a quoted literal, as RTF text.
// Its bytes are the template's code page 1252 characters, so each byte from 0x80 on
// becomes "\'XX" as it is, never read as UTF-8; tab, vertical tab, form feed and
// carriage return become "\tab ", "\line ", "\page " and "\par "; "\", "{" and "}"
// are escaped; every other byte stays.
void appendTemplateText(std::string& out, std::string_view bytes);

// Where a text comes from, which decides how its bytes become RTF.
enum class TextOrigin {
    Data,     // the data layer, the host and the engine's own formatting: UTF-8
    Template, // typed in the template: code page 1252 bytes
};

class ValueWriter {
public:
    explicit ValueWriter(RunState& state) : m_state(state) {}

    // "\lang" + Lang + " " + the text as RTF + the codes.
    void writeText(std::string& out, std::string_view text, std::string_view codes,
                   TextOrigin origin = TextOrigin::Data) const;
    // A literal, a variable's value or a function's text result, with the format.
    void writeValue(std::string& out, std::string_view value, const ValueOperands& ops,
                    TextOrigin origin = TextOrigin::Data) const;
    // A field on its dataset's current record, with the format.
    void writeField(std::string& out, Field& field, const ValueOperands& ops) const;
    // A function's picture result (the bytes of a picture file).
    void writePicture(std::string& out, std::string_view bytes, const ValueOperands& ops) const;

private:
    // The date-time pattern of FDTM's operand; `storage` holds it when it is no part
    // of the operand itself.
    std::string_view datePattern(const FormatRecord& format, std::string& storage) const;
    std::string formatDate(std::string_view value, const FormatRecord& format) const;

    RunState& m_state;
};

} // namespace rtfengine
