#include "rtfengine/Expression.h"

#include "rtfengine/Errors.h"

#include <gtest/gtest.h>

using namespace rtfengine;

TEST(ArgumentSplitting, TopLevelCommasOutsideQuotes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitArguments("a, b"), (V{"a", " b"}));
    EXPECT_EQ(splitArguments("f(a,b),'x,y'"), (V{"f(a,b)", "'x,y'"}));
    EXPECT_EQ(splitArguments(" "), V{});
    EXPECT_EQ(splitArguments("a,"), (V{"a", ""}));
    EXPECT_EQ(splitArguments("'(',x"), (V{"'('", "x"}));
    EXPECT_FALSE(splitArguments("f(a").has_value());
    EXPECT_FALSE(splitArguments("a)").has_value());
}

namespace {

// The part that the expression's kind carries besides the alias.
std::string ownPart(const Expression& e) {
    switch (e.kind) {
    case ExprKind::Literal:
        return e.value;
    case ExprKind::Variable:
        return e.variable;
    case ExprKind::DotField:
    case ExprKind::ColonField:
        return e.field;
    case ExprKind::Call:
        return e.function;
    default:
        return std::string();
    }
}

} // namespace

TEST(Classification, Kinds) {
    const FormatSettings us = FormatSettings::usEnglish();
    struct Case {
        const char* text;
        ExprKind kind;
        const char* name;
        const char* alias;
    } cases[] = {
        {"", ExprKind::None, "", ""},
        {"(x)", ExprKind::None, "", ""},
        {":x", ExprKind::None, "", ""},
        {"'x'", ExprKind::Literal, "x", ""},
        {"'it's'", ExprKind::Variable, "'it's'", ""}, // the closing quote occurs inside
        {"1.50", ExprKind::Literal, "1.5", ""},
        {"-3", ExprKind::Literal, "-3", ""},
        {"\x93x\x94", ExprKind::Literal, "x", ""},
        {"Total", ExprKind::Variable, "Total", ""},
        {"A.Name", ExprKind::DotField, "Name", "A"},
        {"a.Name", ExprKind::DotField, "Name", "a"},
        {"people.Name", ExprKind::DotField, "Name", "PEOPLE"},
        {"A:Name", ExprKind::ColonField, "Name", "A"},
        {"A.(2)", ExprKind::DotField, "(2)", "A"},
        {"A.(x)", ExprKind::None, "", ""},
        {"A.b.c", ExprKind::None, "", ""},
        {"A.", ExprKind::None, "", ""},
        {".x", ExprKind::None, "", ""},
        {"f(1,x)", ExprKind::Call, "f", ""},
        {"f(1", ExprKind::None, "", ""},
        {"a,b", ExprKind::None, "", ""},
        {"SCAN(A)", ExprKind::Scan, "", ""},
        {"scan(a),page", ExprKind::Scan, "", ""},
        {"SCAN(A", ExprKind::None, "", ""},
        {"ScanEntry", ExprKind::ScanEntry, "", ""},
        {"SCANFOOTER", ExprKind::ScanFooter, "", ""},
        {"endscan", ExprKind::EndScan, "", ""},
        {"IF(x)", ExprKind::If, "", ""},
        {"IF()", ExprKind::Call, "", ""}, // a conditional needs its ")" at position 5
        {"SCAN()", ExprKind::Scan, "", ""},
        {"ENDIF", ExprKind::EndIf, "", ""},
        {"Name.txt", ExprKind::DotField, "txt", "NAME"},
    };
    for (const Case& c : cases) {
        Expression e = classifyExpression(c.text, false, us);
        EXPECT_EQ(e.kind, c.kind) << c.text;
        if (e.kind != ExprKind::Call && *c.name) {
            EXPECT_EQ(ownPart(e), c.name) << c.text;
        }
        // No kind fills another kind's part.
        EXPECT_EQ(e.value.size() + e.variable.size() + e.field.size() + e.function.size() +
                      e.arguments.size(),
                  ownPart(e).size() + (e.kind == ExprKind::Call ? e.arguments.size() : 0))
            << c.text;
        if (*c.alias) {
            EXPECT_EQ(e.alias, c.alias) << c.text;
        }
    }
    EXPECT_EQ(classifyExpression("A.Name", true, us).kind, ExprKind::ColonField);
    Expression call = classifyExpression("Fn(A.x, G(1, v))", false, us);
    EXPECT_EQ(call.function, "Fn");
    EXPECT_EQ(call.arguments, "A.x, G(1, v)");
}

TEST(Classification, FormatFunctions) {
    FormatSettings us = FormatSettings::usEnglish();
    us.currencyDecimals = 3;
    struct Case {
        const char* text;
        FormatId id;
        int param1;
        int param2;
        const char* inner;
    } cases[] = {
        {"FNUM(A.x)", FormatId::FNUM, 18, 2, "A.x"},
        {"fnum(A.x,0)", FormatId::FNUM, 18, 0, "A.x"},
        {"FFIX(A.x,5:1)", FormatId::FFIX, 5, 1, "A.x"},
        {"FEXP(v,0:3)", FormatId::FEXP, 18, 3, "v"},
        {"FCUR(v)", FormatId::FCUR, 18, 3, "v"},
        {"FIMG(A.p)", FormatId::FIMG, 0, 2, "A.p"},
        {"FIMG(A.p,4)", FormatId::FIMG, 4, 2, "A.p"},
        {"FIMG(A.p,2:7)", FormatId::FIMG, 2, 2, "A.p"},
        {"FLNK(A.url)", FormatId::FLNK, 18, 2, "A.url"},
        {"FFIXR(f(a,b),2)", FormatId::FFIXR, 18, 2, "f(a,b)"},
        {"NOFORMAT(x)", FormatId::NoFormat, 18, 2, "NOFORMAT(x)"},
        {"FOO(x)", FormatId::NoFormat, 18, 2, "FOO(x)"},
    };
    for (const Case& c : cases) {
        Expression e = classifyExpression(c.text, false, us);
        EXPECT_EQ(e.format.id, c.id) << c.text;
        EXPECT_EQ(e.format.param1, c.param1) << c.text;
        EXPECT_EQ(e.format.param2, c.param2) << c.text;
        EXPECT_EQ(e.text, c.inner) << c.text;
    }
    Expression dtm = classifyExpression("FDTM(A.d,'dd, mm')", false, us);
    EXPECT_EQ(dtm.text, "A.d,'dd"); // taken up to the last comma
    Expression dtmVar = classifyExpression("FDTM(A.d,YearFormat)", false, us);
    EXPECT_EQ(dtmVar.format.dateOperand, "YearFormat");
    EXPECT_EQ(dtmVar.kind, ExprKind::DotField);
}

TEST(Classification, FormatFunctionErrors) {
    const FormatSettings us = FormatSettings::usEnglish();
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"FNUM(f(x)", "Brackets balance violation in format function FNUM(f(x)"},
        {"FDTM(x)", "Illegal format function use: FDTM(x) - number of arguments is less than "
                    "minimum required"},
        {"FNUM(x,1,2)", "Illegal format function use: FNUM(x,1,2) - number of arguments is more "
                        "than maximum allowed"},
        {"FLNK(x,1)", "Illegal format function use: FLNK(x,1) - number of arguments is more "
                      "than maximum allowed"},
        {"FNUM(x,a)", "Illegal use of format function FNUM(x,a) - cannot understand argument a"},
        {"FNUM(x,:2)", "Illegal use of format function FNUM(x,:2) - cannot understand argument :2"},
        {"FIMG(x,1:)", "Illegal use of format function FIMG(x,1:) - cannot understand argument 1:"},
    };
    for (const Case& c : cases) {
        try {
            classifyExpression(c.text, false, us);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const EIllegalFunctionUse& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}
