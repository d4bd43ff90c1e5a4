// bindings/binding_store.cpp: the bindings in the registry, one sub-key per binding.
//
// Nothing stored is ever lost by a save: a save writes every binding of the list first and only
// then removes the sub-keys of bindings that are gone, and the stored bindings that the load did
// not reach (it stops at the first one it cannot read or register) are left as they are until the
// user stores a binding of the same name. Key names compare without case in the registry, so a
// name is matched against stored keys the same way.
#include "binding_store.h"
#include "../app/main_window.h"
#include "../prefs/settings_store.h"
#include "../res/resource.h"
#include "binding_list.h"

#define DATA_PATH PRODUCT_KEY "\\Data"

// Names of stored bindings that the load did not bring into the list.
struct UnloadedName {
    char* name;
    UnloadedName* next;
};
static UnloadedName* unloadedNames = NULL;

static int IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

char* TrimLeft(char* text) {
    int skip = 0;
    while (IsSpace(text[skip])) skip++;
    if (skip > 0) MoveMemory(text, text + skip, (SIZE_T)lstrlenA(text + skip) + 1);
    return text;
}

int TrimRight(char* text) {
    int length = lstrlenA(text);
    while (length > 0 && IsSpace(text[length - 1])) length--;
    text[length] = '\0';
    return length;
}

// Builds "Software\Orvane\Zintar\Data\<name>" in a KEY_PATH_SIZE buffer; 0 when it does not fit.
static int BindingKeyPath(char* path, const char* name) {
    path[0] = '\0';
    return AppendText(path, KEY_PATH_SIZE, DATA_PATH "\\") && AppendText(path, KEY_PATH_SIZE, name);
}

int IsStorableName(const char* name) {
    char path[KEY_PATH_SIZE];
    if (name == NULL || name[0] == '\0' || lstrlenA(name) > MAX_KEY_NAME_LENGTH) return 0;
    for (const char* c = name; *c != '\0'; c++) {
        if (*c == '\\') return 0;  // would be written as a deeper key
    }
    return BindingKeyPath(path, name);
}

static HKEY CreateKey(const char* path) {
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, NULL) != ERROR_SUCCESS) {
        return NULL;
    }
    return key;
}

static int SameKeyName(const char* a, const char* b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}

void ForgetUnloadedBindings() {
    while (unloadedNames != NULL) {
        UnloadedName* entry = unloadedNames;
        unloadedNames = entry->next;
        FreeText(entry->name);
        HeapFree(GetProcessHeap(), 0, entry);
    }
}

static int IsUnloaded(const char* name) {
    for (UnloadedName* entry = unloadedNames; entry != NULL; entry = entry->next) {
        if (SameKeyName(entry->name, name)) return 1;
    }
    return 0;
}

static void RememberUnloaded(const char* name) {
    UnloadedName* entry = (UnloadedName*)HeapAlloc(GetProcessHeap(), 0, sizeof *entry);
    if (entry == NULL) return;
    entry->name = CopyText(name);
    if (entry->name == NULL) {
        HeapFree(GetProcessHeap(), 0, entry);
        return;
    }
    entry->next = unloadedNames;
    unloadedNames = entry;
}

// The load stopped at index: remember that sub-key and every one after it, so saves keep them.
static void RememberUnreached(HKEY data, DWORD index) {
    for (;; index++) {
        char name[KEY_PATH_SIZE] = {};
        DWORD size = sizeof name;
        if (RegEnumKeyExA(data, index, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            return;
        RememberUnloaded(name);
    }
}

// Reads a value of at most limit bytes into out (zero-filled first, so a shorter value reads as if
// zero-extended); returns the size read, or -1 when it is missing or larger than limit.
static int ReadLimited(HKEY key, const char* valueName, void* out, DWORD limit) {
    ZeroMemory(out, limit);
    DWORD size = limit;
    if (RegQueryValueExA(key, valueName, NULL, NULL, (BYTE*)out, &size) != ERROR_SUCCESS) return -1;
    return (int)size;
}

// Reads one binding's values; 0 after the message.
static int ReadBindingValues(HKEY key, KeyBinding* binding) {
    char command[COMMAND_READ_SIZE + 1];
    INT32 type = 0;
    UINT32 keycode = 0;
    int commandSize = -1;
    if (ReadLimited(key, "type", &type, sizeof type) >= 0 &&
        ReadLimited(key, "keycode", &keycode, sizeof keycode) >= 0) {
        commandSize = ReadLimited(key, "command", command, COMMAND_READ_SIZE);
    }
    if (commandSize < 0) {
        ShowErrorMessage("Could not get data from registry key.");
        return 0;
    }
    command[commandSize] = '\0';  // the stored text need not carry its own terminator
    char* text = CopyText(command);
    if (text == NULL) return 0;
    TrimLeft(text);
    TrimRight(text);
    FreeText(binding->command);
    binding->command = text;
    binding->type = type;
    binding->keycode = keycode;
    return 1;
}

// Loads the sub-key called name; 1 when the binding is registered, listed and pushed.
static int LoadBinding(const char* name) {
    char path[KEY_PATH_SIZE];
    HKEY key = BindingKeyPath(path, name) ? CreateKey(path) : NULL;
    if (key == NULL) {
        ShowErrorMessage("Could not open registry key.");
        return 0;
    }
    KeyBinding* binding = NewBinding(ScreenSaver, 0, name, "");
    int loaded = binding != NULL && ReadBindingValues(key, binding);
    if (loaded) {
        binding->id = nextBindingId++;
        loaded = RegisterBinding(binding->keycode, binding->id);
    }
    if (loaded) {
        PushBinding(binding);
        SendDlgItemMessageA(mainWindowHandle, IDC_HOTKEY_LIST, LB_ADDSTRING, 0,
                            (LPARAM)binding->name);
    } else {
        FreeBinding(binding);
    }
    RegCloseKey(key);
    return loaded;
}

int LoadBindings() {
    ForgetUnloadedBindings();
    HKEY data = CreateKey(DATA_PATH "\\");
    if (data == NULL) {
        ShowErrorMessage("Could not open registry key.");
        return 0;
    }
    int result = 1;
    for (DWORD index = 0;; index++) {
        char name[KEY_PATH_SIZE] = {};
        DWORD size = sizeof name;
        LONG status = RegEnumKeyExA(data, index, name, &size, NULL, NULL, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || !LoadBinding(name)) {
            RememberUnreached(data, index);
            result = 0;
            break;
        }
    }
    RegCloseKey(data);
    return result;
}

LONG DeleteKeyTree(HKEY parent, const char* name) {
    if (name == NULL || name[0] == '\0') return ERROR_SUCCESS;
    HKEY key = NULL;
    LONG status = RegOpenKeyExA(parent, name, 0, DELETE | KEY_ENUMERATE_SUB_KEYS, &key);
    if (status != ERROR_SUCCESS) return status;
    for (;;) {
        char child[KEY_PATH_SIZE] = {};
        DWORD size = sizeof child;
        status = RegEnumKeyExA(key, 0, child, &size, NULL, NULL, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS) {
            status = RegDeleteKeyA(parent, name);
            break;
        }
        if (status != ERROR_SUCCESS) break;
        status = DeleteKeyTree(key, child);  // index 0 again next time: this one is gone
        if (status != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    return status;
}

// The newest binding of a name is the one stored; an older one of the same key name is not
// written over it.
static int HasNewerNamesake(const KeyBinding* binding) {
    for (const KeyBinding* newer = BindingList; newer != binding; newer = newer->next) {
        if (SameKeyName(newer->name, binding->name)) return 1;
    }
    return 0;
}

static int WriteBinding(const KeyBinding* binding) {
    char path[KEY_PATH_SIZE];
    HKEY key = IsStorableName(binding->name) && BindingKeyPath(path, binding->name)
                   ? CreateKey(path)
                   : NULL;
    if (key == NULL) {
        ShowErrorMessage("Could not open registry key.");
        return 0;
    }
    INT32 type = binding->type;
    UINT32 keycode = binding->keycode;
    int written = RegSetValueExA(key, "type", 0, REG_BINARY, (const BYTE*)&type, sizeof type) ==
                      ERROR_SUCCESS &&
                  RegSetValueExA(key, "keycode", 0, REG_BINARY, (const BYTE*)&keycode,
                                 sizeof keycode) == ERROR_SUCCESS &&
                  RegSetValueExA(key, "command", 0, REG_SZ, (const BYTE*)binding->command,
                                 (DWORD)lstrlenA(binding->command) + 1) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!written) ShowErrorMessage("Could not write value to registy.");
    return written;
}

static int IsListed(const char* name) {
    for (const KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (SameKeyName(binding->name, name)) return 1;
    }
    return 0;
}

// A stored binding the load did not reach is replaced once the list holds one of its name.
static void DropReplacedUnloaded() {
    UnloadedName** link = &unloadedNames;
    while (*link != NULL) {
        UnloadedName* entry = *link;
        if (IsListed(entry->name)) {
            *link = entry->next;
            FreeText(entry->name);
            HeapFree(GetProcessHeap(), 0, entry);
        } else {
            link = &entry->next;
        }
    }
}

// Removes every sub-key of Data that is neither listed nor kept from an unfinished load.
static void RemoveStaleKeys() {
    HKEY data = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DATA_PATH, 0, KEY_ALL_ACCESS, &data) != ERROR_SUCCESS)
        return;
    DWORD index = 0;
    for (;;) {
        char name[KEY_PATH_SIZE] = {};
        DWORD size = sizeof name;
        if (RegEnumKeyExA(data, index, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        if (IsListed(name) || IsUnloaded(name) || DeleteKeyTree(data, name) != ERROR_SUCCESS) {
            index++;  // kept (or undeletable): look at the next one
        }
    }
    RegCloseKey(data);
}

int SaveBindings() {
    HKEY data = CreateKey(DATA_PATH);
    if (data == NULL) {
        ShowErrorMessage("Could not open registry key.");
        return 0;
    }
    RegCloseKey(data);
    for (const KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (HasNewerNamesake(binding)) continue;
        if (!WriteBinding(binding)) return 0;  // nothing has been removed yet
    }
    DropReplacedUnloaded();
    RemoveStaleKeys();
    if (BindingList == NULL && unloadedNames == NULL) DeleteKeyTree(HKEY_CURRENT_USER, DATA_PATH);
    return 1;
}
