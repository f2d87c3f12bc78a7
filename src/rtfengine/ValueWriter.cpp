#include "rtfengine/ValueWriter.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Dataset.h"
#include "rtfengine/EmbeddedObjects.h"
#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/RtfText.h"
#include "rtfengine/RunState.h"

namespace rtfengine {

namespace {

NumericStyle styleOf(FormatId id) {
    switch (id) {
    case FormatId::FEXP:
        return NumericStyle::Scientific;
    case FormatId::FNUM:
    case FormatId::FNUMR:
        return NumericStyle::Number;
    case FormatId::FCUR:
        return NumericStyle::Currency;
    default:
        return NumericStyle::Fixed;
    }
}

std::string trimTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

std::string formatNumber(double number, const FormatRecord& format, bool clearZero,
                         const FormatSettings& fs) {
    std::string result = trimAsciiBlanks(
        formatFloat(number, styleOf(format.id), std::min(format.param1, 18), format.param2, fs));
    if (clearZero && result.find_first_of("123456789") == std::string::npos)
        return {};
    if (format.id != FormatId::FFIXR && format.id != FormatId::FNUMR)
        return result;
    const size_t sep = result.find(fs.decimalSeparator);
    if (sep == std::string::npos)
        return result + "=";
    result[sep] = '-';
    const std::string fraction = result.substr(sep + 1);
    if (!fraction.empty() && fraction.find_first_not_of('0') == std::string::npos)
        result = result.substr(0, sep) + "=";
    return result;
}

std::string formatNumberText(std::string_view text, const FormatRecord& format, bool clearZero,
                             const FormatSettings& fs) {
    const std::string trimmed = trimAsciiBlanks(text);
    const auto number = trimmed.empty() ? std::nullopt : parseFloat(trimmed, fs);
    if (!number)
        return std::string(text);
    return formatNumber(*number, format, clearZero, fs);
}

void appendTemplateText(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        if (appendRtfSpecial(out, c))
            continue;
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            appendHexByte(out, b);
    }
}

void ValueWriter::writeText(std::string& out, std::string_view text, std::string_view codes,
                            TextOrigin origin) const {
    out += "\\lang";
    out += m_state.lang;
    out += ' ';
    switch (origin) {
    case TextOrigin::Data:
        appendRtfText(out, text);
        break;
    case TextOrigin::Template:
        appendTemplateText(out, text);
        break;
    }
    out += codes;
}

void ValueWriter::writeValue(std::string& out, std::string_view value, const ValueOperands& ops,
                             TextOrigin origin) const {
    const FormatRecord& format = ops.format;
    switch (format.id) {
    case FormatId::NoFormat:
        writeText(out, value, ops.codes, origin);
        return;
    case FormatId::FEXP:
    case FormatId::FFIX:
    case FormatId::FNUM:
    case FormatId::FCUR:
    case FormatId::FFIXR:
    case FormatId::FNUMR: {
        const std::string text = formatNumberText(
            value, format, m_state.engine.options().has(TRtfOption::eoNumericFormatClearZero));
        // A value that is no number stays as it came; a formatted number is the
        // engine's own text, with the locale's currency sign.
        writeText(out, text, ops.codes, text == value ? origin : TextOrigin::Data);
        return;
    }
    case FormatId::FIMG:
    case FormatId::FLNK: {
        EmbeddedObject object;
        object.source = format.id == FormatId::FIMG ? EmbeddedObject::Source::PictureFile
                                                    : EmbeddedObject::Source::Hyperlink;
        object.text = value;
        object.format = format;
        object.codes = ops.codes;
        object.lang = m_state.lang;
        writeEmbeddedObject(m_state.engine, m_state.tables, object, out);
        return;
    }
    case FormatId::FDTM:
        writeText(out, formatDate(value, format), ops.codes);
        return;
    }
}

void ValueWriter::writeField(std::string& out, Field& field, const ValueOperands& ops) const {
    const FormatRecord& format = ops.format;
    if (format.id == FormatId::FIMG || format.id == FormatId::FLNK ||
        (field.kind() == FieldKind::Graphic && format.id == FormatId::NoFormat)) {
        EmbeddedObject object;
        object.format = format;
        std::string linkText;
        if (format.id == FormatId::FLNK) {
            object.source = EmbeddedObject::Source::Hyperlink;
            linkText = field.asString();
            object.text = linkText;
        } else {
            object.source = EmbeddedObject::Source::PictureField;
            object.field = &field;
            if (format.id == FormatId::NoFormat) {
                object.format.id = FormatId::FIMG;
                object.format.param1 = 0;
            }
        }
        object.codes = ops.codes;
        object.lang = m_state.lang;
        writeEmbeddedObject(m_state.engine, m_state.tables, object, out);
        return;
    }
    std::string text;
    switch (field.kind()) {
    case FieldKind::Boolean:
        text = field.asBoolean() ? m_state.engine.trueValue() : m_state.engine.falseValue();
        break;
    case FieldKind::Date:
    case FieldKind::DateTime:
        if (!field.holdsDate()) {
            // A value that is no date is written as it is stored, whatever the format,
            // rather than as the zero date or cut at a blank; a blank one writes nothing.
            if (!field.isNull())
                text = field.asString();
        } else if (format.id == FormatId::FDTM) {
            std::string storage;
            text = formatDateTime(datePattern(format, storage), field.asDateTime());
        } else {
            text = field.asString();
            const size_t blank = text.find(' ');
            if (blank != std::string::npos && blank >= 8)
                text.resize(blank);
        }
        break;
    case FieldKind::Graphic:
    case FieldKind::Other:
        if (isNumericFormat(format.id)) {
            // A number stored as one is formatted as it is, not read back from its text.
            if (const std::optional<double> number = field.storedNumber()) {
                text =
                    formatNumber(*number, format,
                                 m_state.engine.options().has(TRtfOption::eoNumericFormatClearZero),
                                 FormatSettings::current());
                break;
            }
        }
        text = trimTrailingBlanks(field.asString());
        if (isNumericFormat(format.id))
            text = formatNumberText(
                text, format, m_state.engine.options().has(TRtfOption::eoNumericFormatClearZero));
        else if (format.id == FormatId::FDTM)
            text = formatDate(text, format);
        break;
    }
    writeText(out, text, ops.codes);
}

void ValueWriter::writePicture(std::string& out, std::string_view bytes,
                               const ValueOperands& ops) const {
    EmbeddedObject object;
    object.source = EmbeddedObject::Source::PictureData;
    object.text = bytes;
    object.format = ops.format;
    object.codes = ops.codes;
    object.lang = m_state.lang;
    writeEmbeddedObject(m_state.engine, m_state.tables, object, out);
}

std::string_view ValueWriter::datePattern(const FormatRecord& format, std::string& storage) const {
    const std::string_view operand =
        trimBytes(format.dateOperand, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    if (operand.empty())
        return "c";
    // A quoted pattern is read where it stands, row after row; a variable may change
    // during the run and is looked up each time.
    if (isQuotedLiteral(operand, nullptr))
        return operand.substr(1, operand.size() - 2);
    storage = TReportVariable(&m_state.engine, std::string(operand)).asString();
    return storage;
}

std::string ValueWriter::formatDate(std::string_view value, const FormatRecord& format) const {
    DateTime dt;
    if (!parseDateTime(value, dt))
        throw EEngineError("'" + std::string(value) + "' is not a valid date and time");
    std::string storage;
    return formatDateTime(datePattern(format, storage), dt);
}

} // namespace rtfengine
