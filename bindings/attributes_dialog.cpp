// bindings/attributes_dialog.cpp: adding and editing one hot key. Both modes share the template
// and every control; they differ in how the dialog starts and in what OK does.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include "../res/resource.h"
#include "../actions/dispatch.h"
#include "../app/main_window.h"
#include "../app/startup.h"
#include "../prefs/settings_store.h"
#include "attributes_dialog.h"
#include "binding_store.h"

int editIndex = -1;
KeyBinding* editBinding = NULL;

static const char ERROR_CAPTION[] = "Error...";
static const char ADD_NAME_MISSING[] =
    "Zintar must have a name or WinAmp value must be selected...";
static const char EDIT_NAME_MISSING[] = "Zintar must have a name...";
static const char NAME_NOT_STORABLE[] =
    "Zintar names cannot contain a backslash (\\) or be longer than 232 characters, please "
    "choose another name...";
static const char NO_ACTION_CHOSEN[] = "Please choose what this Zintar should do...";
static const char OVERWRITE_QUESTION[] =
    "A Zintar with that name already exists, do you wish to overwrite that Zintar with this one?";
static const char INVALID_COMBINATION[] =
    "This does not appear to be a valid hotkey, or this hotkey combination is already in use, "
    "please try again...";

// ---- Small routines, also used from outside the dialog ----

// Byte for byte, as the binding list compares names and the player words are stored.
static int SameBytes(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        a++;
        b++;
    }
    return *a == *b;
}

char* ReadControlText(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    int length = GetWindowTextLengthA(control);
    char* text = NewTextBuffer(length);
    if (text != NULL && length > 0) GetWindowTextA(control, text, length + 1);
    return text;
}

int SelectedActionRadio(HWND dialog) {
    for (int id = IDC_RADIO_SCREENSAVER; id <= IDC_RADIO_PLAYER; id++) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
    }
    return NO_ACTION_RADIO;
}

char* SelectedPlayerWord(HWND dialog) {
    char* word = NewText("", PLAYER_WORD_SIZE - 1);
    if (word == NULL) return NULL;
    for (int i = 0; i < PLAYER_COMMAND_COUNT; i++) {
        if (IsDlgButtonChecked(dialog, PLAYER_COMMANDS[i].radioId) == BST_CHECKED) {
            lstrcpynA(word, PLAYER_COMMANDS[i].word, PLAYER_WORD_SIZE);
            break;
        }
    }
    return word;
}

void CheckPlayerRadio(HWND dialog, const char* word) {
    for (int i = 0; i < PLAYER_COMMAND_COUNT; i++) {
        if (SameBytes(word, PLAYER_COMMANDS[i].word)) {
            CheckDlgButton(dialog, PLAYER_COMMANDS[i].radioId, BST_CHECKED);
            return;
        }
    }
}

void EnablePlayerRadios(HWND dialog, BOOL enable) {
    EnableWindow(GetDlgItem(dialog, IDC_PLAYER_GROUP), enable);
    for (int i = 0; i < PLAYER_COMMAND_COUNT; i++) {
        EnableWindow(GetDlgItem(dialog, PLAYER_COMMANDS[i].radioId), enable);
    }
}

int BrowseForProgram(HWND dialog, char* path) {
    OPENFILENAMEA request = {};
    // The record as it stood before the later additions at its end: every system accepts it.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = dialog;
    request.lpstrFilter = "Executable Files (*.exe)\0*.exe\0";  // the literal's NUL ends the list
    request.lpstrFile = path;
    request.nMaxFile = PROGRAM_PATH_SIZE;
    request.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOREADONLYRETURN | OFN_LONGNAMES;
    request.lpstrDefExt = "exe";
    return GetOpenFileNameA(&request) ? 1 : 0;
}

int QuoteProgramPath(const char* path, char* out, int size) {
    int spaced = 0;
    for (const char* c = path; *c != '\0'; c = CharNextA(c)) {
        if (*c == ' ' || *c == '\t') spaced = 1;
    }
    if (size < 1) return 0;
    out[0] = '\0';
    if (spaced && !AppendText(out, size, "\"")) return 0;
    if (!AppendText(out, size, path)) return 0;
    if (spaced && !AppendText(out, size, "\"")) return 0;
    return 1;
}

static_assert(sizeof(PRODUCT_KEY "\\Data\\") - 1 + MAX_NAME_LENGTH == MAX_PATH,
              "the longest name must fill the key path up to MAX_PATH");

int IsAcceptableName(const char* name) {
    return IsStorableName(name) && lstrlenA(name) <= MAX_NAME_LENGTH;
}

// The registry folds letter case: names equal but for case would share one stored key. The
// comparison is the store's own, so that whatever it would write to one key is asked about here.
static int SameStoredName(const char* a, const char* b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}

KeyBinding* FindNameClash(const char* name, const KeyBinding* except) {
    for (KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (binding != except && SameBytes(binding->name, name)) return binding;
    }
    for (KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (binding != except && SameStoredName(binding->name, name)) return binding;
    }
    return NULL;
}

// ---- Control handling, the same in both modes ----

static void FocusControl(HWND dialog, int controlId) {
    SetFocus(GetDlgItem(dialog, controlId));
}

// While the action names the binding itself the name edit is disabled: the focus then goes to
// the control that the name comes from.
static void FocusName(HWND dialog) {
    if (IsWindowEnabled(GetDlgItem(dialog, IDC_NAME_EDIT))) {
        FocusControl(dialog, IDC_NAME_EDIT);
    } else if (SelectedActionRadio(dialog) == IDC_RADIO_PLAYER) {
        FocusControl(dialog, IDC_PLAYER_PREV);
    } else {
        FocusControl(dialog, IDC_RADIO_SCREENSAVER);
    }
}

static void EnableName(HWND dialog, BOOL enable) {
    EnableWindow(GetDlgItem(dialog, IDC_NAME_EDIT), enable);
    EnableWindow(GetDlgItem(dialog, IDC_NAME_GROUP), enable);
}

// The radios are groups of their own, so the dialog keeps each set exclusive itself.
static void OnActionRadio(HWND dialog, int radioId) {
    switch (radioId) {
        case IDC_RADIO_SCREENSAVER:
            EnableName(dialog, FALSE);
            EnablePlayerRadios(dialog, FALSE);
            FocusControl(dialog, IDC_HOTKEY);
            break;
        case IDC_RADIO_LAUNCH:
            EnableName(dialog, TRUE);
            EnablePlayerRadios(dialog, FALSE);
            FocusControl(dialog, IDC_LAUNCH_EDIT);
            break;
        case IDC_RADIO_HIDE:
            EnableName(dialog, TRUE);
            EnablePlayerRadios(dialog, FALSE);
            FocusControl(dialog, IDC_TITLE_EDIT);
            break;
        case IDC_RADIO_PLAYER:
            EnableName(dialog, FALSE);
            EnablePlayerRadios(dialog, TRUE);
            break;
    }
    CheckRadioButton(dialog, IDC_RADIO_SCREENSAVER, IDC_RADIO_PLAYER, radioId);
}

static void OnPlayerRadio(HWND dialog, int radioId) {
    CheckRadioButton(dialog, IDC_PLAYER_PREV, IDC_PLAYER_FADE, radioId);
}

static void OnBrowse(HWND dialog) {
    char path[PROGRAM_PATH_SIZE] = {};
    if (!BrowseForProgram(dialog, path)) return;
    char commandLine[PROGRAM_PATH_SIZE + 2] = {};
    if (QuoteProgramPath(path, commandLine, sizeof commandLine)) {
        SetDlgItemTextA(dialog, IDC_LAUNCH_EDIT, commandLine);
    }
}

static void OnCommand(HWND dialog, WPARAM wParam, void (*onOk)(HWND)) {
    switch (wParam) {  // the whole wParam: only clicks (notification code 0) act
        case IDC_RADIO_SCREENSAVER:
        case IDC_RADIO_LAUNCH:
        case IDC_RADIO_HIDE:
        case IDC_RADIO_PLAYER: OnActionRadio(dialog, (int)wParam); break;
        case IDC_BROWSE: OnBrowse(dialog); break;
        case IDC_PLAYER_PREV:
        case IDC_PLAYER_STOP:
        case IDC_PLAYER_VOLUP:
        case IDC_PLAYER_NEXT:
        case IDC_PLAYER_PLAY:
        case IDC_PLAYER_VOLDOWN:
        case IDC_PLAYER_LOAD:
        case IDC_PLAYER_PAUSE:
        case IDC_PLAYER_TOP:
        case IDC_PLAYER_FWD:
        case IDC_PLAYER_REW:
        case IDC_PLAYER_FADE: OnPlayerRadio(dialog, (int)wParam); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDOK: onOk(dialog); break;
    }
}

// ---- OK: the new binding, its checks and its registration ----

static void Refuse(HWND dialog, const char* text, int focusId) {
    MessageBoxA(dialog, text, ERROR_CAPTION, MB_OK | MB_ICONWARNING);
    if (focusId == IDC_NAME_EDIT) {
        FocusName(dialog);
    } else {
        FocusControl(dialog, focusId);
    }
}

// Gives a record's field a new text; 0 when the text could not be made.
static int TakeText(char** field, char* text) {
    if (text == NULL) return 0;
    FreeText(*field);
    *field = text;
    return 1;
}

enum FillResult { Filled, NoActionChosen, OutOfMemory };

// Type, command and name from the controls. The action names a screen saver or player binding,
// so its name is written into the name edit first. With no action checked (a stored type this
// program does not know) the kept binding's type and command stay as they were.
static FillResult FillBinding(HWND dialog, KeyBinding* record, const KeyBinding* keep) {
    char* command = NULL;
    switch (SelectedActionRadio(dialog)) {
        case IDC_RADIO_SCREENSAVER:
            record->type = ScreenSaver;
            SetDlgItemTextA(dialog, IDC_NAME_EDIT, SCREEN_SAVER_NAME);
            command = ReadControlText(dialog, IDC_LAUNCH_EDIT);
            break;
        case IDC_RADIO_LAUNCH:
            record->type = LaunchApp;
            command = ReadControlText(dialog, IDC_LAUNCH_EDIT);
            break;
        case IDC_RADIO_HIDE:
            record->type = HideWindow;
            command = ReadControlText(dialog, IDC_TITLE_EDIT);
            break;
        case IDC_RADIO_PLAYER:
            record->type = PlayerCommand;
            command = SelectedPlayerWord(dialog);
            if (command != NULL) SetDlgItemTextA(dialog, IDC_NAME_EDIT, command);
            break;
        default:
            if (keep == NULL) return NoActionChosen;
            record->type = keep->type;
            command = CopyText(keep->command);
            break;
    }
    if (!TakeText(&record->command, command)) return OutOfMemory;
    if (!TakeText(&record->name, ReadControlText(dialog, IDC_NAME_EDIT))) return OutOfMemory;
    return Filled;
}

// A new record read from the dialog, or NULL with the reason shown.
static KeyBinding* ReadNewBinding(HWND dialog, const KeyBinding* keep) {
    UINT keycode = LOWORD(SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    KeyBinding* record = NewBinding(LaunchApp, keycode, "", "");
    FillResult result = record != NULL ? FillBinding(dialog, record, keep) : OutOfMemory;
    if (result == Filled) return record;
    FreeBinding(record);
    if (result == OutOfMemory) {
        ShowErrorMessage("Insufficient memory.");
    } else {
        Refuse(dialog, NO_ACTION_CHOSEN, IDC_RADIO_LAUNCH);
    }
    return NULL;
}

static int CheckName(HWND dialog, const char* name, const char* missingText) {
    if (name[0] == '\0') {
        Refuse(dialog, missingText, IDC_NAME_EDIT);
        return 0;
    }
    if (!IsAcceptableName(name)) {
        Refuse(dialog, NAME_NOT_STORABLE, IDC_NAME_EDIT);
        return 0;
    }
    return 1;
}

// 1 when nothing else bears the name, or the user agrees to replace what does.
static int MayReplace(HWND dialog, const KeyBinding* other) {
    if (other == NULL) return 1;
    if (MessageBoxA(dialog, OVERWRITE_QUESTION, ERROR_CAPTION, MB_YESNO | MB_ICONWARNING) ==
        IDYES) {
        return 1;
    }
    FocusName(dialog);
    return 0;
}

static void Unregister(const KeyBinding* binding) {
    if (binding != NULL) UnregisterHotKey(mainWindowHandle, binding->id);
}

static void Reregister(const KeyBinding* binding) {
    if (binding != NULL) RegisterBinding(binding->keycode, binding->id);
}

// Numbers the record and registers its combination in place of the bindings it replaces, whose
// combinations are let go first so that the new binding may take one of them over. When the
// system refuses, they get their combinations back before the message: nothing has changed, and
// their keys work while the message is open.
static int RegisterInstead(HWND dialog, KeyBinding* record, const KeyBinding* first,
                           const KeyBinding* second) {
    record->id = nextBindingId++;
    Unregister(first);
    Unregister(second);
    // A value without a virtual key is no combination that anyone could press.
    if ((record->keycode & 0xFF) != 0 && RegisterBinding(record->keycode, record->id)) return 1;
    Reregister(first);
    Reregister(second);
    Refuse(dialog, INVALID_COMBINATION, IDC_HOTKEY);
    return 0;
}

static HWND MainList() {
    return GetDlgItem(mainWindowHandle, IDC_HOTKEY_LIST);
}

// The main list's line that shows exactly this name (the list's own search ignores case), or -1.
static int FindListLine(const char* name) {
    HWND list = MainList();
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int index = 0; index < count; index++) {
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
        char* line = length >= 0 ? NewText("", (int)length) : NULL;
        if (line == NULL) continue;
        int same =
            SendMessageA(list, LB_GETTEXT, index, (LPARAM)line) != LB_ERR && SameBytes(line, name);
        FreeText(line);
        if (same) return index;
    }
    return -1;
}

// Takes a replaced binding out of the program with its line; returns the line's index, or -1.
static int RemoveReplaced(KeyBinding* other) {
    int line = FindListLine(other->name);
    if (line >= 0) SendMessageA(MainList(), LB_DELETESTRING, line, 0);
    // Names are unique in the list (every way in checks for a clash), so this is other itself.
    RemoveBinding(other->name);
    return line;
}

// ---- Add mode ----

static BOOL OnAddInit(HWND dialog) {
    if (FindBinding(SCREEN_SAVER_NAME, 0) != NULL) {
        EnableWindow(GetDlgItem(dialog, IDC_RADIO_SCREENSAVER), FALSE);
    }
    CheckRadioButton(dialog, IDC_RADIO_SCREENSAVER, IDC_RADIO_PLAYER, IDC_RADIO_LAUNCH);
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETRULES, HOTKEY_INVALID_COMBINATIONS,
                        HOTKEY_REPLACEMENT_MODIFIERS);
    return TRUE;
}

static void OnAddOk(HWND dialog) {
    KeyBinding* record = ReadNewBinding(dialog, NULL);
    if (record == NULL) return;
    if (!CheckName(dialog, record->name, ADD_NAME_MISSING)) {
        FreeBinding(record);
        return;
    }
    KeyBinding* other = FindNameClash(record->name, NULL);
    if (!MayReplace(dialog, other) || !RegisterInstead(dialog, record, other, NULL)) {
        FreeBinding(record);
        return;
    }
    if (other != NULL) RemoveReplaced(other);
    PushBinding(record);
    SendMessageA(MainList(), LB_ADDSTRING, 0, (LPARAM)record->name);
    SaveBindings();
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK AddDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return OnAddInit(dialog);
        case WM_COMMAND: OnCommand(dialog, wParam, OnAddOk); return FALSE;
    }
    return FALSE;  // never DefWindowProc in a dialog procedure
}

// ---- Edit mode ----

// The binding named by the main list's current line, or NULL.
static KeyBinding* CurrentLineBinding(int index) {
    char name[KEY_PATH_SIZE] = {};
    LRESULT length = SendMessageA(MainList(), LB_GETTEXTLEN, index, 0);
    if (index < 0 || length < 0 || length >= (LRESULT)sizeof name) return NULL;
    if (SendMessageA(MainList(), LB_GETTEXT, index, (LPARAM)name) == LB_ERR) return NULL;
    return FindBinding(name, 0);
}

static BOOL OnEditInit(HWND dialog) {
    editIndex = (int)SendMessageA(MainList(), LB_GETCURSEL, 0, 0);
    editBinding = CurrentLineBinding(editIndex);
    if (editBinding == NULL) {
        EndDialog(dialog, IDCANCEL);  // nothing to edit: the dialog never shows
        return TRUE;
    }
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETRULES, HOTKEY_INVALID_COMBINATIONS,
                        HOTKEY_REPLACEMENT_MODIFIERS);
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, editBinding->keycode, 0);
    SetDlgItemTextA(dialog, IDC_NAME_EDIT, editBinding->name);
    // Only one binding can be the screen saver's; the edited binding may take that name itself.
    KeyBinding* saver = FindBinding(SCREEN_SAVER_NAME, 0);
    if (saver != NULL && saver != editBinding) {
        EnableWindow(GetDlgItem(dialog, IDC_RADIO_SCREENSAVER), FALSE);
    }
    switch (editBinding->type) {
        case ScreenSaver:
            EnableWindow(GetDlgItem(dialog, IDC_RADIO_SCREENSAVER), TRUE);
            OnActionRadio(dialog, IDC_RADIO_SCREENSAVER);  // what a click on it does
            break;
        case HideWindow:
            CheckDlgButton(dialog, IDC_RADIO_HIDE, BST_CHECKED);
            SetDlgItemTextA(dialog, IDC_TITLE_EDIT, editBinding->command);
            break;
        case LaunchApp:
            CheckDlgButton(dialog, IDC_RADIO_LAUNCH, BST_CHECKED);
            SetDlgItemTextA(dialog, IDC_LAUNCH_EDIT, editBinding->command);
            break;
        case PlayerCommand:
            CheckDlgButton(dialog, IDC_RADIO_PLAYER, BST_CHECKED);
            EnablePlayerRadios(dialog, TRUE);
            CheckPlayerRadio(dialog, editBinding->command);
            break;
    }
    return TRUE;
}

// The edit builds a new binding with a new id and replaces the edited one, at its line.
static void OnEditOk(HWND dialog) {
    KeyBinding* record = ReadNewBinding(dialog, editBinding);
    if (record == NULL) return;
    if (!CheckName(dialog, record->name, EDIT_NAME_MISSING)) {
        FreeBinding(record);
        return;
    }
    KeyBinding* other = FindNameClash(record->name, editBinding);
    if (!MayReplace(dialog, other) || !RegisterInstead(dialog, record, editBinding, other)) {
        FreeBinding(record);
        return;
    }
    if (other != NULL) {
        int line = RemoveReplaced(other);
        if (line >= 0 && line < editIndex) editIndex--;  // the edited line moved up with it
    }
    RemoveBinding(editBinding->name);
    editBinding = NULL;
    SendMessageA(MainList(), LB_DELETESTRING, editIndex, 0);
    SendMessageA(MainList(), LB_INSERTSTRING, editIndex, (LPARAM)record->name);
    PushBinding(record);
    SaveBindings();
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK EditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return OnEditInit(dialog);
        case WM_COMMAND: OnCommand(dialog, wParam, OnEditOk); return FALSE;
    }
    return FALSE;  // never DefWindowProc in a dialog procedure
}

// ---- Entry points ----

void RunAddDialog(HWND owner) {
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_ATTRIBUTES), owner, AddDialogProc, 0);
}

void RunEditDialog(HWND owner) {
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_ATTRIBUTES), owner, EditDialogProc, 0);
}
