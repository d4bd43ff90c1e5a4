// Player commands pressed through stored bindings reach the running player, one message each,
// and neither a missing nor a hung player disturbs Zintar.
#include "scenario.h"
#include "driver_actions.h"

using namespace driver;

namespace {

UINT CtrlAlt(char key) {
    return 0x0600 | (UINT)key;
}

// How long Zintar may wait for a player that does not answer, and what the test allows on top.
const DWORD kPlayerTimeoutMs = 3000;
const DWORD kMarginMs = 4000;

class PlayerTest : public ZintarScenario {
protected:
    void TearDown() override {
        Kill(player);
        ZintarScenario::TearDown();
    }
    std::string Log() const { return folder.File("player.log"); }
    void StartThePlayer() {
        player = StartPlayer(Log(), &playerWindow);
        ASSERT_NE(playerWindow, (HWND)NULL) << "the stand-in player did not open its window";
    }
    // Presses a key and waits until the player's log holds count lines.
    bool PressAndWaitForLines(UINT keycode, size_t count) {
        PressHotKey(keycode);
        return WaitFor([&] { return ReadLines(Log()).size() >= count; });
    }
    TempFolder folder;
    Process player;
    HWND playerWindow = NULL;
};

TEST_F(PlayerTest, EveryWordReachesThePlayerAsExactlyItsOwnCommand) {
    const struct {
        const char* word;
        const char* id;
    } table[] = {{"PREV", "40044"}, {"STOP", "40047"},  {"VOLUP", "40058"},   {"FWD", "40060"},
                 {"NEXT", "40048"}, {"PLAY", "40045"},  {"VOLDOWN", "40059"}, {"REW", "40061"},
                 {"LOAD", "40029"}, {"PAUSE", "40046"}, {"TOP", "40019"},     {"FADE", "40147"}};
    for (int i = 0; i < 12; i++)
        StoreBinding(table[i].word, 3, CtrlAlt((char)('A' + i)), table[i].word);
    StartThePlayer();
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_EQ(ListLines(MainList(window)).size(), 12u) << "the player bindings were not loaded";
    std::vector<std::string> expected;
    for (int i = 0; i < 12; i++) {
        expected.push_back(table[i].id);
        ASSERT_TRUE(PressAndWaitForLines(CtrlAlt((char)('A' + i)), expected.size()))
            << "pressing " << table[i].word << " sent nothing to the player";
        EXPECT_EQ(ReadLines(Log()), expected) << "after pressing " << table[i].word;
    }
}

TEST_F(PlayerTest, TextsThatAreNotExactlyAWordSendNothing) {
    StoreBinding("lower case", 3, CtrlAlt('A'), "play");
    StoreBinding("mixed case", 3, CtrlAlt('B'), "Play");
    StoreBinding("longer", 3, CtrlAlt('C'), "PLAYER");
    StoreBinding("sentinel", 3, CtrlAlt('D'), "STOP");
    StartThePlayer();
    ASSERT_NE(Launch(), (HWND)NULL);
    PressHotKey(CtrlAlt('A'));
    PressHotKey(CtrlAlt('B'));
    PressHotKey(CtrlAlt('C'));
    // Presses are handled in order and each send completes before the next: once the sentinel's
    // command is in the log, anything the others sent would be there before it.
    ASSERT_TRUE(PressAndWaitForLines(CtrlAlt('D'), 1)) << "the sentinel STOP did not arrive";
    EXPECT_EQ(ReadLines(Log()), std::vector<std::string>{"40047"});
}

TEST_F(PlayerTest, WithoutAPlayerAPressEndsSilently) {
    std::string marker = folder.File("after.txt");
    StoreBinding("PLAY", 3, CtrlAlt('P'), "PLAY");
    StoreBinding("after", 2, CtrlAlt('M'), MarkerCommand(marker));
    ASSERT_EQ(FindWindowA(FAKE_PLAYER_CLASS, NULL), (HWND)NULL) << "a player is running already";
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    PressHotKey(CtrlAlt('P'));
    PressHotKey(CtrlAlt('M'));
    ASSERT_TRUE(WaitFor([&] { return FileExists(marker); })) << "the key after PLAY did nothing";
    EXPECT_FALSE(HasMessageBox(zintar.id));
    EXPECT_TRUE(IsRunning(zintar));
    EXPECT_EQ(FindDialog(zintar.id, ""), (HWND)NULL) << "a dialog appeared";
}

TEST_F(PlayerTest, AHungPlayerDoesNotFreezeZintar) {
    std::string marker = folder.File("after.txt");
    StoreBinding("PLAY", 3, CtrlAlt('P'), "PLAY");
    StoreBinding("after", 2, CtrlAlt('M'), MarkerCommand(marker));
    StartThePlayer();
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(HangPlayer(playerWindow, Log())) << "the player did not stop answering";
    ULONGLONG pressed = GetTickCount64();
    PressHotKey(CtrlAlt('P'));
    PressHotKey(CtrlAlt('M'));
    // The next key in the queue runs only once Zintar has given up on the player.
    EXPECT_TRUE(WaitFor([&] { return FileExists(marker); }, kPlayerTimeoutMs + kMarginMs))
        << "Zintar still waits for the hung player after " << (GetTickCount64() - pressed) << " ms";
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                  kPlayerTimeoutMs + kMarginMs, &result),
              0)
        << "the main window does not answer";
    EXPECT_TRUE(IsRunning(zintar));
    EXPECT_EQ(ReadLines(Log()), std::vector<std::string>{FAKE_PLAYER_HANG_LINE});
}

}  // namespace
