#include "mail/MessageBuilder.h"
#include "mail/ExStrings.h"
#include "mail/MailErrors.h"

#include <gtest/gtest.h>

using namespace mail;

namespace {

TPostMessage baseMessage() {
    TPostMessage m;
    m.FromName = "Ann Lee";
    m.FromAddress = "ann@example.org";
    m.ToAddress = {"bob@example.org"};
    m.Subject = "My resume";
    return m;
}

TEST(BuildHeader, PlainMessageWithDisplayName) {
    EXPECT_EQ(buildHeader(baseMessage(), "", TSubType::mtPlain, "us-ascii").lines(),
              (std::vector<std::string>{"From: Ann Lee<ann@example.org>", "To: bob@example.org",
                                        "Subject: My resume", "Mime-Version: 1.0",
                                        "Content-Type: text/plain; charset=us-ascii"}));
}

TEST(BuildHeader, RecipientListsAndOptionalFields) {
    TPostMessage m = baseMessage();
    m.FromName.clear();
    m.ToAddress = {"Bob <bob@example.org>", "cy@example.org"};
    m.ToCarbonCopy = {"dee@example.org", "eve@example.org"};
    m.ToBlindCarbonCopy = {"secret@example.org"};
    m.Subject.clear();
    m.LocalProgram = "Vitacraft";
    m.ReplyTo = "reply@example.org";
    m.Date = "Mon, 1 Jan 2024 10:00:00 +0000";
    EXPECT_EQ(buildHeader(m, "XYZ", TSubType::mtHtml, "utf-8").lines(),
              (std::vector<std::string>{
                  "From: <ann@example.org>", "To: Bob <bob@example.org>,cy@example.org",
                  "CC: dee@example.org,eve@example.org", "X-Mailer: Vitacraft",
                  "Reply-To: reply@example.org", "Date: Mon, 1 Jan 2024 10:00:00 +0000",
                  "Mime-Version: 1.0", "Content-Type: multipart/mixed; boundary=\"XYZ\""}));
}

TEST(BuildHeader, SubTypesWithoutAttachments) {
    const std::pair<TSubType, const char*> cases[] = {
        {TSubType::mtPlain, "Content-Type: text/plain; charset=x"},
        {TSubType::mtEnriched, "Content-Type: text/enriched; charset=x"},
        {TSubType::mtSgml, "Content-Type: text/sgml; charset=x"},
        {TSubType::mtTabSeperated, "Content-Type: text/tab-separated-values; charset=x"},
        {TSubType::mtHtml, "Content-Type: text/html; charset=x"},
    };
    for (const auto& [subType, line] : cases) {
        const TExStringList h = buildHeader(baseMessage(), "", subType, "x");
        EXPECT_EQ(h.lines().back(), line);
    }
}

TEST(BodyText, DotStuffingAndLineBreaks) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, ""},
        {{""}, "\r\n"},
        {{"."}, "..\r\n"},
        {{".hidden", "a.b", " .x"}, "..hidden\r\na.b\r\n .x\r\n"},
        // A line break inside an entry never lets a "." line end the data early.
        {{"one\r\n.\r\nMAIL FROM:<x>"}, "one\r\n..\r\nMAIL FROM:<x>\r\n"},
        {{"a\nb\rc"}, "a\r\nb\r\nc\r\n"},
    };
    for (const auto& [lines, expected] : cases)
        EXPECT_EQ(bodyText(lines), expected);
}

TEST(ExtractAddress, Forms) {
    const std::pair<const char*, const char*> cases[] = {
        {"bob@example.org", "bob@example.org"},
        {"Bob Smith <bob@example.org>", "bob@example.org"},
        {"<bob@example.org", "bob@example.org"},
        {"friends:bob@example.org", "bob@example.org"},
        {"friends:bob@example.org:more", "bob@example.org"},
        {"a@x.org, b@y.org", "a@x.org, b@y.org"},
        {"friends:", ""},
        {"", ""},
        {"<>", ""},
    };
    for (const auto& [entry, address] : cases)
        EXPECT_EQ(extractAddress(entry), address) << entry;
}

TEST(CheckHeaderFields, RefusesLineBreaksInEveryField) {
    using Set = void (*)(TPostMessage&);
    const std::pair<Set, const char*> cases[] = {
        {[](TPostMessage& m) { m.FromName = "Ann\r\nBcc: x@y"; }, "sender's name"},
        {[](TPostMessage& m) { m.FromAddress = "a@b\n"; }, "sender's e-mail address"},
        {[](TPostMessage& m) { m.ToAddress.push_back("c@d>\r\nRSET"); }, "recipient"},
        {[](TPostMessage& m) { m.ToBlindCarbonCopy = {"c@d\r"}; }, "recipient"},
        {[](TPostMessage& m) { m.Subject = "Hi\nX-Evil: 1"; }, "subject"},
        {[](TPostMessage& m) { m.Subject = std::string("Hi\0there", 8); }, "subject"},
        {[](TPostMessage& m) { m.Attachments = {"/tmp/a\nb.doc"}; }, "attached file"},
    };
    for (const auto& [set, what] : cases) {
        TPostMessage m = baseMessage();
        set(m);
        try {
            checkHeaderFields(m);
            ADD_FAILURE() << what << " not refused";
        } catch (const EMailError& e) {
            EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
        }
    }
    TPostMessage fine = baseMessage();
    fine.Attachments = {"/tmp/folder\nname/ok.doc"};
    EXPECT_NO_THROW(checkHeaderFields(fine));
}

TEST(ExStringList, IndexOfNameIgnoresCaseAndNeedsColon) {
    const TExStringList list{"From: a", "subject: b", "Subject", "X-Mailer:c"};
    EXPECT_EQ(list.indexOfName("SUBJECT"), 1);
    EXPECT_EQ(list.indexOfName("x-mailer"), 3);
    EXPECT_EQ(list.indexOfName("To"), -1);
    EXPECT_EQ(list.indexOfName("Subj"), -1);
}

TEST(ExStringList, SetHeaderReplacesAppendsAndDeletes) {
    TExStringList list{"From: a", "Subject: old"};
    list.setHeader("subject", "new");
    list.setHeader("Date", "today");
    EXPECT_EQ(list, (TExStringList{"From: a", "subject: new", "Date: today"}));
    list.setHeader("From", "");
    list.setHeader("Absent", "");
    EXPECT_EQ(list, (TExStringList{"subject: new", "Date: today"}));
    EXPECT_EQ(list.text(), "subject: new\r\nDate: today\r\n");
}

} // namespace
