// The tray icon in-process: the record the shell gets, the one icon handle held at a time, and
// the left click that brings the window back.
#include <gtest/gtest.h>
#include <string>
#include "app/startup.h"
#include "app/tray_icon.h"
#include "res/resource.h"

namespace {

// The shell accepts a change to an icon only while it exists.
bool IconExists(HWND window) {
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = TRAY_ICON_ID;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool IsLiveIcon(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask != NULL) DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL) DeleteObject(info.hbmColor);
    return true;
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        appInstance = GetModuleHandleA(NULL);
        window = CreateWindowExA(0, "STATIC", "tray icon test", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                 NULL, NULL);
    }
    void TearDown() override {
        UpdateTrayIcon(appInstance, window, NIM_DELETE, 0, NULL);
        DestroyWindow(window);
    }
    HWND window = NULL;
};

TEST_F(TrayIconTest, TheRecordCarriesTheCallbackAndAtMost63CharactersOfTip) {
    NOTIFYICONDATAA record;
    std::string longTip(100, 't');
    FillTrayRecord(&record, window, NULL, longTip.c_str());
    EXPECT_EQ(record.cbSize, (DWORD)NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, (UINT)TRAY_ICON_ID);
    EXPECT_EQ(record.uFlags, (UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, (UINT)WM_TRAYNOTIFY);
    EXPECT_EQ(std::string(record.szTip), std::string(63, 't'));

    FillTrayRecord(&record, window, NULL, NULL);
    EXPECT_EQ(record.szTip[0], '\0') << "no tip given, yet one was kept";
}

TEST_F(TrayIconTest, OneIconIsHeldAtATimeAndTheSharedClassIconSurvives) {
    HICON classIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_ZINTAR));
    ASSERT_NE(classIcon, (HICON)NULL);

    UpdateTrayIcon(appInstance, window, NIM_ADD, IDI_ZINTAR, TRAY_TIP);
    HICON first = trayIconHandle;
    ASSERT_NE(first, (HICON)NULL) << "no icon loaded for the tray";
    EXPECT_NE(first, classIcon) << "the tray holds the shared class icon itself";
    EXPECT_TRUE(IconExists(window));

    UpdateTrayIcon(appInstance, window, NIM_MODIFY, IDI_ZINTAR, TRAY_TIP);
    ASSERT_NE(trayIconHandle, (HICON)NULL);
    EXPECT_FALSE(trayIconHandle != first && IsLiveIcon(first)) << "the previous icon was kept";

    UpdateTrayIcon(appInstance, window, NIM_DELETE, IDI_ZINTAR, TRAY_TIP);
    EXPECT_EQ(trayIconHandle, (HICON)NULL);
    EXPECT_FALSE(IconExists(window));
    EXPECT_TRUE(IsLiveIcon(classIcon)) << "releasing the tray icon took the class icon with it";

    // Deleting again, with no icon shown, changes nothing.
    UpdateTrayIcon(appInstance, window, NIM_DELETE, 0, NULL);
    EXPECT_EQ(trayIconHandle, (HICON)NULL);
}

TEST_F(TrayIconTest, ALeftPressShowsTheWindowAndRemovesTheIcon) {
    UpdateTrayIcon(appInstance, window, NIM_ADD, IDI_ZINTAR, TRAY_TIP);
    ASSERT_TRUE(IconExists(window));
    OnTrayNotify(window, WM_LBUTTONUP);
    OnTrayNotify(window, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(IsWindowVisible(window)) << "only the press acts";
    EXPECT_TRUE(IconExists(window));

    OnTrayNotify(window, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IconExists(window));
    EXPECT_EQ(trayIconHandle, (HICON)NULL);
}

}  // namespace
