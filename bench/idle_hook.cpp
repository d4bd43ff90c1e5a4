// idle_hook.dll: a WH_GETMESSAGE hook that counts what a thread takes from its queue, so that the
// driver sees how often an idle program wakes up.
#include <windows.h>
#include "bench_contracts.h"

static IdleRecord* Record() {
    static IdleRecord* record = NULL;
    if (record == NULL) {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, IDLE_HOOK_MAPPING);
        if (mapping != NULL) {
            record = (IdleRecord*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof *record);
        }
    }
    return record;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    IdleGetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
    IdleRecord* record = Record();
    if (code == HC_ACTION && wParam == PM_REMOVE && record != NULL) {
        const MSG* message = (const MSG*)lParam;
        InterlockedIncrement(&record->messages);
        if (message->message == WM_TIMER) {
            InterlockedIncrement(&record->timers);
        } else if (message->message != WM_PAINT) {
            InterlockedIncrement(&record->other);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
