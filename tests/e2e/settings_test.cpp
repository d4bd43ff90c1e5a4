// The Settings dialog as the user works it: what it shows, how its boxes depend on each other,
// what OK stores and what Cancel leaves alone.
#include "scenario.h"
#include "driver_shell.h"

using namespace driver;

namespace {

const int kMinimize = 1006;
const int kDisableSystray = 1007;
const int kStartMinimized = 1008;
const int kAutoStart = 1009;
const int kInterval = 1010;
const int kPoll = 1011;
const int kSpin = 1012;

const char* const kWarningText =
    "This will completely hide the Zintar interface when Zintar is minimized, to reinstate, "
    "restart Zintar...";

class SettingsTest : public ZintarScenario {
protected:
    void SetUp() override {
        ZintarScenario::SetUp();
        DeleteFileA(StartupLinkPath().c_str());
    }
    void TearDown() override {
        ZintarScenario::TearDown();
        DeleteFileA(StartupLinkPath().c_str());  // an explicit wineboot would run it
    }
    // Starts Zintar and opens Settings with its button.
    HWND OpenSettings() {
        if (main == NULL) main = Launch();
        if (main == NULL) return NULL;
        Click(main, 5);
        HWND dialog = WaitForDialog(zintar.id, "Settings...");
        EXPECT_NE(dialog, (HWND)NULL) << "the Settings button opened no \"Settings...\" dialog";
        return dialog;
    }
    // Clicks a check box and waits until it shows the other state.
    void Toggle(HWND dialog, int box) {
        HWND button = GetDlgItem(dialog, box);
        int before = CheckState(button);
        PressButton(dialog, box);
        EXPECT_TRUE(WaitFor([&] { return CheckState(button) != before; }))
            << "box " << box << " did not change on a click";
        Settle(dialog);
    }
    void Close(HWND dialog, int button) {
        Click(dialog, button);
        EXPECT_TRUE(WaitForWindowGone(dialog)) << "button " << button << " left Settings open";
    }
    static std::string Flag(const char* name, DWORD* type = nullptr) {
        std::vector<BYTE> data;
        if (!ReadValue(kProductKey, name, &data, type)) return "<missing>";
        return std::string(data.begin(), data.end());
    }
    static std::vector<BYTE> IntervalBytes() {
        std::vector<BYTE> data;
        DWORD type = 0;
        if (!ReadValue(kProductKey, "PollInterval", &data, &type) || type != REG_BINARY)
            data.clear();
        return data;
    }
    static std::vector<BYTE> BytesOf(int value) {
        BYTE* bytes = (BYTE*)&value;
        return std::vector<BYTE>(bytes, bytes + 4);
    }
    HWND main = NULL;
};

TEST_F(SettingsTest, ANewUserSeesEveryOptionOffAndFiveSeconds) {
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    for (int box : {kMinimize, kDisableSystray, kStartMinimized, kAutoStart, kPoll}) {
        EXPECT_EQ(CheckState(GetDlgItem(dialog, box)), BST_UNCHECKED) << "box " << box;
    }
    EXPECT_EQ(Text(GetDlgItem(dialog, kInterval)), "5");
    EXPECT_FALSE(IsEnabled(GetDlgItem(dialog, kInterval))) << "interval usable without polling";
    EXPECT_FALSE(IsEnabled(GetDlgItem(dialog, kSpin)));
    EXPECT_FALSE(IsEnabled(GetDlgItem(dialog, kDisableSystray))) << "usable without \"Minimize\"";
    for (int box : {kMinimize, kStartMinimized, kAutoStart, kPoll}) {
        EXPECT_TRUE(IsEnabled(GetDlgItem(dialog, box))) << "box " << box;
    }
    // The arrows drive the edit box beside them and stop at 0 and 60.
    EXPECT_EQ((HWND)Send(GetDlgItem(dialog, kSpin), UDM_GETBUDDY), GetDlgItem(dialog, kInterval));
    EXPECT_EQ(Send(GetDlgItem(dialog, kSpin), UDM_GETRANGE), MAKELONG(60, 0));
    EXPECT_FALSE(IsEnabled(main)) << "Settings is not modal over the main window";
    Close(dialog, IDCANCEL);
    EXPECT_TRUE(ValuesOf(kProductKey).empty()) << "looking at the options stored something";
}

TEST_F(SettingsTest, StoredOptionsShowAsStoredEvenWhereTheyCannotBeChanged) {
    SetFlag("Poll", "1");
    SetFlag("Minimize", "0");
    SetFlag("DisableSystray", "1");
    SetFlag("AutoStart", "0");
    int seventeen = 17;
    WriteBinary(kProductKey, "PollInterval", &seventeen, 4);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(CheckState(GetDlgItem(dialog, kPoll)), BST_CHECKED);
    EXPECT_EQ(CheckState(GetDlgItem(dialog, kMinimize)), BST_UNCHECKED);
    EXPECT_EQ(CheckState(GetDlgItem(dialog, kDisableSystray)), BST_CHECKED);
    EXPECT_FALSE(IsEnabled(GetDlgItem(dialog, kDisableSystray)))
        << "\"Disable systray icon.\" usable although \"Minimize\" is off";
    EXPECT_EQ(Text(GetDlgItem(dialog, kInterval)), "17");
    EXPECT_TRUE(IsEnabled(GetDlgItem(dialog, kInterval))) << "polling is on";
    EXPECT_TRUE(IsEnabled(GetDlgItem(dialog, kSpin)));
    Close(dialog, IDCANCEL);
}

TEST_F(SettingsTest, BoxesEnableAndClearEachOtherAndTheWarningComesWithEachCheck) {
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    HWND interval = GetDlgItem(dialog, kInterval);
    HWND spin = GetDlgItem(dialog, kSpin);
    HWND disable = GetDlgItem(dialog, kDisableSystray);

    Toggle(dialog, kPoll);
    EXPECT_TRUE(IsEnabled(interval) && IsEnabled(spin)) << "polling on leaves the interval off";
    Toggle(dialog, kPoll);
    EXPECT_FALSE(IsEnabled(interval) || IsEnabled(spin)) << "polling off leaves the interval on";

    Toggle(dialog, kMinimize);
    EXPECT_TRUE(IsEnabled(disable)) << "\"Minimize\" on did not enable \"Disable systray icon.\"";
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));

    for (int round = 1; round <= 2; round++) {
        Toggle(dialog, kDisableSystray);  // checks it
        MessageBoxInfo warning = WaitForMessageBox(zintar.id);
        ASSERT_NE(warning.window, (HWND)NULL) << "no warning on checking, round " << round;
        EXPECT_EQ(warning.caption, "Are you sure?");
        EXPECT_EQ(warning.text, kWarningText);
        Answer(warning);
        Settle(dialog);
        EXPECT_FALSE(HasAnyMessageBox(zintar.id)) << "more than one warning, round " << round;
        EXPECT_EQ(CheckState(disable), BST_CHECKED) << "the box did not stay checked";
        Toggle(dialog, kDisableSystray);  // clears it
        EXPECT_FALSE(HasAnyMessageBox(zintar.id)) << "a warning on clearing, round " << round;
    }

    Toggle(dialog, kDisableSystray);
    Answer(WaitForMessageBox(zintar.id));
    Toggle(dialog, kMinimize);  // off: takes the dependent box with it
    EXPECT_EQ(CheckState(disable), BST_UNCHECKED);
    EXPECT_FALSE(IsEnabled(disable));
    Toggle(dialog, kMinimize);  // on again: usable, but still clear
    EXPECT_TRUE(IsEnabled(disable));
    EXPECT_EQ(CheckState(disable), BST_UNCHECKED);
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
    Close(dialog, IDCANCEL);
}

TEST_F(SettingsTest, OkStoresEveryBoxAsOneDigitAndTheTypedIntervalAsItIs) {
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    Toggle(dialog, kPoll);
    Toggle(dialog, kMinimize);
    Toggle(dialog, kStartMinimized);
    SetText(GetDlgItem(dialog, kInterval), "500");  // beyond what the arrows reach
    Close(dialog, IDOK);
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));

    const std::pair<const char*, const char*> expected[] = {{"Poll", "1"},
                                                            {"Minimize", "1"},
                                                            {"AutoStart", "0"},
                                                            {"DisableSystray", "0"},
                                                            {"StartMinimized", "1"}};
    for (const auto& flag : expected) {
        DWORD type = 0;
        EXPECT_EQ(Flag(flag.first, &type), flag.second) << flag.first << " (one byte, no NUL)";
        EXPECT_EQ(type, (DWORD)REG_SZ) << flag.first;
    }
    EXPECT_EQ(IntervalBytes(), BytesOf(500));
    EXPECT_EQ(ValuesOf(kProductKey).size(), 6u) << "OK stored more or less than six values";
    EXPECT_FALSE(shellhelp::FileExists(StartupLinkPath())) << "a shortcut without \"AutoStart\"";

    // Reopened, the dialog shows what was saved.
    dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(CheckState(GetDlgItem(dialog, kPoll)), BST_CHECKED);
    EXPECT_EQ(CheckState(GetDlgItem(dialog, kStartMinimized)), BST_CHECKED);
    EXPECT_TRUE(IsEnabled(GetDlgItem(dialog, kDisableSystray)));
    Close(dialog, IDCANCEL);
}

TEST_F(SettingsTest, TheIntervalIsReadAsADecimalNumberWhateverIsTyped) {
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"  -7 seconds", -7}, {"abc", 0}, {"+42", 42}, {"99999999999", 2147483647}};
    for (const auto& typed : cases) {
        HWND dialog = OpenSettings();
        ASSERT_NE(dialog, (HWND)NULL);
        SetText(GetDlgItem(dialog, kInterval), typed.first);
        Close(dialog, IDOK);
        EXPECT_EQ(IntervalBytes(), BytesOf(typed.second)) << "typed \"" << typed.first << "\"";
    }
}

TEST_F(SettingsTest, OkPlacesTheStartupShortcutAndRemovesItAgain) {
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    Toggle(dialog, kAutoStart);
    Close(dialog, IDOK);
    EXPECT_EQ(Flag("AutoStart"), "1");
    shellhelp::LinkInfo link;
    ASSERT_TRUE(WaitFor([&] { return shellhelp::ReadShellLink(StartupLinkPath(), &link); }))
        << "OK with \"AutoStart\" wrote no readable " << StartupLinkPath();
    EXPECT_EQ(lstrcmpiA(link.target.c_str(), ProgramPath("Zintar.exe").c_str()), 0) << link.target;

    dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(CheckState(GetDlgItem(dialog, kAutoStart)), BST_CHECKED);
    Toggle(dialog, kAutoStart);
    Close(dialog, IDOK);
    EXPECT_FALSE(shellhelp::FileExists(StartupLinkPath())) << "OK without \"AutoStart\" kept it";
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));

    // Once more with nothing to remove: nothing to tell either.
    dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    Close(dialog, IDOK);
    Settle(main);
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
}

// The polling timer follows OK at once. A hide binding waits for its window; only the timer's
// ticks can hide a window that opens after the start-up pass.
class PollingTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        title = "Zintar poll target " + std::to_string(GetCurrentProcessId());
        StoreBinding("hide the target", 1, 0x067B, title);  // Ctrl+Alt+F12
    }
    void TearDown() override {
        Kill(target);
        SettingsTest::TearDown();
    }
    HWND OpenTarget() {
        target = Start(ProgramPath("poll_target.exe"), title);
        HWND window = NULL;
        EXPECT_TRUE(WaitFor([&] { return IsVisible(window = FindWindowA(NULL, title.c_str())); }))
            << "the window \"" << title << "\" did not open";
        return window;
    }
    std::string title;
    Process target;
};

TEST_F(PollingTest, OkWithPollingOnHidesAMatchingWindowWithinTheNewInterval) {
    ASSERT_NE(main = Launch(), (HWND)NULL);
    HWND window = OpenTarget();
    ASSERT_NE(window, (HWND)NULL);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    Toggle(dialog, kPoll);
    SetText(GetDlgItem(dialog, kInterval), "1");
    Close(dialog, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 5000))
        << "polling switched on by OK did not hide \"" << title << "\"";
}

TEST_F(PollingTest, OkWithPollingOffStopsTheTimerAtOnce) {
    SetFlag("Poll", "1");
    int second = 1;
    WriteBinary(kProductKey, "PollInterval", &second, 4);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    Toggle(dialog, kPoll);
    Close(dialog, IDOK);
    HWND window = OpenTarget();
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(window); }, 2500))
        << "the window was hidden although OK switched polling off";
}

// Cancel, the close box and Esc all leave the stored options and the Startup folder alone.
class SettingsCancelTest : public SettingsTest, public ::testing::WithParamInterface<int> {};

TEST_P(SettingsCancelTest, LeavesTheRegistryUntouched) {
    SetFlag("Poll", "0");
    SetFlag("Minimize", "1");
    SetFlag("DisableSystray", "0");
    SetFlag("StartMinimized", "0");
    SetFlag("AutoStart", "0");
    int nine = 9;
    WriteBinary(kProductKey, "PollInterval", &nine, 4);
    std::map<std::string, RawValue> before = ValuesOf(kProductKey);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, (HWND)NULL);
    Toggle(dialog, kPoll);
    Toggle(dialog, kMinimize);
    Toggle(dialog, kAutoStart);
    Toggle(dialog, kStartMinimized);
    SetText(GetDlgItem(dialog, kInterval), "33");
    switch (GetParam()) {
        case 0: Click(dialog, IDCANCEL); break;
        case 1: PostMessageA(dialog, WM_CLOSE, 0, 0); break;
        case 2: PostMessageA(GetDlgItem(dialog, kInterval), WM_KEYDOWN, VK_ESCAPE, 0x10001); break;
    }
    EXPECT_TRUE(WaitForWindowGone(dialog)) << "way " << GetParam() << " left Settings open";
    EXPECT_TRUE(ValuesOf(kProductKey) == before) << "way " << GetParam() << " changed the options";
    EXPECT_FALSE(shellhelp::FileExists(StartupLinkPath()));
}

INSTANTIATE_TEST_SUITE_P(Ways, SettingsCancelTest, ::testing::Values(0, 1, 2));

}  // namespace
