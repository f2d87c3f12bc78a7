// Scan blocks, table rows and their events, run end to end through the engine on
// small templates over in-memory datasets.
#include "EngineTestSupport.h"
#include "rtfengine/BraceFigures.h"
#include "rtfengine/Errors.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/Scans.h"
#include "rtfengine/UdfList.h"
#include "support/MemoryDataset.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace rtfengine;
using enginetest::render;
using enginetest::TempDir;
using testsupport::MemoryDataset;

namespace {

const std::string kHead = "{\\rtf1\\ansi ";

// The document body without its head, final brace and the language prefix of values.
std::string body(const std::string& document) {
    std::string b = document.substr(kHead.size(), document.size() - kHead.size() - 1);
    for (size_t at; (at = b.find("\\lang0 ")) != std::string::npos;)
        b.erase(at, 7);
    return b;
}

class ScanTest : public ::testing::Test {
protected:
    ScanTest()
        : people("people", {"Name", "Amount"}, {{"Ann", "1"}, {"Bob", "2"}, {"Cy", "3"}}),
          empty("empty", {"Name"}, {}), pets("pets", {"Pet"}, {{"cat"}, {"dog"}}) {
        udfs.add("more", 0, 0, udfrTReportVariable,
                 [this](TRtfEngine&, const TUdfArgs&, std::string& result) {
                     ++calls;
                     result = calls <= trueCalls ? "True" : "False";
                 });
        udfs.add("echo", 1, 1, udfrTReportVariable,
                 [this](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                     ++calls;
                     seen.push_back(args[0].asString());
                     result = calls <= trueCalls ? "True" : "False";
                 });
        udfs.add("rtf", 0, 0, udfrTMemoryStream, nullptr);
        engine.setUdfList(&udfs);
        engine.setVarList({"t=5"});
    }

    std::string run(const std::string& templateBody) {
        return body(render(engine, dir, kHead + templateBody + "}", {&people, &empty, &pets}));
    }

    std::string variable(const std::string& name) {
        const int index = engine.findVariable(name);
        return index > 0 ? engine.variableValue(index) : "<none>";
    }

    TempDir dir;
    MemoryDataset people;
    MemoryDataset empty;
    MemoryDataset pets;
    TUdfList udfs;
    TRtfEngine engine;
    int calls = 0;
    int trueCalls = 0;
    std::vector<std::string> seen;
};

TEST(BraceFigures, BracesAfterABackslashAreEscaped) {
    std::string braces;
    EXPECT_EQ(collectBraces("{\\b a\\{b}\\}}{", &braces), 0);
    EXPECT_EQ(braces, "{}}{");
    EXPECT_EQ(collectBraces("\\\\{"), 0); // after an escaped backslash too
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"{}", ""}, {"{{}}", "{}"}, {"}{", "}{"}, {"{}}{}{", "}{"}, {"{{}{}", "{"}};
    for (const auto& c : cases)
        EXPECT_EQ(dropEmptyGroups(c.in), c.out) << c.in;
}

struct OutputCase {
    const char* in;
    const char* out;
};

TEST_F(ScanTest, BlocksRepeatOverTheirRecords) {
    const OutputCase cases[] = {
        // Without an entry the whole block repeats; with one, the header is written once.
        {R"t(\\scan(A)\\[\\A.Name\\]\\endscan\\.)t", "[Ann][Bob][Cy]."},
        {R"t(\\scan(A)\\H\\scanentry\\[\\A.Name\\]\\endscan\\.)t", "H[Ann][Bob][Cy]."},
        {R"t(\\scan(people)\\<\\scanentry\\\\A.Name\\\\scanfooter\\>\\endscan\\)t", "<AnnBobCy>"},
        // A nested block runs in full, from its first record, for every outer record.
        {R"t(\\scan(A)\\\\A.Name\\:\\scan(C)\\\\C.Pet\\,\\endscan\\;\\endscan\\)t",
         "Ann:cat,dog,;Bob:cat,dog,;Cy:cat,dog,;"},
        {R"t(\\scan(A)\\\\A.Name\\:\\scan(C),noeof\\\\C.Pet\\,\\endscan\\;\\endscan\\)t",
         "Ann:cat,dog,;Bob:cat,dog,;Cy:cat,dog,;"},
        // An empty dataset writes the body once with blank fields, unless "noeof".
        {R"t(<\\scan(B)\\[\\B.Name\\]\\endscan\\>)t", "<[ ]>"},
        {R"t(<\\scan(B),NoEof\\[\\B.Name\\]\\endscan\\>)t", "<>"},
        // "page": a break at the start of every later pass, after the trailing codes.
        {"\\\\scan(A),PAGE\\\\\\b \\par x\\\\endscan\\\\", "\\b x\\b \\page x\\b \\page x"},
        {"\\\\scan(A),page\\\\H\\\\scanentry\\\\{\\i}\\par x\\\\endscan\\\\",
         "H{\\i}x{\\i}\\page x{\\i}\\page x"},
        // A command followed by formatting only swallows its paragraph mark.
        {"a\\\\scan(A)\\\\{\\b}\\par x\\\\endscan\\\\\n\\par z", "a{\\b}x{\\b}x{\\b}x\nz"},
        {"\\\\scan(A)\\\\ y\\par x\\\\endscan\\\\", " y\\par x y\\par x y\\par x"},
        {"\\\\scan(A)\\\\\\pard x\\\\endscan\\\\\\pard\\par", "\\pard x\\pard x\\pard x\\pard"},
        // Square brackets and blanks clean away, so they do not keep the paragraph.
        {"\\\\scan(A)\\\\[]\\par x\\\\endscan\\\\[ ]\\par z", "xxxz"},
        {"\\\\scan(A)\\\\{\\'5b\\'20\\'5D}\\par x\\\\endscan\\\\", "{}x{}x{}x"},
        {"\\\\scan(A)\\\\[y]\\par x\\\\endscan\\\\", "[y]\\par x[y]\\par x[y]\\par x"},
        {"\\\\scan(A)\\\\\\'41\\par x\\\\endscan\\\\", "\\'41\\par x\\'41\\par x\\'41\\par x"},
        // Passes that leave groups open or close too many are evened out.
        {R"t(\\scan(A)\\{\\A.Name\\\\endscan\\)t", "{Ann}{Bob}{Cy"},
        {R"t(\\scan(A)\\\\A.Name\\}\\endscan\\)t", "Ann}{Bob}{Cy}"},
        {R"t(\\scan(A)\\\\A.Name\\{\\scan(C)\\\\C.Pet\\}{\\endscan\\}\\endscan\\)t",
         "Ann{cat}{dog}{}Bob{cat}{dog}{}Cy{cat}{dog}{}"},
        // A left-out block writes the braces of its skeleton and its end's codes.
        {R"t({\\scan(B),noeof\\x}{\\B.Name\\\\endscan\\})t", "{}{}"},
        {"{\\\\scan(B),noeof\\\\x}{\\\\endscan\\\\{\\b}\\par }", "{}{{\\b}}"},
        // The conditional commands vanish and keep what stands between them.
        {R"t(\\scan(A)\\\\IF(x)\\\\A.Name\\\\ENDIF\\\\endscan\\)t", "AnnBobCy"},
    };
    for (const OutputCase& c : cases)
        EXPECT_EQ(run(c.in), c.out) << c.in;
}

TEST_F(ScanTest, WhileConditionsRepeatAndStopBlocks) {
    trueCalls = 3;
    EXPECT_EQ(run(R"t(\\scan(),while(more())\\x\\endscan\\)t"), "xxx");
    EXPECT_EQ(calls, 4); // once before the block and after every pass

    calls = 0;
    trueCalls = 2;
    EXPECT_EQ(run(R"t(\\scan(A),while(more())\\\\A.Name\\\\endscan\\)t"), "AnnBob");

    calls = 0;
    trueCalls = 0;
    EXPECT_EQ(run(R"t(<\\scan(),noeof,while(more())\\x\\endscan\\>)t"), "<>");

    // A pass written while the condition is false does not move on to the next record.
    calls = 0;
    trueCalls = 0;
    EXPECT_EQ(run(R"t(\\scan(A),while(more())\\\\A.Name\\\\endscan\\/\\A.Name\\)t"), "Ann/Ann");

    // A while block in the body ends on its own condition; the outer block still moves
    // on by the condition that started its pass.
    int outerCalls = 0;
    int innerCalls = 0;
    udfs.add("outer", 0, 0, udfrTReportVariable,
             [&outerCalls](TRtfEngine&, const TUdfArgs&, std::string& result) {
                 result = ++outerCalls <= 5 ? "True" : "False";
             });
    udfs.add("inner", 0, 0, udfrTReportVariable,
             [&innerCalls](TRtfEngine&, const TUdfArgs&, std::string& result) {
                 result = ++innerCalls % 2 == 1 ? "True" : "False";
             });
    EXPECT_EQ(
        run(R"t(\\scan(A),while(outer())\\\\A.Name\\\\scan(),while(inner())\\i\\endscan\\\\endscan\\)t"),
        "AnniBobiCyi");

    // The condition is read in lower case, quoted text included.
    calls = 0;
    trueCalls = 1;
    run(R"t(\\scan(),while(Echo("AbC"))\\\\endscan\\)t");
    EXPECT_EQ(seen, (std::vector<std::string>{"abc", "abc"}));
}

TEST_F(ScanTest, LeftOutBlockDeclaresButCallsNothing) {
    const std::string out = run(
        R"t(<\\scan(B),noeof,SUM(B.Name,t),VAR(v)\\\\more()\\\\scan(A)\\\\VAR(w)\\\\endscan\\\\endscan\\>)t");
    EXPECT_EQ(out, "<>");
    EXPECT_EQ(variable("t"), "0");
    EXPECT_EQ(variable("v"), "");
    EXPECT_EQ(variable("w"), "");
    EXPECT_EQ(calls, 0);
}

TEST_F(ScanTest, AccumulatorsResetAtTheFirstPassUnlessNoReset) {
    struct Case {
        const char* in;
        const char* first;
        const char* second;
    } cases[] = {
        {R"t(\\scan(A),SUM(A.Amount,s)\\\\endscan\\)t", "6", "6"},
        {R"t(\\scan(A),SUM(A.Amount,s,noreset)\\\\endscan\\)t", "6", "12"},
        {R"t(\\scan(A)\\\\SUM(A.Amount,s)\\\\endscan\\)t", "6", "6"},
        {R"t(\\scan(A)\\\\endscan,CTN(A.Amount,s)\\)t", "3", "3"},
        {R"t(\\scan(A)\\\\scanfooter,CTN(A.Amount,s)\\\\endscan\\)t", "3", "3"},
        // With an entry, the scan command's functions run once, on the first record.
        {R"t(\\scan(A),CTS(A.Name,s)\\\\scanentry\\\\endscan\\)t", "1", "1"},
    };
    for (const Case& c : cases) {
        engine.setVarList({});
        run(c.in);
        EXPECT_EQ(variable("s"), c.first) << c.in;
        run(c.in);
        EXPECT_EQ(variable("s"), c.second) << c.in;
    }
}

TEST_F(ScanTest, EventsComeInRecordOrder) {
    std::vector<std::string> events;
    auto log = [&events](const char* name) {
        return [&events, name](TScanInfo& info) {
            std::string record;
            if (std::string_view(name) == "record" && info.dataSet && !info.dataSet->eof())
                record = " " + info.dataSet->field(0).asString();
            events.push_back(name + std::to_string(info.scanId) + "/" + std::to_string(info.level) +
                             record);
        };
    };
    engine.OnScanBefore = log("before");
    engine.OnScanRecord = log("record");
    engine.OnScanEof = log("eof");
    struct Case {
        const char* in;
        std::vector<std::string> events;
    } cases[] = {
        {R"t(\\scan(A)\\\\endscan\\)t",
         {"before1/1", "record1/1 Ann", "record1/1 Bob", "record1/1 Cy", "eof1/1"}},
        {R"t(\\scan(A),noeof\\\\scanfooter\\\\endscan\\)t",
         {"before1/1", "record1/1 Ann", "record1/1 Bob", "record1/1 Cy", "eof1/1"}},
        {R"t(\\scan(B)\\\\endscan\\)t", {"before1/1", "record1/1", "eof1/1"}},
        {R"t(\\scan(B),noeof\\\\scan(C)\\\\endscan\\\\endscan\\)t", {"before1/1", "eof1/1"}},
        {R"t(\\scan(C)\\\\scan(B),noeof\\\\endscan\\\\endscan\\)t",
         {"before1/1", "record1/1 cat", "before2/2", "eof2/2", "record1/1 dog", "before2/2",
          "eof2/2", "eof1/1"}},
    };
    for (const Case& c : cases) {
        events.clear();
        run(c.in);
        EXPECT_EQ(events, c.events) << c.in;
    }
}

TEST_F(ScanTest, TableRowsRepeatOverTheDatasetTheirFieldsChoose) {
    engine.setOptions({});
    const OutputCase cases[] = {
        {R"t(\trowd \\A.Name\\\cell\row .)t",
         "\\trowd Ann\\cell\\row\\trowd Bob\\cell\\row\\trowd Cy\\cell\\row ."},
        {R"t(\trowd \\a.Name\\\cell\row)t",
         "\\trowd Ann\\cell\\row\\trowd Bob\\cell\\row\\trowd Cy\\cell\\row"},
        {R"t(\trowd \\A:Name\\\cell\row)t", "\\trowd Ann\\cell\\row"},
        // The first field chooses; a later alias without lower case takes over.
        {R"t(\trowd \\a.Name\\ \\C.Pet\\\cell\row)t",
         "\\trowd Ann cat\\cell\\row\\trowd Ann dog\\cell\\row"},
        {R"t(\trowd \\C.Pet\\ \\a.Name\\\cell\row)t",
         "\\trowd cat Ann\\cell\\row\\trowd dog Ann\\cell\\row"},
        {R"t(\trowd \\B.Name\\\cell\row)t", "\\trowd  \\cell\\row"},
        // The row ends where its braces balance after "\row".
        {R"t({\trowd \\C.Pet\\\cell{\row }}x)t",
         "{\\trowd cat\\cell{\\row }\\trowd dog\\cell{\\row }}x"},
        // Braces in binary picture data open or close nothing.
        {R"t(\trowd \\C.Pet\\{\pict\bin2 {{}\cell\row .)t",
         "\\trowd cat{\\pict\\bin2 {{}\\cell\\row\\trowd dog{\\pict\\bin2 {{}\\cell\\row ."},
        {R"t(\trowd \\C.Pet\\{\pict\bin5 \row}}\cell\row .)t",
         "\\trowd cat{\\pict\\bin5 \\row}}\\cell\\row\\trowd dog{\\pict\\bin5 \\row}}\\cell\\row "
         "."},
        // A row without a command is copied as it stands, whatever its nesting: here
        // a nested row whose group closes before the outer row ends.
        {R"t(\intbl\itap2 a\nestcell{\*\nesttableprops\trowd\cellx1\nestrow})t"
         R"t({\nonesttables\par}\itap1 \cell\trowd\cellx2\row .)t",
         "\\intbl\\itap2 a\\nestcell{\\*\\nesttableprops\\trowd\\cellx1\\nestrow}"
         "{\\nonesttables\\par}\\itap1 \\cell\\trowd\\cellx2\\row ."},
        {R"t({\trowd a\cell}\trowd {\field{\*\fldinst \\A.Name\\}}\cell\row)t",
         "{\\trowd a\\cell}\\trowd {\\field{\\*\\fldinst \\\\A.Name\\\\}}\\cell\\row"},
        // The row's dataset is moved to its first record only the first time the row
        // runs: in the second pass of the block it is still at its end.
        {R"t(\\scan(C)\\\trowd \\A.Name\\\cell\row \\endscan\\)t",
         "\\trowd Ann\\cell\\row\\trowd Bob\\cell\\row\\trowd Cy\\cell\\row "
         "\\trowd  \\cell\\row "},
    };
    for (const OutputCase& c : cases) {
        people.first();
        pets.first();
        EXPECT_EQ(run(c.in), c.out) << c.in;
    }

    people.first();
    engine.setOptions({TRtfOption::eoDotAsColon});
    EXPECT_EQ(run(R"t(\trowd \\A.Name\\\cell\row)t"), "\\trowd Ann\\cell\\row");
}

TEST_F(ScanTest, TableRowModeIsOnWhileARowIsWritten) {
    engine.setOptions({});
    std::vector<bool> modes;
    udfs.add("mode", 0, 0, udfrTReportVariable,
             [&modes](TRtfEngine& sender, const TUdfArgs&, std::string&) {
                 modes.push_back(sender.tableRowMode());
             });
    run(R"t(\\mode()\\\trowd \\A.Name\\\\mode()\\\cell\row \\mode()\\)t");
    EXPECT_EQ(modes, (std::vector<bool>{false, true, true, true, false}));
}

struct FailureCase {
    const char* in;
    const char* message;
};

// Each template fails with its message and class before anything is written.
template <typename E>
void expectFailures(TRtfEngine& engine, const TempDir& dir,
                    std::initializer_list<FailureCase> cases,
                    const std::function<std::string(const std::string&)>& run) {
    for (const FailureCase& c : cases) {
        std::string message = "no failure";
        try {
            run(c.in);
        } catch (const E& e) {
            message = e.what();
        } catch (const std::exception& e) {
            message = std::string("wrong class: ") + e.what();
        }
        EXPECT_EQ(message, c.message) << c.in;
        EXPECT_EQ(engine.lastErrMsg(), message) << c.in;
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.doc")) << c.in;
    }
}

TEST_F(ScanTest, ScanCommandsAreCheckedWhenTranslated) {
    udfs.add("f", 0, 0, udfrTReportVariable, nullptr);
    run("written");
    auto runner = [this](const std::string& in) { return run(in); };
    expectFailures<EIllegalScanUse>(
        engine, dir,
        {
            {R"t(\\scan()\\x\\endscan\\)t",
             "Either \"scan\" with DataSet or \"while\" function must be present in command "
             "scan()"},
            {R"t(\\SCAN(A)x\\\\endscan\\)t", "Illegal using of \"scan\" keyword: SCAN(A)x"},
            {R"t(\\scan(A),x\\\\endscan\\)t",
             "Cannot process expression x in scan command scan(A),x"},
            {R"t(\\scan(A),FFIX(f())\\\\endscan\\)t",
             "Format function FFIX(f()) not allowed in scan command scan(A),FFIX(f())"},
            {R"t(\\scan(A),while(f()),while(f())\\)t",
             "More than one \"while\" function is not allowed in command "
             "scan(A),while(f()),while(f())"},
            {R"t(\\scan(A),while(v)\\)t",
             "User defined function expected as argument for \"while\" in command "
             "scan(A),while(v)"},
            {R"t(\\scan(A),while(FFIX(f()))\\)t",
             "Format function ffix(f()) not allowed in \"while\" function "
             "scan(A),while(FFIX(f()))"},
            {R"t(\\scan(A),while(SUM(A.Amount,t))\\)t",
             "Predefined scan function sum(a.amount,t) not allowed as argument for \"while\" "
             "in command scan(A),while(SUM(A.Amount,t))"},
            {R"t(\\scan(A),while(rtf())\\)t",
             "Result type of \"while\" function rtf() in command scan(A),while(rtf()) must be "
             "udfrTReportVariable"},
            {R"t(\\scan(A),f(()\\)t", "Brackets balance violation in scan command scan(A),f(()"},
            {R"t(\\scanentry\\)t", "Error: Scanentry must be after scan: scanentry"},
            {R"t(\\scan(A)\\\\scanentry\\\\ScanEntry\\\\endscan\\)t",
             "Error: Scanentry already exists for scan block: ScanEntry"},
            {R"t(\\scan(A)\\\\scanfooter\\\\scanentry\\\\endscan\\)t",
             "Error: Scanentry not allowed after scanfooter: scanentry"},
            {R"t(\\scanfooter\\)t", "Error: Scanfooter must be after Scan: scanfooter"},
            {R"t(\\scan(A)\\\\scanfooter\\\\scanfooter\\\\endscan\\)t",
             "Error: Scanfooter already exists for scan block: scanfooter"},
            {R"t(\\scan(A)\\\\endscan\\\\endscan\\)t",
             "Error: Endscan must be after scan: endscan"},
            {R"t(\\scan(A)\\\\scan(C)\\\\endscan\\x)t",
             "Nesting error - endscan expected, but end of document found"},
            {R"t(\trowd \\scan(A)\\\cell\row)t", "Scan must be outside of table: scan(A)"},
            {R"t(\trowd \\scanentry\\\cell\row)t", "Scanentry must be outside of table: scanentry"},
            {R"t(\trowd \\scanfooter\\\cell\row)t",
             "Scanfooter must be outside of table: scanfooter"},
            {R"t(\trowd \\endscan\\\cell\row)t", "Endscan must be outside of table: endscan"},
        },
        runner);
    expectFailures<EIllegalFunctionUse>(
        engine, dir,
        {
            {R"t(\\scan(A),while(nope())\\)t", "Function not found: nope()"},
            {R"t(\\scan(A),nope()\\)t", "Function not found: nope()"},
            {R"t(\\scan(A),VAR(A.Name)\\)t",
             "Illegal function use: A.Name - report variable expected as argument in expression "
             "VAR(A.Name)"},
            {R"t(\\scan(A),VAR(FFIX(v))\\)t",
             "Illegal function use: FFIX(v) - format function not allowed in scan command in "
             "expression VAR(FFIX(v))"},
            {R"t(\\scan(A),SUM('x',t)\\)t",
             "Illegal function use: 'x' - datafield, variable or UDF expected as first argument "
             "in expression SUM('x',t)"},
            {R"t(\\scan(A),SUM(FFIX(A.Amount),t)\\)t",
             "Illegal function use: FFIX(A.Amount) - format function not allowed in scan "
             "command in expression SUM(FFIX(A.Amount),t)"},
            {R"t(\\scan(A),SUM(A.Amount,'t')\\)t",
             "Illegal function use: 't' - report variable expected as second argument in "
             "expression SUM(A.Amount,'t')"},
            {R"t(\\scan(A),SUM(A.Amount,t,x)\\)t",
             "Illegal function use: x - symbol \")\" or keyword \"NORESET\" expected as third "
             "argument in expression SUM(A.Amount,t,x)"},
            {R"t(\trowd \\IF(x)\\\cell\row)t", "IF, ENDIF must be outside of table: IF(x)"},
            {R"t(\trowd \\ENDIF\\\cell\row)t", "IF, ENDIF must be outside of table: ENDIF"},
        },
        runner);
    expectFailures<EBadRtfFormat>(
        engine, dir,
        {{R"t(\trowd \\A.Name\\\cell)t", "Not found end of the table in RTF file."},
         // A row whose command needs the row's end, in a group closing before it.
         {R"t({\*\nesttableprops\trowd\nestrow}\\A.Name\\\cell\row)t",
          "Not found end of the table in RTF file."}},
        runner);
    expectFailures<EIllegalScanUse>(
        engine, dir,
        {{R"t(\\scan(Z)\\\\endscan\\)t", "Scan Alias not found: Z"},
         // Items follow the parentheses, not inside them.
         {R"t(\\scan(A,noeof)\\\\endscan\\)t", "Scan Alias not found: A,noeof"}},
        runner);
}

TEST_F(ScanTest, HostileTemplatesEndCleanly) {
    engine.setOptions({});
    const std::string deep = std::string(100000, '{') + "x" + std::string(100000, '}');
    EXPECT_EQ(run(R"t(\\scan(A)\\)t" + deep + R"t(\\endscan\\)t"), deep + deep + deep);
    const std::string open = std::string(100000, '{');
    EXPECT_THROW(run("\\trowd \\\\A.Name\\\\" + open + "\\row "), EBadRtfFormat);
    EXPECT_EQ(run("\\trowd " + open + "\\row "), "\\trowd " + open + "\\row ");
    // Calls nested as deep as a command's length allows are translated and run.
    udfs.add("g", 0, 1, udfrTReportVariable,
             [](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                 result = args.empty() ? "1" : std::to_string(std::stoi(args[0].asString()) + 1);
             });
    std::string nested = "g()";
    for (int i = 1; i < 3300; ++i)
        nested = "g(" + nested + ")";
    EXPECT_EQ(run("\\\\" + nested + "\\\\"), "3300");
    // A command longer than a command may be stays in the document as text.
    const std::string longCommand = "\\\\scan(A)," + std::string(10000, 'x') + "\\\\";
    EXPECT_EQ(run(longCommand), longCommand);
}

} // namespace
