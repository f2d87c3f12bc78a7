#include "BenchSupport.h"

#include "store/qt/Connection.h"

#include <QTemporaryDir>

#include <stdexcept>

namespace bench {

namespace {

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

std::vector<testsupport::Row> tableRecords(size_t count) {
    std::vector<testsupport::Row> rows;
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
