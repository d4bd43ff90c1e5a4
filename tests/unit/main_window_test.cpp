// The main window in-process: Delete over the real list box and the bindings behind its lines.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/main_window.h"
#include "app/startup.h"
#include "bindings/binding_list.h"
#include "bindings/binding_store.h"
#include "message_catcher.h"
#include "res/resource.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        appInstance = GetModuleHandleA(NULL);
        RegisterMainWindowClass(appInstance);  // a second registration in this process just fails
    }
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
        nextBindingId = FIRST_BINDING_ID;
        window =
            CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainWindowProc, 0);
        ASSERT_NE(window, (HWND)NULL);
        list = GetDlgItem(window, IDC_HOTKEY_LIST);
    }
    void TearDown() override {
        SendMessageA(window, WM_CLOSE, 0, 0);
        DestroyWindow(window);
        ForgetUnloadedBindings();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvane");
    }
    // A binding as the load makes it: registered, pushed and listed.
    void Add(const std::string& name, UINT keycode = 0) {
        KeyBinding* binding = NewBinding(LaunchApp, keycode, name.c_str(), "x.exe");
        binding->id = nextBindingId++;
        if (keycode != 0) {
            ASSERT_TRUE(RegisterBinding(keycode, binding->id)) << name;
        }
        PushBinding(binding);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)binding->name);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; i++) {
            std::string line((size_t)SendMessageA(list, LB_GETTEXTLEN, i, 0), '\0');
            SendMessageA(list, LB_GETTEXT, i, (LPARAM)&line[0]);
            lines.push_back(line);
        }
        return lines;
    }
    void Select(const std::vector<int>& indices) {
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int index : indices) SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    void ClickDelete() { SendMessageA(window, WM_COMMAND, IDC_DELETE, 0); }
    HWND window = NULL;
    HWND list = NULL;
};

bool IsHeld(UINT vk) {
    if (!RegisterHotKey(NULL, 0xBEEF, MOD_CONTROL | MOD_ALT, vk)) return true;
    UnregisterHotKey(NULL, 0xBEEF);
    return false;
}

TEST_F(MainWindowTest, DeleteRemovesTheSelectedLinesAndTheirBindingsOnly) {
    Add("alpha", 0x0641);
    Add("bravo", 0x0642);
    Add("charlie", 0x0643);
    Add("delta", 0x0644);
    Select({0, 2});
    ClickDelete();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"bravo", "delta"}));
    EXPECT_EQ(FindBinding("alpha", 0), nullptr);
    EXPECT_EQ(FindBinding("charlie", 0), nullptr);
    EXPECT_NE(FindBinding("bravo", 0), nullptr);
    EXPECT_FALSE(IsHeld('A'));
    EXPECT_TRUE(IsHeld('B'));
    EXPECT_FALSE(IsHeld('C'));
    EXPECT_TRUE(IsHeld('D'));
}

TEST_F(MainWindowTest, DeleteReadsANameOfAnyLength) {
    std::string longName(3000, 'n');
    Add(longName, 0x0641);
    Add("short", 0x0642);
    Select({0});
    MessageCatcher messages;
    ClickDelete();
    EXPECT_TRUE(messages.Seen().empty()) << messages.Seen()[0].text;
    EXPECT_EQ(Lines(), (std::vector<std::string>{"short"}));
    EXPECT_EQ(FindBinding(longName.c_str(), 0), nullptr);
    EXPECT_FALSE(IsHeld('A'));
}

TEST_F(MainWindowTest, FiveHundredTwelveLinesAreDeletedButOneMoreIsRefused) {
    for (int i = 0; i < 513; i++) {
        char name[16];
        wsprintfA(name, "line %03d", i);
        Add(name);
    }
    std::vector<int> all;
    for (int i = 0; i < 513; i++) all.push_back(i);
    Select(all);
    {
        MessageCatcher messages;
        ClickDelete();
        ASSERT_EQ(messages.Seen().size(), 1u);
        EXPECT_EQ(messages.Seen()[0].text, "Too many items selected.");
        EXPECT_EQ(messages.Seen()[0].caption, "Error");
    }
    EXPECT_EQ(Lines().size(), 513u) << "nothing is deleted";
    all.pop_back();
    Select(all);
    ClickDelete();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"line 512"}));
    EXPECT_EQ(BindingList->next, nullptr);
    EXPECT_STREQ(BindingList->name, "line 512");
}

TEST_F(MainWindowTest, CloseUnregistersEveryBinding) {
    Add("alpha", 0x0641);
    Add("bravo", 0x0642);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(BindingList, nullptr);
    EXPECT_FALSE(IsHeld('A'));
    EXPECT_FALSE(IsHeld('B'));
}

}  // namespace
