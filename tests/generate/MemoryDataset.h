// A small in-memory dataset for the generation tests: named columns, rows of optional
// text values, date columns read from "yyyy-mm-dd" text.
#pragma once

#include "rtfengine/Dataset.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace generate::test {

using Value = std::optional<std::string>;
using Row = std::vector<Value>;

class MemoryDataset : public rtfengine::Dataset {
public:
    // Columns whose name starts with "Date" or equals "DateFrom"/"DateTo" are date columns.
    MemoryDataset(std::string name, std::vector<std::string> columns, std::vector<Row> rows = {})
        : m_name(std::move(name)), m_rows(std::move(rows)) {
        for (std::string& column : columns) {
            const bool isDate = column.rfind("Date", 0) == 0;
            m_fields.push_back(
                std::make_unique<MemoryField>(*this, m_fields.size(), std::move(column), isDate));
        }
    }

    std::string name() const override { return m_name; }
    void first() override { m_position = 0; }
    void next() override {
        if (m_position < m_rows.size()) {
            ++m_position;
        }
    }
    bool eof() const override { return m_position >= m_rows.size(); }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    rtfengine::Field& field(int index) override { return *m_fields.at(index); }
    void disableControls() override { ++m_disabled; }
    void enableControls() override { --m_disabled; }
    bool controlsDisabled() const override { return m_disabled > 0; }

    std::vector<Row>& rows() { return m_rows; }
    size_t position() const { return m_position; }

private:
    class MemoryField : public rtfengine::Field {
    public:
        MemoryField(MemoryDataset& owner, size_t index, std::string name, bool isDate)
            : m_owner(owner), m_index(index), m_name(std::move(name)), m_isDate(isDate) {}

        std::string name() const override { return m_name; }
        rtfengine::FieldKind kind() const override {
            return m_isDate ? rtfengine::FieldKind::Date : rtfengine::FieldKind::Other;
        }
        bool isNull() const override { return !value().has_value(); }
        std::string asString() const override { return value().value_or(""); }
        double asFloat() const override { return std::stod(asString()); }
        bool asBoolean() const override { return asString() == "True"; }
        rtfengine::DateTime asDateTime() const override {
            const std::string text = asString();
            if (text.size() != 10) {
                throw std::runtime_error("not a date: " + text);
            }
            rtfengine::DateTime date;
            date.year = std::stoi(text.substr(0, 4));
            date.month = std::stoi(text.substr(5, 2));
            date.day = std::stoi(text.substr(8, 2));
            return date;
        }
        std::string asBytes() const override { return asString(); }

    private:
        Value value() const {
            if (m_owner.eof()) {
                return std::nullopt;
            }
            const Row& row = m_owner.m_rows[m_owner.m_position];
            return m_index < row.size() ? row[m_index] : std::nullopt;
        }

        MemoryDataset& m_owner;
        size_t m_index;
        std::string m_name;
        bool m_isDate;
    };

    std::string m_name;
    std::vector<Row> m_rows;
    std::vector<std::unique_ptr<MemoryField>> m_fields;
    size_t m_position = 0;
    int m_disabled = 0;
};

} // namespace generate::test
