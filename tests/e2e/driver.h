// The end-to-end driver: starts the real Zintar.exe and works it from outside, as a user would.
// Every wait polls against a deadline; nothing here sleeps for a fixed time.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

namespace driver {

constexpr DWORD kDeadline = 10000;  // ms: the default for every wait

// ---- Waiting ----
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kDeadline);
// Lets the driver's own thread handle messages while waiting (for windows the driver owns).
bool WaitForPumping(const std::function<bool()>& condition, DWORD timeoutMs = kDeadline);
// Waits until the desktop answers messages. When the desktop has to start first, it waits for the
// shell's services, which under load takes longer than one driver deadline.
bool WaitForDesktop(DWORD timeoutMs = 60000);

// ---- Programs ----
struct Process {
    HANDLE handle = NULL;
    DWORD id = 0;
};
std::string ProgramPath(const std::string& fileName);  // a program built beside the tests
std::string WindowsTempDir();                          // a fresh folder under %TEMP% for one test
Process Start(const std::string& exePath, const std::string& arguments = "");
bool WaitForExit(Process& process, DWORD* exitCode, DWORD timeoutMs = kDeadline);
void Kill(Process& process);  // ends it if still running and closes the handle
bool IsRunning(const Process& process);

// ---- Zintar ----
HWND FindMainWindow();  // the top-level window of class "Zintar", or NULL
Process StartZintar();  // starts Zintar.exe; does not wait for anything
// Starts Zintar.exe and waits until its main window exists and has finished WM_INITDIALOG.
Process StartZintarAndWait(HWND* mainWindow);
// Closes by the Exit button and waits for the process to end with its exit code.
bool ExitZintar(Process& process, DWORD* exitCode = nullptr);
void EndAllZintars();  // kills every process that owns a "Zintar" window

// ---- Windows of another process ----
std::string Text(HWND window);  // WM_GETTEXT as UTF-16, converted to the ANSI code page
void SetText(HWND window, const std::string& text);
bool IsVisible(HWND window);
bool IsEnabled(HWND window);
int CheckState(HWND button);  // BM_GETCHECK
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr);
// A visible top-level dialog ("#32770") of the process whose caption is title (any when empty).
HWND FindDialog(DWORD processId, const std::string& title = "");
HWND WaitForDialog(DWORD processId, const std::string& title = "", DWORD timeoutMs = kDeadline);
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDeadline);
// Posts WM_COMMAND (id, BN_CLICKED) from the control to its dialog: a click that never blocks.
void Click(HWND dialog, int controlId);
// Sends a message with a time-out, so that a modal loop on the other side cannot block the driver.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
             DWORD timeoutMs = 5000);

// ---- The main window's list ----
std::vector<std::string> ListLines(HWND list);
void SelectLines(HWND list, const std::vector<int>& indices);  // clears the others first
HWND MainList(HWND mainWindow);

// ---- Message boxes ----
struct MessageBoxInfo {
    HWND window = NULL;
    std::string caption;
    std::string text;
};
// Waits for a message box of the process: a "#32770" with the static text 0xFFFF.
MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs = kDeadline);
bool HasMessageBox(DWORD processId);
bool IsMessageBox(HWND window);
MessageBoxInfo DescribeMessageBox(HWND window);               // its caption and text
void Answer(const MessageBoxInfo& box, int buttonId = IDOK);  // IDOK, IDYES (6), IDNO (7)...

// ---- Keyboard ----
// Presses the keys in order and releases them in reverse, each with its scan code.
void PressKeys(const std::vector<WORD>& virtualKeys);
// Presses the combination that a hot-key control value stands for (HOTKEYF_* in bits 8-15).
void PressHotKey(UINT keycode);
// True when this process can register the combination, that is when nobody else holds it.
bool IsCombinationFree(UINT keycode);

// ---- Registry (HKCU) ----
extern const char* const kProductKey;  // Software\Orvane\Zintar
void DeleteProductKey();               // Software\Orvane and all below it
bool KeyExists(const std::string& path);
void WriteBinary(const std::string& path, const std::string& value, const void* data, DWORD size);
void WriteString(const std::string& path, const std::string& value, const std::string& text,
                 bool withTerminator = true);
void WriteDword(const std::string& path, const std::string& value, DWORD data);
// Reads a value's raw bytes; false when it is missing.
bool ReadValue(const std::string& path, const std::string& value, std::vector<BYTE>* data,
               DWORD* type = nullptr);
std::vector<std::string> SubKeys(const std::string& path);  // sorted
void StoreBinding(const std::string& name, int type, UINT keycode, const std::string& command);
struct StoredBinding {
    int type = -1;
    UINT keycode = 0;
    std::string command;
};
bool ReadStoredBinding(const std::string& name, StoredBinding* binding);
void SetFlag(const std::string& valueName, const std::string& digit);  // one byte, no terminator

}  // namespace driver
