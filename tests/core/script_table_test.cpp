#include <gtest/gtest.h>

#include "run_error.h"
#include "script_table.h"

namespace cj {

TEST(ScriptTable, HoldsSlotsZeroToFiveThousandAndNoMore) {
    ScriptTable table;
    table.write(5000, "last");
    EXPECT_EQ(table.read(5000), "last");
    EXPECT_EQ(table.read(0), "");
    for (const long outside : {-1L, 5001L}) {
        try {
            (void)table.read(outside);
            ADD_FAILURE() << "read " << outside;
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), kSubscriptOutOfRange);
        }
        EXPECT_THROW(table.write(outside, "x"), RunError);
    }
}

}  // namespace cj
