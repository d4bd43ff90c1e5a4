// The dispatcher in-process: which message each action sends, and when, to windows of this
// process that stand in for the main window and the player.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "action_test_windows.h"
#include "actions/dispatch.h"
#include "app/main_window.h"
#include "bindings/binding_list.h"

using namespace actiontest;

namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainLog = MainWindowLog();
        mainWindowHandle = CreateMainStandIn();
        player = CreatePlayerStandIn();
    }
    void TearDown() override {
        ReleaseAllBindings();
        DestroyWindow(player);
        DestroyWindow(mainWindowHandle);
        mainWindowHandle = NULL;
    }
    int Bind(int type, const std::string& command) {
        KeyBinding* binding =
            NewBinding(type, 0, ("d" + std::to_string(nextBindingId)).c_str(), command.c_str());
        binding->id = nextBindingId++;
        PushBinding(binding);
        return binding->id;
    }
    HWND player = NULL;
};

TEST_F(DispatchTest, EachPlayerWordSendsExactlyItsCommandToThePlayer) {
    const struct {
        const char* word;
        WPARAM id;
    } expected[] = {{"PREV", 40044}, {"STOP", 40047},  {"VOLUP", 40058},   {"FWD", 40060},
                    {"NEXT", 40048}, {"PLAY", 40045},  {"VOLDOWN", 40059}, {"REW", 40061},
                    {"LOAD", 40029}, {"PAUSE", 40046}, {"TOP", 40019},     {"FADE", 40147}};
    for (const auto& row : expected) {
        mainLog.playerCommands.clear();
        mainLog.playerParams.clear();
        DispatchBinding((WPARAM)Bind(PlayerCommand, row.word));
        EXPECT_EQ(mainLog.playerCommands, std::vector<WPARAM>{row.id}) << row.word;
        EXPECT_EQ(mainLog.playerParams, std::vector<LPARAM>{0}) << row.word;
    }
    EXPECT_EQ(mainLog.passes, 0);
}

TEST_F(DispatchTest, TextsThatAreNotExactlyAPlayerWordSendNothing) {
    for (const char* text : {"play", "Play", "PLAY ", " PLAY", "PLAYX", "PLA", "", "VOL"}) {
        DispatchBinding((WPARAM)Bind(PlayerCommand, text));
        EXPECT_TRUE(mainLog.playerCommands.empty()) << "\"" << text << "\" sent something";
    }
}

TEST_F(DispatchTest, UnknownIdsAndUnknownTypesDoNothing) {
    Bind(PlayerCommand, "PLAY");
    DispatchBinding(999999);
    DispatchBinding(0);
    DispatchBinding((WPARAM)Bind(7, "PLAY"));
    DispatchBinding((WPARAM)Bind(-1, "PLAY"));
    EXPECT_TRUE(mainLog.playerCommands.empty());
    EXPECT_EQ(mainLog.passes, 0);
    EXPECT_EQ(mainLog.screenSaverRequests, 0);
}

TEST_F(DispatchTest, ScreenSaverIsRequestedFromTheMainWindowAfterAQuarterSecond) {
    int id = Bind(ScreenSaver, "");
    LONGLONG pressed = Counter();
    DispatchBinding((WPARAM)id);
    EXPECT_EQ(mainLog.screenSaverRequests, 1) << "the request is sent before the dispatch returns";
    EXPECT_GE(MillisecondsBetween(pressed, mainLog.screenSaverCounter), SCREEN_SAVER_DELAY_MS)
        << "the request came too soon";
    EXPECT_TRUE(mainLog.playerCommands.empty());
}

TEST_F(DispatchTest, HidingPressFlipsTheModeAndRunsOnePass) {
    int id = Bind(HideWindow, "no window has this title 7f3a");
    KeyBinding* binding = FindBinding("", id);
    DispatchBinding((WPARAM)id);
    EXPECT_EQ(binding->hideMode, 0);
    EXPECT_EQ(mainLog.passes, 1);
    DispatchBinding((WPARAM)id);
    EXPECT_NE(binding->hideMode, 0);
    EXPECT_EQ(mainLog.passes, 2);
}

TEST_F(DispatchTest, NoPlayerWindowMeansNothingIsSent) {
    DestroyWindow(player);
    player = NULL;
    DispatchBinding((WPARAM)Bind(PlayerCommand, "PLAY"));
    EXPECT_TRUE(mainLog.playerCommands.empty());
}

}  // namespace
