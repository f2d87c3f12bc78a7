#include "rtfengine/UdfList.h"

#include "rtfengine/Errors.h"
#include "rtfengine/RtfEngine.h"

#include <gtest/gtest.h>

using namespace rtfengine;

namespace {

std::string nameError(TUdf& udf, const char* name) {
    try {
        udf.setName(name);
    } catch (const EIllegalFunctionUse& e) {
        return e.what();
    }
    return {};
}

class OldList : public TUdfList {
public:
    int version() const override { return 184; }
};

} // namespace

TEST(UdfList, NamingRules) {
    TUdfList list;
    TUdf& first = list.add();
    TUdf& second = list.add();
    first.setName("Heading");
    struct Case {
        const char* name;
        const char* error; // empty: accepted
        const char* stored;
    } cases[] = {
        {"_a1", "", "_a1"},
        {"  Spaced  ", "", "Spaced"},
        {"1abc", "Illegal function name 1abc", ""},
        {"a-b", "Illegal function name a-b", ""},
        {"HEADING", "User defined function with name HEADING already exists", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nameError(second, c.name), c.error) << c.name;
        if (!*c.error) {
            EXPECT_EQ(second.name(), c.stored) << c.name;
        }
    }
    // Renaming an item to its own name in another case finds the item itself.
    EXPECT_EQ(nameError(first, "heading"),
              "User defined function with name heading already exists");
    EXPECT_NO_THROW(first.setName("Heading"));
    EXPECT_EQ(list.indexOf(" heading "), 0);
    EXPECT_EQ(list.indexOf("nothing"), -1);
    EXPECT_EQ(second.displayName(), "TUdf");
}

TEST(UdfList, CountsFollowEachOther) {
    TUdfList list;
    TUdf& f = list.add();
    f.setArgMaxCount(3);
    f.setArgMinCount(5);
    EXPECT_EQ(f.argMaxCount(), 5);
    f.setArgMaxCount(2);
    EXPECT_EQ(f.argMinCount(), 2);
    EXPECT_EQ(f.resultType(), udfrTReportVariable);

    TUdfList copy;
    copy.add().setName("Old");
    copy.setFunctions(list);
    ASSERT_EQ(copy.count(), 1);
    EXPECT_EQ(copy.item(0).argMaxCount(), 2);
}

TEST(UdfList, EngineChecksVersionAndForgetsDestroyedList) {
    TRtfEngine engine;
    OldList old;
    try {
        engine.setUdfList(&old);
        ADD_FAILURE();
    } catch (const EIllegalFunctionUse& e) {
        EXPECT_STREQ(e.what(), "TRtfEngine version 185 doesn't equal TUdfList version 184");
    }
    EXPECT_EQ(engine.udfList(), nullptr);
    {
        TUdfList list;
        engine.setUdfList(&list);
        EXPECT_EQ(engine.udfList(), &list);
    }
    EXPECT_EQ(engine.udfList(), nullptr);
    engine.setUdfList(nullptr);
}
