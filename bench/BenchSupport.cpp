#include "BenchSupport.h"

#include "store/qt/Connection.h"

#include <QTemporaryDir>

#include <stdexcept>

namespace bench {

namespace {

class MemoryField final : public rtfengine::Field {
public:
    MemoryField(const MemoryDataset& owner, size_t column, std::string name)
        : m_owner(owner), m_column(column), m_name(std::move(name)),
          m_kind(m_name == "born" ? rtfengine::FieldKind::Date : rtfengine::FieldKind::Other) {}

    std::string name() const override { return m_name; }
    rtfengine::FieldKind kind() const override { return m_kind; }
    bool isNull() const override { return m_owner.eof() || text().empty(); }
    std::string asString() const override { return m_owner.eof() ? std::string() : text(); }
    double asFloat() const override { return isNull() ? 0 : std::stod(text()); }
    bool asBoolean() const override { return asString() == "True"; }
    rtfengine::DateTime asDateTime() const override {
        rtfengine::DateTime date;
        if (isNull())
            return date;
        const std::string& t = text();
        date.year = std::stoi(t.substr(0, 4));
        date.month = std::stoi(t.substr(5, 2));
        date.day = std::stoi(t.substr(8, 2));
        return date;
    }
    std::string asBytes() const override { return asString(); }

private:
    const std::string& text() const { return m_owner.cell(m_column); }

    const MemoryDataset& m_owner;
    size_t m_column;
    std::string m_name;
    rtfengine::FieldKind m_kind;
};

const char* const kNames[] = {
    "M\xc3\xbcller {S\xc3\xb6hne} \\ Partner",
    "Caf\xc3\xa9 \xc3\x85ngstr\xc3\xb6m & Co.",
    "Price: 10 \xe2\x82\xac \xe2\x80\x94 net",
    "Plain\tTrading\x07 Ltd",
    "\xce\xa9mega {labs}",
    "\xc3\x98rsted \\ N\xc3\xb8rrebro",
};

QTemporaryDir& scratchDirectory() {
    static QTemporaryDir dir;
    if (!dir.isValid())
        throw std::runtime_error("no scratch directory for the benchmarks");
    return dir;
}

} // namespace

MemoryDataset::MemoryDataset(std::string name, std::vector<std::string> columns,
                             std::vector<std::vector<std::string>> rows)
    : m_name(std::move(name)), m_rows(std::move(rows)) {
    for (size_t i = 0; i < columns.size(); ++i)
        m_fields.push_back(std::make_unique<MemoryField>(*this, i, std::move(columns[i])));
}

std::vector<std::vector<std::string>> tableRecords(size_t count) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(count);
    for (size_t i = 1; i <= count; ++i) {
        long long cents = static_cast<long long>((i * 7919) % 100000000);
        if (i % 7 == 0)
            cents = -cents;
        char amount[32];
        std::snprintf(amount, sizeof amount, "%s%lld.%02lld", cents < 0 ? "-" : "",
                      std::abs(cents) / 100, std::abs(cents) % 100);
        char born[16];
        std::snprintf(born, sizeof born, "%04zu-%02zu-%02zu", 1950 + i % 70, 1 + i % 12,
                      1 + i % 28);
        rows.push_back(
            {std::to_string(i), std::string(kNames[i % 6]) + " #" + std::to_string(i), amount, born,
             "https://example.org/item/" + std::to_string(i) + "|Item " + std::to_string(i)});
    }
    return rows;
}

std::string programDirectory() {
    return VITACRAFT_BIN_DIR;
}

std::string scratchPath(const std::string& name) {
    return scratchDirectory().filePath(QString::fromStdString(name)).toStdString();
}

SampleResume::SampleResume() {
    dm = std::make_unique<store::TDM>(store::openResumeFile(programDirectory() + "/sample.vcw"));
}

} // namespace bench
