// The windows that the action unit tests work with, all of this test process.
#include "action_test_windows.h"
#include "actions/dispatch.h"
#include "actions/window_hider.h"

namespace actiontest {

MainWindowLog mainLog;

static LRESULT CALLBACK MainStandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            mainLog.passes++;
            mainLog.timerIds.push_back(wParam);
            HidePoll();
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) {
                if (mainLog.screenSaverRequests++ == 0) mainLog.screenSaverCounter = Counter();
                return 0;
            }
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT CALLBACK PlayerStandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        mainLog.playerCommands.push_back(wParam);
        mainLog.playerParams.push_back(lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void Register(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(GetModuleHandleA(NULL), name, &windowClass)) return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

HWND CreateMainStandIn() {
    Register("ActionTestMain", MainStandInProc);
    return CreateWindowExA(0, "ActionTestMain", "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

HWND CreatePlayerStandIn() {
    Register(PLAYER_WINDOW_CLASS, PlayerStandInProc);
    return CreateWindowExA(0, PLAYER_WINDOW_CLASS, "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

static LRESULT CALLBACK TitledProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTitled(const std::string& title, bool visible) {
    Register("ActionTestTitled", TitledProc);
    return CreateWindowExA(0, "ActionTestTitled", title.c_str(),
                           WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 60, 60, 200, 100, NULL,
                           NULL, GetModuleHandleA(NULL), NULL);
}

bool PumpUntil(bool (*condition)(), DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

LONGLONG Counter() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double MillisecondsBetween(LONGLONG from, LONGLONG to) {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    return (double)(to - from) * 1000.0 / (double)frequency.QuadPart;
}

}  // namespace actiontest
