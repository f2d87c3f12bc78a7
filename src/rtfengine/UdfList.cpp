#include "rtfengine/UdfList.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Dataset.h"
#include "rtfengine/Errors.h"
#include "rtfengine/Expression.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfEngine.h"

#include <algorithm>

namespace rtfengine {

namespace {

bool isIdentifier(std::string_view name) {
    if (name.empty() || isAsciiDigit(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return isAsciiAlnum(c) || c == '_'; });
}

} // namespace

std::string TUdfArg::asString() const {
    if (m_field)
        return m_dataset && m_dataset->eof() ? std::string() : m_field->asString();
    if (m_variable)
        return m_variable->asString();
    return {};
}

void TUdf::setName(std::string_view value) {
    if (value == m_name)
        return;
    const std::string name = trimAsciiBlanks(value);
    if (m_owner && m_owner->indexOf(name) >= 0)
        throw EIllegalFunctionUse("User defined function with name " + name + " already exists");
    if (!name.empty() && !isIdentifier(name))
        throw EIllegalFunctionUse("Illegal function name " + name);
    m_name = name;
}

void TUdf::setArgMinCount(uint16_t count) {
    m_argMin = count;
    if (m_argMax < count)
        m_argMax = count;
}

void TUdf::setArgMaxCount(uint16_t count) {
    m_argMax = count;
    if (m_argMin > count)
        m_argMin = count;
}

void TUdf::assign(const TUdf& other) {
    OnCalculate = other.OnCalculate;
    m_name = other.m_name;
    m_argMin = other.m_argMin;
    m_argMax = other.m_argMax;
    m_resultType = other.m_resultType;
}

TUdfList::~TUdfList() {
    const std::vector<TRtfEngine*> engines = m_engines;
    for (TRtfEngine* engine : engines)
        engine->udfListDestroyed(this);
}

TUdf& TUdfList::add() {
    m_items.push_back(std::make_unique<TUdf>(this));
    return *m_items.back();
}

TUdf& TUdfList::add(std::string_view name, uint16_t argMin, uint16_t argMax,
                    TUdfResultType resultType, TUdfOnCalculate onCalculate) {
    TUdf& udf = add();
    try {
        udf.setName(name);
    } catch (...) {
        m_items.pop_back();
        throw;
    }
    udf.setArgMaxCount(argMax);
    udf.setArgMinCount(argMin);
    udf.setResultType(resultType);
    udf.OnCalculate = std::move(onCalculate);
    return udf;
}

int TUdfList::indexOf(std::string_view name) const {
    const std::string wanted = toUpperAscii(trimAsciiBlanks(name));
    for (size_t i = 0; i < m_items.size(); ++i)
        if (toUpperAscii(trimAsciiBlanks(m_items[i]->name())) == wanted)
            return static_cast<int>(i);
    return -1;
}

void TUdfList::setFunctions(const TUdfList& other) {
    if (&other == this)
        return;
    m_items.clear();
    for (const auto& item : other.m_items)
        add().assign(*item);
}

void TUdfList::attach(TRtfEngine* engine) {
    if (std::find(m_engines.begin(), m_engines.end(), engine) == m_engines.end())
        m_engines.push_back(engine);
}

void TUdfList::detach(TRtfEngine* engine) {
    m_engines.erase(std::remove(m_engines.begin(), m_engines.end(), engine), m_engines.end());
}

} // namespace rtfengine
