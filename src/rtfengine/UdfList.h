// User-defined functions: the host program's named functions that templates call.
// A TUdfList holds TUdf items (name, argument range, result type, handler); the
// engine checks calls against them and runs the handlers while it writes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

class Dataset;
class Field;
class TReportVariable;
class TRtfEngine;

// What a function's result buffer holds and how the engine inserts it. A host may
// still cast any byte to it; the engine refuses a call whose type is none of these.
enum class TUdfResultType : uint8_t {
    udfrNil = 0,             // nothing; only the command's RTF codes are written
    udfrTReportVariable = 1, // UTF-8 text, written as a value (format functions apply)
    udfrTPicture = 2,        // the bytes of a picture file, written as a picture
    udfrTMemoryStream = 3,   // RTF, inserted as it is
};
using enum TUdfResultType;

// One argument of a call, as the template wrote it: a dataset field positioned on
// its current record, a report variable (bound by name, or local for a literal or a
// nested call's result), or nothing (a nested call without a value).
class TUdfArg {
public:
    TUdfArg() = default;
    TUdfArg(Field* field, Dataset* dataset) : m_field(field), m_dataset(dataset) {}
    explicit TUdfArg(TReportVariable* variable) : m_variable(variable) {}

    Field* field() const { return m_field; }
    // The dataset of a field argument.
    Dataset* dataset() const { return m_dataset; }
    TReportVariable* variable() const { return m_variable; }

    // The argument's text: the field's text (empty at the dataset's end), the
    // variable's value, or empty.
    std::string asString() const;

private:
    Field* m_field = nullptr;
    Dataset* m_dataset = nullptr;
    TReportVariable* m_variable = nullptr;
};

using TUdfArgs = std::vector<TUdfArg>;

// The handler of a function: Sender is the engine evaluating the call, Args the
// arguments in call order, UDFResult the result buffer (its meaning follows the
// function's result type; RTF fragments go in through TRtfEngine::insertRtfFragment).
using TUdfOnCalculate =
    std::function<void(TRtfEngine& sender, const TUdfArgs& args, std::string& result)>;

class TUdfList;

class TUdf {
public:
    explicit TUdf(TUdfList* owner) : m_owner(owner) {}

    TUdfOnCalculate OnCalculate;

    const std::string& name() const { return m_name; }
    // Trims the name; raises EIllegalFunctionUse when another item (or, in another
    // letter case, this one) has it or when it is not an identifier.
    void setName(std::string_view name);
    uint16_t argMinCount() const { return m_argMin; }
    void setArgMinCount(uint16_t count);
    uint16_t argMaxCount() const { return m_argMax; }
    void setArgMaxCount(uint16_t count);
    TUdfResultType resultType() const { return m_resultType; }
    void setResultType(TUdfResultType type) { m_resultType = type; }

    std::string displayName() const { return m_name.empty() ? "TUdf" : m_name; }
    // Takes all five properties of `other`, the name without checks.
    void assign(const TUdf& other);

private:
    TUdfList* m_owner;
    std::string m_name;
    uint16_t m_argMin = 0;
    uint16_t m_argMax = 0;
    TUdfResultType m_resultType = udfrTReportVariable;
};

class TUdfList {
public:
    static constexpr int kVersion = 185;

    TUdfList() = default;
    // Tells every engine that references this list to forget it.
    virtual ~TUdfList();
    TUdfList(const TUdfList&) = delete;
    TUdfList& operator=(const TUdfList&) = delete;

    // Appends a new item with default properties.
    TUdf& add();
    // Appends a new item with a checked name, range, result type and handler.
    TUdf& add(std::string_view name, uint16_t argMin, uint16_t argMax, TUdfResultType resultType,
              TUdfOnCalculate onCalculate);
    int count() const { return static_cast<int>(m_items.size()); }
    TUdf& item(int index) { return *m_items.at(static_cast<size_t>(index)); }
    const TUdf& item(int index) const { return *m_items.at(static_cast<size_t>(index)); }
    // The first item whose trimmed name equals `name` ignoring case, or -1.
    int indexOf(std::string_view name) const;
    // Replaces the items by copies of `other`'s items.
    void setFunctions(const TUdfList& other);

    virtual int version() const { return kVersion; }

private:
    friend class TRtfEngine;
    void attach(TRtfEngine* engine);
    void detach(TRtfEngine* engine);

    std::vector<std::unique_ptr<TUdf>> m_items;
    std::vector<TRtfEngine*> m_engines;
};

} // namespace rtfengine
