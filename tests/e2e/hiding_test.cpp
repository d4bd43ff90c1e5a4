// Hiding windows by title: at start, by the polling timer, by presses of the key, and the
// windows given back when Zintar closes.
#include "scenario.h"
#include "driver_actions.h"

using namespace driver;

namespace {

UINT CtrlAlt(char key) {
    return 0x0600 | (UINT)key;
}

class HidingTest : public ZintarScenario {
protected:
    void TearDown() override {
        for (Process& process : targets) Kill(process);
        ZintarScenario::TearDown();
    }
    // Opens windows with these titles in a new target program; fails the test if they do not come.
    std::vector<HWND> Open(const std::vector<std::string>& titles) {
        std::vector<HWND> windows;
        targets.push_back(StartTargets(titles, &windows));
        for (size_t i = 0; i < titles.size(); i++) {
            EXPECT_NE(windows[i], (HWND)NULL) << "no window \"" << titles[i] << "\"";
        }
        return windows;
    }
    static bool Hidden(HWND window) { return IsWindow(window) && !IsWindowVisible(window); }
    std::vector<Process> targets;
};

TEST_F(HidingTest, AMatchingWindowThatExistsAtStartIsHiddenAtOnce) {
    std::vector<HWND> windows = Open({"Secret Diary - Editor", "Shopping List"});
    StoreBinding("diary", 1, CtrlAlt('H'), "Secret Diary");
    ASSERT_NE(Launch(), (HWND)NULL);
    EXPECT_TRUE(WaitFor([&] { return Hidden(windows[0]); }, 2000)) << "the diary is still shown";
    EXPECT_TRUE(IsVisible(windows[1])) << "a window that does not match was hidden";
}

TEST_F(HidingTest, WithPollingOnAWindowOpenedLaterIsHiddenWithinOneInterval) {
    SetFlag("Poll", "1");
    INT32 seconds = 1;
    WriteBinary(kProductKey, "PollInterval", &seconds, sizeof seconds);
    StoreBinding("later", 1, CtrlAlt('H'), "Opened Later");
    ASSERT_NE(Launch(), (HWND)NULL);
    std::vector<HWND> windows = Open({"Report Opened Later"});
    ASSERT_TRUE(IsVisible(windows[0]));
    // One interval plus what a busy machine needs to deliver the tick.
    EXPECT_TRUE(WaitFor([&] { return Hidden(windows[0]); }, 1000 + 2000))
        << "not hidden within one polling interval";
}

TEST_F(HidingTest, PressesToggleBetweenShownAndHiddenAndEachRunsEveryBinding) {
    std::vector<HWND> mine = Open({"Toggle Me Please"});
    StoreBinding("mine", 1, CtrlAlt('T'), "Toggle Me");
    StoreBinding("other", 1, CtrlAlt('O'), "Other Window");
    ASSERT_NE(Launch(), (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return Hidden(mine[0]); }, 2000)) << "not hidden at start";
    // Polling is off: only a pass started by a press can catch this one.
    std::vector<HWND> other = Open({"The Other Window"});
    ASSERT_TRUE(IsVisible(other[0]));

    PressHotKey(CtrlAlt('T'));  // Hidden: becomes Show pending, and the pass shows it at once
    EXPECT_TRUE(WaitFor([&] { return IsVisible(mine[0]); })) << "the press did not show it";
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == mine[0]; }))
        << "the shown window was not brought forward";
    EXPECT_TRUE(Hidden(other[0])) << "the press's pass did not cover the other binding";

    // The focus change reaches the shown window's thread as an X event that resets the keyboard
    // state; let both programs settle so it cannot land between the keys of the next press.
    Send(mine[0], WM_NULL);
    WaitForInputIdle(zintar.handle, kDeadline);
    Send(mine[0], WM_NULL);
    PressHotKey(CtrlAlt('T'));  // Shown: becomes Hide pending, and the pass hides it at once
    EXPECT_TRUE(WaitFor([&] { return Hidden(mine[0]); })) << "the second press did not hide it";
}

TEST_F(HidingTest, OfTwoMatchingWindowsOnlyTheFirstIsTaken) {
    std::vector<HWND> windows = Open({"Twin Window one", "Twin Window two"});
    std::vector<HWND> order = InEnumOrder(windows);
    ASSERT_EQ(order.size(), 2u);
    StoreBinding("twins", 1, CtrlAlt('W'), "Twin Window");
    ASSERT_NE(Launch(), (HWND)NULL);
    EXPECT_TRUE(WaitFor([&] { return Hidden(order[0]); }, 2000)) << "the first twin is shown";
    EXPECT_TRUE(IsVisible(order[1])) << "the second twin was hidden too";
}

TEST_F(HidingTest, AnEmptyTextAndAnEmptyTitleNeverMatch) {
    std::vector<HWND> windows = Open({"", "Bystander", "Control Window"});
    StoreBinding("empty", 1, CtrlAlt('E'), "");
    StoreBinding("control", 1, CtrlAlt('C'), "Control Window");
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    // The control binding's window going proves that the start-up pass ran.
    ASSERT_TRUE(WaitFor([&] { return Hidden(windows[2]); }, 2000));
    EXPECT_TRUE(IsVisible(windows[0])) << "the untitled window was hidden";
    EXPECT_TRUE(IsVisible(windows[1]));
    EXPECT_TRUE(IsVisible(window)) << "Zintar hid its own window";
    PressHotKey(CtrlAlt('E'));
    PressHotKey(CtrlAlt('E'));
    PressHotKey(CtrlAlt('C'));  // shows the control window: the two presses before it are done
    ASSERT_TRUE(WaitFor([&] { return IsVisible(windows[2]); }));
    EXPECT_TRUE(IsVisible(windows[0]));
    EXPECT_TRUE(IsVisible(windows[1]));
}

TEST_F(HidingTest, MatchingIsCaseSensitive) {
    std::vector<HWND> windows = Open({"SECRET PLANS", "Control Window"});
    StoreBinding("plans", 1, CtrlAlt('P'), "secret plans");
    StoreBinding("control", 1, CtrlAlt('C'), "Control Window");
    ASSERT_NE(Launch(), (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return Hidden(windows[1]); }, 2000));
    EXPECT_TRUE(IsVisible(windows[0])) << "\"secret plans\" hid \"SECRET PLANS\"";
}

TEST_F(HidingTest, AtCloseEveryHeldWindowIsShownAndAClosedOneIsSkipped) {
    std::vector<HWND> windows = Open({"Held Hidden", "Held Pending", "Closed While Hidden"});
    StoreBinding("hidden", 1, CtrlAlt('H'), "Held Hidden");
    StoreBinding("pending", 1, CtrlAlt('P'), "Held Pending");
    StoreBinding("closed", 1, CtrlAlt('C'), "Closed While Hidden");
    TempFolder folder;
    std::string marker = folder.File("after.txt");
    StoreBinding("after", 2, CtrlAlt('M'), MarkerCommand(marker));
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    for (HWND held : windows) ASSERT_TRUE(WaitFor([&] { return Hidden(held); }, 2000));
    // No window matches "pending" any more, so its press leaves it waiting to show (Show pending).
    SetWindowTextA(windows[1], "Renamed while held");
    PressHotKey(CtrlAlt('P'));
    PostMessageA(windows[2], WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(windows[2]); })) << "the target did not close";
    PressHotKey(CtrlAlt('M'));  // once this one has run, the press before it is done
    ASSERT_TRUE(WaitFor([&] { return FileExists(marker); }));
    EXPECT_TRUE(Hidden(windows[1])) << "a press without a match showed the window";

    DWORD code = 99;
    ASSERT_TRUE(ExitZintar(zintar, &code)) << "Zintar did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsVisible(windows[0])) << "the Hidden binding's window stayed invisible";
    EXPECT_TRUE(IsVisible(windows[1])) << "the Show pending binding's window stayed invisible";
}

}  // namespace
