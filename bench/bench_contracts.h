// What the benchmark's helper programs promise to the benchmark driver: names of shared memory,
// events and classes that both sides use.
#pragma once
#include <windows.h>

// floor_dialog.exe: the bare dialog's private class, a copy of "#32770".
#define FLOOR_DIALOG_CLASS "ZintarFloorDialog"
#define FLOOR_DIALOG_TEMPLATE 1

// floor_hotkey.exe KEYCODE COMMAND: holds one combination (hot-key control value, decimal) and
// sends WM_COMMAND COMMAND (decimal) to the player's window on every press.
#define FLOOR_HOTKEY_CLASS "ZintarFloorHotkey"

// signal_player.exe: a window of the player's class that, on every WM_COMMAND, stores the
// QueryPerformanceCounter of its arrival and the wParam in the shared record and sets the event.
#define SIGNAL_PLAYER_MAPPING "ZintarBenchPlayerRecord"
#define SIGNAL_PLAYER_EVENT "ZintarBenchPlayerArrived"
struct PlayerArrival {
    volatile LONGLONG counter;  // QueryPerformanceCounter at the last WM_COMMAND
    volatile LONGLONG command;  // its wParam
    volatile LONG count;        // WM_COMMANDs received so far
    volatile LONG reserved;
};

// idle_hook.dll exports this WH_GETMESSAGE procedure. Every message that a hooked thread takes
// from its queue is counted in the shared record, which the installer creates first.
#define IDLE_HOOK_PROC "IdleGetMessageProc"
#define IDLE_HOOK_MAPPING "ZintarBenchIdleRecord"
struct IdleRecord {
    volatile LONG messages;  // every message removed from the queue
    volatile LONG timers;    // of which WM_TIMER
    volatile LONG other;     // of which neither WM_TIMER nor a paint
    volatile LONG reserved;
};
