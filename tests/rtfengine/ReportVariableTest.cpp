#include "rtfengine/ReportVariable.h"

#include "rtfengine/Errors.h"
#include "rtfengine/RtfEngine.h"

#include <gtest/gtest.h>

using namespace rtfengine;

TEST(ReportVariables, LinesNamesAndValues) {
    TRtfEngine engine;
    engine.setVarList({"a=b=c", "=x", "Name =spaced", "YearFormat=yyyy", "plain"});
    EXPECT_EQ(engine.findVariable("A"), 1);
    EXPECT_EQ(engine.variableValue(1), "b=c"); // the second "=" belongs to the value
    EXPECT_EQ(engine.findVariable(""), 0);     // "=x" holds no variable
    EXPECT_EQ(engine.findVariable("x"), 0);
    EXPECT_EQ(engine.findVariable("Name"), 0); // names are not trimmed
    EXPECT_EQ(engine.findVariable("Name "), 3);
    EXPECT_EQ(engine.findVariable("yearformat"), 4);
    EXPECT_EQ(engine.findVariable("plain"), 0);
    try {
        engine.addVariable("YEARFORMAT", "x");
        ADD_FAILURE();
    } catch (const EIOError& e) {
        EXPECT_STREQ(e.what(), "Can't add report variable YEARFORMAT - variable already exists.");
    }
    engine.addVariable(" Total ", 2.5);
    EXPECT_EQ(engine.varList().back(), "Total=2.5");
}

TEST(ReportVariables, BoundObjectsReadAndRewriteLines) {
    TRtfEngine engine;
    engine.setVarList({"Count= 4 ", "Empty=", "Flag=true"});
    TReportVariable count(&engine, "count");
    EXPECT_EQ(count.asFloat(), 4);
    count.setFloat(5.5);
    EXPECT_EQ(engine.varList()[0], "count=5.5"); // the name as the object holds it
    EXPECT_EQ(TReportVariable(&engine, "Empty").asFloat(), 0);
    EXPECT_TRUE(TReportVariable(&engine, "Flag").asBoolean());
    try {
        TReportVariable(&engine, "nope").asString();
        ADD_FAILURE();
    } catch (const EIOError& e) {
        EXPECT_STREQ(e.what(), "Get variable: report variable not found: nope");
    }
    try {
        TReportVariable(&engine, "nope").setString("1");
        ADD_FAILURE();
    } catch (const EIOError& e) {
        EXPECT_STREQ(e.what(), "Set variable: report variable not found: nope");
    }
}

TEST(ReportVariables, BooleansFollowTrueValue) {
    TRtfEngine engine;
    engine.setTrueValue("Yes");
    engine.setFalseValue("No");
    struct Case {
        const char* value;
        bool expected;
    } cases[] = {{"Yes", true},  {"yes", false}, {"true", true},
                 {"TRUE", true}, {"No", false},  {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(TReportVariable::localValue(&engine, c.value).asBoolean(), c.expected) << c.value;
    TReportVariable v = TReportVariable::localValue(&engine, "");
    v.setBoolean(true);
    EXPECT_EQ(v.asString(), "Yes");
    engine.setFalseValue("Yes");
    v.setBoolean(false);
    EXPECT_EQ(v.asString(), "False"); // equal texts would say nothing
    v.setBoolean(true);
    EXPECT_EQ(v.asString(), "True");
}

TEST(ReportVariables, LocalValues) {
    TReportVariable v;
    EXPECT_TRUE(v.isLocal());
    v.setInteger(-12);
    EXPECT_EQ(v.asString(), "-12");
    v.setString("abc");
    EXPECT_THROW(v.asFloat(), EEngineError);
    v.setLocal(false);
    v.setLocal(true);
    EXPECT_EQ(v.asString(), ""); // changing the flag empties the value
}
