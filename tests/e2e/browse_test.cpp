// Choosing a program with the "..." button: the system's open-file dialog, driven as a user
// would, and what it leaves in the launch edit.
#include "scenario.h"
#include "driver_dialogs.h"

using namespace driver;

namespace {

class BrowseTest : public ZintarScenario {
protected:
    void TearDown() override {
        ZintarScenario::TearDown();
        for (auto it = created.rbegin(); it != created.rend(); ++it) {
            if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
        }
    }
    // A file that the open-file dialog accepts (it must exist), in a folder of its own.
    std::string MakeProgram(const std::string& folderName) {
        std::string folder = WindowsTempDir();
        created.push_back(folder);
        if (!folderName.empty()) {
            folder += "\\" + folderName;
            CreateDirectoryA(folder.c_str(), NULL);
            created.push_back(folder);
        }
        std::string path = folder + "\\tool.exe";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        CloseHandle(file);
        created.push_back(path);
        return path;
    }
    // Opens the add dialog, puts text into the launch edit and presses "...".
    HWND Browse(const std::string& launchText) {
        main = Launch();
        if (main == NULL) return NULL;
        attributes = OpenAddDialog(main, zintar.id);
        if (attributes == NULL) return NULL;
        SetText(GetDlgItem(attributes, 1005), launchText);
        Click(attributes, 1022);
        HWND open = WaitForDialog(zintar.id, "Open");
        EXPECT_NE(open, (HWND)NULL) << "the open-file dialog did not come";
        return open;
    }
    // Types the path into the open-file dialog and presses its Open button.
    bool Choose(HWND open, const std::string& path) {
        HWND edit = FileNameEdit(open);
        EXPECT_NE(edit, (HWND)NULL) << "no file name edit in the open-file dialog";
        if (edit == NULL) return false;
        SetText(edit, path);
        return ClickAndWaitClosed(open, IDOK);
    }
    std::string LaunchText() { return Text(GetDlgItem(attributes, 1005)); }
    HWND main = NULL;
    HWND attributes = NULL;
    std::vector<std::string> created;
};

TEST_F(BrowseTest, TheOpenFileDialogOffersProgramsAndCancelLeavesTheEditAsItWas) {
    HWND open = Browse("old command");
    ASSERT_NE(open, (HWND)NULL);
    EXPECT_EQ(GetWindow(open, GW_OWNER), attributes);
    EXPECT_FALSE(IsEnabled(attributes)) << "the open-file dialog is modal to the attributes dialog";
    EXPECT_EQ(Text(GetDlgItem(open, 0x470)), "Executable Files (*.exe)");
    ASSERT_TRUE(ClickAndWaitClosed(open, IDCANCEL));
    EXPECT_EQ(LaunchText(), "old command");
    EXPECT_TRUE(IsVisible(attributes));
}

TEST_F(BrowseTest, AChosenPathWithASpaceComesBackQuoted) {
    std::string path = MakeProgram("My Tools");
    HWND open = Browse("old command");
    ASSERT_NE(open, (HWND)NULL);
    ASSERT_TRUE(Choose(open, path)) << "the open-file dialog did not take " << path;
    EXPECT_EQ(LaunchText(), "\"" + path + "\"");

    // The binding launches that program, not "C:\...\My".
    SetText(GetDlgItem(attributes, 1007), "tool");
    SetHotKeyValue(attributes, 0x0641);
    ASSERT_TRUE(ClickAndWaitClosed(attributes, IDOK));
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("tool", &stored));
    EXPECT_EQ(stored.command, "\"" + path + "\"");
}

TEST_F(BrowseTest, AChosenPathWithoutASpaceComesBackAsItIs) {
    std::string path = MakeProgram("");
    if (path.find(' ') != std::string::npos) GTEST_SKIP() << "the temporary folder holds a space";
    HWND open = Browse("old command");
    ASSERT_NE(open, (HWND)NULL);
    ASSERT_TRUE(Choose(open, path)) << "the open-file dialog did not take " << path;
    EXPECT_EQ(LaunchText(), path);
}

}  // namespace
