#include "platform/qt/FrontWindowReports.h"

#include <gtest/gtest.h>

using platform::FrontWindowReports;

// The process comes from a script's text: whatever is not a process number
// must give none rather than a wrong or overflowing one.
TEST(FrontWindowReports, KeepsTheLastWindowAndOnlyProcessNumbersThatCanBe) {
    FrontWindowReports reports;
    EXPECT_FALSE(reports.current());

    reports.Activated("org.example.Notes", "4242", "Shopping");
    ASSERT_TRUE(reports.current());
    EXPECT_EQ(reports.current()->windowClass, "org.example.Notes");
    EXPECT_EQ(reports.current()->processIdentifier, 4242);
    EXPECT_EQ(reports.current()->title, "Shopping");

    for (const char* process : {"0", "-7", "12abc", "", "99999999999", "undefined"}) {
        reports.Activated("tallysheet", process, "");
        ASSERT_TRUE(reports.current()) << process;
        EXPECT_EQ(reports.current()->processIdentifier, 0) << process;
    }

    // No window in front.
    reports.Activated("", "0", "");
    EXPECT_FALSE(reports.current());
}
