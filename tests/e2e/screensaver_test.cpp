// The screen saver key: after a short pause, the request to start the screen saver reaches
// Zintar's main window, which leaves it to the system.
#include "scenario.h"
#include "driver_actions.h"

using namespace driver;

namespace {

const UINT kKeyS = 0x0653;  // Ctrl+Alt+S

class ScreenSaverTest : public ZintarScenario {};

TEST_F(ScreenSaverTest, TheRequestReachesTheMainWindowAQuarterSecondAfterThePress) {
    StoreBinding("Screen Saver", 0, kKeyS, "");
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    ScreenSaverWatch watch;
    ASSERT_TRUE(watch.Attach(window)) << "the hook could not be set on Zintar's thread";
    LONGLONG pressed = Now();
    PressHotKey(kKeyS);
    ASSERT_TRUE(WaitFor([&] { return watch.Count() > 0; })) << "no screen saver request arrived";
    EXPECT_GE(watch.FirstArrivalAfter(pressed), 250.0) << "the request came without the pause";
    EXPECT_EQ(watch.FirstWindow(), window);
    // The main window must answer again once the request is through.
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    EXPECT_EQ(watch.Count(), 1) << "one press, one request";
    EXPECT_TRUE(IsRunning(zintar));
}

}  // namespace
