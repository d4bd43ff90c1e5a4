// Footprint and idling: the exe's size, the memory of a running Zintar with 100 bindings and what
// it does while nobody touches it, against the bare dialog with the same bindings.
#include "bench_common.h"
#include <psapi.h>
#include <stdio.h>
#include "bench_contracts.h"
#include "tests/e2e/driver_actions.h"

namespace bench {

static double FileKiB(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (double)data.nFileSizeLow / 1024.0;
}

static LONGLONG CpuTime100ns(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (LONGLONG)(k.QuadPart + u.QuadPart);
}

struct IdleFigures {
    double workingSetKiB = 0;
    double privateKiB = 0;
    double messages = 0;
    double timers = 0;
    double cpuMs = 0;
    double totalCpuMs = 0;  // since the process started: shows that the times come through
    bool hooked = false;
};

static IdleFigures WatchIdle(bool zintar, int seconds) {
    IdleFigures figures;
    driver::Process process;
    HWND window = NULL;
    if (zintar) {
        process = driver::StartZintarAndWait(&window);
    } else {
        process = driver::Start(driver::ProgramPath("floor_dialog.exe"));
        driver::WaitFor([&] {
            window = FindWindowA(FLOOR_DIALOG_CLASS, NULL);
            return window != NULL && IsWindowVisible(window);
        });
        WaitForInputIdle(process.handle, driver::kDeadline);
    }
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                        sizeof(IdleRecord), IDLE_HOOK_MAPPING);
    IdleRecord* record =
        mapping ? (IdleRecord*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(IdleRecord))
                : nullptr;
    HMODULE module = LoadLibraryA(driver::ProgramPath("idle_hook.dll").c_str());
    HOOKPROC procedure =
        module ? (HOOKPROC)(void (*)())GetProcAddress(module, IDLE_HOOK_PROC) : NULL;
    HHOOK hook = NULL;
    if (record != nullptr && procedure != NULL && window != NULL) {
        ZeroMemory((void*)record, sizeof *record);
        hook = SetWindowsHookExA(WH_GETMESSAGE, procedure, module,
                                 GetWindowThreadProcessId(window, NULL));
    }
    // One message of ours proves that the hook counts in that thread; then the count starts.
    if (hook != NULL) {
        PostMessageA(window, WM_NULL, 0, 0);
        figures.hooked = driver::WaitFor([&] { return record->messages > 0; }, 5000);
        ZeroMemory((void*)record, sizeof *record);
    }
    LONGLONG cpuBefore = CpuTime100ns(process.handle);
    Sleep((DWORD)seconds * 1000);  // the measurement itself: nobody touches the program
    LONGLONG cpuAfter = CpuTime100ns(process.handle);
    if (record != nullptr) {
        figures.messages = record->messages;
        figures.timers = record->timers;
    }
    figures.cpuMs = (double)(cpuAfter - cpuBefore) / 10000.0;
    figures.totalCpuMs = (double)cpuAfter / 10000.0;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.handle, (PROCESS_MEMORY_COUNTERS*)&memory, sizeof memory)) {
        figures.workingSetKiB = (double)memory.WorkingSetSize / 1024.0;
        // Wine leaves PrivateUsage of another process at 0 but fills the commit charge.
        SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        figures.privateKiB = (double)privateBytes / 1024.0;
    }
    if (hook != NULL) UnhookWindowsHookEx(hook);
    if (zintar) {
        driver::ExitZintar(process);
    } else {
        if (window != NULL) PostMessageA(window, WM_CLOSE, 0, 0);
        driver::WaitForExit(process, NULL);
    }
    driver::Kill(process);
    if (module != NULL) FreeLibrary(module);
    if (record != nullptr) UnmapViewOfFile(record);
    if (mapping != NULL) CloseHandle(mapping);
    return figures;
}

static Row MakeRow(const char* name, double zintar, double floor, const char* unit,
                   double target = 0) {
    Row row;
    row.name = name;
    row.zintar = zintar;
    row.floor = floor;
    row.unit = unit;
    row.target = target;
    return row;
}

void RunFootprintAndIdle(const Options& options, std::vector<Row>* rows) {
    // The sizes against the limit of 64 KiB: the "floor" column holds the limit.
    double x64 = FileKiB(driver::ProgramPath("Zintar.exe"));
    rows->push_back(MakeRow("size of Zintar.exe, x64 (floor: the limit)", x64, 64, "KiB", 1));
    if (!options.x86Program.empty()) {
        double x86 = FileKiB(options.x86Program);
        rows->push_back(MakeRow("size of Zintar.exe, x86 (floor: the limit)", x86, 64, "KiB", 1));
    }
    StoreSeries(100);
    Progress("idling each program for %d s...", options.idleSeconds);
    IdleFigures zintar = WatchIdle(true, options.idleSeconds);
    IdleFigures floor = WatchIdle(false, options.idleSeconds);
    driver::DeleteProductKey();
    rows->push_back(MakeRow("working set, idle with 100 bindings", zintar.workingSetKiB,
                            floor.workingSetKiB, "KiB"));
    rows->push_back(MakeRow("private bytes, idle with 100 bindings", zintar.privateKiB,
                            floor.privateKiB, "KiB"));
    char name[96];
    snprintf(name, sizeof name, "messages taken while idle %d s", options.idleSeconds);
    Row messages = MakeRow(name, zintar.messages, floor.messages, "msgs");
    if (!zintar.hooked || !floor.hooked) messages.note = "hook not set";
    rows->push_back(messages);
    snprintf(name, sizeof name, "WM_TIMER taken while idle %d s", options.idleSeconds);
    rows->push_back(MakeRow(name, zintar.timers, floor.timers, "msgs"));
    snprintf(name, sizeof name, "CPU time while idle %d s", options.idleSeconds);
    Row cpu = MakeRow(name, zintar.cpuMs, floor.cpuMs, "ms");
    char note[96];
    snprintf(note, sizeof note, "since start: %.0f / %.0f ms", zintar.totalCpuMs, floor.totalCpuMs);
    cpu.note = note;
    rows->push_back(cpu);
    Progress("idle: %.0f/%.0f messages, %.1f/%.1f ms CPU", zintar.messages, floor.messages,
             zintar.cpuMs, floor.cpuMs);
}

}  // namespace bench
