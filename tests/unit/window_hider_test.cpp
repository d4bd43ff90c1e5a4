// The hider in-process, with real windows of this process: each state of a hiding binding, on a
// pass and on a press of its own key, the matching rules, the restore at exit and the timer.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "action_test_windows.h"
#include "actions/dispatch.h"
#include "actions/window_hider.h"
#include "app/main_window.h"
#include "bindings/binding_list.h"
#include "prefs/settings_store.h"

using namespace actiontest;

namespace {

class WindowHiderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainLog = MainWindowLog();
        mainWindowHandle = CreateMainStandIn();
        // Titles unique to this test, so that no other window on the desktop can match.
        static int serial = 0;
        tag = "HiderCase" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    }
    void TearDown() override {
        ReleaseAllBindings();
        for (HWND window : windows) DestroyWindow(window);
        DestroyWindow(mainWindowHandle);
        mainWindowHandle = NULL;
    }
    HWND Window(const std::string& title, bool visible = true) {
        HWND window = CreateTitled(title, visible);
        windows.push_back(window);
        return window;
    }
    KeyBinding* Bind(const std::string& text, int type = HideWindow) {
        KeyBinding* binding =
            NewBinding(type, 0, ("b" + std::to_string(nextBindingId)).c_str(), text.c_str());
        binding->id = nextBindingId++;
        PushBinding(binding);
        return binding;
    }
    void Press(KeyBinding* binding) { DispatchBinding((WPARAM)binding->id); }
    // Brings a binding to Hidden with window held and invisible.
    void MakeHidden(KeyBinding* binding, HWND window) {
        HidePoll();
        ASSERT_EQ(binding->isHidden, 1);
        ASSERT_EQ(binding->hiddenWindow, window);
        ASSERT_FALSE(IsWindowVisible(window));
    }
    std::string tag;
    std::vector<HWND> windows;
};

#define EXPECT_STATE(binding, mode, hidden, window)                           \
    do {                                                                      \
        EXPECT_EQ((binding)->hideMode != 0, (mode) != 0) << "hideMode";       \
        EXPECT_EQ((binding)->isHidden, (hidden)) << "isHidden";               \
        EXPECT_EQ((binding)->hiddenWindow, (HWND)(window)) << "hiddenWindow"; \
    } while (0)

// ---- Hide pending (1, 0) ----

TEST_F(WindowHiderTest, HidePendingPassHidesTheMatchAndRemembersIt) {
    HWND diary = Window("Editor - " + tag + " Diary");
    HWND other = Window("Editor - unrelated");
    KeyBinding* binding = Bind(tag + " Diary");
    EXPECT_STATE(binding, 1, 0, NULL);
    HidePoll();
    EXPECT_STATE(binding, 1, 1, diary);
    EXPECT_FALSE(IsWindowVisible(diary));
    EXPECT_TRUE(IsWindowVisible(other));
}

TEST_F(WindowHiderTest, HidePendingWithoutAMatchStaysPending) {
    HWND window = Window("Editor - " + tag);
    KeyBinding* binding = Bind(tag + " absent");
    HidePoll();
    EXPECT_STATE(binding, 1, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(window));
    // The window that matches later is taken by the next pass.
    HWND later = Window("Now " + tag + " absent");
    HidePoll();
    EXPECT_STATE(binding, 1, 1, later);
    EXPECT_FALSE(IsWindowVisible(later));
}

TEST_F(WindowHiderTest, HidePendingPressBecomesShownAndItsPassHidesNothing) {
    HWND window = Window("Player " + tag);
    KeyBinding* binding = Bind(tag);
    Press(binding);
    EXPECT_EQ(mainLog.passes, 1);
    EXPECT_STATE(binding, 0, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(window));
}

// ---- Hidden (1, 1) ----

TEST_F(WindowHiderTest, HiddenPassLeavesEveryOtherMatchAlone) {
    HWND first = Window("One " + tag);
    KeyBinding* binding = Bind(tag);
    MakeHidden(binding, first);
    HWND second = Window("Two " + tag);
    HidePoll();
    EXPECT_STATE(binding, 1, 1, first);
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowVisible(second)) << "a binding holds one window at a time";
}

TEST_F(WindowHiderTest, HiddenPressShowsTheWindowAtOnceAndBringsItForward) {
    HWND window = Window("Notes " + tag);
    KeyBinding* binding = Bind(tag);
    MakeHidden(binding, window);
    SetForegroundWindow(mainWindowHandle);
    Press(binding);
    EXPECT_STATE(binding, 0, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);
}

// ---- Show pending (0, 1) ----

TEST_F(WindowHiderTest, ShowPendingWaitsForAMatchThenShowsTheRememberedWindow) {
    HWND held = Window("Mail " + tag);
    KeyBinding* binding = Bind(tag);
    MakeHidden(binding, held);
    SetWindowTextA(held, "Mail, retitled");  // nothing matches any more
    Press(binding);
    EXPECT_STATE(binding, 0, 1, held);
    EXPECT_FALSE(IsWindowVisible(held));
    HidePoll();
    EXPECT_STATE(binding, 0, 1, held);
    // Any match is the occasion; the window shown is the one that was hidden.
    HWND occasion = Window("Other " + tag, false);
    HidePoll();
    EXPECT_STATE(binding, 0, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(held));
    EXPECT_EQ(GetForegroundWindow(), held);
    EXPECT_FALSE(IsWindowVisible(occasion));
}

TEST_F(WindowHiderTest, ShowPendingPressTurnsBackToHiddenAndTheWindowStaysHidden) {
    HWND held = Window("Chat " + tag);
    KeyBinding* binding = Bind(tag);
    MakeHidden(binding, held);
    SetWindowTextA(held, "Chat, retitled");
    Press(binding);
    EXPECT_STATE(binding, 0, 1, held);
    SetWindowTextA(held, ("Chat " + tag).c_str());  // it matches again, and still stays hidden
    Press(binding);
    EXPECT_EQ(mainLog.passes, 2);
    EXPECT_STATE(binding, 1, 1, held);
    EXPECT_FALSE(IsWindowVisible(held));
}

// ---- Shown (0, 0) ----

TEST_F(WindowHiderTest, ShownPassLeavesTheMatchVisibleAndPressHidesItAgain) {
    HWND window = Window("Music " + tag);
    KeyBinding* binding = Bind(tag);
    MakeHidden(binding, window);
    Press(binding);
    ASSERT_TRUE(IsWindowVisible(window));
    HidePoll();
    HidePoll();
    EXPECT_STATE(binding, 0, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(window)) << "ticks must not take back what a press showed";
    Press(binding);
    EXPECT_STATE(binding, 1, 1, window);
    EXPECT_FALSE(IsWindowVisible(window));
}

// ---- One press, one pass over every hiding binding ----

TEST_F(WindowHiderTest, APressRunsOnePassForEveryHidingBindingAndNoOther) {
    HWND mine = Window("Mine " + tag);
    KeyBinding* pressed = Bind("Mine " + tag);
    MakeHidden(pressed, mine);
    HWND theirs = Window("Theirs " + tag);
    KeyBinding* waiting = Bind("Theirs " + tag);
    HWND launched = Window("Launch " + tag);
    Bind("Launch " + tag, LaunchApp);  // the same kind of text, but not a hiding binding
    Press(pressed);
    EXPECT_EQ(mainLog.passes, 1);
    EXPECT_EQ(mainLog.timerIds, std::vector<UINT_PTR>{HIDE_TIMER_ID});
    EXPECT_TRUE(IsWindowVisible(mine));
    EXPECT_STATE(waiting, 1, 1, theirs);
    EXPECT_FALSE(IsWindowVisible(theirs)) << "the pass covers the binding that was not pressed";
    EXPECT_TRUE(IsWindowVisible(launched));
}

// ---- Matching ----

struct EnumOrder {
    HWND a, b;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectInOrder(HWND window, LPARAM parameter) {
    EnumOrder* order = (EnumOrder*)parameter;
    if (window == order->a || window == order->b) order->found.push_back(window);
    return TRUE;
}

std::vector<HWND> InEnumOrder(HWND a, HWND b) {
    EnumOrder order = {a, b, {}};
    EnumWindows(CollectInOrder, (LPARAM)&order);
    return order.found;
}

TEST_F(WindowHiderTest, TheFirstMatchInEnumerationOrderIsTakenEvenWhenInvisible) {
    HWND visible = Window("Twin " + tag + " visible");
    HWND invisible = Window("Twin " + tag + " invisible", false);
    std::vector<HWND> order = InEnumOrder(visible, invisible);
    ASSERT_EQ(order.size(), 2u);
    KeyBinding* binding = Bind("Twin " + tag);
    HidePoll();
    EXPECT_EQ(binding->hiddenWindow, order[0]);
    EXPECT_EQ(IsWindowVisible(visible) != FALSE, order[0] == invisible)
        << "only the first match is hidden";
}

TEST_F(WindowHiderTest, EmptyTextsAndEmptyTitlesNeverMatch) {
    HWND untitled = Window("");
    HWND titled = Window("Titled " + tag);
    KeyBinding* empty = Bind("");
    HidePoll();
    EXPECT_STATE(empty, 1, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(untitled));
    EXPECT_TRUE(IsWindowVisible(titled));
}

TEST_F(WindowHiderTest, MatchingIsCaseSensitive) {
    HWND window = Window("REPORT " + tag);
    KeyBinding* lower = Bind("report " + tag);
    HidePoll();
    EXPECT_STATE(lower, 1, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(window));
    KeyBinding* exact = Bind("REPORT " + tag);
    HidePoll();
    EXPECT_STATE(exact, 1, 1, window);
}

TEST_F(WindowHiderTest, OnlyTheFirst998CharactersOfATitleAreSearched) {
    // 995 filler characters, then the marker: "ABC" ends at character 998, "ABCD" goes beyond.
    std::string title = tag + std::string(995 - tag.size(), 'x') + "ABCDE";
    ASSERT_EQ(title.size(), 1000u);
    HWND window = Window(title);
    KeyBinding* beyond = Bind("xABCD");
    HidePoll();
    EXPECT_STATE(beyond, 1, 0, NULL);
    EXPECT_TRUE(IsWindowVisible(window));
    KeyBinding* within = Bind("xxABC");
    HidePoll();
    EXPECT_STATE(within, 1, 1, window);
}

// ---- A window that went away ----

TEST_F(WindowHiderTest, AClosedHeldWindowIsDroppedAtTheNextShowAndNothingElseComesBack) {
    HWND held = Window("Draft " + tag);
    KeyBinding* binding = Bind(tag);
    MakeHidden(binding, held);
    DestroyWindow(held);
    Press(binding);  // nothing matches now: Show pending with a handle that is gone
    EXPECT_STATE(binding, 0, 1, held);
    HWND newcomer = Window("Draft again " + tag, false);
    HWND front = Window("Front window");
    SetForegroundWindow(front);
    HidePoll();
    EXPECT_STATE(binding, 0, 0, NULL);
    EXPECT_FALSE(IsWindowVisible(newcomer)) << "the match is only the occasion, never shown";
    EXPECT_EQ(GetForegroundWindow(), front) << "nothing may be brought forward";
}

TEST_F(WindowHiderTest, RestoreShowsEveryHeldWindowAndSkipsClosedOnes) {
    HWND hidden = Window("Keep " + tag);
    KeyBinding* inHidden = Bind("Keep " + tag);
    MakeHidden(inHidden, hidden);
    HWND pending = Window("Pend " + tag);
    KeyBinding* inShowPending = Bind("Pend " + tag);
    MakeHidden(inShowPending, pending);
    SetWindowTextA(pending, "Pend, retitled");
    inShowPending->hideMode = 0;
    HWND closed = Window("Gone " + tag);
    KeyBinding* inClosed = Bind("Gone " + tag);
    MakeHidden(inClosed, closed);
    DestroyWindow(closed);
    RestoreHiddenWindows();
    EXPECT_TRUE(IsWindowVisible(hidden));
    EXPECT_TRUE(IsWindowVisible(pending));
    EXPECT_STATE(inHidden, 1, 0, NULL);
    EXPECT_STATE(inShowPending, 0, 0, NULL);
    EXPECT_STATE(inClosed, 1, 0, NULL);
}

// ---- The polling timer ----

LONG SetPollFlag(const char* digit) {
    HKEY key = NULL;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, PRODUCT_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                  &key, NULL);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExA(key, "Poll", 0, REG_SZ, (const BYTE*)digit, 1);
    RegCloseKey(key);
    return result;
}

TEST_F(WindowHiderTest, TheTimerFollowsThePollFlagAtEveryCall) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
    ASSERT_EQ(SetPollFlag("1"), ERROR_SUCCESS);
    ArmPollTimer(mainWindowHandle, 1);
    EXPECT_TRUE(PumpUntil([] { return mainLog.passes > 0; }, 3000))
        << "a one-second timer never ticked";
    ASSERT_FALSE(mainLog.timerIds.empty());
    EXPECT_EQ(mainLog.timerIds[0], (UINT_PTR)HIDE_TIMER_ID);
    for (const char* off : {"0", "2"}) {
        ArmPollTimer(mainWindowHandle, 1);
        ASSERT_EQ(SetPollFlag(off), ERROR_SUCCESS);
        ArmPollTimer(mainWindowHandle, 1);
        EXPECT_FALSE(KillTimer(mainWindowHandle, HIDE_TIMER_ID))
            << "Poll " << off << " keeps a timer";
        ASSERT_EQ(SetPollFlag("1"), ERROR_SUCCESS);
    }
    ArmPollTimer(mainWindowHandle, 1);
    EXPECT_TRUE(KillTimer(mainWindowHandle, HIDE_TIMER_ID)) << "Poll 1 set no timer";
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvane");
}

}  // namespace
