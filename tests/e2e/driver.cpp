// The end-to-end driver: processes, windows, messages, keys and the registry, seen from outside.
#include "driver.h"

#include <algorithm>

namespace driver {

const char* const kProductKey = "Software\\Orvane\\Zintar";

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);  // a polling step, not a wait for something to happen
    }
}

bool WaitForPumping(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

bool WaitForDesktop(DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs,
                               &result) != 0;
}

// ---- Programs ----

std::string ProgramPath(const std::string& fileName) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

std::string WindowsTempDir() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    char name[MAX_PATH] = {};
    GetTempFileNameA(temp, "zt", 0, name);  // a unique name; replace the file by a folder
    DeleteFileA(name);
    CreateDirectoryA(name, NULL);
    return name;
}

Process Start(const std::string& exePath, const std::string& arguments) {
    Process process;
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    // The child must not inherit our output: a shell reading it would wait for the child too.
    SECURITY_ATTRIBUTES inherit = {};
    inherit.nLength = sizeof inherit;
    inherit.bInheritHandle = TRUE;
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(NULL, buffer.data(), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &info)) {
        CloseHandle(info.hThread);
        process.handle = info.hProcess;
        process.id = info.dwProcessId;
    }
    CloseHandle(nul);
    return process;
}

bool WaitForExit(Process& process, DWORD* exitCode, DWORD timeoutMs) {
    if (process.handle == NULL) return false;
    if (WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(process.handle, &code);
    if (exitCode != nullptr) *exitCode = code;
    return true;
}

void Kill(Process& process) {
    if (process.handle == NULL) return;
    if (WaitForSingleObject(process.handle, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle, 1);
        WaitForSingleObject(process.handle, kDeadline);
    }
    CloseHandle(process.handle);
    process.handle = NULL;
}

bool IsRunning(const Process& process) {
    return process.handle != NULL && WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT;
}

// ---- Zintar ----

HWND FindMainWindow() {
    return FindWindowA("Zintar", NULL);
}

Process StartZintar() {
    return Start(ProgramPath("Zintar.exe"));
}

Process StartZintarAndWait(HWND* mainWindow) {
    Process process = StartZintar();
    HWND found = NULL;
    WaitFor([&] {
        found = FindMainWindow();
        return found != NULL && IsWindowVisible(found);
    });
    // Visible means WM_INITDIALOG is over; idle means the messages it posted are handled too.
    if (process.handle != NULL) WaitForInputIdle(process.handle, kDeadline);
    if (mainWindow != nullptr) *mainWindow = found;
    return process;
}

bool ExitZintar(Process& process, DWORD* exitCode) {
    HWND window = FindMainWindow();
    if (window != NULL) Click(window, 4);  // the Exit button
    DWORD code = 0;
    bool ended = WaitForExit(process, &code);
    if (exitCode != nullptr) *exitCode = code;
    return ended;
}

void EndAllZintars() {
    for (int round = 0; round < 20; round++) {
        HWND window = FindMainWindow();
        if (window == NULL) return;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (handle != NULL) {
            TerminateProcess(handle, 1);
            WaitForSingleObject(handle, kDeadline);
            CloseHandle(handle);
        }
        WaitFor([&] { return !IsWindow(window); }, 2000);
    }
}

// ---- Windows of another process ----

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                             &result)) {
        return 0;
    }
    return (LRESULT)result;
}

static std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), (int)wide.size(), NULL, 0, NULL, NULL);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), (int)wide.size(), &text[0], size, NULL, NULL);
    return text;
}

static std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), NULL, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), &wide[0], size);
    return wide;
}

std::string Text(HWND window) {
    LRESULT length = Send(window, WM_GETTEXTLENGTH);
    std::wstring wide((size_t)length + 1, L'\0');
    LRESULT got = Send(window, WM_GETTEXT, wide.size(), (LPARAM)&wide[0]);
    wide.resize((size_t)std::max<LRESULT>(got, 0));
    return Narrow(wide);
}

void SetText(HWND window, const std::string& text) {
    std::wstring wide = Widen(text);
    Send(window, WM_SETTEXT, 0, (LPARAM)wide.c_str());
}

bool IsVisible(HWND window) {
    return window != NULL && IsWindowVisible(window);
}
bool IsEnabled(HWND window) {
    return window != NULL && IsWindowEnabled(window);
}
int CheckState(HWND button) {
    return (int)Send(button, BM_GETCHECK);
}

struct EnumRequest {
    DWORD processId;
    const char* className;
    std::vector<HWND>* found;
};

static BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    EnumRequest* request = (EnumRequest*)parameter;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != request->processId) return TRUE;
    if (request->className != nullptr) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, request->className) != 0) return TRUE;
    }
    request->found->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
    std::vector<HWND> found;
    EnumRequest request = {processId, className, &found};
    EnumWindows(CollectWindow, (LPARAM)&request);
    return found;
}

static std::string Caption(HWND window) {
    char caption[512] = {};
    GetWindowTextA(window, caption,
                   sizeof caption);  // a top-level caption is read without messages
    return caption;
}

HWND FindDialog(DWORD processId, const std::string& title) {
    for (HWND window : TopLevelWindows(processId, "#32770")) {
        if (!IsWindowVisible(window)) continue;
        if (title.empty() || Caption(window) == title) return window;
    }
    return NULL;
}

HWND WaitForDialog(DWORD processId, const std::string& title, DWORD timeoutMs) {
    HWND found = NULL;
    WaitFor([&] { return (found = FindDialog(processId, title)) != NULL; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

void Click(HWND dialog, int controlId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, controlId));
}

// ---- The main window's list ----

HWND MainList(HWND mainWindow) {
    return GetDlgItem(mainWindow, 6);
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    LRESULT count = Send(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; i++) {
        LRESULT length = Send(list, LB_GETTEXTLEN, i);
        std::wstring wide((size_t)std::max<LRESULT>(length, 0) + 1, L'\0');
        // Wine hands cross-process list text back as UTF-16: ask for it that way.
        LRESULT got = Send(list, LB_GETTEXT, i, (LPARAM)&wide[0]);
        wide.resize((size_t)std::max<LRESULT>(got, 0));
        lines.push_back(Narrow(wide));
    }
    return lines;
}

void SelectLines(HWND list, const std::vector<int>& indices) {
    Send(list, LB_SETSEL, FALSE, -1);
    for (int index : indices) Send(list, LB_SETSEL, TRUE, index);
    if (!indices.empty()) Send(list, LB_SETCARETINDEX, indices.front(), FALSE);
}

// ---- Message boxes ----

// A message box is a "#32770" with the text static 0xFFFF; Zintar's About box and attributes
// dialog have unnamed controls of that id too, but also controls (1010, 1004) that no box has, and
// the open-file dialog has its file name box 0x47C.
bool IsMessageBox(HWND window) {
    if (GetDlgItem(window, 0xFFFF) == NULL) return false;
    for (int id : {1010, 1004, 0x47C}) {
        if (GetDlgItem(window, id) != NULL) return false;
    }
    return true;
}

MessageBoxInfo DescribeMessageBox(HWND window) {
    MessageBoxInfo info;
    info.window = window;
    if (window != NULL) {
        info.caption = Caption(window);
        info.text = Text(GetDlgItem(window, 0xFFFF));
    }
    return info;
}

static HWND FindMessageBox(DWORD processId) {
    for (HWND window : TopLevelWindows(processId, "#32770")) {
        if (IsWindowVisible(window) && IsMessageBox(window)) return window;
    }
    return NULL;
}

bool HasMessageBox(DWORD processId) {
    return FindMessageBox(processId) != NULL;
}

MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = NULL;
    WaitFor([&] { return (box = FindMessageBox(processId)) != NULL; }, timeoutMs);
    return DescribeMessageBox(box);
}

void Answer(const MessageBoxInfo& box, int buttonId) {
    if (box.window == NULL) return;
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 (LPARAM)GetDlgItem(box.window, buttonId));
    WaitForWindowGone(box.window);
}

// ---- Keyboard ----

static bool IsExtendedKey(WORD vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
        case VK_DIVIDE: return true;
    }
    return false;
}

static INPUT KeyInput(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    // Wine's hot-key control reads the scan code; without it a letter arrives as another key.
    input.ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void PressKeys(const std::vector<WORD>& virtualKeys) {
    std::vector<INPUT> inputs;
    for (WORD vk : virtualKeys) inputs.push_back(KeyInput(vk, false));
    for (auto it = virtualKeys.rbegin(); it != virtualKeys.rend(); ++it) {
        inputs.push_back(KeyInput(*it, true));
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void PressHotKey(UINT keycode) {
    std::vector<WORD> keys;
    UINT modifiers = (keycode >> 8) & 0xFF;
    if (modifiers & HOTKEYF_CONTROL) keys.push_back(VK_CONTROL);
    if (modifiers & HOTKEYF_ALT) keys.push_back(VK_MENU);
    if (modifiers & HOTKEYF_SHIFT) keys.push_back(VK_SHIFT);
    keys.push_back((WORD)(keycode & 0xFF));
    PressKeys(keys);
}

bool IsCombinationFree(UINT keycode) {
    UINT modifierByte = (keycode >> 8) & 0xFF;
    UINT modifiers = 0;
    if (modifierByte & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    if (modifierByte & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (modifierByte & HOTKEYF_ALT) modifiers |= MOD_ALT;
    const int probeId = 0xBF00;
    if (!RegisterHotKey(NULL, probeId, modifiers, keycode & 0xFF)) return false;
    UnregisterHotKey(NULL, probeId);
    return true;
}

// ---- Registry ----

void DeleteProductKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvane");
}

bool KeyExists(const std::string& path) {
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

static void WriteValue(const std::string& path, const std::string& value, DWORD type,
                       const void* data, DWORD size) {
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, value.c_str(), 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
}

void WriteBinary(const std::string& path, const std::string& value, const void* data, DWORD size) {
    WriteValue(path, value, REG_BINARY, data, size);
}

void WriteString(const std::string& path, const std::string& value, const std::string& text,
                 bool withTerminator) {
    WriteValue(path, value, REG_SZ, text.c_str(), (DWORD)text.size() + (withTerminator ? 1 : 0));
}

void WriteDword(const std::string& path, const std::string& value, DWORD data) {
    WriteValue(path, value, REG_DWORD, &data, sizeof data);
}

bool ReadValue(const std::string& path, const std::string& value, std::vector<BYTE>* data,
               DWORD* type) {
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    DWORD kind = 0;
    bool found = RegQueryValueExA(key, value.c_str(), NULL, &kind, NULL, &size) == ERROR_SUCCESS;
    if (found) {
        data->assign(size, 0);
        found =
            RegQueryValueExA(key, value.c_str(), NULL, &kind, data->data(), &size) == ERROR_SUCCESS;
        data->resize(size);
        if (type != nullptr) *type = kind;
    }
    RegCloseKey(key);
    return found;
}

std::vector<std::string> SubKeys(const std::string& path) {
    std::vector<std::string> names;
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; index++) {
        char name[1024] = {};
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

void StoreBinding(const std::string& name, int type, UINT keycode, const std::string& command) {
    std::string path = std::string(kProductKey) + "\\Data\\" + name;
    WriteBinary(path, "type", &type, sizeof type);
    WriteBinary(path, "keycode", &keycode, sizeof keycode);
    WriteString(path, "command", command);
}

bool ReadStoredBinding(const std::string& name, StoredBinding* binding) {
    std::string path = std::string(kProductKey) + "\\Data\\" + name;
    std::vector<BYTE> type, keycode, command;
    if (!ReadValue(path, "type", &type) || !ReadValue(path, "keycode", &keycode) ||
        !ReadValue(path, "command", &command) || type.size() != 4 || keycode.size() != 4) {
        return false;
    }
    CopyMemory(&binding->type, type.data(), 4);
    CopyMemory(&binding->keycode, keycode.data(), 4);
    binding->command.assign(command.begin(), command.end());
    if (!binding->command.empty() && binding->command.back() == '\0') binding->command.pop_back();
    return true;
}

void SetFlag(const std::string& valueName, const std::string& digit) {
    WriteString(kProductKey, valueName, digit, false);
}

}  // namespace driver
