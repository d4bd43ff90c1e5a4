// The shortcut in the Startup folder: written afresh at every start while "AutoStart" is on,
// pointing at whichever Zintar.exe runs, and the messages when the folder cannot be used.
#include "scenario.h"
#include "driver_shell.h"

#include <memory>

using namespace driver;

namespace {

const char* const kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class ShortcutTest : public ZintarScenario {
protected:
    void SetUp() override {
        ZintarScenario::SetUp();
        folders.reset(new shellhelp::KeyBackup(HKEY_CURRENT_USER, kShellFolders));
        link = StartupLinkPath();
        DeleteFileA(link.c_str());
        scratch = WindowsTempDir();
    }
    void TearDown() override {
        ZintarScenario::TearDown();
        DeleteFileA(link.c_str());  // an explicit wineboot would run it
        folders.reset();            // the Startup value as it was
        shellhelp::RemoveTree(scratch);
    }
    // Starts Zintar when its start is expected to stop at a message box first.
    void StartExpectingMessages() { zintar = StartZintar(); }
    void ExpectMessage(const std::string& caption, const std::string& text) {
        MessageBoxInfo box = WaitForMessageBox(zintar.id);
        ASSERT_NE(box.window, (HWND)NULL) << "no message box; expected \"" << text << "\"";
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.text, text);
        Answer(box);
    }
    void SetStartupFolder(const std::string& folder) {
        WriteString(kShellFolders, "Startup", folder);
    }
    std::unique_ptr<shellhelp::KeyBackup> folders;
    std::string link;
    std::string scratch;
};

TEST_F(ShortcutTest, EveryStartWithAutoStartWritesTheShortcutAfresh) {
    SetFlag("AutoStart", "1");
    for (int start = 1; start <= 2; start++) {
        ASSERT_TRUE(shellhelp::WriteWholeFile(link, "not a shortcut")) << link;
        ASSERT_NE(Launch(), (HWND)NULL);
        shellhelp::LinkInfo info;
        ASSERT_TRUE(shellhelp::ReadShellLink(link, &info))
            << "start " << start << " left no readable shortcut at " << link;
        EXPECT_EQ(lstrcmpiA(info.target.c_str(), ProgramPath("Zintar.exe").c_str()), 0)
            << info.target;
        EXPECT_EQ(info.description, "Zintar");
        EXPECT_EQ(info.arguments, "");
        EXPECT_FALSE(HasAnyMessageBox(zintar.id));
        ASSERT_TRUE(ExitZintar(zintar));
        Kill(zintar);
    }
}

TEST_F(ShortcutTest, TheShortcutFollowsTheProgramWhenItMoves) {
    SetFlag("AutoStart", "1");
    std::string moved = scratch + "\\Zintar.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath("Zintar.exe").c_str(), moved.c_str(), FALSE));
    zintar = Start(moved);
    ASSERT_TRUE(WaitFor([&] { return IsVisible(FindMainWindow()); })) << "no start from " << moved;
    shellhelp::LinkInfo info;
    ASSERT_TRUE(shellhelp::ReadShellLink(link, &info));
    EXPECT_EQ(lstrcmpiA(info.target.c_str(), moved.c_str()), 0) << info.target;
    EXPECT_TRUE(ExitZintar(zintar));
}

TEST_F(ShortcutTest, WithAutoStartOffAStartLeavesAnExistingShortcutAlone) {
    SetFlag("AutoStart", "0");
    ASSERT_TRUE(shellhelp::WriteWholeFile(link, "kept"));
    ASSERT_NE(Launch(), (HWND)NULL);
    EXPECT_EQ(shellhelp::ReadWholeFile(link), "kept");
}

TEST_F(ShortcutTest, AMissingStartupValueIsToldTwiceWhenCreatingAndWhenRemoving) {
    SetFlag("AutoStart", "1");
    HKEY key = NULL;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "Startup");
    RegCloseKey(key);

    StartExpectingMessages();
    ExpectMessage("Error", "Could not get data from registry key.");
    ExpectMessage("Poop!", "Could not create the startup shortcut...");
    HWND main = NULL;
    ASSERT_TRUE(WaitFor([&] { return IsVisible(main = FindMainWindow()); }))
        << "Zintar did not go on after the messages";

    // Settings, OK with "AutoStart" cleared: the removal cannot find the folder either.
    Click(main, 5);
    HWND dialog = WaitForDialog(zintar.id, "Settings...");
    ASSERT_NE(dialog, (HWND)NULL);
    PressButton(dialog, 1009);
    ASSERT_TRUE(WaitFor([&] { return CheckState(GetDlgItem(dialog, 1009)) == BST_UNCHECKED; }));
    Click(dialog, IDOK);
    ExpectMessage("Error", "Could not get data from registry key.");
    ExpectMessage("Poop!", "Could not remove the startup shortcut...");
    EXPECT_TRUE(WaitForWindowGone(dialog)) << "Settings stayed open after the messages";
    EXPECT_FALSE(shellhelp::FileExists(link));
}

TEST_F(ShortcutTest, AStartupFolderWithNoRoomForTheNameGetsNothingWritten) {
    SetFlag("AutoStart", "1");
    // 248 characters and "\Zintar.lnk" fill a path buffer exactly; one more does not fit.
    std::string roomy = shellhelp::DeepFolder(scratch, 248);
    ASSERT_FALSE(roomy.empty());
    SetStartupFolder(roomy);
    ASSERT_NE(Launch(), (HWND)NULL);
    EXPECT_EQ(shellhelp::FolderEntries(roomy), std::vector<std::string>{"Zintar.lnk"});
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
    ASSERT_TRUE(ExitZintar(zintar));
    Kill(zintar);

    std::string cramped = shellhelp::DeepFolder(scratch, 249);
    ASSERT_FALSE(cramped.empty());
    SetStartupFolder(cramped);
    StartExpectingMessages();
    ExpectMessage("Poop!", "Could not create the startup shortcut...");
    ASSERT_TRUE(WaitFor([&] { return IsVisible(FindMainWindow()); }));
    EXPECT_TRUE(shellhelp::FolderEntries(cramped).empty())
        << "something was written in " << cramped;
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
}

TEST_F(ShortcutTest, AStartupFolderThatDoesNotExistGetsNothingAndNoMessage) {
    SetFlag("AutoStart", "1");
    std::string nowhere = scratch + "\\no such folder";
    SetStartupFolder(nowhere);
    ASSERT_NE(Launch(), (HWND)NULL);
    Settle(FindMainWindow());
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
    EXPECT_FALSE(shellhelp::FileExists(nowhere));
}

}  // namespace
