// A small in-memory dataset with a field of every kind, for running fuzzed
// templates the way the program runs its résumé template.
#pragma once

#include "rtfengine/Dataset.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace fuzz {

struct FuzzValue {
    std::string text;
    double number = 0;
    bool boolean = false;
    rtfengine::DateTime date;
};

class FuzzField : public rtfengine::Field {
public:
    FuzzField(std::string name, rtfengine::FieldKind kind, const std::vector<FuzzValue>& rows,
              const size_t& row)
        : m_name(std::move(name)), m_kind(kind), m_rows(rows), m_row(row) {}
    std::string name() const override { return m_name; }
    rtfengine::FieldKind kind() const override { return m_kind; }
    bool isNull() const override { return value().text.empty(); }
    std::string asString() const override { return value().text; }
    double asFloat() const override { return value().number; }
    bool asBoolean() const override { return value().boolean; }
    rtfengine::DateTime asDateTime() const override { return value().date; }
    std::string asBytes() const override { return value().text; }

private:
    const FuzzValue& value() const {
        static const FuzzValue none;
        return m_row < m_rows.size() ? m_rows[m_row] : none;
    }
    std::string m_name;
    rtfengine::FieldKind m_kind;
    const std::vector<FuzzValue>& m_rows;
    const size_t& m_row;
};

class FuzzDataset : public rtfengine::Dataset {
public:
    explicit FuzzDataset(std::string name) : m_name(std::move(name)) {}
    // A column of the given kind holding one value per row.
    void addField(std::string name, rtfengine::FieldKind kind, std::vector<FuzzValue> rows) {
        m_columns.push_back(std::make_unique<std::vector<FuzzValue>>(std::move(rows)));
        m_rowCount = std::max(m_rowCount, m_columns.back()->size());
        m_fields.push_back(
            std::make_unique<FuzzField>(std::move(name), kind, *m_columns.back(), m_row));
    }
    std::string name() const override { return m_name; }
    void first() override { m_row = 0; }
    void next() override {
        if (m_row < m_rowCount)
            ++m_row;
    }
    bool eof() const override { return m_row >= m_rowCount; }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    rtfengine::Field& field(int index) override { return *m_fields.at(static_cast<size_t>(index)); }
    void disableControls() override { ++m_disabled; }
    void enableControls() override { --m_disabled; }
    bool controlsDisabled() const override { return m_disabled > 0; }
    int disabledDepth() const { return m_disabled; }

private:
    std::string m_name;
    std::vector<std::unique_ptr<std::vector<FuzzValue>>> m_columns;
    std::vector<std::unique_ptr<FuzzField>> m_fields;
    size_t m_rowCount = 0;
    size_t m_row = 0;
    int m_disabled = 0;
};

} // namespace fuzz
