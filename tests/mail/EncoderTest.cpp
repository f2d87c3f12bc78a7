#include "mail/UUProcessor.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace mail;

namespace {

std::string bytes0To(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>(i);
    return s;
}

struct EncodeCase {
    const char* name;
    std::string input;
    UUMethods method;
    std::string expected;
};

// Expected lines were produced independently (base64 and UU codecs of a scripting
// language's standard library); UU lines are not padded to full groups.
const std::vector<EncodeCase> kCases = {
    {"abcMime", "abc", UUMethods::uuMime, "YWJj\r\n"},
    {"abMime", "ab", UUMethods::uuMime, "YWI=\r\n"},
    {"aMime", "a", UUMethods::uuMime, "YQ==\r\n"},
    {"emptyMime", "", UUMethods::uuMime, ""},
    {"fortySixMime", bytes0To(46), UUMethods::uuMime,
     "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKiss\r\nLQ==\r\n"},
    {"highBytesMime", "\xff\xfe\x80", UUMethods::uuMime, "//6A\r\n"},
    {"abcUu", "abc", UUMethods::uuCode, "#86)C\r\n`\r\n"},
    {"abUu", "ab", UUMethods::uuCode, "\"86(\r\n`\r\n"},
    {"aUu", "a", UUMethods::uuCode, "!80\r\n`\r\n"},
    {"emptyUu", "", UUMethods::uuCode, "`\r\n"},
    {"fortySixUu", bytes0To(46), UUMethods::uuCode,
     "M``$\"`P0%!@<(\"0H+#`T.#Q`1$A,4%187&!D:&QP='A\\@(2(C)\"4F)R@I*BLL\r\n!+0\r\n`\r\n"},
};

class EncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, FreeFunctionGivesExactLines) {
    EXPECT_EQ(encodeLines(GetParam().input, GetParam().method), GetParam().expected);
}

TEST_P(EncodeTest, ProcessorOverStreamsGivesSameLinesAndRewindsOutput) {
    TUUProcessor encoder;
    encoder.Method = GetParam().method;
    std::vector<std::string> events;
    encoder.OnBeginEncode = [&] { events.push_back("begin"); };
    encoder.OnEndEncode = [&] { events.push_back("end"); };
    std::istringstream input(GetParam().input);
    input.get(); // the encoder starts from position 0 wherever the stream stands
    std::stringstream output;
    encoder.Encode(input, output);
    EXPECT_EQ(output.tellg(), 0);
    EXPECT_EQ(output.str(), GetParam().expected);
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "end"}));
}

INSTANTIATE_TEST_SUITE_P(Encoder, EncodeTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EncoderLines, FullLinesHoldFortyFiveBytes) {
    const std::string data(100, 'x');
    const std::string mime = base64Lines(data);
    EXPECT_EQ(mime.find("\r\n"), 60u);
    const std::string uu = uuencodeLines(data);
    EXPECT_EQ(uu.substr(0, 1), "M");
    EXPECT_EQ(uu.find("\r\n"), 61u);
}

TEST(AttachmentPart, NameIsLastPathComponent) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/ann/cv/resume.doc", "resume.doc"},
        {"resume.doc", "resume.doc"},
        {"./a b/c.d.e", "c.d.e"},
        {"/dir/", ""},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(attachmentFileName(path), name) << path;
}

TEST(AttachmentPart, HeaderLinesAreExact) {
    EXPECT_EQ(attachmentPartHeader("temp.doc", "B"),
              "--B\r\n"
              "Content-Type: application/octet-stream; name=\"temp.doc\"\r\n"
              "Content-Transfer-Encoding: base64\r\n"
              "Content-Disposition: attachment; filename=\"temp.doc\"\r\n"
              "\r\n");
}

TEST(AttachmentPart, QuoteInFileNameIsEscaped) {
    const std::string header = attachmentPartHeader("my \"best\".doc", "B");
    EXPECT_NE(header.find("name=\"my \\\"best\\\".doc\"\r\n"), std::string::npos) << header;
}

} // namespace
