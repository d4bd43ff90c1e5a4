// Answers the next message box that this process shows, from a second thread, and remembers what
// it said: in-process code under test blocks in MessageBoxA until somebody answers.
#pragma once
#include <windows.h>
#include <string>

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(int answer = IDOK, DWORD timeoutMs = 10000)
        : answer_(answer), timeoutMs_(timeoutMs) {
        thread_ = CreateThread(NULL, 0, Watch, this, 0, NULL);
    }
    ~MessageBoxWatcher() { Finish(); }
    // Waits for the watcher; true when a message box was seen and answered.
    bool Finish() {
        if (thread_ != NULL) {
            WaitForSingleObject(thread_, timeoutMs_ + 5000);
            CloseHandle(thread_);
            thread_ = NULL;
        }
        return seen_;
    }
    std::string text;
    std::string caption;

private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (process == GetCurrentProcessId() && lstrcmpA(name, "#32770") == 0 &&
            IsWindowVisible(window) && GetDlgItem(window, 0xFFFF) != NULL) {
            *(HWND*)parameter = window;
            return FALSE;
        }
        return TRUE;
    }
    static DWORD WINAPI Watch(LPVOID parameter) {
        MessageBoxWatcher* self = (MessageBoxWatcher*)parameter;
        const ULONGLONG deadline = GetTickCount64() + self->timeoutMs_;
        while (GetTickCount64() < deadline) {
            HWND box = NULL;
            EnumWindows(FindBox, (LPARAM)&box);
            if (box != NULL) {
                char buffer[1024] = {};
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                self->text = buffer;
                GetWindowTextA(box, buffer, sizeof buffer);
                self->caption = buffer;
                self->seen_ = true;
                PostMessageA(box, WM_COMMAND, self->answer_, 0);
                return 0;
            }
            Sleep(10);  // a polling step against the deadline above
        }
        return 0;
    }
    int answer_;
    DWORD timeoutMs_;
    HANDLE thread_ = NULL;
    bool seen_ = false;
};
