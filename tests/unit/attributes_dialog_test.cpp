// The attributes dialog in-process: its template, the small routines behind its controls, and
// the OK paths whose effects only show inside the program (ids, unknown types, lost lines).
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "app/main_window.h"
#include "bindings/attributes_dialog.h"
#include "bindings/binding_list.h"
#include "bindings/binding_store.h"
#include "res/resource.h"

namespace {

const UINT kCtrlAltA = 0x0641;
const UINT kCtrlAltB = 0x0642;

// Answers the next message box that this process shows, from a thread of its own, while the
// test's thread sits in the box's modal loop. Remembers what the box said.
class BoxAnswer {
public:
    explicit BoxAnswer(int button) : button_(button) {
        worker_ = std::thread([this] { Run(); });
    }
    ~BoxAnswer() {
        stop_ = true;
        if (worker_.joinable()) worker_.join();
    }
    std::string text() {
        stop_ = true;
        if (worker_.joinable()) worker_.join();
        return text_;
    }

private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        HWND text = GetDlgItem(window, 0xFFFF);
        char textClass[32] = {};
        if (text != NULL) GetClassNameA(text, textClass, sizeof textClass);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            lstrcmpA(className, "#32770") == 0 && lstrcmpiA(textClass, "Static") == 0) {
            *(HWND*)found = window;
            return FALSE;
        }
        return TRUE;
    }
    void Run() {
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (!stop_ && GetTickCount64() < deadline) {
            HWND box = NULL;
            EnumWindows(FindBox, (LPARAM)&box);
            if (box != NULL) {
                char text[512] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                text_ = text;
                PostMessageA(box, WM_COMMAND, button_, 0);
                return;
            }
            Sleep(10);
        }
    }
    int button_;
    std::atomic<bool> stop_{false};
    std::string text_;
    std::thread worker_;
};

class AttributesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_HOTKEY_CLASS;
        InitCommonControlsEx(&controls);
        owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_SORT | LBS_EXTENDEDSEL, 0, 0, 10,
                               10, owner, (HMENU)IDC_HOTKEY_LIST, NULL, NULL);
        mainWindowHandle = owner;
        nextBindingId = FIRST_BINDING_ID;
    }
    void TearDown() override {
        if (dialog != NULL) DestroyWindow(dialog);
        ReleaseAllBindings();
        ForgetUnloadedBindings();
        DestroyWindow(owner);
        mainWindowHandle = NULL;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvane");
    }
    HWND Open(DLGPROC procedure) {
        dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_ATTRIBUTES), owner,
                                    procedure, 0);
        return dialog;
    }
    // A registered, listed binding, as the load leaves it.
    KeyBinding* Listed(const char* name, int type, UINT keycode, const char* command) {
        KeyBinding* binding = NewBinding(type, keycode, name, command);
        binding->id = nextBindingId++;
        EXPECT_TRUE(RegisterBinding(keycode, binding->id)) << name;
        PushBinding(binding);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)name);
        return binding;
    }
    void SelectLine(int index) {
        SendMessageA(list, LB_SETSEL, TRUE, index);
        SendMessageA(list, LB_SETCARETINDEX, index, FALSE);
    }
    void Command(int id) { SendMessageA(dialog, WM_COMMAND, id, 0); }
    bool Checked(int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    std::string Word() {
        char* word = SelectedPlayerWord(dialog);
        std::string result = word;
        FreeText(word);
        return result;
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; i++) {
            char line[1000] = {};
            SendMessageA(list, LB_GETTEXT, i, (LPARAM)line);
            lines.push_back(line);
        }
        return lines;
    }
    HWND owner = NULL;
    HWND list = NULL;
    HWND dialog = NULL;
};

bool IsRadio(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

TEST_F(AttributesDialogTest, TheTemplateHoldsItsControlsInTabOrderEachRadioAGroup) {
    // A procedure that does nothing, so that the controls show the template's own styles: the
    // system takes WS_TABSTOP off a radio that is unchecked.
    ASSERT_NE(Open([](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }), (HWND)NULL);
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "Zintar Attributes...");
    const std::vector<int> expected = {1008, 1007, -1,   1018, 1019, 1020, 1005, 1022, 1003,
                                       -1,   1004, 1,    2,    1021, 1017, 1023, 1024, 1025,
                                       1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036};
    std::vector<int> ids;
    int radios = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != NULL;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ids.push_back((short)GetDlgCtrlID(child));
        if (!IsRadio(child)) continue;
        radios++;
        LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_TRUE(style & WS_GROUP) << GetDlgCtrlID(child) << " does not start a group";
        EXPECT_TRUE(style & WS_TABSTOP) << GetDlgCtrlID(child);
        bool player = GetDlgCtrlID(child) >= IDC_PLAYER_PREV;
        EXPECT_EQ(IsWindowEnabled(child) == FALSE, player) << GetDlgCtrlID(child);
    }
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PLAYER_GROUP)));
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(radios, 16);
    char className[32] = {};
    GetClassNameA(GetDlgItem(dialog, IDC_HOTKEY), className, sizeof className);
    EXPECT_STREQ(className, "msctls_hotkey32");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(AttributesDialogTest, ActionAndPlayerRadiosReadAndSetInTableOrder) {
    ASSERT_NE(Open(AddDialogProc), (HWND)NULL);
    EXPECT_EQ(SelectedActionRadio(dialog), IDC_RADIO_LAUNCH);
    CheckDlgButton(dialog, IDC_RADIO_LAUNCH, BST_UNCHECKED);
    EXPECT_EQ(SelectedActionRadio(dialog), NO_ACTION_RADIO);
    CheckDlgButton(dialog, IDC_RADIO_PLAYER, BST_CHECKED);
    CheckDlgButton(dialog, IDC_RADIO_HIDE, BST_CHECKED);
    EXPECT_EQ(SelectedActionRadio(dialog), IDC_RADIO_HIDE) << "the first checked, in id order";

    EXPECT_EQ(Word(), "");
    CheckPlayerRadio(dialog, "VOLDOWN");
    EXPECT_TRUE(Checked(IDC_PLAYER_VOLDOWN));
    EXPECT_EQ(Word(), "VOLDOWN");
    CheckPlayerRadio(dialog, "FWD");  // before VOLDOWN in the table, though its id is higher
    EXPECT_EQ(Word(), "FWD");
    CheckDlgButton(dialog, IDC_PLAYER_FWD, BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PLAYER_VOLDOWN, BST_UNCHECKED);
    CheckPlayerRadio(dialog, "volup");
    CheckPlayerRadio(dialog, "VOLUP ");
    CheckPlayerRadio(dialog, "");
    EXPECT_EQ(Word(), "") << "only a word of the table, exactly, checks a radio";
    for (const char* word : {"PREV", "STOP", "VOLUP", "FWD", "NEXT", "PLAY", "VOLDOWN", "REW",
                             "LOAD", "PAUSE", "TOP", "FADE"}) {
        for (int id = IDC_PLAYER_PREV; id <= IDC_PLAYER_FADE; id++) {
            CheckDlgButton(dialog, id, BST_UNCHECKED);
        }
        CheckPlayerRadio(dialog, word);
        EXPECT_EQ(Word(), word);
    }

    EnablePlayerRadios(dialog, TRUE);
    for (int id : {1017, 1023, 1024, 1025, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036}) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    }
    EnablePlayerRadios(dialog, FALSE);
    for (int id : {1017, 1023, 1024, 1025, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    }
}

TEST(ProgramPathTest, APathWithASpaceIsQuotedForTheCommandLine) {
    char out[PROGRAM_PATH_SIZE + 2] = {};
    ASSERT_TRUE(QuoteProgramPath("C:\\Program Files\\Tool\\tool.exe", out, sizeof out));
    EXPECT_STREQ(out, "\"C:\\Program Files\\Tool\\tool.exe\"");
    ASSERT_TRUE(QuoteProgramPath("C:\\Tools\\tool.exe", out, sizeof out));
    EXPECT_STREQ(out, "C:\\Tools\\tool.exe");
    // The longest path the open-file dialog gives still fits with its quotes.
    std::string longest = "C:\\" + std::string(PROGRAM_PATH_SIZE - 10, 'x') + " y.exe";
    ASSERT_EQ(longest.size(), (size_t)PROGRAM_PATH_SIZE - 1);
    ASSERT_TRUE(QuoteProgramPath(longest.c_str(), out, sizeof out));
    EXPECT_EQ(std::string(out), "\"" + longest + "\"");
    char small[8] = "same";
    EXPECT_FALSE(QuoteProgramPath("C:\\a b.exe", small, sizeof small));
}

TEST(NameTest, TheRegistryMustHoldANameAsOneKey) {
    EXPECT_TRUE(IsAcceptableName("Notes"));
    EXPECT_TRUE(IsAcceptableName(" spaced name "));
    EXPECT_FALSE(IsAcceptableName(""));
    EXPECT_FALSE(IsAcceptableName("tools\\notes"));
    EXPECT_FALSE(IsAcceptableName("\\"));
    EXPECT_TRUE(IsAcceptableName(std::string(MAX_NAME_LENGTH, 'n').c_str()));
    EXPECT_FALSE(IsAcceptableName(std::string(MAX_NAME_LENGTH + 1, 'n').c_str()));
    EXPECT_FALSE(IsAcceptableName(std::string(256, 'n').c_str()));
    EXPECT_FALSE(IsAcceptableName(std::string(2000, 'n').c_str()));
}

TEST_F(AttributesDialogTest, ANameClashIsExactFirstThenByLetterCase) {
    KeyBinding* upper = Listed("NOTES", LaunchApp, kCtrlAltA, "");
    KeyBinding* other = Listed("other", LaunchApp, kCtrlAltB, "");
    EXPECT_EQ(FindNameClash("NOTES", NULL), upper);
    EXPECT_EQ(FindNameClash("notes", NULL), upper);
    EXPECT_EQ(FindNameClash("Other", NULL), other);
    EXPECT_EQ(FindNameClash("notes", upper), nullptr) << "the edited binding's own name is free";
    EXPECT_EQ(FindNameClash("note", NULL), nullptr);
    EXPECT_EQ(FindNameClash("notes ", NULL), nullptr);
}

TEST_F(AttributesDialogTest, EveryAddPastTheNameChecksUsesUpAnId) {
    ASSERT_NE(Open(AddDialogProc), (HWND)NULL);
    {
        BoxAnswer answer(IDOK);
        Command(IDOK);  // no name: refused before an id is taken
        EXPECT_EQ(answer.text(), "Zintar must have a name or WinAmp value must be selected...");
    }
    EXPECT_EQ(nextBindingId, FIRST_BINDING_ID);
    SetDlgItemTextA(dialog, IDC_NAME_EDIT, "notes");
    {
        BoxAnswer answer(IDOK);
        Command(IDOK);  // no combination
        EXPECT_EQ(answer.text(),
                  "This does not appear to be a valid hotkey, or this hotkey combination is "
                  "already in use, please try again...");
    }
    EXPECT_EQ(nextBindingId, FIRST_BINDING_ID + 1);
    EXPECT_EQ(BindingList, nullptr);
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, kCtrlAltA, 0);
    Command(IDOK);
    ASSERT_NE(BindingList, nullptr);
    EXPECT_EQ(BindingList->id, FIRST_BINDING_ID + 1);
    EXPECT_STREQ(BindingList->name, "notes");
    EXPECT_EQ(BindingList->keycode, kCtrlAltA);
    EXPECT_EQ(BindingList->type, LaunchApp);
    EXPECT_EQ(BindingList->hideMode, 1);
    EXPECT_EQ(nextBindingId, FIRST_BINDING_ID + 2);
    EXPECT_EQ(Lines(), std::vector<std::string>{"notes"});
    bool free = RegisterHotKey(NULL, 0xBE01, MOD_CONTROL | MOD_ALT, 'A') != FALSE;
    if (free) UnregisterHotKey(NULL, 0xBE01);
    EXPECT_FALSE(free) << "the new combination is not registered";
}

TEST_F(AttributesDialogTest, AnAddWithNoActionCheckedAsksForOne) {
    ASSERT_NE(Open(AddDialogProc), (HWND)NULL);
    SetDlgItemTextA(dialog, IDC_NAME_EDIT, "notes");
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, kCtrlAltA, 0);
    CheckDlgButton(dialog, IDC_RADIO_LAUNCH, BST_UNCHECKED);
    {
        BoxAnswer answer(IDOK);
        Command(IDOK);
        EXPECT_EQ(answer.text(), "Please choose what this Zintar should do...");
    }
    EXPECT_EQ(BindingList, nullptr);
    EXPECT_EQ(nextBindingId, FIRST_BINDING_ID);
}

TEST_F(AttributesDialogTest, TheEditOfALineWithoutABindingEndsAtOnce) {
    SendMessageA(list, LB_ADDSTRING, 0, (LPARAM) "ghost");
    SelectLine(0);
    ASSERT_NE(Open(EditDialogProc), (HWND)NULL);
    EXPECT_EQ(editBinding, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(Lines(), std::vector<std::string>{"ghost"});
}

TEST_F(AttributesDialogTest, AnEditReplacesTheBindingAtItsLineUnderANewId) {
    Listed("b", LaunchApp, kCtrlAltA, "b.exe");
    KeyBinding* edited = Listed("d", HideWindow, kCtrlAltB, "Untitled");
    SelectLine(1);
    ASSERT_NE(Open(EditDialogProc), (HWND)NULL);
    EXPECT_EQ(editBinding, edited);
    EXPECT_EQ(editIndex, 1);
    EXPECT_TRUE(Checked(IDC_RADIO_HIDE));
    SetDlgItemTextA(dialog, IDC_NAME_EDIT, "a");
    Command(IDOK);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"b", "a"})) << "not at the old line";
    ASSERT_NE(BindingList, nullptr);
    EXPECT_STREQ(BindingList->name, "a");
    EXPECT_STREQ(BindingList->command, "Untitled");
    EXPECT_EQ(BindingList->type, HideWindow);
    EXPECT_EQ(BindingList->id, FIRST_BINDING_ID + 2);
    EXPECT_EQ(FindBinding("d", 0), nullptr);
    EXPECT_EQ(FindBinding("", FIRST_BINDING_ID + 1), nullptr) << "the old id is gone";
}

}  // namespace
