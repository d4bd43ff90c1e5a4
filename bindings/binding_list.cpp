// bindings/binding_list.cpp: the binding records, their list and their system registration.
#include "binding_list.h"
#include "../app/main_window.h"

KeyBinding* BindingList = NULL;
int nextBindingId = FIRST_BINDING_ID;

char* NewText(const char* source, int length) {
    if (length < 0) return NULL;
    char* text = (char*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)length + 1);
    if (text == NULL) return NULL;
    if (length > 0) CopyMemory(text, source, (SIZE_T)length);
    text[length] = '\0';
    return text;
}

char* NewTextBuffer(int length) {
    if (length < 0) return NULL;
    return (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (SIZE_T)length + 1);
}

char* CopyText(const char* source) {
    return NewText(source != NULL ? source : "", source != NULL ? lstrlenA(source) : 0);
}

void FreeText(char* text) {
    if (text != NULL) HeapFree(GetProcessHeap(), 0, text);
}

int AppendText(char* buffer, int size, const char* source) {
    int used = lstrlenA(buffer);
    int extra = lstrlenA(source);
    if (used + extra + 1 > size) return 0;
    CopyMemory(buffer + used, source, (SIZE_T)extra + 1);
    return 1;
}

KeyBinding* NewBinding(int type, UINT keycode, const char* name, const char* command) {
    KeyBinding* binding =
        (KeyBinding*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *binding);
    if (binding == NULL) return NULL;
    binding->type = type;
    binding->keycode = keycode;
    binding->name = CopyText(name);
    binding->command = CopyText(command);
    binding->hideMode = 1;
    if (binding->name == NULL || binding->command == NULL) {
        FreeBinding(binding);
        return NULL;
    }
    return binding;
}

void FreeBinding(KeyBinding* binding) {
    if (binding == NULL) return;
    FreeText(binding->name);
    FreeText(binding->command);
    HeapFree(GetProcessHeap(), 0, binding);
}

UINT ModifierMap(UINT modifierByte) {
    // HOTKEYF_EXT only marks extended keys, whose virtual-key code already tells them apart, and
    // the higher bits mean nothing: only shift, control and alt become modifiers.
    UINT flags = 0;
    if (modifierByte & HOTKEYF_SHIFT) flags |= MOD_SHIFT;
    if (modifierByte & HOTKEYF_CONTROL) flags |= MOD_CONTROL;
    if (modifierByte & HOTKEYF_ALT) flags |= MOD_ALT;
    return flags;
}

int RegisterBinding(UINT keycode, int id) {
    UINT modifiers = ModifierMap((keycode >> 8) & 0xFF);
    return RegisterHotKey(mainWindowHandle, id, modifiers, keycode & 0xFF) ? 1 : 0;
}

int PushBinding(KeyBinding* binding) {
    if (binding == NULL) return 0;
    binding->next = BindingList;
    BindingList = binding;
    return 1;
}

static int SameName(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        a++;
        b++;
    }
    return *a == *b;
}

KeyBinding* FindBinding(const char* name, int id) {
    for (KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (SameName(binding->name, name) || binding->id == id) return binding;
    }
    return NULL;
}

// A removed binding must not leave its window invisible: nothing else would ever show it.
static void ReleaseBinding(KeyBinding* binding) {
    if (binding->type == HideWindow && binding->isHidden && IsWindow(binding->hiddenWindow)) {
        ShowWindow(binding->hiddenWindow, SW_SHOWNORMAL);
    }
    UnregisterHotKey(mainWindowHandle, binding->id);
    FreeBinding(binding);
}

void RemoveBinding(const char* name) {
    KeyBinding* previous = NULL;
    for (KeyBinding* binding = BindingList; binding != NULL; binding = binding->next) {
        if (SameName(binding->name, name)) {
            if (previous == NULL) {
                BindingList = binding->next;
            } else {
                previous->next = binding->next;
            }
            ReleaseBinding(binding);
            return;
        }
        previous = binding;
    }
}

void ReleaseAllBindings() {
    while (BindingList != NULL) {
        KeyBinding* binding = BindingList;
        BindingList = binding->next;
        ReleaseBinding(binding);
    }
}
