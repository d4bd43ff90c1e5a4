// Start-up and key-to-action: the real Zintar.exe against the bare dialog and the bare relay.
#include <stdio.h>
#include "bench_common.h"
#include "bench_contracts.h"
#include "tests/e2e/driver_actions.h"

namespace bench {

// Starts a program and returns the milliseconds until its window of windowClass is visible;
// *registered says whether the last stored combination was then held. Negative: it never showed.
static double TimeOneStart(const char* program, const char* windowClass, UINT lastKeycode,
                           bool* registered, driver::Process* process) {
    LONGLONG started = driver::Now();
    *process = driver::Start(driver::ProgramPath(program));
    const ULONGLONG deadline = GetTickCount64() + driver::kDeadline;
    HWND window = NULL;
    for (;;) {
        window = FindWindowA(windowClass, NULL);
        if (window != NULL && IsWindowVisible(window)) break;
        if (GetTickCount64() >= deadline) return -1;
        Sleep(1);  // a polling step
    }
    LONGLONG shown = driver::Now();
    // Both programs register in WM_INITDIALOG, before the dialog shows: the probe comes after,
    // so that it cannot take a combination from under the program.
    *registered = lastKeycode == 0 || !driver::IsCombinationFree(lastKeycode);
    return Milliseconds(started, shown);
}

static void EndStarted(bool zintar, driver::Process* process) {
    if (zintar) {
        driver::ExitZintar(*process);
    } else {
        HWND window = FindWindowA(FLOOR_DIALOG_CLASS, NULL);
        if (window != NULL) PostMessageA(window, WM_CLOSE, 0, 0);
        driver::WaitForExit(*process, NULL);
    }
    driver::Kill(*process);
}

void RunStartup(const Options& options, std::vector<Row>* rows) {
    const int counts[] = {0, 100, 1000};
    const double targets[] = {1.1, 0, 1.5};
    for (int c = 0; c < 3; c++) {
        int count = counts[c];
        StoreSeries(count);
        UINT last = LastLoadedKeycode();
        std::vector<double> zintar, floor;
        int unregistered = 0;
        // One start of each first, untimed: the first start of a program reads it from disk.
        for (int round = -1; round < options.startRepetitions; round++) {
            for (int side = 0; side < 2; side++) {
                bool isZintar = (side + round) % 2 == 0;  // alternate who goes first
                driver::Process process;
                bool registered = false;
                double ms = TimeOneStart(isZintar ? "Zintar.exe" : "floor_dialog.exe",
                                         isZintar ? "Zintar" : FLOOR_DIALOG_CLASS, last,
                                         &registered, &process);
                EndStarted(isZintar, &process);
                if (round < 0) continue;
                if (ms < 0 || !registered) unregistered++;
                if (ms >= 0) (isZintar ? zintar : floor).push_back(ms);
            }
        }
        Row row;
        char name[64];
        snprintf(name, sizeof name, "start-up, %d bindings", count);
        row.name = name;
        row.zintar = Median(zintar);
        row.floor = Median(floor);
        row.unit = "ms";
        row.target = targets[c];
        if (unregistered > 0) row.note = std::to_string(unregistered) + " starts incomplete";
        rows->push_back(row);
        Progress("%s: %.1f ms against %.1f ms", name, row.zintar, row.floor);
    }
    driver::DeleteProductKey();
}

// ---- Key to action ----

struct PlayerWatch {
    HANDLE mapping = NULL;
    PlayerArrival* arrival = nullptr;
    HANDLE arrived = NULL;
    driver::Process player;
};

static bool StartWatchedPlayer(PlayerWatch* watch) {
    watch->mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                        sizeof(PlayerArrival), SIGNAL_PLAYER_MAPPING);
    if (watch->mapping == NULL) return false;
    watch->arrival =
        (PlayerArrival*)MapViewOfFile(watch->mapping, FILE_MAP_WRITE, 0, 0, sizeof(PlayerArrival));
    watch->arrived = CreateEventA(NULL, FALSE, FALSE, SIGNAL_PLAYER_EVENT);
    if (watch->arrival == nullptr || watch->arrived == NULL) return false;
    watch->player = driver::Start(driver::ProgramPath("signal_player.exe"));
    return driver::WaitFor([] { return FindWindowA("Winamp v1.x", NULL) != NULL; }) &&
           WaitForInputIdle(watch->player.handle, driver::kDeadline) == 0;
}

static void StopWatchedPlayer(PlayerWatch* watch) {
    HWND window = FindWindowA("Winamp v1.x", NULL);
    if (window != NULL) PostMessageA(window, WM_CLOSE, 0, 0);
    driver::WaitForExit(watch->player, NULL);
    driver::Kill(watch->player);
    if (watch->arrival != nullptr) UnmapViewOfFile(watch->arrival);
    if (watch->mapping != NULL) CloseHandle(watch->mapping);
    if (watch->arrived != NULL) CloseHandle(watch->arrived);
}

// Presses the combination count times, each once the previous command has arrived; appends the
// milliseconds from SendInput to the player's stamp. Returns the presses that got no command.
static int TimePresses(PlayerWatch* watch, UINT keycode, int count, std::vector<double>* times) {
    int lost = 0;
    for (int i = 0; i < count; i++) {
        ResetEvent(watch->arrived);
        LONG before = watch->arrival->count;
        LONGLONG pressed = driver::Now();
        driver::PressHotKey(keycode);
        if (WaitForSingleObject(watch->arrived, 2000) != WAIT_OBJECT_0 ||
            watch->arrival->count == before) {
            lost++;
            continue;
        }
        times->push_back(Milliseconds(pressed, watch->arrival->counter));
    }
    return lost;
}

void RunKeyToAction(const Options& options, std::vector<Row>* rows) {
    // Ctrl+Alt+F9 on a "PLAY" binding: 40045 at the player.
    const UINT keycode = ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | VK_F9;
    driver::DeleteProductKey();
    driver::StoreBinding("play", 3, keycode, "PLAY");
    PlayerWatch watch;
    std::vector<double> zintar, floor;
    int lost = 0;
    if (StartWatchedPlayer(&watch)) {
        for (int round = 0; round < options.pressRounds; round++) {
            for (int side = 0; side < 2; side++) {
                bool isZintar = (side + round) % 2 == 0;
                driver::Process process;
                if (isZintar) {
                    process = driver::StartZintarAndWait(NULL);
                } else {
                    process = driver::Start(driver::ProgramPath("floor_hotkey.exe"),
                                            std::to_string(keycode) + " 40045");
                    WaitForInputIdle(process.handle, driver::kDeadline);
                }
                driver::WaitFor([&] { return !driver::IsCombinationFree(keycode); });
                std::vector<double> warmUp;  // the first presses after a start are not timed
                TimePresses(&watch, keycode, 3, &warmUp);
                lost += TimePresses(&watch, keycode, options.pressesPerRound,
                                    isZintar ? &zintar : &floor);
                if (isZintar) {
                    driver::ExitZintar(process);
                } else {
                    HWND relay = FindWindowA(FLOOR_HOTKEY_CLASS, NULL);
                    if (relay != NULL) PostMessageA(relay, WM_CLOSE, 0, 0);
                    driver::WaitForExit(process, NULL);
                }
                driver::Kill(process);
            }
        }
    }
    StopWatchedPlayer(&watch);
    driver::DeleteProductKey();
    Row row;
    row.name = "key to action (SendInput to WM_COMMAND)";
    row.zintar = Median(zintar);
    row.floor = Median(floor);
    row.unit = "ms";
    row.target = 1.05;
    row.note = std::to_string(zintar.size() + floor.size()) + " presses";
    if (lost > 0) row.note += ", " + std::to_string(lost) + " lost";
    rows->push_back(row);
    Progress("%s: %.3f ms against %.3f ms", row.name.c_str(), row.zintar, row.floor);
}

}  // namespace bench
