#include "rtfengine/RtfEngine.h"

#include "EngineTestSupport.h"
#include "rtfengine/Errors.h"
#include "rtfengine/FormatSettings.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/UdfList.h"
#include "support/MemoryDataset.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace rtfengine;
using enginetest::readFile;
using enginetest::render;
using enginetest::TempDir;
using enginetest::writeFile;
using testsupport::MemoryDataset;

namespace {

const std::string kHead = "{\\rtf1\\ansi ";

std::string rtf(const std::string& body) {
    return kHead + body + "}";
}

// The body of a rendered document between the head above and the final brace.
std::string body(const std::string& document) {
    if (document.size() < kHead.size() + 1)
        return document;
    return document.substr(kHead.size(), document.size() - kHead.size() - 1);
}

class EngineTest : public ::testing::Test {
protected:
    EngineTest()
        : people("people", {"Name", "Amount", "Flag", "Born", "Blank", "Term", "Unset"},
                 {{"Ann", "1234.5", "True", "1990-05-17 00:00:00", "  ", "September 2019", ""},
                  {"Zo\xC3\xAB", "0", "False", "2001-01-02 00:00:00", "x"}},
                 {FieldKind::Other, FieldKind::Other, FieldKind::Boolean, FieldKind::Date,
                  FieldKind::Other, FieldKind::Date, FieldKind::Date}),
          empty("empty", {"Name"}, {}) {
        FormatSettings::setCurrent(FormatSettings::usEnglish());
        engine.setLang(1033);
        engine.setVarList(
            {"Total=12", "YearFormat=yyyy", "AddressString=''", "Link=http://x.org|Site"});
        engine.setUdfList(&udfs);
    }
    ~EngineTest() override { FormatSettings::setCurrent(FormatSettings::fromSystemLocale()); }

    std::string run(const std::string& templateBody) {
        return body(render(engine, dir, rtf(templateBody), {&people, &empty}));
    }

    // The message of the failure a template body makes, checking its class.
    template <typename E> std::string failure(const std::string& templateBody) {
        try {
            run(templateBody);
        } catch (const E& e) {
            EXPECT_FALSE(engine.executeSuccessful());
            EXPECT_EQ(engine.lastErrMsg(), e.what());
            return e.what();
        } catch (const std::exception& e) {
            return std::string("wrong class: ") + e.what();
        }
        return "no failure";
    }

    TempDir dir;
    MemoryDataset people;
    MemoryDataset empty;
    TUdfList udfs;
    TRtfEngine engine;
};

} // namespace

TEST_F(EngineTest, WritesValuesFieldsAndFormats) {
    engine.setTrueValue("Yes");
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"Hi \\\\A.Name\\\\!", "Hi \\lang1033 Ann!"},
        {"\\\\A.{\\b Name}\\\\", "\\lang1033 Ann{\\b }"},
        {"\\\\A.[Name]\\\\", "\\lang1033 Ann"},
        {"\\\\people.name\\\\", "\\lang1033 Ann"},
        {"\\\\A.(0)\\\\", "\\lang1033 Ann"},
        {"\\\\'x'\\\\", "\\lang1033 x"},
        // A quoted literal is template text: code page 1252 bytes, never read as UTF-8.
        {"\\\\'\\'c3\\'a9'\\\\", "\\lang1033 \\'C3\\'A9"},
        {"\\\\'caf\\'e9\\'93\\'09x'\\\\", "\\lang1033 caf\\'E9\\'93\\tab x"},
        {"\\\\'a\\{b\\}\\'0d\\'0a\\'0b\\'0c'\\\\", "\\lang1033 a\\{b\\}\\par \n\\line \\page "},
        {"\\\\FNUM('\\'c3\\'a9')\\\\", "\\lang1033 \\'C3\\'A9"},
        {"\\\\1.50\\\\", "\\lang1033 1.5"},
        {"\\\\\\lquote it\\rquote s\\rquote \\\\", "\\\\\\lquote it\\rquote s\\rquote \\\\"},
        {"\\\\total\\\\", "\\lang1033 12"},
        {"\\\\AddressString\\\\", "\\lang1033 ''"},
        {"\\\\Missing\\\\", "\\\\Missing\\\\"},
        {"\\\\A.Nope\\\\", "\\\\A.Nope\\\\"},
        {"\\\\Z.Name\\\\", "\\\\Z.Name\\\\"},
        {"\\\\\\\\", "\\\\\\\\"},
        {"\\\\FNUM(A.Amount,2)\\\\", "\\lang1033 1,234.50"},
        {"\\\\FFIXR(A.Amount,2)\\\\", "\\lang1033 1234-50"},
        {"\\\\FFIXR(1234,2)\\\\", "\\lang1033 1234="},
        {"\\\\FFIX(0)\\\\", "\\lang1033 0.00"},
        {"\\\\FNUM(A.Name)\\\\", "\\lang1033 Ann"},
        {"\\\\A.Flag\\\\", "\\lang1033 Yes"},
        {"\\\\A.Born\\\\", "\\lang1033 1990-05-17"},
        {"\\\\FDTM(A.Born,'yyyy')\\\\", "\\lang1033 1990"},
        {"\\\\FDTM(A.Born,YearFormat)\\\\", "\\lang1033 1990"},
        // A date value whose stored text is no date is written as stored; a blank one
        // writes nothing.
        {"\\\\A.Term\\\\", "\\lang1033 September 2019"},
        {"\\\\FDTM(A.Term,'yyyy')\\\\", "\\lang1033 September 2019"},
        {"\\\\A.Unset\\\\", "\\lang1033 "},
        {"\\\\FDTM(A.Unset,'yyyy')\\\\", "\\lang1033 "},
        {"\\\\FDTM('3/4/2020',\\ldblquote mmm\\rdblquote )\\\\", "\\lang1033 Mar"},
        {"\\\\B.Name\\\\", " "},
        {"\\\\B.{\\i Name}\\\\", " {\\i }"},
        {"\\\\IF(x)\\\\kept\\\\ENDIF\\\\", "kept"},
        // The conditional commands keep their formatting, not the characters typed in them.
        {"a\\\\IF(A.Amount>1)\\\\b\\\\ENDIF\\\\", "ab"},
        {"\\\\IF({\\b A.Amount}<>1;)\\\\x\\\\ENDIF;\\\\", "{\\b }x"},
        {"\\\\A.Name\\\\\\\\A.Name\\\\", "\\lang1033 Ann\\lang1033 Ann"},
        {"{\\field{\\*\\fldinst x \\\\A.Name\\\\}}", "{\\field{\\*\\fldinst x \\\\A.Name\\\\}}"},
        {"\\\\A.Name\\par x\\\\", "\\\\A.Name\\par x\\\\"},
        {"\\\\FLNK(Link)\\\\",
         "{\\field{\\*\\fldinst {\\lang1033 HYPERLINK \"http://x.org\" }}{\\fldrslt \\lang1033 "
         "Site}}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.in), c.out) << c.in;
    people.moveTo(1);
    people.first(); // the engine never moves a dataset outside scans
    EXPECT_EQ(run("\\\\A.Name\\\\"), "\\lang1033 Ann");
}

TEST_F(EngineTest, TextValuesAreConvertedAtTheBoundary) {
    engine.setVarList({"Note=Zo\xC3\xAB {x}\r\nnext \xD0\x96"});
    EXPECT_EQ(run("\\\\Note\\\\"), "\\lang1033 Zo\\'EB \\{x\\}\\par next \\u1046\\'3F");
}

TEST_F(EngineTest, OptionsChangeMissingValuesAndZeros) {
    engine.setOptions({TRtfOption::eoClearMissedFields, TRtfOption::eoNumericFormatClearZero});
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"\\\\Missing{\\b }\\\\", "{\\b }"},    {"\\\\A.Nope\\\\", ""},
        {"\\\\Unknown(1)\\cf1 \\\\", "\\cf1 "}, {"\\\\FFIX(0)\\\\", "\\lang1033 "},
        {"\\\\FCUR(0)\\\\", "\\lang1033 "},     {"\\\\FFIX(0.5,0)\\\\", "\\lang1033 1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.in), c.out) << c.in;
    // Without eoDotAsColon a dot field names an alias; one that is no dataset stays.
    engine.setOptions({});
    EXPECT_EQ(run("\\\\Name.txt\\\\"), "\\\\Name.txt\\\\");
    EXPECT_EQ(run("\\\\Unknown(1)\\\\"), "\\\\Unknown(1)\\\\");
}

TEST_F(EngineTest, DocumentWithoutCommandsKeepsItsBytesAndRewritesTheHead) {
    const std::string in = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                           "{\\colortbl;\\red255\\green0\\blue0;}{\\info{\\author someone}}"
                           "{\\pict\\bin3 }}}x}Hello \\\\* keep\\par}";
    const std::string out = render(engine, dir, in);
    EXPECT_EQ(out, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset1 Arial;}}\r\n"
                   "{\\colortbl;\\red255\\green0\\blue0;}{\\info}"
                   "{\\pict\\bin3 }}}x}Hello \\\\* keep\\par}");
    engine.setKeepTemplateCharsets(true);
    std::string kept = out;
    kept.replace(kept.find("fcharset1"), 9, "fcharset0");
    EXPECT_EQ(render(engine, dir, in), kept);
}

TEST(InformationGroup, NamesTitleAndAuthorAsEscapedText) {
    const struct {
        DocumentInformation information;
        std::string group;
    } cases[] = {
        {{}, "{\\info}"},
        {{"R\xC3\xA9sum\xC3\xA9 of Ann", ""}, "{\\info{\\title R\\'E9sum\\'E9 of Ann}}"},
        {{"", "Ann"}, "{\\info{\\author Ann}}"},
        {{"a{b}\\c", "\xC5\x81\xC3\xB3"
                     "d\xC5\xBA \xE4\xB8\xAD"},
         "{\\info{\\title a\\{b\\}\\\\c}{\\author \\u321\\'4C\\'F3d\\u378\\'7A "
         "\\u20013\\'3F}}"},
        {{"Ann\r\nLee\tX", ""}, "{\\info{\\title Ann  Lee X}}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(informationGroup(c.information), c.group) << c.group;
}

TEST_F(EngineTest, TheTemplateFilterSeesTheBytesReadAndTheFileStaysAsItWas) {
    engine.setTemplateFilter([](std::string bytes) { return bytes.replace(7, 3, "new"); });
    EXPECT_EQ(render(engine, dir, "{\\rtf1 old}"), "{\\rtf1 new}");
    EXPECT_EQ(readFile(dir.path() / "template.rtf"), "{\\rtf1 old}");
    // What is not RTF is refused before any filter would see it.
    int calls = 0;
    engine.setTemplateFilter([&](std::string bytes) {
        ++calls;
        return bytes;
    });
    EXPECT_THROW(render(engine, dir, "plain"), rtfengine::EBadRtfFormat);
    EXPECT_EQ(calls, 0);
}

TEST_F(EngineTest, DocumentInformationReplacesTheTemplatesGroup) {
    engine.setInformation({"CV", "Zo\xC3\xAB"});
    EXPECT_EQ(render(engine, dir, "{\\rtf1{\\info{\\title Old}}x}"),
              "{\\rtf1{\\info{\\title CV}{\\author Zo\\'EB}}x}");
}

TEST_F(EngineTest, ColourNumbersKeepNamingTheirColours) {
    // As iText writes it: white first, so "\\cb0" is a white background.
    const std::string in = "{\\rtf1{\\colortbl\\red255\\green255\\blue255;;"
                           "\\red0\\green0\\blue255;}\\cb0\\cf2 x}";
    EXPECT_EQ(render(engine, dir, in), in);
}

TEST_F(EngineTest, UserDefinedFunctionsByResultType) {
    std::vector<std::string> calls;
    udfs.add("Text", 0, 2, udfrTReportVariable,
             [&](TRtfEngine& sender, const TUdfArgs& args, std::string& result) {
                 EXPECT_EQ(&sender, &engine);
                 std::string joined;
                 for (const TUdfArg& a : args)
                     joined += "[" + a.asString() + "]";
                 calls.push_back("Text" + joined);
                 result = joined.empty() ? "1234.5" : joined;
             });
    udfs.add("Rtf", 0, 1, udfrTMemoryStream,
             [](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                 result = args.empty() ? "{\\b raw}" : "";
             });
    udfs.add("Nothing", 0, 0, udfrNil,
             [](TRtfEngine&, const TUdfArgs&, std::string& result) { result = "ignored"; });
    udfs.add("NoHandler", 0, 0, udfrTReportVariable, nullptr);
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"\\\\Text()\\\\", "\\lang1033 1234.5"},
        {"\\\\FNUM(Text(),1)\\\\", "\\lang1033 1,234.5"},
        {"\\\\Text(A.Name, 'a\\{b')\\\\", "\\lang1033 [Ann][a\\{b]"},
        {"\\\\Rtf(){\\i }\\\\", "{\\b raw}{\\i }"},
        {"\\\\Rtf(1){\\i }\\\\", "{\\i }"},
        {"\\\\Nothing(){\\i }\\\\", "{\\i }"},
        {"\\\\NoHandler(){\\i }\\\\", "\\lang1033 {\\i }"},
        {"\\\\Text(Total)\\\\", "\\lang1033 [12]"},
        {"\\\\text(B.Name)\\\\", "\\lang1033 []"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.in), c.out) << c.in;
}

TEST_F(EngineTest, NestedCallsRunInnermostFirst) {
    std::vector<std::string> order;
    udfs.add("F", 2, 2, udfrTReportVariable,
             [&](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                 ASSERT_NE(args[0].field(), nullptr);
                 ASSERT_NE(args[1].variable(), nullptr);
                 EXPECT_TRUE(args[1].variable()->isLocal());
                 order.push_back("F(" + args[0].asString() + "," + args[1].asString() + ")");
                 result = "done";
             });
    udfs.add("G", 2, 2, udfrTReportVariable,
             [&](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                 EXPECT_TRUE(args[0].variable()->isLocal());
                 EXPECT_FALSE(args[1].variable()->isLocal());
                 args[1].variable()->setString("changed");
                 order.push_back("G(" + args[0].asString() + ")");
                 result = "g";
             });
    engine.setVarList({"v=orig"});
    EXPECT_EQ(run("\\\\F(A.Name, G(1, v))\\\\"), "\\lang1033 done");
    EXPECT_EQ(order, (std::vector<std::string>{"G(1)", "F(Ann,g)"}));
    EXPECT_EQ(engine.varList(), std::vector<std::string>{"v=changed"});
}

TEST_F(EngineTest, CallChecksWhenTranslating) {
    udfs.add("F", 1, 2, udfrTReportVariable, nullptr);
    udfs.add("Frag", 0, 0, udfrTMemoryStream, nullptr);
    udfs.add("Bad", 0, 0, static_cast<TUdfResultType>(4), nullptr);
    struct Case {
        const char* in;
        const char* message;
    } cases[] = {
        {"\\\\F()\\\\", "Illegal function use: F() - number of arguments is less than minimum "
                        "required"},
        {"\\\\F(1,2,3)\\\\", "Illegal function use: F(1,2,3) - number of arguments is more than "
                             "maximum allowed"},
        {"\\\\F(H(1))\\\\", "Function not found: H(1)"},
        {"\\\\F(F(1,2,3))\\\\", "Illegal function use: F(1,2,3) - number of arguments is more "
                                "than maximum allowed"},
        {"\\\\F(FNUM(1))\\\\", "Illegal function use: expression FNUM(1) has format function "
                               "FNUM, which is not allowed within another expression"},
        {"\\\\F(.x)\\\\", "Cannot use .x as argument for another expression"},
        {"\\\\FNUM(Frag())\\\\", "Format function FNUM doesn't conform to it's expression: Frag()"},
        {"\\\\FFIX(SUM(1,t))\\\\", "Format function FFIX doesn't conform to it's expression: "
                                   "SUM(1,t)"},
        {"\\\\F(1,f(2)\\\\", "Brackets balance violation in function F(1,f(2)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failure<EIllegalFunctionUse>(c.in), c.message) << c.in;
    // A call that does not balance is no call: it stays as text.
    EXPECT_EQ(run("\\\\F(1\\\\"), "\\\\F(1\\\\");
}

TEST_F(EngineTest, CallChecksWhenEvaluating) {
    udfs.add("F", 1, 1, udfrTReportVariable, nullptr);
    udfs.add("Bad", 0, 0, static_cast<TUdfResultType>(4), nullptr);
    EXPECT_EQ(failure<EIllegalFunctionUse>("x\\\\F(nope)\\\\"),
              "Illegal function use: F(nope) - report variable nope not found");
    EXPECT_EQ(failure<EIllegalFunctionUse>("\\\\F(A.zz)\\\\"),
              "Illegal function use: F(A.zz) - dataset field zz not found");
    EXPECT_EQ(failure<EIllegalFunctionUse>("\\\\Bad()\\\\"),
              "Result type defined in functionBad is not supported");
}

TEST_F(EngineTest, PredefinedFunctionsOutsideScans) {
    engine.setVarList({"x=5", "Name=  "});
    EXPECT_EQ(run("\\\\SUM(A.Amount,t)\\\\\\\\SUM(x,t)\\\\\\\\VAR(x, y){\\b }\\\\"), "{\\b }");
    // Outside scans every call starts its target again from 0.
    EXPECT_EQ(engine.varList(), (std::vector<std::string>{"x=5", "Name=  ", "t=5", "y="}));
    run("\\\\SUM(x,t,noreset)\\\\\\\\SUM(x,t, NORESET)\\\\\\\\CTN(x,n)\\\\\\\\CTS(Name,s)\\\\"
        "\\\\CTS(A.Name,s2)\\\\");
    EXPECT_EQ(engine.varList(),
              (std::vector<std::string>{"x=5", "Name=  ", "t=15", "y=", "n=1", "s=0", "s2=1"}));
    // Written as a command, a literal is a value of its own, and a third argument other
    // than NORESET leaves the reset on.
    engine.setVarList({"x=5"});
    run("\\\\SUM(2.5,T)\\\\\\\\CTN('0',z)\\\\\\\\CTS(\"a\",c)\\\\\\\\SUM(x,u,again)\\\\"
        "\\\\SUM(x,u, again)\\\\");
    EXPECT_EQ(engine.varList(), (std::vector<std::string>{"x=5", "T=2.5", "z=0", "c=1", "u=5"}));
    struct Case {
        const char* in;
        const char* message;
    } cases[] = {
        {"\\\\SUM(zz,t)\\\\", "Illegal function use: SUM(zz,t) - report variable zz not found"},
        {"\\\\VAR(x,'lit')\\\\",
         "Illegal function use: VAR(x,'lit') - VAR function may be used only with variable "
         "identifiers"},
        {"\\\\SUM(x,'t')\\\\", "Illegal function use: 't' - report variable expected as second "
                               "argument in expression SUM(x,'t')"},
        {"\\\\SUM(x)\\\\", "Illegal function use: SUM(x) - number of arguments is less than "
                           "minimum required"},
        {"\\\\SUM(2.5,A.Name)\\\\", "Illegal function use: A.Name - report variable expected as "
                                    "second argument in expression SUM(2.5,A.Name)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failure<EIllegalFunctionUse>(c.in), c.message) << c.in;
}

TEST_F(EngineTest, UserFunctionHidesPredefinedOfSameName) {
    udfs.add("sum", 0, 5, udfrTReportVariable,
             [](TRtfEngine&, const TUdfArgs&, std::string& result) { result = "mine"; });
    EXPECT_EQ(run("\\\\SUM(1)\\\\"), "\\lang1033 mine");
}

TEST_F(EngineTest, TemplateThatIsNotRtfLeavesOutFileUntouched) {
    writeFile(dir.path() / "out.doc", "previous");
    for (const char* text : {"plain text", "", "{\\rt", "{\\RTF1}"}) {
        writeFile(dir.path() / "template.rtf", text);
        engine.setInFile((dir.path() / "template.rtf").string());
        engine.setOutFile((dir.path() / "out.doc").string());
        try {
            engine.generate({});
            ADD_FAILURE() << text;
        } catch (const EBadRtfFormat& e) {
            EXPECT_STREQ(e.what(), "Template is not RTF file.");
        }
        EXPECT_EQ(readFile(dir.path() / "out.doc"), "previous");
        EXPECT_FALSE(engine.executeSuccessful());
        EXPECT_EQ(engine.lastErrMsg(), "Template is not RTF file.");
    }
    EXPECT_EQ(run("ok"), "ok");
    EXPECT_TRUE(engine.executeSuccessful());
    EXPECT_EQ(engine.lastErrMsg(), "No errors.");
}

TEST_F(EngineTest, MissingTemplateFailsEveryRun) {
    const std::string path = (dir.path() / "none.rtf").string();
    engine.setInFile(path);
    for (int i = 0; i < 2; ++i) {
        try {
            engine.generate({});
            ADD_FAILURE();
        } catch (const EIOError& e) {
            EXPECT_EQ(std::string(e.what()), "Can't read report template from file: " + path);
        }
    }
}

TEST_F(EngineTest, FailedTranslationRemovesOldOutputAndWorkingFiles) {
    const TempDir tmp;
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", tmp.path().c_str(), 1);
    writeFile(dir.path() / "out.doc", "previous");
    EXPECT_EQ(failure<EIllegalFunctionUse>("\\\\SUM(zz,t)\\\\"),
              "Illegal function use: SUM(zz,t) - report variable zz not found");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.doc"));
    EXPECT_EQ(run("fine"), "fine");
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));
}

TEST_F(EngineTest, ControlsAreRestoredToTheirDepth) {
    people.disableControls();
    run("x");
    EXPECT_EQ(people.disabledDepth(), 1);
    EXPECT_EQ(empty.disabledDepth(), 0);
    failure<EIllegalFunctionUse>("\\\\SUM(zz,t)\\\\");
    EXPECT_EQ(people.disabledDepth(), 1);
    engine.setDisableControls(false);
    int seen = -1;
    udfs.add("Depth", 0, 0, udfrTReportVariable,
             [&](TRtfEngine&, const TUdfArgs&, std::string&) { seen = empty.disabledDepth(); });
    run("\\\\Depth()\\\\");
    EXPECT_EQ(seen, 0);
}

TEST_F(EngineTest, FunctionListCannotChangeDuringARun) {
    TUdfList other;
    std::string message;
    udfs.add("Swap", 0, 0, udfrNil, [&](TRtfEngine& sender, const TUdfArgs&, std::string&) {
        try {
            sender.setUdfList(&other);
        } catch (const EIllegalFunctionUse& e) {
            message = e.what();
        }
    });
    run("\\\\Swap()\\\\");
    EXPECT_EQ(message, "Can't set UDFList while executing report");
    EXPECT_EQ(engine.udfList(), &udfs);
}

TEST_F(EngineTest, FragmentsMergeIntoTheDocumentTables) {
    std::string fragment;
    udfs.add("Frag", 0, 0, udfrTMemoryStream,
             [&fragment](TRtfEngine& sender, const TUdfArgs&, std::string& result) {
                 sender.insertRtfFragment(result, fragment);
             });
    struct Case {
        const char* templateText;
        const char* fragment;
        const char* document;
    } cases[] = {
        {"{\\rtf1{\\fonttbl{\\f0\\froman Times;}}\\\\Frag()\\\\}",
         "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\f0 Text\\par }",
         "{\\rtf1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
         "{\\pard\\f1 Text\\par }}"},
        // Without a colour table of the template's own, the merged colours go once,
        // right after the fonts.
        {"{\\rtf1{\\fonttbl{\\f0\\froman Times;}}\\\\Frag()\\\\}",
         "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}"
         "\\cf1 x}",
         "{\\rtf1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
         "{\\colortbl ;\\red0\\green0\\blue0;}{\\cf1 x}}"},
        {"{\\rtf1{\\fonttbl{\\f0\\froman Times;}}{\\colortbl;}\\\\Frag()\\\\}",
         "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;}\\cf1 x}",
         "{\\rtf1{\\fonttbl{\\f0\\froman Times;}}{\\colortbl;\\red0\\green0\\blue0;}"
         "{\\cf1 x}}"},
    };
    for (const Case& c : cases) {
        fragment = c.fragment;
        EXPECT_EQ(render(engine, dir, c.templateText), c.document) << c.templateText;
    }
}

namespace {

class ScriptedShell : public TRtfEngine {
public:
    int result = 42;
    std::string opened;
    int openOutFile(const std::string& fileName, int showCommand) override {
        opened = fileName;
        EXPECT_EQ(showCommand, 5);
        return result;
    }
};

} // namespace

TEST(EngineOpen, ShellFailureIsReportedAfterTheDocumentIsWritten) {
    TempDir dir;
    ScriptedShell engine;
    int finished = 0;
    engine.OnFinished = [&](TRtfEngine&) { ++finished; };
    writeFile(dir.path() / "t.rtf", "{\\rtf1 x}");
    engine.setInFile((dir.path() / "t.rtf").string());
    engine.setOutFile((dir.path() / "r.doc").string());
    engine.result = 31;
    try {
        engine.generateAndOpen({}, 5);
        ADD_FAILURE();
    } catch (const EIOError& e) {
        EXPECT_STREQ(e.what(), "Failed to open report results. Error message: There is no "
                               "application associated with the given filename extension.");
    }
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(readFile(dir.path() / "r.doc"), "{\\rtf1 x}");
    engine.result = 33;
    engine.generateAndOpen({}, 5);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(engine.opened, (dir.path() / "r.doc").string());
    EXPECT_TRUE(engine.executeSuccessful());
}

TEST(EngineOpen, DefaultOpenReportsAMissingFile) {
    TRtfEngine engine;
    EXPECT_EQ(engine.openOutFile("/nonexistent/vitacraft/file.doc", 5), 2);
    EXPECT_EQ(TRtfEngine::shellResultText(2), "The specified file was not found.");
    EXPECT_EQ(TRtfEngine::shellResultText(99), "Reason unknown.");
}

TEST(EngineDefaults, ComponentDefaults) {
    TRtfEngine engine;
    EXPECT_EQ(engine.charset(), 1);
    EXPECT_FALSE(engine.keepsTemplateCharsets());
    EXPECT_EQ(engine.fontCharset(), 1);
    EXPECT_EQ(engine.lang(), 0);
    EXPECT_EQ(engine.outFile(), "outfile.doc");
    EXPECT_EQ(engine.trueValue(), "True");
    EXPECT_EQ(engine.falseValue(), "False");
    EXPECT_TRUE(engine.disableControls());
    EXPECT_EQ(engine.options().bits(), 0x0A);
    EXPECT_FALSE(engine.executeSuccessful());
    EXPECT_EQ(engine.lastErrMsg(), "No errors.");
}
