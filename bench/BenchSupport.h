// Shared pieces of the benchmarks: an in-memory dataset, the sample résumé's data
// module, and scratch files that are removed when the program ends.
#pragma once

#include "rtfengine/Dataset.h"
#include "store/TDM.h"

#include <memory>
#include <string>
#include <vector>

namespace bench {

// Rows of text held in memory; a column named "born" is a date column.
class MemoryDataset final : public rtfengine::Dataset {
public:
    MemoryDataset(std::string name, std::vector<std::string> columns,
                  std::vector<std::vector<std::string>> rows);

    std::string name() const override { return m_name; }
    void first() override { m_position = 0; }
    void next() override {
        if (m_position < m_rows.size())
            ++m_position;
    }
    bool eof() const override { return m_position >= m_rows.size(); }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    rtfengine::Field& field(int index) override { return *m_fields.at(static_cast<size_t>(index)); }
    void disableControls() override {}
    void enableControls() override {}
    bool controlsDisabled() const override { return false; }

    const std::string& cell(size_t column) const { return m_rows[m_position][column]; }

private:
    std::string m_name;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<std::unique_ptr<rtfengine::Field>> m_fields;
    size_t m_position = 0;
};

// The records of the comparison table: id, name (with characters RTF escapes),
// amount, born (a date) and link ("address|caption"), numbered from 1.
std::vector<std::vector<std::string>> tableRecords(size_t count);

// The program directory with the templates and the sample résumé.
std::string programDirectory();
// A path in the benchmarks' scratch directory.
std::string scratchPath(const std::string& name);

// The sample résumé opened on its own connection, its datasets ready for generation.
struct SampleResume {
    SampleResume();
    std::unique_ptr<store::TDM> dm;
};

} // namespace bench
