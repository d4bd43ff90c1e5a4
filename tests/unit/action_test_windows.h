// Real windows of the test process for the action tests: a stand-in main window that runs the
// hiding pass on WM_TIMER as Zintar's does and records the other requests it receives, and plain
// top-level windows with chosen titles for the hider to find.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace actiontest {

struct MainWindowLog {
    int passes = 0;                      // WM_TIMER messages, each one hiding pass
    std::vector<UINT_PTR> timerIds;      // their wParam
    int screenSaverRequests = 0;         // WM_SYSCOMMAND SC_SCREENSAVE
    LONGLONG screenSaverCounter = 0;     // QueryPerformanceCounter at the first of them
    std::vector<WPARAM> playerCommands;  // WM_COMMAND wParam received by the stand-in player
    std::vector<LPARAM> playerParams;    // and its lParam
};

extern MainWindowLog mainLog;

HWND CreateMainStandIn();    // hidden; WM_TIMER runs HidePoll
HWND CreatePlayerStandIn();  // a window of the player's class, logging into mainLog
HWND CreateTitled(const std::string& title, bool visible = true);
// Lets the thread handle its messages until condition holds or the deadline passes.
bool PumpUntil(bool (*condition)(), DWORD timeoutMs);
// Milliseconds between two QueryPerformanceCounter values.
double MillisecondsBetween(LONGLONG from, LONGLONG to);
LONGLONG Counter();

}  // namespace actiontest
