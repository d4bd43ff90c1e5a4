// The edit dialog as a user meets it: what it shows of the edited binding, and how OK replaces
// that binding at its line without losing it, or anything else, on the way.
#include "scenario.h"
#include "driver_actions.h"
#include "driver_dialogs.h"

using namespace driver;

namespace {

const UINT kCtrlAltA = 0x0641;
const UINT kCtrlAltB = 0x0642;
const UINT kCtrlAltC = 0x0643;

const char kNameMissing[] = "Zintar must have a name...";
const char kOverwrite[] =
    "A Zintar with that name already exists, do you wish to overwrite that Zintar with this one?";
const char kInvalidCombination[] =
    "This does not appear to be a valid hotkey, or this hotkey combination is already in use, "
    "please try again...";

class EditDialogTest : public ZintarScenario {
protected:
    // Starts Zintar with what the test stored and opens the edit dialog on the named line.
    HWND OpenEdit(const std::string& name) {
        if (main == NULL) main = Launch();
        if (main == NULL) return NULL;
        int line = LineOf(main, name);
        EXPECT_GE(line, 0) << name << " is not listed";
        if (line < 0) return NULL;
        HWND dialog = OpenEditDialog(main, zintar.id, line);
        EXPECT_NE(dialog, (HWND)NULL) << "the edit dialog did not open on " << name;
        return dialog;
    }
    MessageBoxInfo PressOkForMessage(HWND dialog) {
        Click(dialog, IDOK);
        MessageBoxInfo box = WaitForMessageBoxOf(dialog);
        EXPECT_NE(box.window, (HWND)NULL) << "OK gave no message";
        EXPECT_EQ(box.caption, "Error...");
        return box;
    }
    void ExpectFocus(HWND dialog, int controlId) {
        EXPECT_TRUE(WaitFor([&] { return FocusedWindow(dialog) == GetDlgItem(dialog, controlId); }))
            << "the focus is not on control " << controlId;
    }
    StoredBinding Stored(const std::string& name) {
        StoredBinding stored;
        EXPECT_TRUE(ReadStoredBinding(name, &stored)) << name << " is not stored";
        return stored;
    }
    std::vector<std::string> Lines() { return ListLines(MainList(main)); }
    std::vector<std::string> StoredNames() { return SubKeys(std::string(kProductKey) + "\\Data"); }
    HWND main = NULL;
};

TEST_F(EditDialogTest, OpensOnTheSelectedBindingAndAnUnchangedOkKeepsItWorking) {
    TempFolder folder;
    const std::string out = folder.File("launched.txt");
    const std::string command = MarkerCommand(out);
    StoreBinding("notes", 2, kCtrlAltA, command);
    StoreBinding("title", 1, kCtrlAltB, "Untitled - Notepad");
    HWND dialog = OpenEdit("notes");
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(Text(GetDlgItem(dialog, 1007)), "notes");
    EXPECT_TRUE(IsChecked(dialog, 1019));
    EXPECT_EQ(Text(GetDlgItem(dialog, 1005)), command);
    EXPECT_EQ(HotKeyValue(dialog), kCtrlAltA);
    EXPECT_FALSE(IsControlEnabled(dialog, 1029));
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK)) << "an unchanged edit was refused";
    EXPECT_EQ(Lines(), (std::vector<std::string>{"notes", "title"}));
    PressHotKey(kCtrlAltA);
    EXPECT_TRUE(WaitFor([&] { return FileExists(out); })) << "the edited binding's key is dead";
    StoredBinding stored = Stored("notes");
    EXPECT_EQ(stored.type, 2);
    EXPECT_EQ(stored.keycode, kCtrlAltA);
    EXPECT_EQ(stored.command, command);

    dialog = OpenEdit("title");
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_TRUE(IsChecked(dialog, 1020));
    EXPECT_EQ(Text(GetDlgItem(dialog, 1003)), "Untitled - Notepad");
    EXPECT_EQ(Text(GetDlgItem(dialog, 1005)), "");
}

TEST_F(EditDialogTest, DoubleClickingALineOpensItsEdit) {
    StoreBinding("notes", 2, kCtrlAltA, "notepad.exe");
    main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    SelectLines(MainList(main), {0});
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(6, LBN_DBLCLK), (LPARAM)MainList(main));
    HWND dialog = WaitForDialog(zintar.id, kAttributesTitle);
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(Text(GetDlgItem(dialog, 1007)), "notes");
}

TEST_F(EditDialogTest, ACombinationHeldByAnotherBindingIsRefusedAndTheOwnKeysStillWork) {
    TempFolder folder;
    const std::string out = folder.File("launched.txt");
    StoreBinding("first", 2, kCtrlAltA, MarkerCommand(out));
    StoreBinding("second", 2, kCtrlAltB, "notepad.exe");
    HWND dialog = OpenEdit("first");
    ASSERT_NE(dialog, (HWND)NULL);
    SetHotKeyValue(dialog, kCtrlAltB);
    MessageBoxInfo box = PressOkForMessage(dialog);
    EXPECT_EQ(box.text, kInvalidCombination);
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA))
        << "the edited keys are dead while the message shows";
    Answer(box, IDOK);
    ExpectFocus(dialog, 1004);
    EXPECT_TRUE(IsVisible(dialog));

    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
    PressHotKey(kCtrlAltA);
    EXPECT_TRUE(WaitFor([&] { return FileExists(out); })) << "first's own key is dead";
    EXPECT_FALSE(IsCombinationFree(kCtrlAltB));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(Stored("first").keycode, kCtrlAltA);

    // The refused attempt left the binding whole: its edit still works.
    dialog = OpenEdit("first");
    ASSERT_NE(dialog, (HWND)NULL);
    SetHotKeyValue(dialog, kCtrlAltC);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA));
    EXPECT_FALSE(IsCombinationFree(kCtrlAltC));
    EXPECT_EQ(Stored("first").keycode, kCtrlAltC);
}

TEST_F(EditDialogTest, AnEmptyNameIsRefusedAndTheBindingKeepsItsKeys) {
    StoreBinding("notes", 2, kCtrlAltA, "notepad.exe");
    HWND dialog = OpenEdit("notes");
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "");
    MessageBoxInfo box = PressOkForMessage(dialog);
    EXPECT_EQ(box.text, kNameMissing);
    Answer(box, IDOK);
    ExpectFocus(dialog, 1007);
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA));
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
    EXPECT_EQ(Lines(), std::vector<std::string>{"notes"});
}

TEST_F(EditDialogTest, ARenamePutsTheNewNameAtTheOldLine) {
    StoreBinding("b", 2, kCtrlAltA, "one.exe");
    StoreBinding("d", 2, kCtrlAltB, "two.exe");
    StoreBinding("f", 2, kCtrlAltC, "three.exe");
    HWND dialog = OpenEdit("d");
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "z");
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"b", "z", "f"})) << "not at the old line";
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"b", "f", "z"}));
    EXPECT_EQ(Stored("z").command, "two.exe");
    EXPECT_FALSE(IsCombinationFree(kCtrlAltB));
}

TEST_F(EditDialogTest, RenamingOnlyTheLetterCaseOfItsOwnNameAsksNothing) {
    StoreBinding("notes", 2, kCtrlAltA, "notepad.exe");
    HWND dialog = OpenEdit("notes");
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "Notes");
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK)) << "the binding's own name counted as taken";
    EXPECT_EQ(Lines(), std::vector<std::string>{"Notes"});
    EXPECT_EQ(StoredNames().size(), 1u);
}

TEST_F(EditDialogTest, TakingAnotherBindingsNameAsksFirst) {
    StoreBinding("alpha", 2, kCtrlAltA, "alpha.exe");
    StoreBinding("beta", 2, kCtrlAltB, "beta.exe");
    HWND dialog = OpenEdit("beta");
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "ALPHA");  // the registry folds case: this is alpha's key

    MessageBoxInfo box = PressOkForMessage(dialog);
    EXPECT_EQ(box.text, kOverwrite);
    Answer(box, IDNO);
    ExpectFocus(dialog, 1007);
    EXPECT_TRUE(IsVisible(dialog)) << "No closed the dialog";
    EXPECT_EQ(Lines(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA));
    EXPECT_FALSE(IsCombinationFree(kCtrlAltB));
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"alpha", "beta"}));

    SetText(GetDlgItem(dialog, 1007), "alpha");
    box = PressOkForMessage(dialog);
    EXPECT_EQ(box.text, kOverwrite);
    Answer(box, IDYES);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    // alpha's line stood above the edited one: the edit lands where beta was, one line up.
    EXPECT_EQ(Lines(), std::vector<std::string>{"alpha"});
    EXPECT_TRUE(IsCombinationFree(kCtrlAltA)) << "the replaced binding is still registered";
    EXPECT_FALSE(IsCombinationFree(kCtrlAltB));
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"alpha"});
    StoredBinding stored = Stored("alpha");
    EXPECT_EQ(stored.command, "beta.exe");
    EXPECT_EQ(stored.keycode, kCtrlAltB);
}

TEST_F(EditDialogTest, APlayerBindingOpensWithItsWordChecked) {
    StoreBinding("PLAY", 3, kCtrlAltA, "PLAY");
    StoreBinding("odd word", 3, kCtrlAltB, "play");
    HWND dialog = OpenEdit("PLAY");
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_TRUE(IsChecked(dialog, 1021));
    EXPECT_TRUE(IsChecked(dialog, 1029));
    EXPECT_TRUE(IsControlEnabled(dialog, 1017));
    for (int id : {1023, 1024, 1025, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036}) {
        EXPECT_TRUE(IsControlEnabled(dialog, id)) << id;
        EXPECT_EQ(IsChecked(dialog, id), id == 1029) << id;
    }
    EXPECT_EQ(Text(GetDlgItem(dialog, 1007)), "PLAY");

    // Another word: the binding is renamed after it, at its line.
    Click(dialog, 1032);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"odd word", "PAUSE"}));
    StoredBinding stored = Stored("PAUSE");
    EXPECT_EQ(stored.type, 3);
    EXPECT_EQ(stored.command, "PAUSE");

    dialog = OpenEdit("odd word");
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_TRUE(IsChecked(dialog, 1021));
    for (int id : {1023, 1024, 1025, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036}) {
        EXPECT_FALSE(IsChecked(dialog, id)) << "a word outside the table checked " << id;
    }
}

TEST_F(EditDialogTest, CancelChangesNothing) {
    StoreBinding("notes", 2, kCtrlAltA, "notepad.exe");
    HWND dialog = OpenEdit("notes");
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "renamed");
    Click(dialog, 1020);
    SetText(GetDlgItem(dialog, 1003), "title");
    SetHotKeyValue(dialog, kCtrlAltB);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
    EXPECT_EQ(Lines(), std::vector<std::string>{"notes"});
    EXPECT_FALSE(IsCombinationFree(kCtrlAltA));
    EXPECT_TRUE(IsCombinationFree(kCtrlAltB));
    StoredBinding stored = Stored("notes");
    EXPECT_EQ(stored.type, 2);
    EXPECT_EQ(stored.command, "notepad.exe");
    EXPECT_EQ(stored.keycode, kCtrlAltA);

    // The close box cancels in the same way.
    dialog = OpenEdit("notes");
    ASSERT_NE(dialog, (HWND)NULL);
    SetText(GetDlgItem(dialog, 1007), "renamed");
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(Lines(), std::vector<std::string>{"notes"});
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"notes"});
}

TEST_F(EditDialogTest, AStoredTypeThisProgramDoesNotKnowKeepsItsTypeAndCommand) {
    StoreBinding("later", 7, kCtrlAltA, "kept as it is");
    HWND dialog = OpenEdit("later");
    ASSERT_NE(dialog, (HWND)NULL);
    for (int id : {1018, 1019, 1020, 1021}) EXPECT_FALSE(IsChecked(dialog, id)) << id;
    SetHotKeyValue(dialog, kCtrlAltB);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    StoredBinding stored = Stored("later");
    EXPECT_EQ(stored.type, 7);
    EXPECT_EQ(stored.command, "kept as it is");
    EXPECT_EQ(stored.keycode, kCtrlAltB);
}

TEST_F(EditDialogTest, TheScreenSaverRadioStaysOfferedToTheBindingNamedScreenSaver) {
    StoreBinding("Screen Saver", 2, kCtrlAltA, "notepad.exe");
    HWND dialog = OpenEdit("Screen Saver");
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_TRUE(IsControlEnabled(dialog, 1018)) << "taking its own name would clash with nothing";
    Click(dialog, 1018);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDOK));
    EXPECT_EQ(Stored("Screen Saver").type, 0);
}

TEST_F(EditDialogTest, ALineWithoutABindingOpensNothing) {
    StoreBinding("notes", 2, kCtrlAltA, "notepad.exe");
    main = Launch();
    ASSERT_NE(main, (HWND)NULL);
    // A line that no binding stands behind (the list itself keeps it).
    const wchar_t stray[] = L"stray";
    Send(MainList(main), LB_ADDSTRING, 0, (LPARAM)stray);
    ASSERT_EQ(Lines(), (std::vector<std::string>{"notes", "stray"}));
    SelectLines(MainList(main), {1});
    Click(main, 2);
    // The Add posted after it opens only when the edit has come and gone.
    Click(main, 1);
    HWND dialog = WaitForDialog(zintar.id, kAttributesTitle);
    ASSERT_NE(dialog, (HWND)NULL);
    EXPECT_EQ(TopLevelWindows(zintar.id, "#32770").size(), 1u);
    EXPECT_TRUE(IsChecked(dialog, 1019)) << "this is the add dialog";
    EXPECT_EQ(Text(GetDlgItem(dialog, 1007)), "");
    ASSERT_TRUE(ClickAndWaitClosed(dialog, IDCANCEL));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"notes", "stray"}));
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"notes"});
}

}  // namespace
