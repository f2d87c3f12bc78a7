#include "rtfengine/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace rtfengine;

// Each raise helper with the exact message and class a user's error box gets.
TEST(Errors, RaiseHelpersGiveOneShapePerFamily) {
    struct Case {
        std::function<void()> raise;
        std::string message;
        bool scanUse;
    } cases[] = {
        {[] { raiseFunctionUse("SUM(A.x)", "report variable v not found"); },
         "Illegal function use: SUM(A.x) - report variable v not found", false},
        {[] {
             raiseFormatFunctionUse("FDT()", "number of arguments is less than minimum required");
         },
         "Illegal format function use: FDT() - number of arguments is less than minimum required",
         false},
        {[] { raiseFunctionNotFound("NOPE(1)"); }, "Function not found: NOPE(1)", false},
        {[] { raiseScanUse("Endscan must be after scan", "\\\\endscan\\\\"); },
         "Error: Endscan must be after scan: \\\\endscan\\\\", true},
        {[] { raiseOutsideTable("Scan", "scan(A)", true); },
         "Scan must be outside of table: scan(A)", true},
        {[] { raiseOutsideTable("IF, ENDIF", "IF(x)", false); },
         "IF, ENDIF must be outside of table: IF(x)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            c.raise();
            ADD_FAILURE() << "nothing raised";
        } catch (const EIllegalScanUse& e) {
            EXPECT_TRUE(c.scanUse);
            EXPECT_EQ(e.what(), c.message);
        } catch (const EIllegalFunctionUse& e) {
            EXPECT_FALSE(c.scanUse);
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

} // namespace
