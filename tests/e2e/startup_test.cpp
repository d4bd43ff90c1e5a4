// A Zintar that starts as one copy, hands over to itself on a second start, and ends cleanly.
#include "scenario.h"

using namespace driver;

namespace {

const UINT kCtrlAltA = 0x0641;
const UINT kCtrlAltB = 0x0642;

class StartupTest : public ZintarScenario {};

TEST_F(StartupTest, FirstStartShowsTheMainWindowWithFocusOnExit) {
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_EQ(Text(window), "Zintar");
    EXPECT_TRUE(IsVisible(window));
    EXPECT_FALSE(IsIconic(window));
    for (int id : {1, 2, 3, 4, 5, 6, 1000}) EXPECT_NE(GetDlgItem(window, id), (HWND)NULL) << id;
    EXPECT_EQ(Text(GetDlgItem(window, 4)), "E&xit");
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &gui);
    EXPECT_EQ(gui.hwndFocus, GetDlgItem(window, 4))
        << "the first control in tab order has the focus";
}

TEST_F(StartupTest, SecondStartHandsOverAndExitsWithZero) {
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    Process second = StartZintar();
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(second, &code)) << "the second copy did not exit";
    Kill(second);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(TopLevelWindows(zintar.id, "Zintar").size(), 1u);
    EXPECT_TRUE(IsRunning(zintar));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
}

TEST_F(StartupTest, SecondStartRestoresAWindowMinimizedToTheTaskbar) {
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; })) << "Minimize did not minimize";
    Process second = StartZintar();
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(second, &code));
    Kill(second);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window) && IsWindowVisible(window); }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
}

// Every route to the end frees every combination that the bindings held.
class CloseRouteTest : public StartupTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseRouteTest, EndsWithZeroAndFreesEveryCombination) {
    StoreBinding("first", 2, kCtrlAltA, "notepad.exe");
    StoreBinding("second", 2, kCtrlAltB, "notepad.exe");
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_EQ(ListLines(MainList(window)).size(), 2u) << "the stored bindings were not loaded";
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA));
    EXPECT_FALSE(IsCombinationFree(kCtrlAltB));
    switch (GetParam()) {
        case 0: Click(window, 4); break;                                  // Exit button
        case 1: PostMessageA(window, WM_CLOSE, 0, 0); break;              // close box
        case 2: PostMessageA(window, WM_COMMAND, 40002, 0); break;        // tray menu Exit
        case 3: PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;  // system menu, Alt+F4
    }
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(zintar, &code)) << "route " << GetParam() << " did not end Zintar";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA));
    EXPECT_TRUE(IsCombinationFree(kCtrlAltB));
}

INSTANTIATE_TEST_SUITE_P(Routes, CloseRouteTest, ::testing::Values(0, 1, 2, 3));

}  // namespace
