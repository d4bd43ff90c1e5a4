// The registry store in-process: trimming, tree deletion, and saves that never lose a binding.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "app/main_window.h"
#include "bindings/binding_list.h"
#include "bindings/binding_store.h"
#include "prefs/settings_store.h"
#include "message_catcher.h"

namespace {

const char* const kData = PRODUCT_KEY "\\Data";

std::string Trimmed(const std::string& text, bool left) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    if (left) {
        TrimLeft(buffer.data());
    } else {
        TrimRight(buffer.data());
    }
    return buffer.data();
}

TEST(TrimTest, RemovesTheSixClassicWhiteSpacesOnly) {
    EXPECT_EQ(Trimmed("\t\n\v\f\r x y \t\n\v\f\r", true), "x y \t\n\v\f\r");
    EXPECT_EQ(Trimmed("\t\n\v\f\r x y \t\n\v\f\r", false), "\t\n\v\f\r x y");
    EXPECT_EQ(Trimmed("\xA0x\xA0", true), "\xA0x\xA0") << "bytes of 128 and above are not blanks";
    EXPECT_EQ(Trimmed("\xA0x\xA0", false), "\xA0x\xA0");
    EXPECT_EQ(Trimmed("\x85x\xFF", false), "\x85x\xFF");
    EXPECT_EQ(Trimmed("plain", true), "plain");
    char blanks[] = "  \t ";
    EXPECT_EQ(TrimRight(blanks), 0);
    EXPECT_STREQ(blanks, "");
    char mixed[] = "ab  ";
    EXPECT_EQ(TrimRight(mixed), 2);
    char empty[] = "";
    EXPECT_STREQ(TrimLeft(empty), "");
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_SORT, 0, 0, 10, 10, window,
                               (HMENU)6, NULL, NULL);
        mainWindowHandle = window;
        nextBindingId = FIRST_BINDING_ID;
    }
    void TearDown() override {
        ReleaseAllBindings();
        ForgetUnloadedBindings();
        DestroyWindow(window);
        mainWindowHandle = NULL;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvane");
    }
    static void Store(const std::string& name, int type, UINT keycode, const std::string& command) {
        HKEY key = NULL;
        std::string path = std::string(kData) + "\\" + name;
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL);
        RegSetValueExA(key, "type", 0, REG_BINARY, (const BYTE*)&type, 4);
        RegSetValueExA(key, "keycode", 0, REG_BINARY, (const BYTE*)&keycode, 4);
        RegSetValueExA(key, "command", 0, REG_SZ, (const BYTE*)command.c_str(),
                       (DWORD)command.size() + 1);
        RegCloseKey(key);
    }
    static std::vector<std::string> StoredNames() {
        std::vector<std::string> names;
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kData, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        char name[1000];
        for (DWORD i = 0;; i++) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key, i, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
            names.push_back(name);
        }
        RegCloseKey(key);
        std::sort(names.begin(), names.end());
        return names;
    }
    KeyBinding* Push(const char* name, int type, UINT keycode, const char* command) {
        KeyBinding* binding = NewBinding(type, keycode, name, command);
        binding->id = nextBindingId++;
        RegisterBinding(keycode, binding->id);
        PushBinding(binding);
        return binding;
    }
    HWND window = NULL;
    HWND list = NULL;
};

TEST_F(StoreTest, LoadNumbersInEnumerationOrderAndListsEveryName) {
    Store("alpha", LaunchApp, 0x0641, "  cmd.exe /c exit \t");
    Store("beta gamma", HideWindow, 0x0642, "Notepad");
    Store("delta", PlayerCommand, 0x0643, "PLAY");
    EXPECT_EQ(LoadBindings(), 1);
    ASSERT_NE(FindBinding("alpha", 0), nullptr);
    EXPECT_EQ(FindBinding("alpha", 0)->id, 1147);
    EXPECT_EQ(FindBinding("delta", 0)->id, 1149);
    EXPECT_EQ(BindingList, FindBinding("delta", 0)) << "the last loaded is the head";
    EXPECT_STREQ(FindBinding("alpha", 0)->command, "cmd.exe /c exit");
    EXPECT_EQ(FindBinding("beta gamma", 0)->type, HideWindow);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(nextBindingId, 1150);
}

TEST_F(StoreTest, ShortTypeAndKeycodeReadZeroExtendedAndUnterminatedCommandIsCut) {
    HKEY key = NULL;
    std::string path = std::string(kData) + "\\short";
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, "type", 0, REG_BINARY, (const BYTE*)"\x02", 1);
    RegSetValueExA(key, "keycode", 0, REG_BINARY, (const BYTE*)"\x41\x06", 2);
    RegSetValueExA(key, "command", 0, REG_BINARY, (const BYTE*)"abc", 3);  // no terminator
    RegCloseKey(key);
    EXPECT_EQ(LoadBindings(), 1);
    KeyBinding* binding = FindBinding("short", 0);
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->type, LaunchApp);
    EXPECT_EQ(binding->keycode, 0x0641u);
    EXPECT_STREQ(binding->command, "abc");
}

TEST_F(StoreTest, SaveWritesExactlyTheListAndRemovesTheDataKeyWhenEmpty) {
    Push("A", LaunchApp, 0x0641, "a.exe");
    Push("B", HideWindow, 0x0642, "");
    ASSERT_EQ(SaveBindings(), 1);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"A", "B"}));
    HKEY key = NULL;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kData) + "\\B").c_str(), 0, KEY_READ, &key),
        ERROR_SUCCESS);
    DWORD values = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    char command[8] = {};
    DWORD size = sizeof command;
    RegQueryValueExA(key, "command", NULL, NULL, (BYTE*)command, &size);
    RegCloseKey(key);
    EXPECT_EQ(values, 3u) << "type, keycode and command, nothing else";
    EXPECT_EQ(size, 1u) << "an empty command is one NUL";
    RemoveBinding("A");
    ASSERT_EQ(SaveBindings(), 1);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"B"}));
    RemoveBinding("B");
    ASSERT_EQ(SaveBindings(), 1);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kData, 0, KEY_READ, &key), ERROR_SUCCESS)
        << "no Data key once the list is empty";
}

TEST_F(StoreTest, BindingsTheLoadDidNotReachSurviveLaterSaves) {
    Store("a first", LaunchApp, 0x0641, "one");
    Store("b taken", LaunchApp, 0x0642, "two");
    Store("c after", LaunchApp, 0x0643, "three");
    ASSERT_TRUE(RegisterHotKey(NULL, 0x5151, MOD_CONTROL | MOD_ALT, 0x42));  // someone holds b
    EXPECT_EQ(LoadBindings(), 0);
    UnregisterHotKey(NULL, 0x5151);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    RemoveBinding("a first");
    ASSERT_EQ(SaveBindings(), 1);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"b taken", "c after"}));
    // A new binding of an unreached name replaces it, and from then on it is the list's.
    Push("C AFTER", LaunchApp, 0x0644, "new");
    ASSERT_EQ(SaveBindings(), 1);
    RemoveBinding("C AFTER");
    ASSERT_EQ(SaveBindings(), 1);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"b taken"}));
}

TEST_F(StoreTest, UnstorableNamesAreRefusedAndNothingElseIsLost) {
    EXPECT_FALSE(IsStorableName("a\\b"));
    EXPECT_FALSE(IsStorableName(""));
    EXPECT_FALSE(IsStorableName(std::string(256, 'n').c_str()));
    EXPECT_TRUE(IsStorableName(std::string(255, 'n').c_str()));
    Store("kept", LaunchApp, 0x0641, "x");
    ASSERT_EQ(LoadBindings(), 1);
    Push("deep\\er", LaunchApp, 0x0642, "y");
    MessageCatcher messages;
    EXPECT_EQ(SaveBindings(), 0);
    ASSERT_EQ(messages.Seen().size(), 1u);
    EXPECT_EQ(messages.Seen()[0].text, "Could not open registry key.");
    EXPECT_EQ(messages.Seen()[0].caption, "Error");
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"kept"}))
        << "no deeper key, nothing removed";
}

TEST_F(StoreTest, DeleteKeyTreeRemovesDeepestFirstAndIgnoresAnEmptyName) {
    HKEY key = NULL;
    const char* paths[] = {"Software\\Orvane\\Tree\\a\\a1", "Software\\Orvane\\Tree\\a\\a2",
                           "Software\\Orvane\\Tree\\b"};
    for (const char* path : paths) {
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
        RegCloseKey(key);
    }
    HKEY orvane = NULL;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane", 0, KEY_ALL_ACCESS, &orvane);
    EXPECT_EQ(DeleteKeyTree(orvane, ""), ERROR_SUCCESS);
    EXPECT_EQ(DeleteKeyTree(orvane, NULL), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane\\Tree", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(DeleteKeyTree(orvane, "Tree"), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane\\Tree", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(DeleteKeyTree(orvane, "Tree"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(orvane);
}

}  // namespace
