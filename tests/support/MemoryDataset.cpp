#include "support/MemoryDataset.h"

#include <cstdio>
#include <cstdlib>

namespace testsupport {

namespace {

class MemoryField final : public rtfengine::Field {
public:
    MemoryField(const MemoryDataset& owner, size_t column, std::string name,
                rtfengine::FieldKind kind)
        : m_owner(owner), m_column(column), m_name(std::move(name)), m_kind(kind) {}

    std::string name() const override { return m_name; }
    rtfengine::FieldKind kind() const override { return m_kind; }
    bool isNull() const override { return text().empty(); }
    std::string asString() const override { return text(); }
    // Text that is no number reads as 0, as a number column the store cannot convert.
    double asFloat() const override { return std::strtod(text().c_str(), nullptr); }
    bool asBoolean() const override { return text() == "True" || text() == "1"; }
    rtfengine::DateTime asDateTime() const override {
        rtfengine::DateTime dt;
        std::sscanf(text().c_str(), "%d-%d-%d %d:%d:%d.%d", &dt.year, &dt.month, &dt.day, &dt.hour,
                    &dt.minute, &dt.second, &dt.millisecond);
        return dt;
    }
    bool holdsDate() const override {
        int year = 0, month = 0, day = 0;
        return std::sscanf(text().c_str(), "%d-%d-%d", &year, &month, &day) == 3;
    }
    std::string asBytes() const override { return text(); }

private:
    const std::string& text() const {
        static const std::string none;
        const Value& value = m_owner.cell(m_column);
        return value ? *value : none;
    }

    const MemoryDataset& m_owner;
    size_t m_column;
    std::string m_name;
    rtfengine::FieldKind m_kind;
};

} // namespace

MemoryDataset::MemoryDataset(std::string name, std::vector<std::string> columns,
                             std::vector<Row> rows, std::vector<rtfengine::FieldKind> kinds)
    : m_name(std::move(name)), m_rows(std::move(rows)) {
    for (size_t c = 0; c < columns.size(); ++c)
        m_fields.push_back(std::make_unique<MemoryField>(
            *this, c, std::move(columns[c]),
            c < kinds.size() ? kinds[c] : rtfengine::FieldKind::Other));
}

MemoryDataset::~MemoryDataset() = default;

void MemoryDataset::next() {
    if (m_position < m_rows.size())
        ++m_position;
}

rtfengine::Field& MemoryDataset::field(int index) {
    return *m_fields.at(static_cast<size_t>(index));
}

const Value& MemoryDataset::cell(size_t column) const {
    static const Value null;
    if (eof() || column >= m_rows[m_position].size())
        return null;
    return m_rows[m_position][column];
}

} // namespace testsupport
