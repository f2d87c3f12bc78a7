// The expression of a command: classifying it (literal, variable, field, call, scan
// and conditional commands) and the format functions it may be wrapped in. Finding
// and cleaning the command in the RTF is CommandText's part.
#pragma once

#include "rtfengine/Ascii.h"
#include "rtfengine/CommandText.h"
#include "rtfengine/FormatSettings.h"
#include "rtfengine/TemplateText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

enum class TUdfResultType : uint8_t;

// The format functions a command may wrap its expression in.
enum class FormatId : int {
    NoFormat = 0, // stands for no format function
    FEXP = 1,     // scientific
    FFIX = 2,     // fixed
    FNUM = 3,     // number with thousands separators
    FCUR = 4,     // currency
    FIMG = 5,     // a picture
    FLNK = 6,     // a hyperlink
    FFIXR = 7,    // fixed with the "-" and "=" marks
    FNUMR = 8,    // number with the "-" and "=" marks
    FDTM = 9,     // a date-time pattern
};

// A command's format: the function, its precision (or image format index) and digits.
struct FormatRecord {
    FormatId id = FormatId::NoFormat;
    int param1 = 18;
    int param2 = 2;
    // FDTM's operand as written: a quoted pattern or a report variable name.
    std::string dateOperand;

    bool operator==(const FormatRecord&) const = default;
};

// The format function's name as templates write it ("FNUM"); "NOFORMAT" for none.
std::string_view formatName(FormatId id);
// Whether a user-defined function of this result type may stand in the format function.
bool formatAcceptsResultType(FormatId id, TUdfResultType resultType);
bool isNumericFormat(FormatId id);

// Splits an argument list at its top-level commas, outside quotes. Nothing when the
// parentheses are unbalanced; an empty list for blank text.
std::optional<std::vector<std::string>> splitArguments(std::string_view text);

enum class ExprKind {
    None,       // stays in the document as written
    Literal,    // 'text' or a number
    Variable,   // a report variable name
    DotField,   // alias.field
    ColonField, // alias:field
    Call,       // name(arguments)
    Scan,       // SCAN(alias) ...
    ScanEntry,  // SCANENTRY ...
    ScanFooter, // SCANFOOTER ...
    EndScan,    // ENDSCAN ...
    If,         // IF(...)
    EndIf,      // ENDIF
};

struct Expression {
    ExprKind kind = ExprKind::None;
    // The expression without its format function (the call text for calls).
    std::string text;
    FormatRecord format;
    // Each kind's own parts; the members of the other kinds stay empty.
    // Literal: the value, a number written in its shortest form.
    std::string value;
    // Variable: the report variable's name.
    std::string variable;
    // DotField, ColonField: the alias (upper case unless a single letter) and the
    // field part.
    std::string alias;
    std::string field;
    // Call: the function name and the argument text between the parentheses.
    std::string function;
    std::string arguments;
};

// Classifies cleaned expression text. Raises EIllegalFunctionUse for a malformed
// format function.
Expression classifyExpression(std::string_view text, bool dotAsColon,
                              const FormatSettings& settings = FormatSettings::current());

// Whether `text` is a quoted literal; `value` receives the text between the quotes.
bool isQuotedLiteral(std::string_view text, std::string* value = nullptr);

} // namespace rtfengine
