// A start-up broken on purpose. Disabled: tests/scripts/test_run_test.sh runs it to show that a
// failed start fails this test alone and the test program carries on to its end.
#include "shell/settings.h"
#include "support/app/schedule_fixture.h"

namespace {

TEST_F(ScheduleScreen, DISABLED_BrokenStartFailsThisTestOnly) {
    settings::setAppPathOverride("/APP"); // too shallow: the first settings pass fails
    onEachDatabase([&](const TestDb&) {
        // On a half-started program this would crash the test program.
        enterHeader("C17", "R");
        EXPECT_EQ(f().lbl_Center_CD->caption(), "");
    });
}

} // namespace
