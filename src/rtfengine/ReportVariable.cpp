#include "rtfengine/ReportVariable.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"
#include "rtfengine/Expression.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/RtfEngine.h"

namespace rtfengine {

int findVariable(const std::vector<std::string>& lines, std::string_view name) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t eq = lines[i].find('=');
        if (eq == std::string::npos || eq == 0)
            continue;
        if (equalsIgnoringAsciiCase(std::string_view(lines[i]).substr(0, eq), name))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

std::string variableValue(const std::vector<std::string>& lines, int index) {
    const std::string& line = lines.at(static_cast<size_t>(index) - 1);
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

void addVariable(std::vector<std::string>& lines, std::string_view name, std::string_view text) {
    if (findVariable(lines, name) > 0)
        throw EIOError("Can't add report variable " + std::string(name) +
                       " - variable already exists.");
    lines.push_back(trimAsciiBlanks(name) + "=" + std::string(text));
}

TReportVariable::TReportVariable(TRtfEngine* owner, std::string name)
    : m_owner(owner), m_name(std::move(name)), m_local(owner == nullptr) {}

TReportVariable TReportVariable::localValue(TRtfEngine* owner, std::string value) {
    TReportVariable v(owner, std::string());
    v.m_local = true;
    v.m_value = std::move(value);
    return v;
}

void TReportVariable::setLocal(bool local) {
    if (local == m_local)
        return;
    m_local = local;
    m_value.clear();
}

int TReportVariable::lineIndex(const char* operation) const {
    const int index = findVariable(m_owner->varList(), m_name);
    if (index == 0)
        throw EIOError(std::string(operation) + ": report variable not found: " + m_name);
    return index;
}

std::string TReportVariable::asString() const {
    if (m_local)
        return m_value;
    return variableValue(m_owner->varList(), lineIndex("Get variable"));
}

void TReportVariable::setString(std::string_view text) {
    if (m_local) {
        m_value = std::string(text);
        return;
    }
    const int index = lineIndex("Set variable");
    m_owner->varList()[index - 1] = m_name + "=" + std::string(text);
}

double TReportVariable::asFloat() const {
    if (m_local)
        return toFloat(m_value);
    const std::string value = trimAsciiBlanks(asString());
    return value.empty() ? 0.0 : toFloat(value);
}

void TReportVariable::setFloat(double value) {
    setString(shortestDecimal(value));
}

void TReportVariable::setInteger(int64_t value) {
    setString(std::to_string(value));
}

bool TReportVariable::asBoolean() const {
    const std::string value = asString();
    const std::string trueValue = m_owner ? m_owner->trueValue() : "True";
    return value == trueValue || toUpperAscii(value) == "TRUE";
}

void TReportVariable::setBoolean(bool value) {
    std::string t = m_owner ? m_owner->trueValue() : "True";
    std::string f = m_owner ? m_owner->falseValue() : "False";
    if (t == f) {
        t = "True";
        f = "False";
    }
    setString(value ? t : f);
}

} // namespace rtfengine
