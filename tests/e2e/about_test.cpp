// The About box: opened from the main window's icon, showing the file version, and "Contact Us"
// handing the support address to the user's mail program.
#include "scenario.h"
#include "driver_shell.h"

#include <memory>

using namespace driver;

namespace {

const char* const kSupportLink = "mailto:support@orvane.example?Subject=support";

std::string TrimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
    return text;
}

class AboutTest : public ZintarScenario {
protected:
    void SetUp() override {
        ZintarScenario::SetUp();
        folder = WindowsTempDir();
        record = folder + "\\mail.txt";
        probe = shellhelp::TempFolder() + "it.html";
        DeleteFileA(probe.c_str());
    }
    void TearDown() override {
        ZintarScenario::TearDown();
        shellhelp::RemoveTree(folder);
        DeleteFileA(probe.c_str());
    }
    // Opens the About box with a click on the icon in the main window.
    HWND OpenAbout(HWND main) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(1000, STN_CLICKED),
                     (LPARAM)GetDlgItem(main, 1000));
        HWND about = WaitForDialog(zintar.id, "About");
        EXPECT_NE(about, (HWND)NULL) << "a click on the icon opened no About box";
        return about;
    }
    // The mail program for the test: the recording fixture, under the mailto scheme.
    void RegisterMailProgram() {
        mailto.reset(new shellhelp::KeyBackup(HKEY_CLASSES_ROOT, "mailto"));
        ASSERT_TRUE(
            shellhelp::RegisterRecordingHandler("mailto", ProgramPath("mail_handler.exe"), record));
    }
    std::string folder;
    std::string record;
    std::string probe;
    std::unique_ptr<shellhelp::KeyBackup> mailto;
};

TEST_F(AboutTest, TheIconOpensAboutWithTheFileVersionAndOkClosesIt) {
    HWND main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    HWND about = OpenAbout(main);
    ASSERT_NE(about, (HWND)NULL);
    EXPECT_EQ(Text(GetDlgItem(about, 1010)), "1.0.416");
    EXPECT_EQ(Text(GetDlgItem(about, 2)), "Contact Us");
    EXPECT_FALSE(IsEnabled(main)) << "About is not modal over the main window";
    Click(about, IDOK);
    EXPECT_TRUE(WaitForWindowGone(about)) << "OK did not close About";
    EXPECT_TRUE(WaitFor([&] { return IsEnabled(main); }));
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
}

TEST_F(AboutTest, ContactUsHandsTheSupportLinkToTheMailProgramAndStaysOpen) {
    RegisterMailProgram();
    HWND main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    HWND about = OpenAbout(main);
    ASSERT_NE(about, (HWND)NULL);
    Click(about, 2);
    std::string commandLine = WaitForRecord(record);
    ASSERT_FALSE(commandLine.empty()) << "\"Contact Us\" started no mail program";
    // No program shows .html files here, so nothing goes along with the link.
    EXPECT_EQ(TrimRight(commandLine).substr(commandLine.find(" \"mailto:")),
              std::string(" \"") + kSupportLink + "\"")
        << commandLine;
    Settle(about);
    EXPECT_TRUE(IsVisible(about)) << "\"Contact Us\" closed About";
    EXPECT_FALSE(shellhelp::FileExists(probe)) << "it.html was left in the temporary folder";
    EXPECT_FALSE(HasAnyMessageBox(zintar.id));
    Click(about, IDOK);
    EXPECT_TRUE(WaitForWindowGone(about));
}

TEST_F(AboutTest, TheHtmlViewerFoundForTheProbeGoesAlongWithTheLink) {
    RegisterMailProgram();
    shellhelp::KeyBackup html(HKEY_CLASSES_ROOT, ".html");
    shellhelp::KeyBackup htmlClass(HKEY_CLASSES_ROOT, "ZintarTest.htmlfile");
    std::string viewer = ProgramPath("mail_handler.exe");
    ASSERT_TRUE(shellhelp::RegisterHtmlViewer(viewer));
    HWND main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    HWND about = OpenAbout(main);
    ASSERT_NE(about, (HWND)NULL);
    Click(about, 2);
    std::string commandLine = TrimRight(WaitForRecord(record));
    ASSERT_FALSE(commandLine.empty()) << "\"Contact Us\" started no mail program";
    EXPECT_NE(commandLine.find(kSupportLink), std::string::npos) << commandLine;
    ASSERT_GE(commandLine.size(), viewer.size());
    EXPECT_EQ(
        lstrcmpiA(commandLine.substr(commandLine.size() - viewer.size()).c_str(), viewer.c_str()),
        0)
        << "the viewer's path did not follow the link: " << commandLine;
    Settle(about);
    EXPECT_FALSE(shellhelp::FileExists(probe));
}

TEST_F(AboutTest, EscOpensTheLinkAsWellAndTheCloseBoxClosesWithoutIt) {
    RegisterMailProgram();
    HWND main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    HWND about = OpenAbout(main);
    ASSERT_NE(about, (HWND)NULL);
    // Esc on the focused OK button: the dialog manager makes it the cancel id, "Contact Us".
    PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x10001);
    ASSERT_FALSE(WaitForRecord(record).empty()) << "Esc did not open the support link";
    Settle(about);
    EXPECT_TRUE(IsVisible(about)) << "Esc closed About";

    DeleteFileA(record.c_str());
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    EXPECT_TRUE(WaitForWindowGone(about)) << "the close box did not close About";
    Settle(main);
    EXPECT_TRUE(WaitForRecord(record, 1500).empty()) << "the close box opened the link";
    EXPECT_TRUE(IsRunning(zintar));
}

TEST_F(AboutTest, AStaleProbeFileIsUsedAndRemoved) {
    RegisterMailProgram();
    ASSERT_TRUE(shellhelp::WriteWholeFile(probe, "left over"));
    HWND main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    HWND about = OpenAbout(main);
    ASSERT_NE(about, (HWND)NULL);
    Click(about, 2);
    ASSERT_FALSE(WaitForRecord(record).empty());
    Settle(about);
    EXPECT_FALSE(shellhelp::FileExists(probe)) << "a stale it.html survived \"Contact Us\"";
}

TEST_F(AboutTest, AProgramDeepInTheFoldersStillShowsItsVersion) {
    std::string deep = shellhelp::DeepFolder(folder, 200);
    ASSERT_FALSE(deep.empty()) << "could not make a folder 200 characters deep under " << folder;
    std::string copy = deep + "\\Zintar.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath("Zintar.exe").c_str(), copy.c_str(), FALSE)) << copy;
    zintar = Start(copy);
    HWND main = NULL;
    ASSERT_TRUE(WaitFor([&] { return IsVisible(main = FindMainWindow()); }))
        << "Zintar did not start from " << copy;
    HWND about = OpenAbout(main);
    ASSERT_NE(about, (HWND)NULL);
    EXPECT_EQ(Text(GetDlgItem(about, 1010)), "1.0.416") << "run from " << copy;
    Click(about, IDOK);
    EXPECT_TRUE(WaitForWindowGone(about));
    EXPECT_TRUE(ExitZintar(zintar));
}

}  // namespace
