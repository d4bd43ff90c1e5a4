// The Startup shortcut's routines in-process: the folder from the registry read safely whatever is
// stored there, and the link file written through the shell's own link object.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "prefs/startup_shortcut.h"
#include "tests/common/shell_helpers.h"
#include "message_catcher.h"

namespace {

const char* const kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class StartupShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        folders.reset(new shellhelp::KeyBackup(HKEY_CURRENT_USER, kShellFolders));
        char name[MAX_PATH] = {};
        GetTempFileNameA(shellhelp::TempFolder().c_str(), "zss", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, NULL);
        scratch = name;
    }
    void TearDown() override {
        folders.reset();
        shellhelp::RemoveTree(scratch);
    }
    // Stores the Startup value as raw bytes, without a terminator unless the text has one.
    void StoreStartup(const std::string& bytes) {
        HKEY key = NULL;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, NULL, 0, KEY_ALL_ACCESS,
                                  NULL, &key, NULL),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Startup", 0, REG_SZ, (const BYTE*)bytes.data(), (DWORD)bytes.size());
        RegCloseKey(key);
    }
    std::unique_ptr<shellhelp::KeyBackup> folders;
    std::string scratch;
};

TEST_F(StartupShortcutTest, AFolderValueWithoutTerminatorIsReadWithinTheBuffer) {
    std::string folder = scratch + "\\" + std::string(150, 'f');
    StoreStartup(folder);  // no terminating zero stored
    char buffer[MAX_PATH + 16];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(StartupFolderPath(buffer), 1);
    EXPECT_EQ(std::string(buffer), folder);

    // A value that fills the whole buffer with no room for a terminator is no path.
    StoreStartup(std::string(MAX_PATH, 'g'));
    memset(buffer, '#', sizeof buffer);
    std::vector<MessageCatcher::Message> seen;
    {
        MessageCatcher messages;
        EXPECT_EQ(StartupFolderPath(buffer), 0);
        seen = messages.Seen();
    }
    EXPECT_EQ(buffer[MAX_PATH], '#') << "written past the buffer";
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Could not get data from registry key.");
}

TEST_F(StartupShortcutTest, TheLinkPointsAtTheTargetWithItsDescription) {
    std::string link = scratch + "\\made.lnk";
    std::string target = scratch + "\\target.exe";
    EXPECT_EQ(CreateShellLink(target.c_str(), link.c_str(), "Zintar"), S_OK);
    shellhelp::LinkInfo info;
    ASSERT_TRUE(shellhelp::ReadShellLink(link, &info)) << link;
    EXPECT_EQ(lstrcmpiA(info.target.c_str(), target.c_str()), 0) << info.target;
    EXPECT_EQ(info.description, "Zintar");
    EXPECT_EQ(info.arguments, "");
}

TEST_F(StartupShortcutTest, ALinkIntoAMissingFolderFailsAndLeavesNothing) {
    std::string link = scratch + "\\missing\\made.lnk";
    MessageCatcher messages;
    EXPECT_TRUE(FAILED(CreateShellLink("C:\\target.exe", link.c_str(), "Zintar")));
    EXPECT_FALSE(shellhelp::FileExists(link));
    EXPECT_TRUE(messages.Seen().empty());
}

TEST_F(StartupShortcutTest, CreatingAndRemovingWorkOnTheFolderTheRegistryNames) {
    StoreStartup(scratch + std::string(1, '\0'));
    MessageCatcher messages;
    EXPECT_EQ(CreateStartupShortcut(), 1);
    shellhelp::LinkInfo info;
    ASSERT_TRUE(shellhelp::ReadShellLink(scratch + "\\Zintar.lnk", &info));
    char own[MAX_PATH] = {};
    GetModuleFileNameA(NULL, own, sizeof own);
    EXPECT_EQ(lstrcmpiA(info.target.c_str(), own), 0) << info.target;

    EXPECT_EQ(RemoveStartupShortcut(), 1);
    EXPECT_TRUE(shellhelp::FolderEntries(scratch).empty());
    EXPECT_EQ(RemoveStartupShortcut(), 1) << "nothing to remove is no failure";
    EXPECT_TRUE(messages.Seen().empty());
}

}  // namespace
