// prefs/about_box.cpp: the About box with the version of this very file, and the support link.
#include <windows.h>
#include <shellapi.h>
#include "../res/resource.h"
#include "../app/startup.h"
#include "../bindings/binding_list.h"
#include "about_box.h"
#include "settings_store.h"

#define VERSION_TEXT_SIZE 100
#define LINK_PROBE_NAME "it.html"
#define LONGEST_PATH 32768  // the longest path the system can name, terminator included

static const char emptyText[] = "";

char* OwnProgramPath() {
    // Grown until the whole path fits: a program may live deeper than any fixed buffer.
    for (DWORD size = MAX_PATH; size <= 2 * LONGEST_PATH; size *= 2) {
        char* path = NewTextBuffer((int)size);
        if (path == NULL) return NULL;
        DWORD length = GetModuleFileNameA(NULL, path, size);
        if (length > 0 && length < size) return path;
        FreeText(path);
        if (length == 0) return NULL;
    }
    return NULL;
}

const char* FileVersionText(const char* path, char* out, int outSize) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return emptyText;  // no version resource, or no such file
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    void* data = block != NULL ? GlobalLock(block) : NULL;
    if (data == NULL) {
        if (block != NULL) GlobalFree(block);
        ShowErrorMessage("Insufficient memory.");
        return emptyText;
    }
    const char* result = emptyText;
    if (GetFileVersionInfoA(path, handle, size, data)) {
        char* found = NULL;
        UINT length = 0;
        if (VerQueryValueA(data, "\\StringFileInfo\\040904b0\\FileVersion", (void**)&found,
                           &length) &&
            found != NULL && outSize > 0) {
            lstrcpynA(out, found, outSize);
            result = out;
        } else {
            ShowErrorMessage("Could not get version.");
        }
    }
    GlobalUnlock(block);
    GlobalFree(block);
    return result;
}

int OpenLink(HWND owner, const char* link) {
    char probePath[MAX_PATH] = {};
    DWORD length = GetTempPathA(MAX_PATH, probePath);
    if (length == 0 || length >= MAX_PATH) return 0;  // no folder, or one longer than the buffer
    if (!AppendText(probePath, MAX_PATH, LINK_PROBE_NAME)) return 0;
    // The file only has to exist while the shell is asked which program shows such files; an
    // existing one is used as it is.
    HANDLE probe =
        CreateFileA(probePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (probe == INVALID_HANDLE_VALUE) return 0;
    char viewer[MAX_PATH] = {};
    HINSTANCE found = FindExecutableA(probePath, NULL, viewer);
    // Without a viewer the buffer holds nothing meaningful, so no parameters go to the shell.
    const char* parameters = (INT_PTR)found > 32 && viewer[0] != '\0' ? viewer : NULL;
    ShellExecuteA(owner, "open", link, parameters, NULL, SW_SHOWNORMAL);
    CloseHandle(probe);
    DeleteFileA(probePath);
    return 1;
}

static BOOL OnInitDialog(HWND dialog) {
    char version[VERSION_TEXT_SIZE] = {};
    char* path = OwnProgramPath();
    const char* text = path != NULL ? FileVersionText(path, version, sizeof version) : emptyText;
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, text);
    FreeText(path);
    return TRUE;
}

static INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_COMMAND:
            switch (wParam) {  // the whole wParam: only clicks (notification code 0) act
                case IDOK: EndDialog(dialog, IDOK); break;
                case IDCANCEL: OpenLink(dialog, SUPPORT_LINK); break;  // "Contact Us", and Esc too
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(dialog, IDOK);
            // Taken over: the default handling would turn the close box into "Contact Us".
            return TRUE;
    }
    return FALSE;  // never DefWindowProc in a dialog procedure
}

void RunAboutBox(HWND owner) {
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
