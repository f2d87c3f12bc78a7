// Report variables: named text values in the engine's VarList, one "name=value" line
// each, and TReportVariable, the object through which templates' functions read and
// write them (bound to the engine by name, or holding a local value).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

class TRtfEngine;

// The store operations on VarList lines. Names are compared ignoring case and are
// not trimmed; a line without "=" or starting with "=" holds no variable.
// Index of the variable's line counted from 1, or 0 when there is none.
int findVariable(const std::vector<std::string>& lines, std::string_view name);
// The text after the line's first "=".
std::string variableValue(const std::vector<std::string>& lines, int index);
// Appends "name=text" (name trimmed); raises EIOError when the name exists.
void addVariable(std::vector<std::string>& lines, std::string_view name, std::string_view text);

class TReportVariable {
public:
    // A local variable, holding its value itself.
    TReportVariable() = default;
    // A variable bound to the engine's VarList by name.
    TReportVariable(TRtfEngine* owner, std::string name);
    // A local variable holding `value`; the owner supplies TrueValue for booleans.
    static TReportVariable localValue(TRtfEngine* owner, std::string value);

    TRtfEngine* owner() const { return m_owner; }
    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    bool isLocal() const { return m_local; }
    // Changing the flag empties the local value.
    void setLocal(bool local);

    std::string asString() const;
    void setString(std::string_view text);
    // Bound: the trimmed value, empty counting as 0. A text that is not a number
    // raises EEngineError.
    double asFloat() const;
    void setFloat(double value);
    void setInteger(int64_t value);
    // True when the value equals TrueValue exactly or reads "TRUE" in any case.
    bool asBoolean() const;
    // TrueValue or FalseValue; "True" or "False" when those two are equal.
    void setBoolean(bool value);

private:
    int lineIndex(const char* operation) const;

    TRtfEngine* m_owner = nullptr;
    std::string m_name;
    bool m_local = true;
    std::string m_value;
};

} // namespace rtfengine
