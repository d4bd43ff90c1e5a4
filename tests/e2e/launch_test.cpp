// Launching a command line from a hot key: the program gets exactly the stored command line, and
// a command line that cannot run shows nothing.
#include "scenario.h"
#include "driver_actions.h"

using namespace driver;

namespace {

const UINT kKeyL = 0x064C;  // Ctrl+Alt+L
const UINT kKeyN = 0x064E;
const UINT kKeyE = 0x0645;
const UINT kKeyM = 0x064D;

class LaunchTest : public ZintarScenario {
protected:
    TempFolder folder;
};

TEST_F(LaunchTest, TheLaunchedProgramGetsTheStoredCommandLine) {
    std::string out = folder.File("launched.txt");
    std::string command = MarkerCommand(out, "alpha \"two words\" --flag=3");
    StoreBinding("launch", 2, kKeyL, command);
    ASSERT_NE(Launch(), (HWND)NULL);
    PressHotKey(kKeyL);
    ASSERT_TRUE(WaitFor([&] { return FileExists(out); })) << "the marker program did not run";
    EXPECT_EQ(ReadFileText(out), command);
    EXPECT_FALSE(HasMessageBox(zintar.id));
}

TEST_F(LaunchTest, CommandLinesThatCannotRunShowNothing) {
    std::string out = folder.File("after.txt");
    StoreBinding("missing", 2, kKeyN, "C:\\no\\such\\folder\\program.exe /x");
    StoreBinding("empty", 2, kKeyE, "");
    StoreBinding("after", 2, kKeyM, MarkerCommand(out));
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_EQ(ListLines(MainList(window)).size(), 3u);
    PressHotKey(kKeyN);
    PressHotKey(kKeyE);
    PressHotKey(kKeyM);
    ASSERT_TRUE(WaitFor([&] { return FileExists(out); }))
        << "the key after the failures did nothing";
    EXPECT_FALSE(HasMessageBox(zintar.id));
    EXPECT_EQ(FindDialog(zintar.id, ""), (HWND)NULL) << "a dialog appeared";
    EXPECT_TRUE(IsRunning(zintar));
}

}  // namespace
