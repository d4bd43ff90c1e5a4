// Bindings stored in the registry: loaded and registered at start, rewritten by Delete, and never
// lost when the load stops early or a value is malformed.
#include "scenario.h"

using namespace driver;

namespace {

const UINT kKeyA = 0x0641;  // Ctrl+Alt+A
const UINT kKeyB = 0x0642;
const UINT kKeyC = 0x0643;
const UINT kKeyD = 0x0644;
const std::string kData = std::string(kProductKey) + "\\Data";

class StoreTest : public ZintarScenario {
protected:
    // Deletes the given list lines with the Delete button and waits for the list to shrink.
    void DeleteLines(HWND window, const std::vector<int>& indices) {
        HWND list = MainList(window);
        size_t before = ListLines(list).size();
        SelectLines(list, indices);
        Click(window, 3);
        ASSERT_TRUE(WaitFor([&] { return ListLines(list).size() == before - indices.size(); }))
            << "Delete did not remove " << indices.size() << " line(s)";
        // The save follows in the same click: wait until Zintar is idle again.
        WaitForInputIdle(zintar.handle, kDeadline);
        Send(window, WM_NULL);
    }
};

TEST_F(StoreTest, StoredBindingsAreRegisteredAndListedInSortedOrder) {
    StoreBinding("zeta", 2, kKeyA, "a.exe");
    StoreBinding("Alpha", 2, kKeyB, "b.exe");
    StoreBinding("mid dle", 1, kKeyC, "title");
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_EQ(ListLines(MainList(window)), (std::vector<std::string>{"Alpha", "mid dle", "zeta"}));
    for (UINT key : {kKeyA, kKeyB, kKeyC}) EXPECT_FALSE(IsCombinationFree(key)) << std::hex << key;
    ASSERT_TRUE(ExitZintar(zintar));
    for (UINT key : {kKeyA, kKeyB, kKeyC}) EXPECT_TRUE(IsCombinationFree(key)) << std::hex << key;
}

TEST_F(StoreTest, DeleteRewritesTheStoreExactly) {
    StoreBinding("one", 2, kKeyA, "  one.exe\t");
    StoreBinding("two  words", 2, kKeyB, "two.exe");
    StoreBinding("three", 2, kKeyC, "three.exe");
    StoreBinding("four", 2, kKeyD, "four.exe");
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    // Sorted: four, one, three, two  words.
    ASSERT_EQ(ListLines(MainList(window)).size(), 4u);

    DeleteLines(window, {});  // nothing selected: the store is still rewritten from the list
    StoredBinding one;
    ASSERT_TRUE(ReadStoredBinding("one", &one));
    EXPECT_EQ(one.command, "one.exe") << "the command was trimmed at load and saved trimmed";
    EXPECT_EQ(SubKeys(kData), (std::vector<std::string>{"four", "one", "three", "two  words"}));

    DeleteLines(window, {2});  // three
    EXPECT_EQ(SubKeys(kData), (std::vector<std::string>{"four", "one", "two  words"}));
    EXPECT_TRUE(IsCombinationFree(kKeyC));

    DeleteLines(window, {0, 2});  // four and "two  words"
    EXPECT_EQ(ListLines(MainList(window)), (std::vector<std::string>{"one"}));
    EXPECT_EQ(SubKeys(kData), (std::vector<std::string>{"one"}));
    StoredBinding kept;
    ASSERT_TRUE(ReadStoredBinding("one", &kept));
    EXPECT_EQ(kept.type, 2);
    EXPECT_EQ(kept.keycode, kKeyA);

    DeleteLines(window, {0});
    EXPECT_FALSE(KeyExists(kData)) << "deleting the last binding leaves no Data key";
    EXPECT_TRUE(IsCombinationFree(kKeyA));
}

TEST_F(StoreTest, AHeldCombinationStopsTheLoadSilentlyAndKeepsTheRestStored) {
    StoreBinding("a", 2, kKeyA, "a.exe");
    StoreBinding("b", 2, kKeyB, "b.exe");
    StoreBinding("c", 2, kKeyC, "c.exe");
    ASSERT_TRUE(RegisterHotKey(NULL, 0x4242, MOD_CONTROL | MOD_ALT, 'B'));
    HWND window = Launch();
    UnregisterHotKey(NULL, 0x4242);
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_FALSE(HasMessageBox(zintar.id));
    EXPECT_EQ(ListLines(MainList(window)), (std::vector<std::string>{"a"}));
    EXPECT_FALSE(IsCombinationFree(kKeyA));
    EXPECT_TRUE(IsCombinationFree(kKeyC)) << "the load stops at the refused binding";
    DeleteLines(window, {0});
    EXPECT_EQ(SubKeys(kData), (std::vector<std::string>{"b", "c"}));
    StoredBinding c;
    ASSERT_TRUE(ReadStoredBinding("c", &c));
    EXPECT_EQ(c.command, "c.exe");
}

struct Malformed {
    const char* what;
    std::function<void(const std::string& path)> spoil;
};

class MalformedValueTest : public StoreTest, public ::testing::WithParamInterface<int> {};

const Malformed kMalformed[] = {
    {"missing type",
     [](const std::string& p) { RegDeleteKeyValueA(HKEY_CURRENT_USER, p.c_str(), "type"); }},
    {"missing keycode",
     [](const std::string& p) { RegDeleteKeyValueA(HKEY_CURRENT_USER, p.c_str(), "keycode"); }},
    {"missing command",
     [](const std::string& p) { RegDeleteKeyValueA(HKEY_CURRENT_USER, p.c_str(), "command"); }},
    {"type of 5 bytes", [](const std::string& p) { WriteBinary(p, "type", "\x02\0\0\0\0", 5); }},
    {"keycode of 5 bytes",
     [](const std::string& p) { WriteBinary(p, "keycode", "\x42\x06\0\0\0", 5); }},
    {"command of 260 characters",
     [](const std::string& p) { WriteString(p, "command", std::string(260, 'x')); }},
};

TEST_P(MalformedValueTest, GivesItsMessageKeepsWhatCameBeforeAndLosesNothing) {
    const Malformed& bad = kMalformed[GetParam()];
    StoreBinding("a", 2, kKeyA, "a.exe");
    StoreBinding("b", 2, kKeyB, "b.exe");
    StoreBinding("c", 2, kKeyC, "c.exe");
    bad.spoil(kData + "\\b");
    zintar = StartZintar();
    MessageBoxInfo box = WaitForMessageBox(zintar.id);
    ASSERT_NE(box.window, (HWND)NULL) << bad.what << ": no message";
    EXPECT_EQ(box.text, "Could not get data from registry key.") << bad.what;
    EXPECT_EQ(box.caption, "Error");
    Answer(box);
    HWND window = NULL;
    ASSERT_TRUE(WaitFor([&] { return IsVisible(window = FindMainWindow()); })) << bad.what;
    WaitForInputIdle(zintar.handle, kDeadline);
    EXPECT_EQ(ListLines(MainList(window)), (std::vector<std::string>{"a"})) << bad.what;
    EXPECT_FALSE(IsCombinationFree(kKeyA)) << bad.what << ": the binding before it works";
    EXPECT_TRUE(IsCombinationFree(kKeyC)) << bad.what;
    DeleteLines(window, {});  // a save
    EXPECT_EQ(SubKeys(kData), (std::vector<std::string>{"a", "b", "c"})) << bad.what;
    std::vector<BYTE> before, after;
    StoredBinding c;
    EXPECT_TRUE(ReadStoredBinding("c", &c)) << bad.what;
}

INSTANTIATE_TEST_SUITE_P(Values, MalformedValueTest, ::testing::Range(0, 6));

TEST_F(StoreTest, ACommandOf259CharactersLoadsWhole) {
    StoreBinding("long", 2, kKeyA, std::string(259, 'y'));
    HWND window = Launch();
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_FALSE(HasMessageBox(zintar.id));
    EXPECT_EQ(ListLines(MainList(window)), (std::vector<std::string>{"long"}));
    DeleteLines(window, {});
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("long", &stored));
    EXPECT_EQ(stored.command, std::string(259, 'y'));
}

// Start-up options, read from the registry as the window opens.
TEST_F(StoreTest, StartMinimizedGoesToTheTaskbarUnlessMinimizeToTrayIsOn) {
    SetFlag("StartMinimized", "1");
    HWND window = NULL;
    zintar = StartZintar();
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindow()) != NULL && IsIconic(window); }))
        << "with Minimize off the window is minimized to the taskbar";
    WaitForInputIdle(zintar.handle, kDeadline);
    Send(window, WM_NULL);
    EXPECT_TRUE(IsIconic(window)) << "the window stays minimized once Zintar is idle";
    EXPECT_TRUE(IsWindowVisible(window));
    ASSERT_TRUE(ExitZintar(zintar));
    Kill(zintar);

    SetFlag("Minimize", "1");
    zintar = StartZintar();
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindow()) != NULL; }));
    WaitForInputIdle(zintar.handle, kDeadline);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }))
        << "with Minimize on it is hidden";
    WaitForInputIdle(zintar.handle, kDeadline);
    Send(window, WM_NULL);
    EXPECT_FALSE(IsWindowVisible(window)) << "the window stays hidden once Zintar is idle";
    EXPECT_FALSE(IsIconic(window));
}

}  // namespace
