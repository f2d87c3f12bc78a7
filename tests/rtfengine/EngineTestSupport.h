// Test support for the engine: an in-memory dataset and a temporary folder that
// runs a template string through an engine and returns the document.
#pragma once

#include "rtfengine/Dataset.h"
#include "rtfengine/RtfEngine.h"
#include "support/Files.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace enginetest {

class MemoryField : public rtfengine::Field {
public:
    MemoryField(std::string name, rtfengine::FieldKind kind, const std::vector<std::string>& column,
                const size_t& row)
        : m_name(std::move(name)), m_kind(kind), m_column(column), m_row(row) {}

    std::string name() const override { return m_name; }
    rtfengine::FieldKind kind() const override { return m_kind; }
    bool isNull() const override { return value().empty(); }
    std::string asString() const override { return value(); }
    double asFloat() const override { return value().empty() ? 0 : std::stod(value()); }
    bool asBoolean() const override { return value() == "True" || value() == "1"; }
    rtfengine::DateTime asDateTime() const override {
        rtfengine::DateTime dt;
        std::sscanf(value().c_str(), "%d-%d-%d %d:%d:%d", &dt.year, &dt.month, &dt.day, &dt.hour,
                    &dt.minute, &dt.second);
        return dt;
    }
    std::string asBytes() const override { return value(); }
    // Dates are held as "yyyy-mm-dd hh:nn:ss"; any other text is no date.
    bool holdsDate() const override {
        int year = 0, month = 0, day = 0;
        return std::sscanf(value().c_str(), "%d-%d-%d", &year, &month, &day) == 3;
    }

private:
    std::string value() const { return m_row < m_column.size() ? m_column[m_row] : std::string(); }

    std::string m_name;
    rtfengine::FieldKind m_kind;
    const std::vector<std::string>& m_column;
    const size_t& m_row;
};

// Rows of text values; column kinds default to Other.
class MemoryDataset : public rtfengine::Dataset {
public:
    MemoryDataset(std::string name, std::vector<std::string> fields,
                  std::vector<std::vector<std::string>> rows,
                  std::vector<rtfengine::FieldKind> kinds = {})
        : m_name(std::move(name)) {
        m_columns.resize(fields.size());
        for (const auto& row : rows)
            for (size_t c = 0; c < fields.size(); ++c)
                m_columns[c].push_back(c < row.size() ? row[c] : std::string());
        for (size_t c = 0; c < fields.size(); ++c)
            m_fields.push_back(std::make_unique<MemoryField>(
                fields[c], c < kinds.size() ? kinds[c] : rtfengine::FieldKind::Other, m_columns[c],
                m_row));
        m_rowCount = rows.size();
    }

    std::string name() const override { return m_name; }
    void first() override { m_row = 0; }
    void next() override {
        if (m_row < m_rowCount)
            ++m_row;
    }
    bool eof() const override { return m_row >= m_rowCount; }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    rtfengine::Field& field(int index) override { return *m_fields.at(index); }
    void disableControls() override { ++m_disabled; }
    void enableControls() override {
        if (m_disabled > 0)
            --m_disabled;
    }
    bool controlsDisabled() const override { return m_disabled > 0; }

    int disabledDepth() const { return m_disabled; }
    void moveTo(size_t row) { m_row = row; }

private:
    std::string m_name;
    std::vector<std::vector<std::string>> m_columns;
    std::vector<std::unique_ptr<MemoryField>> m_fields;
    size_t m_rowCount = 0;
    size_t m_row = 0;
    int m_disabled = 0;
};

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

// Writes `templateText` to InFile, runs the engine and returns OutFile's content.
inline std::string render(rtfengine::TRtfEngine& engine, const TempDir& dir,
                          std::string_view templateText,
                          const std::vector<rtfengine::Dataset*>& datasets = {}) {
    writeFile(dir.path() / "template.rtf", templateText);
    engine.setInFile((dir.path() / "template.rtf").string());
    engine.setOutFile((dir.path() / "out.doc").string());
    engine.generate(datasets);
    return readFile(dir.path() / "out.doc");
}

} // namespace enginetest
