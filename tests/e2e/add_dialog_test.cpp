// The add dialog as a user meets it: how a new hot key starts, every refusal with its message and
// focus, and what a successful OK leaves in the list, the registry and the system.
#include "scenario.h"
#include "driver_actions.h"
#include "driver_dialogs.h"

using namespace driver;

namespace {

const UINT kCtrlAltA = 0x0641;
const UINT kCtrlAltB = 0x0642;
const UINT kCtrlAltC = 0x0643;
const UINT kCtrlAltD = 0x0644;
const UINT kShiftC = 0x0143;
const UINT kCtrlAltK = 0x064B;
const int kFirstId = 1147;

const char kNameMissing[] = "Zintar must have a name or WinAmp value must be selected...";
const char kNameNotStorable[] =
    "Zintar names cannot contain a backslash (\\) or be longer than 232 characters, please "
    "choose another name...";
const char kOverwrite[] =
    "A Zintar with that name already exists, do you wish to overwrite that Zintar with this one?";
const char kInvalidCombination[] =
    "This does not appear to be a valid hotkey, or this hotkey combination is already in use, "
    "please try again...";

const int kPlayerRadios[] = {1023, 1024, 1025, 1034, 1028, 1029,
                             1030, 1035, 1031, 1032, 1033, 1036};

class AddDialogTest : public ZintarScenario {
protected:
    // Starts Zintar (with whatever the test stored) and opens the add dialog.
    HWND OpenAdd() {
        if (main == NULL) main = Launch();
        if (main == NULL) return NULL;
        HWND dialog = OpenAddDialog(main, zintar.id);
        EXPECT_NE(dialog, (HWND)NULL) << "the add dialog did not open";
        return dialog;
    }
    // Presses OK and waits for the message box that it gives.
    MessageBoxInfo PressOkForMessage(HWND dialog) {
        Click(dialog, IDOK);
        MessageBoxInfo box = WaitForMessageBoxOf(dialog);
        EXPECT_NE(box.window, (HWND)NULL) << "OK gave no message";
        return box;
    }
    // The message box of a refusal: its caption, its text, and the dialog still open afterwards
    // with the focus on the control the user has to change.
    void ExpectRefusal(HWND dialog, const char* text, int focusId) {
        MessageBoxInfo box = PressOkForMessage(dialog);
        EXPECT_EQ(box.caption, "Error...");
        EXPECT_EQ(box.text, text);
        Answer(box, IDOK);
        EXPECT_TRUE(IsVisible(dialog)) << "the dialog closed after: " << text;
        EXPECT_TRUE(WaitFor([&] { return FocusedWindow(dialog) == GetDlgItem(dialog, focusId); }))
            << "the focus is not on control " << focusId << " after: " << text;
    }
    std::vector<std::string> Lines() { return ListLines(MainList(main)); }
    void TearDown() override {
        Kill(player);
        ZintarScenario::TearDown();
    }
    HWND main = NULL;
    Process player;
};

TEST_F(AddDialogTest, ANewHotKeyStartsAsLaunchApplicationWithNoKey) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
    EXPECT_FALSE(IsEnabled(main)) << "the main window is disabled while the dialog is open";
    EXPECT_TRUE(IsChecked(dialog, 1019));
    for (int id : {1018, 1020, 1021}) EXPECT_FALSE(IsChecked(dialog, id)) << id;
    for (int id : {1007, 1008, 1018, 1019, 1020, 1021, 1005, 1022, 1003, 1004}) {
        EXPECT_TRUE(IsControlEnabled(dialog, id)) << id;
    }
    EXPECT_FALSE(IsControlEnabled(dialog, 1017));
    for (int id : kPlayerRadios) EXPECT_FALSE(IsControlEnabled(dialog, id)) << id;
    EXPECT_EQ(HotKeyValue(dialog), 0u);
    EXPECT_EQ(Text(GetDlgItem(dialog, 1007)), "");
    EXPECT_EQ(Text(GetDlgItem(dialog, 1005)), "");

    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
    EXPECT_TRUE(WaitFor([&] { return IsEnabled(main); }));
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(SubKeys(std::string(kProductKey) + "\\Data").empty());
}

TEST_F(AddDialogTest, ChoosingAnActionSwitchesNameAndPlayerControlsAndKeepsBothTexts) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1005), "notepad.exe");
    SetText(GetDlgItem(dialog, 1003), "Untitled");

    Click(dialog, 1021);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, 1021); }));
    EXPECT_FALSE(IsChecked(dialog, 1019)) << "the action radios are one set";
    EXPECT_FALSE(IsControlEnabled(dialog, 1007));
    EXPECT_FALSE(IsControlEnabled(dialog, 1008));
    EXPECT_TRUE(IsControlEnabled(dialog, 1017));
    for (int id : kPlayerRadios) EXPECT_TRUE(IsControlEnabled(dialog, id)) << id;
    Click(dialog, 1032);
    Click(dialog, 1029);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, 1029); }));
    EXPECT_FALSE(IsChecked(dialog, 1032)) << "the player radios are one set";

    Click(dialog, 1020);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, 1020); }));
    EXPECT_FALSE(IsChecked(dialog, 1021));
    EXPECT_TRUE(IsControlEnabled(dialog, 1007));
    EXPECT_FALSE(IsControlEnabled(dialog, 1029));
    EXPECT_EQ(FocusedWindow(dialog), GetDlgItem(dialog, 1003));

    Click(dialog, 1018);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, 1018); }));
    EXPECT_FALSE(IsControlEnabled(dialog, 1007));
    EXPECT_EQ(FocusedWindow(dialog), GetDlgItem(dialog, 1004));

    Click(dialog, 1019);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, 1019); }));
    EXPECT_TRUE(IsControlEnabled(dialog, 1007));
    EXPECT_EQ(FocusedWindow(dialog), GetDlgItem(dialog, 1005));
    EXPECT_EQ(Text(GetDlgItem(dialog, 1005)), "notepad.exe");
    EXPECT_EQ(Text(GetDlgItem(dialog, 1003)), "Untitled");
}

TEST_F(AddDialogTest, AnEmptyNameOrNoPlayerCommandIsRefused) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetHotKeyValue(dialog, kCtrlAltA);
    ExpectRefusal(dialog, kNameMissing, 1007);

    // The player action names the binding by its command: with none chosen there is no name.
    Click(dialog, 1021);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, 1021); }));
    ExpectRefusal(dialog, kNameMissing, 1023);  // the name edit is disabled: the commands are next

    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA)) << "a refused binding registered its combination";
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
    EXPECT_TRUE(SubKeys(std::string(kProductKey) + "\\Data").empty());
}

TEST_F(AddDialogTest, KeysPressedWithoutAModifierOrWithAltAloneGetControlAndAlt) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    ASSERT_TRUE(BringToFront(dialog)) << "the dialog cannot take keyboard input";
    ASSERT_TRUE(FocusControl(dialog, 1004));

    PressKeys({'A'});
    EXPECT_TRUE(WaitFor([&] { return HotKeyValue(dialog) == kCtrlAltA; }))
        << "a plain A gave " << std::hex << HotKeyValue(dialog);
    PressKeys({VK_MENU, 'B'});
    EXPECT_TRUE(WaitFor([&] { return HotKeyValue(dialog) == kCtrlAltB; }))
        << "Alt+B gave " << std::hex << HotKeyValue(dialog);
    PressKeys({VK_SHIFT, 'C'});
    EXPECT_TRUE(WaitFor([&] { return HotKeyValue(dialog) == kShiftC; }))
        << "Shift+C is a valid combination of its own, it gave " << std::hex << HotKeyValue(dialog);
    PressKeys({'D'});
    ASSERT_TRUE(WaitFor([&] { return HotKeyValue(dialog) == kCtrlAltD; }));

    SetText(GetDlgItem(dialog, 1007), "Typed key");
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    EXPECT_EQ(Lines(), std::vector<std::string>{"Typed key"});
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("Typed key", &stored));
    EXPECT_EQ(stored.keycode, kCtrlAltD);
    EXPECT_FALSE(IsCombinationFree(kCtrlAltD)) << "the new combination is not registered";
}

TEST_F(AddDialogTest, PlayMakesABindingNamedAndCommandedPLAY) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "my player key");
    Click(dialog, 1021);
    Click(dialog, 1029);
    SetHotKeyValue(dialog, kCtrlAltC);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));

    EXPECT_EQ(Lines(), std::vector<std::string>{"PLAY"});
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("PLAY", &stored)) << "PLAY was not saved";
    EXPECT_EQ(stored.type, 3);
    EXPECT_EQ(stored.command, "PLAY");
    EXPECT_EQ(stored.keycode, kCtrlAltC);
    EXPECT_EQ(SubKeys(std::string(kProductKey) + "\\Data"), std::vector<std::string>{"PLAY"});
    EXPECT_FALSE(IsCombinationFree(kCtrlAltC));
}

TEST_F(AddDialogTest, TheScreenSaverBindingIsNamedScreenSaverAndCanExistOnce) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "my saver");
    Click(dialog, 1018);
    SetHotKeyValue(dialog, kCtrlAltA);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    EXPECT_EQ(Lines(), std::vector<std::string>{"Screen Saver"});
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("Screen Saver", &stored));
    EXPECT_EQ(stored.type, 0);

    dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_FALSE(IsControlEnabled(dialog, 1018)) << "a second screen saver binding is offered";
    SetText(GetDlgItem(dialog, 1007), "notes");
    SetHotKeyValue(dialog, kCtrlAltB);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));

    dialog = OpenEditDialog(main, zintar.id, LineOf(main, "notes"));
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_FALSE(IsControlEnabled(dialog, 1018)) << "the edit of another binding offers it";
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));

    dialog = OpenEditDialog(main, zintar.id, LineOf(main, "Screen Saver"));
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_TRUE(IsControlEnabled(dialog, 1018)) << "the screen saver binding's own edit";
    EXPECT_TRUE(IsChecked(dialog, 1018));
    EXPECT_FALSE(IsControlEnabled(dialog, 1007));
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
}

TEST_F(AddDialogTest, ABindingThatTheUserNamedScreenSaverTakesTheScreenSaverRadioToo) {
    StoreBinding("Screen Saver", 2, kCtrlAltA, "notepad.exe");
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_FALSE(IsControlEnabled(dialog, 1018));
}

TEST_F(AddDialogTest, TheOverwriteQuestionKeepsEverythingOnNoAndReplacesOnYes) {
    StoreBinding("PLAY", 3, kCtrlAltA, "PLAY");
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    Click(dialog, 1021);
    Click(dialog, 1029);
    SetHotKeyValue(dialog, kCtrlAltB);

    MessageBoxInfo box = PressOkForMessage(dialog);
    EXPECT_EQ(box.caption, "Error...");
    EXPECT_EQ(box.text, kOverwrite);
    Answer(box, IDNO);
    EXPECT_TRUE(IsVisible(dialog)) << "No closed the dialog";
    // The player word is the name, and the name edit is disabled: the words take the focus.
    EXPECT_TRUE(WaitFor([&] { return FocusedWindow(dialog) == GetDlgItem(dialog, 1023); }));
    EXPECT_EQ(Lines(), std::vector<std::string>{"PLAY"});
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA)) << "No let the old binding go";
    EXPECT_TRUE(IsCombinationFree(kCtrlAltB)) << "No registered the new binding";
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("PLAY", &stored));
    EXPECT_EQ(stored.keycode, kCtrlAltA);

    box = PressOkForMessage(dialog);
    EXPECT_EQ(box.text, kOverwrite);
    Answer(box, IDYES);
    ASSERT_TRUE(WaitForWindowGone(dialog)) << "Yes did not finish the add";
    EXPECT_EQ(Lines(), std::vector<std::string>{"PLAY"});
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA)) << "the replaced binding is still registered";
    EXPECT_FALSE(IsCombinationFree(kCtrlAltB));
    ASSERT_TRUE(ReadStoredBinding("PLAY", &stored));
    EXPECT_EQ(stored.keycode, kCtrlAltB);
}

TEST_F(AddDialogTest, ANameThatDiffersOnlyInCaseAsksToOverwriteToo) {
    StoreBinding("Notes", 2, kCtrlAltA, "notepad.exe");
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "NOTES");
    SetHotKeyValue(dialog, kCtrlAltB);
    MessageBoxInfo box = PressOkForMessage(dialog);
    EXPECT_EQ(box.text, kOverwrite) << "NOTES and Notes would share one registry key";
    Answer(box, IDYES);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(Lines(), std::vector<std::string>{"NOTES"});
    EXPECT_EQ(SubKeys(std::string(kProductKey) + "\\Data").size(), 1u);
    StoredBinding stored;
    ASSERT_TRUE(ReadStoredBinding("NOTES", &stored));
    EXPECT_EQ(stored.keycode, kCtrlAltB) << "the stored key holds the older binding's values";
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA));
}

TEST_F(AddDialogTest, AReplacementWhoseCombinationIsRefusedLeavesTheOldBindingInPlace) {
    StoreBinding("PLAY", 3, kCtrlAltA, "PLAY");
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    Click(dialog, 1021);
    Click(dialog, 1029);
    HeldCombination taken(kCtrlAltB);
    ASSERT_TRUE(taken.held());
    SetHotKeyValue(dialog, kCtrlAltB);
    MessageBoxInfo box = PressOkForMessage(dialog);
    ASSERT_EQ(box.text, kOverwrite);
    Answer(box, IDYES);
    box = WaitForMessageBoxOf(dialog);
    EXPECT_EQ(box.text, kInvalidCombination);
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA))
        << "the old keys must work while the message is open";
    Answer(box, IDOK);
    EXPECT_TRUE(IsVisible(dialog));
    EXPECT_EQ(Lines(), std::vector<std::string>{"PLAY"});
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA));

    // The replacement may take over the old binding's own combination.
    SetHotKeyValue(dialog, kCtrlAltA);
    box = PressOkForMessage(dialog);
    ASSERT_EQ(box.text, kOverwrite);
    Answer(box, IDYES);
    ASSERT_TRUE(WaitForWindowGone(dialog)) << "the old binding's combination was not handed over";
    EXPECT_EQ(Lines(), std::vector<std::string>{"PLAY"});
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA));
}

TEST_F(AddDialogTest, AMissingOrTakenCombinationIsRefused) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "notes");
    ExpectRefusal(dialog, kInvalidCombination, 1004);
    {
        HeldCombination taken(kCtrlAltD);
        ASSERT_TRUE(taken.held());
        SetHotKeyValue(dialog, kCtrlAltD);
        ExpectRefusal(dialog, kInvalidCombination, 1004);
        EXPECT_TRUE(Lines().empty());
    }
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK)) << "the freed combination was refused";
    EXPECT_EQ(Lines(), std::vector<std::string>{"notes"});
    EXPECT_FALSE(IsCombinationFree(kCtrlAltD));
}

TEST_F(AddDialogTest, NamesTheRegistryCannotHoldAreRefused) {
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetHotKeyValue(dialog, kCtrlAltA);
    SetText(GetDlgItem(dialog, 1007), "tools\\notes");
    ExpectRefusal(dialog, kNameNotStorable, 1007);
    SetText(GetDlgItem(dialog, 1007), std::string(256, 'n'));
    ExpectRefusal(dialog, kNameNotStorable, 1007);
    // Longer than the registry path of an ANSI call may be on some systems, Wine among them.
    SetText(GetDlgItem(dialog, 1007), std::string(233, 'n'));
    ExpectRefusal(dialog, kNameNotStorable, 1007);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA));
    EXPECT_TRUE(SubKeys(std::string(kProductKey) + "\\Data").empty());

    const std::string longest(232, 'n');
    SetText(GetDlgItem(dialog, 1007), longest);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK)) << "a name of 232 characters was refused";
    EXPECT_EQ(Lines(), std::vector<std::string>{longest});
    EXPECT_TRUE(IsStored(longest));
}

TEST_F(AddDialogTest, ANewBindingWorksAtOnceUnderTheThirdIdAfterTwoRefusals) {
    TempFolder folder;
    const std::string out = folder.File("launched.txt");
    const std::string command = MarkerCommand(out);
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "marker");
    SetText(GetDlgItem(dialog, 1005), command);
    ExpectRefusal(dialog, kInvalidCombination, 1004);  // no key
    {
        HeldCombination taken(kCtrlAltK);
        ASSERT_TRUE(taken.held());
        SetHotKeyValue(dialog, kCtrlAltK);
        ExpectRefusal(dialog, kInvalidCombination, 1004);  // a key that another program holds
    }
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));

    PressHotKey(kCtrlAltK);
    ASSERT_TRUE(WaitFor([&] { return FileExists(out); })) << "the new key did not launch";
    EXPECT_EQ(ReadFileText(out), command);
    DeleteFileA(out.c_str());
    // Each refused OK used up an id, so the binding answers to the third one.
    PostMessageA(main, WM_HOTKEY, kFirstId + 2, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'K'));
    EXPECT_TRUE(WaitFor([&] { return FileExists(out); })) << "the binding's id is not the third";
}

TEST_F(AddDialogTest, APlayBindingMadeHereDrivesThePlayerAtOnce) {
    TempFolder folder;
    const std::string log = folder.File("player.log");
    HWND playerWindow = NULL;
    player = StartPlayer(log, &playerWindow);
    ASSERT_NE(playerWindow, (HWND)NULL) << "the stand-in player did not start";
    HWND dialog = OpenAdd();
    ASSERT_NE(dialog, (HWND)NULL);
    Click(dialog, 1021);
    Click(dialog, 1029);
    SetHotKeyValue(dialog, kCtrlAltC);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    PressHotKey(kCtrlAltC);
    EXPECT_TRUE(WaitFor([&] { return ReadLines(log) == std::vector<std::string>{"40045"}; }))
        << "the player got: " << ReadFileText(log);
}

}  // namespace
