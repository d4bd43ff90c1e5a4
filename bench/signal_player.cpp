// signal_player.exe: stands in for the player when a benchmark times a key press. Each WM_COMMAND
// is stamped with QueryPerformanceCounter in shared memory and signals an event, so the driver
// sees the arrival without polling a file. Ends on WM_CLOSE.
#include <windows.h>
#include "bench_contracts.h"

static PlayerArrival* arrival = NULL;
static HANDLE arrived = NULL;

static LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            arrival->counter = now.QuadPart;
            arrival->command = (LONGLONG)wParam;
            InterlockedIncrement(&arrival->count);
            SetEvent(arrived);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, SIGNAL_PLAYER_MAPPING);
    if (mapping == NULL) return 1;
    arrival = (PlayerArrival*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof *arrival);
    arrived = OpenEventA(EVENT_MODIFY_STATE, FALSE, SIGNAL_PLAYER_EVENT);
    if (arrival == NULL || arrived == NULL) return 1;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlayerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "Winamp v1.x";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, "Winamp v1.x", "Signal Player", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, NULL, NULL, instance, NULL);
    if (window == NULL) return 1;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
