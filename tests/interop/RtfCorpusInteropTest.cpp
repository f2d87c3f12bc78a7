// Real-world RTF files, none written for the template engine, run through the engine
// as vitacraft-cli render runs them. Each must come back as the same document: the
// text LibreOffice reads in it, its balanced groups, its fonts and its colour slots;
// only its tables are rewritten and its information group replaced.
//
// The files lie in the shared folder beside the repository and are never copied into
// it; VITACRAFT_RTF_CORPUS in the environment names another folder.
#include "rtfengine/RtfEngine.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using testsupport::readFile;

fs::path corpusFolder() {
    if (const char* folder = std::getenv("VITACRAFT_RTF_CORPUS"))
        return folder;
    return fs::path(VITACRAFT_SOURCE_DIR) / ".." / "shared" / "rtf-corpus";
}

// The text with every run of white space folded into one blank, without a byte order
// mark and blanks at either end; nothing when the file does not exist.
std::optional<std::string> foldedText(const fs::path& path) {
    if (!fs::exists(path))
        return std::nullopt;
    std::string text = readFile(path);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::string folded;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            blank = true;
            continue;
        }
        if (blank && !folded.empty())
            folded += ' ';
        blank = false;
        folded += c;
    }
    return folded;
}

// The bytes just past the N bytes of data of a "\binN" at `i`, or 0 when none stands
// there.
size_t afterBinaryData(const std::string& rtf, size_t i) {
    if (rtf.compare(i, 4, "\\bin") != 0)
        return 0;
    size_t j = i + 4;
    size_t length = 0;
    while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j])))
        length = std::min(length * 10 + (rtf[j++] - '0'), rtf.size());
    if (j == i + 4)
        return 0;
    if (j < rtf.size() && rtf[j] == ' ')
        ++j;
    return std::min(j + length, rtf.size());
}

// Whether every group closes and none closes before it opens.
bool balanced(const std::string& rtf) {
    long depth = 0;
    for (size_t i = 0; i < rtf.size();) {
        if (rtf[i] == '\\') {
            const size_t data = afterBinaryData(rtf, i);
            i = data != 0 ? data : i + 2;
            continue;
        }
        depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
        if (depth < 0)
            return false;
        ++i;
    }
    return depth == 0;
}

// The text of the first group that `head` opens ("{\fonttbl"), or nothing.
std::optional<std::string> firstGroup(const std::string& rtf, const std::string& head) {
    for (size_t at = rtf.find(head); at != std::string::npos; at = rtf.find(head, at + 1)) {
        if (at + head.size() < rtf.size() &&
            std::isalpha(static_cast<unsigned char>(rtf[at + head.size()])))
            continue;
        long depth = 0;
        for (size_t i = at; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') {
                ++i;
                continue;
            }
            depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
            if (depth == 0)
                return rtf.substr(at, i + 1 - at);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

// The numbers that a control word `word` ("\f") carries in `text`.
std::set<long> wordNumbers(const std::string& text, const std::string& word) {
    std::set<long> numbers;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        if (at > 0 && text[at - 1] == '\\')
            continue;
        size_t j = at + word.size();
        if (j >= text.size() || !std::isdigit(static_cast<unsigned char>(text[j])))
            continue;
        numbers.insert(std::strtol(text.c_str() + j, nullptr, 10));
    }
    return numbers;
}

// The colour slots of the first colour table, as (red, green, blue), -1 for a slot
// that names no colour. Nested groups are no part of a slot.
std::vector<std::array<long, 3>> colourSlots(const std::string& rtf) {
    std::vector<std::array<long, 3>> slots;
    const auto group = firstGroup(rtf, "{\\colortbl");
    if (!group)
        return slots;
    std::string words;
    long depth = 0;
    for (size_t i = 0; i < group->size(); ++i) {
        const char c = (*group)[i];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            continue;
        }
        if (depth == 1)
            words += c;
    }
    std::array<long, 3> slot{-1, -1, -1};
    size_t start = 0;
    for (size_t semi = words.find(';'); semi != std::string::npos; semi = words.find(';', start)) {
        const std::string text = words.substr(start, semi - start);
        const char* const names[] = {"\\red", "\\green", "\\blue"};
        bool named = false;
        for (int k = 0; k < 3; ++k) {
            const auto values = wordNumbers(text, names[k]);
            slot[k] = values.empty() ? 0 : *values.begin();
            named = named || !values.empty();
        }
        slots.push_back(named ? slot : std::array<long, 3>{-1, -1, -1});
        start = semi + 1;
    }
    return slots;
}

class RtfCorpusTest : public testing::Test {
protected:
    void SetUp() override {
        m_corpus = corpusFolder();
        if (!fs::is_directory(m_corpus))
            GTEST_SKIP() << "no RTF corpus at " << m_corpus;
        if (!testsupport::haveProgram("soffice"))
            GTEST_SKIP() << "LibreOffice is not installed";
        std::string pattern = (fs::temp_directory_path() / "vccorpusXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_work = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        if (!m_work.empty())
            fs::remove_all(m_work, ec);
    }

    fs::path m_corpus;
    fs::path m_work;
};

TEST_F(RtfCorpusTest, EveryFileComesBackAsTheSameDocument) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_corpus))
        if (entry.path().extension() == ".rtf")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    ASSERT_FALSE(names.empty());

    // Originals and renderings side by side, so that one LibreOffice start reads them all.
    const fs::path docs = m_work / "docs";
    fs::create_directories(docs);
    for (const std::string& name : names) {
        const fs::path original = m_corpus / (name + ".rtf");
        fs::copy_file(original, docs / ("original-" + name + ".rtf"));
        rtfengine::TRtfEngine engine;
        engine.setKeepTemplateCharsets(true);
        engine.setInFile(original.string());
        engine.setOutFile((docs / ("rendered-" + name + ".rtf")).string());
        try {
            engine.generate({});
        } catch (const std::exception& e) {
            ADD_FAILURE() << name << ": " << e.what();
        }
    }
    testsupport::convertWithLibreOffice(m_work, "txt:Text (encoded):UTF8", m_work / "txt",
                                        "docs/*.rtf");

    int readable = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string original = readFile(docs / ("original-" + name + ".rtf"));
        const fs::path renderedPath = docs / ("rendered-" + name + ".rtf");
        if (!fs::exists(renderedPath))
            continue; // its failure is reported above
        const std::string rendered = readFile(renderedPath);

        if (balanced(original)) {
            EXPECT_TRUE(balanced(rendered));
        }
        const auto fontsBefore = firstGroup(original, "{\\fonttbl");
        const auto fontsAfter = firstGroup(rendered, "{\\fonttbl");
        if (fontsBefore) {
            ASSERT_TRUE(fontsAfter.has_value());
            EXPECT_EQ(wordNumbers(*fontsAfter, "\\f"), wordNumbers(*fontsBefore, "\\f"));
        }
        EXPECT_EQ(colourSlots(rendered), colourSlots(original));

        const auto textBefore = foldedText(m_work / "txt" / ("original-" + name + ".txt"));
        if (!textBefore)
            continue; // a file LibreOffice cannot read says nothing about the engine
        ++readable;
        EXPECT_EQ(foldedText(m_work / "txt" / ("rendered-" + name + ".txt")), textBefore);
    }
    EXPECT_GT(readable, 0) << "LibreOffice read none of the originals";
}

} // namespace
