// An in-memory dataset for the tests, the fuzz targets and the benchmarks: named
// columns of a given kind and rows of optional text, walked the way the engine walks
// a table of the store.
#pragma once

#include "rtfengine/Dataset.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// One cell; an absent value and an empty text both read as null.
using Value = std::optional<std::string>;
using Row = std::vector<Value>;

// Numbers are read from the start of the text (0 when there is none), Booleans are "True" or "1",
// and dates and times from "yyyy-mm-dd hh:nn:ss.zzz" (the time, or its milliseconds, may be left
// off); other text is no date. Rows shorter than the columns have nulls in the rest.
class MemoryDataset : public rtfengine::Dataset {
public:
    // Columns whose kind is not given are FieldKind::Other.
    MemoryDataset(std::string name, std::vector<std::string> columns, std::vector<Row> rows = {},
                  std::vector<rtfengine::FieldKind> kinds = {});
    ~MemoryDataset() override;
    // The fields refer back to their dataset, so it stays where it was built.
    MemoryDataset(const MemoryDataset&) = delete;
    MemoryDataset& operator=(const MemoryDataset&) = delete;

    std::string name() const override { return m_name; }
    void first() override { m_position = 0; }
    void next() override;
    bool eof() const override { return m_position >= m_rows.size(); }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    rtfengine::Field& field(int index) override;
    void disableControls() override { ++m_disabled; }
    void enableControls() override { --m_disabled; }
    bool controlsDisabled() const override { return m_disabled > 0; }

    // How many disableControls calls are not yet undone; below zero after an
    // enableControls too many.
    int disabledDepth() const { return m_disabled; }
    // Puts the dataset on a row (0 is the first) without walking to it.
    void moveTo(size_t row) { m_position = row; }
    // The current row's cell of a column; null at the end and past a short row.
    const Value& cell(size_t column) const;

private:
    std::string m_name;
    std::vector<Row> m_rows;
    std::vector<std::unique_ptr<rtfengine::Field>> m_fields;
    size_t m_position = 0;
    int m_disabled = 0;
};

} // namespace testsupport
