// Zintar minimized into the notification area: the icon, its left click, its pop-up menu, and the
// way back when there is no icon at all.
#include "scenario.h"
#include "driver_shell.h"

using namespace driver;

namespace {

class TrayTest : public ZintarScenario {
protected:
    // Starts Zintar with "Minimize" on and minimizes it as the user's minimize box does.
    HWND LaunchAndMinimizeToTray() {
        SetFlag("Minimize", "1");
        HWND window = Launch();
        if (window == NULL) return NULL;
        Send(window, WM_SYSCOMMAND, SC_MINIMIZE);
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }))
            << "minimize with \"Minimize\" on did not hide the main window";
        return window;
    }
};

TEST_F(TrayTest, MinimizeHidesTheWindowIntoTheIconAndALeftClickBringsItBack) {
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_FALSE(IsIconic(window)) << "hidden, not minimized";
    EXPECT_TRUE(WaitFor([&] { return TrayIconExists(window); })) << "no icon after the minimize";

    // The shell's callback for a left button press on the icon.
    Send(window, kTrayNotify, kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }))
        << "a left click on the icon did not show the window";
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(WaitFor([&] { return !TrayIconExists(window); }))
        << "the icon stayed after the left click";

    // A second round works the same: the icon is added afresh.
    Send(window, WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window) && TrayIconExists(window); }));
}

TEST_F(TrayTest, ButtonReleasesAndOtherMouseMessagesChangeNothing) {
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window); }));
    for (UINT mouse :
         {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MOUSEMOVE}) {
        Send(window, kTrayNotify, kTrayIconId, mouse);
        EXPECT_FALSE(IsWindowVisible(window)) << "mouse message " << mouse << " showed the window";
        EXPECT_TRUE(TrayIconExists(window)) << "mouse message " << mouse << " removed the icon";
    }
}

TEST_F(TrayTest, WithTheIconDisabledTheWindowHidesWithoutOneAndASecondStartBringsItBack) {
    SetFlag("DisableSystray", "1");
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_FALSE(TrayIconExists(window)) << "an icon was added although it is disabled";

    Process second = StartZintar();
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(second, &code)) << "the second start did not end";
    Kill(second);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }))
        << "the second start did not bring the hidden window back";
    EXPECT_FALSE(TrayIconExists(window));
}

TEST_F(TrayTest, SecondStartRemovesTheIconAndShowsTheWindow) {
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window); }));
    Process second = StartZintar();
    EXPECT_TRUE(WaitForExit(second, nullptr));
    Kill(second);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_FALSE(TrayIconExists(window)) << "the hand-over left the icon behind";
}

TEST_F(TrayTest, RightClickMenuConfigureShowsTheWindowAndRemovesTheIcon) {
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window); }));
    PostMessageA(window, kTrayNotify, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForPopupMenu(zintar.id);
    ASSERT_NE(menu, (HWND)NULL) << "a right click on the icon opened no menu";
    PressMenuKey(menu, VK_DOWN);  // the first item, "&Configure Zintar"
    PressMenuKey(menu, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }))
        << "\"Configure Zintar\" did not show the window";
    EXPECT_TRUE(WaitFor([&] { return !TrayIconExists(window); }));
    EXPECT_TRUE(WaitForWindowGone(menu));
}

TEST_F(TrayTest, RightClickMenuClosedWithoutAChoiceChangesNothing) {
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window); }));
    PostMessageA(window, kTrayNotify, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForPopupMenu(zintar.id);
    ASSERT_NE(menu, (HWND)NULL);
    PressMenuKey(menu, VK_ESCAPE);
    EXPECT_TRUE(WaitForWindowGone(menu)) << "Esc did not close the menu";
    // Zintar is answering again once the menu loop has ended.
    EXPECT_NE(Send(window, WM_GETDLGCODE, 0, 0, 5000), -1);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconExists(window));
    EXPECT_TRUE(IsRunning(zintar));
}

TEST_F(TrayTest, RightClickMenuExitEndsZintarAndTakesTheIconAway) {
    HWND window = LaunchAndMinimizeToTray();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window); }));
    PostMessageA(window, kTrayNotify, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForPopupMenu(zintar.id);
    ASSERT_NE(menu, (HWND)NULL);
    PressMenuKey(menu, VK_UP);  // from no selection up to the last item, "E&xit"
    PressMenuKey(menu, VK_RETURN);
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(zintar, &code)) << "\"Exit\" in the tray menu did not end Zintar";
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(TrayIconExists(window)) << "the icon outlived Zintar";
}

}  // namespace
