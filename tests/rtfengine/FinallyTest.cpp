#include "rtfengine/Finally.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

TEST(Finally, RunsItsStepHoweverTheBlockEnds) {
    const struct {
        const char* name;
        std::function<void(int&)> block;
    } cases[] = {
        {"by its end", [](int& runs) { const Finally count([&runs] { ++runs; }); }},
        {"by a return",
         [](int& runs) {
             const Finally count([&runs] { ++runs; });
             if (runs == 0)
                 return;
             ADD_FAILURE() << "not reached";
         }},
        {"by an exception",
         [](int& runs) {
             try {
                 const Finally count([&runs] { ++runs; });
                 throw std::runtime_error("left");
             } catch (const std::runtime_error&) {
                 EXPECT_EQ(runs, 1) << "run before the handler";
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int runs = 0;
        c.block(runs);
        EXPECT_EQ(runs, 1);
    }
}

} // namespace
