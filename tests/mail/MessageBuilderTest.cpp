#include "mail/MessageBuilder.h"
#include "mail/ExStrings.h"
#include "mail/MailErrors.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(BuildHeader, StampAddsDateAndMessageIdUnlessTheMessageNamesADate) {
    const HeaderStamp stamp{"Tue, 02 Jan 2024 03:04:05 +0100", "<1.x@example.org>"};
    const std::vector<std::string> stamped{"From: Ann Lee<ann@example.org>",
                                           "To: bob@example.org",
                                           "Subject: My resume",
                                           "Date: Tue, 02 Jan 2024 03:04:05 +0100",
                                           "Message-ID: <1.x@example.org>",
                                           "Mime-Version: 1.0",
                                           "Content-Type: text/plain; charset=us-ascii"};
    EXPECT_EQ(buildHeader(baseMessage(), "", TSubType::mtPlain, "us-ascii", stamp).lines(),
              stamped);
    TPostMessage dated = baseMessage();
    dated.Date = "Mon, 1 Jan 2024 10:00:00 +0000";
    const TExStringList header = buildHeader(dated, "", TSubType::mtPlain, "us-ascii", stamp);
    EXPECT_EQ(header[3], "Date: Mon, 1 Jan 2024 10:00:00 +0000");
    EXPECT_EQ(header.indexOfName("Date"), 3);
}

TEST(MessageDate, Rfc5322DatesWithTheirOffset) {
    // Expected texts from a scripting language's standard e-mail date formatter.
    const std::tuple<std::int64_t, int, const char*> cases[] = {
        {0, 0, "Thu, 01 Jan 1970 00:00:00 +0000"},
        {-1, 0, "Wed, 31 Dec 1969 23:59:59 +0000"},
        {951782400, 0, "Tue, 29 Feb 2000 00:00:00 +0000"},
        {1704161045, 60, "Tue, 02 Jan 2024 03:04:05 +0100"},
        {1704164645, -330, "Mon, 01 Jan 2024 21:34:05 -0530"},
        {1709210096, 840, "Fri, 01 Mar 2024 02:34:56 +1400"},
        {253402300799, 0, "Fri, 31 Dec 9999 23:59:59 +0000"},
    };
    for (const auto& [seconds, offset, text] : cases)
        EXPECT_EQ(messageDate({seconds, offset}), text) << seconds;
}

TEST(MessageId, DomainOfTheSenderOrLocalhost) {
    const std::pair<const char*, const char*> cases[] = {
        {"ann@example.org", "<42.abc@example.org>"},
        {"ann@mail.example-x.org", "<42.abc@mail.example-x.org>"},
        {"ann", "<42.abc@localhost>"},
        {"ann@", "<42.abc@localhost>"},
        {"ann@exa mple>.org", "<42.abc@localhost>"},
        {"", "<42.abc@localhost>"},
    };
    for (const auto& [from, id] : cases)
        EXPECT_EQ(messageId({42, 60}, "abc", from), id) << from;
}

TEST(BuildHeader, TextThatIsNotAsciiIsEncoded) {
    TPostMessage m = baseMessage();
    m.FromName = " Micha\xc5\x82 Nowak ";
    m.ToAddress = {"J\xc3\xb6rg <j@x.de>", "bob@example.org"};
    m.Subject = "R\xc3\xa9sum\xc3\xa9";
    m.Body = {"Gr\xc3\xbc\xc3\x9f"
              "e"};
    EXPECT_EQ(
        buildHeader(m, "", TSubType::mtPlain, "us-ascii").lines(),
        (std::vector<std::string>{"From: =?utf-8?q?Micha=C5=82_Nowak?= <ann@example.org>",
                                  "To: =?utf-8?q?J=C3=B6rg?= <j@x.de>,bob@example.org",
                                  "Subject: =?utf-8?q?R=C3=A9sum=C3=A9?=", "Mime-Version: 1.0",
                                  "Content-Type: text/plain; charset=utf-8",
                                  "Content-Transfer-Encoding: quoted-printable"}));
    // With attachments the text part says how it is written.
    EXPECT_EQ(buildHeader(m, "B", TSubType::mtPlain, "us-ascii").lines().back(),
              "Content-Type: multipart/mixed; boundary=\"B\"");
    EXPECT_EQ(textPartHeader(m.Body, "us-ascii", "B"),
              "--B\r\nContent-Type: text/plain; charset=utf-8\r\n"
              "Content-Transfer-Encoding: quoted-printable\r\n\r\n");
    EXPECT_EQ(textPartHeader({"Hi"}, "us-ascii", "B"),
              "--B\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n");
}

TEST(TextBody, AsciiAsItIsOtherTextQuotedPrintableAndDotStuffed) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{".", "a = b "}, "..\r\na = b \r\n"},
        {{"\xc3\xa9", ".", "x\ny"}, "=C3=A9\r\n..\r\nx\r\ny\r\n"},
        // A soft line break that leaves "." at the start of a line.
        {{std::string(75, 'x') + ".\xc3\xa9"}, std::string(75, 'x') + "=\r\n..=C3=A9\r\n"},
    };
    for (const auto& [lines, text] : cases)
        EXPECT_EQ(textBody(lines), text);
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
