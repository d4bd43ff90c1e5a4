// The stand-in programs seen from the driver: start them, read what they recorded, end them.
#include "driver_actions.h"

namespace driver {

TempFolder::TempFolder() : path_(WindowsTempDir()) {}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") DeleteFileA((path_ + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileText(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadFileText(path);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// ---- fake_player.exe ----

Process StartPlayer(const std::string& logPath, HWND* window) {
    Process player = Start(ProgramPath("fake_player.exe"), "\"" + logPath + "\"");
    HWND found = NULL;
    WaitFor([&] {
        std::vector<HWND> windows = TopLevelWindows(player.id, FAKE_PLAYER_CLASS);
        found = windows.empty() ? NULL : windows.front();
        return found != NULL;
    });
    if (player.handle != NULL) WaitForInputIdle(player.handle, kDeadline);
    *window = found;
    return player;
}

bool HangPlayer(HWND player, const std::string& logPath) {
    PostMessageA(player, FAKE_PLAYER_HANG, 0, 0);
    return WaitFor([&] {
        std::vector<std::string> lines = ReadLines(logPath);
        return !lines.empty() && lines.back() == FAKE_PLAYER_HANG_LINE;
    });
}

// ---- target_windows.exe ----

static std::string Title(HWND window) {
    char title[1024] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

Process StartTargets(const std::vector<std::string>& titles, std::vector<HWND>* windows) {
    std::string arguments;
    for (const std::string& title : titles) arguments += " \"" + title + "\"";
    Process targets = Start(ProgramPath("target_windows.exe"), arguments);
    std::vector<HWND> open;
    WaitFor([&] {
        open = TopLevelWindows(targets.id, TARGET_WINDOW_CLASS);
        return open.size() == titles.size();
    });
    if (targets.handle != NULL) WaitForInputIdle(targets.handle, kDeadline);
    windows->clear();
    for (const std::string& title : titles) {
        HWND match = NULL;
        for (HWND window : open) {
            if (Title(window) == title) match = window;
        }
        windows->push_back(match);
    }
    return targets;
}

struct EnumOrder {
    const std::vector<HWND>* wanted;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectInOrder(HWND window, LPARAM parameter) {
    EnumOrder* order = (EnumOrder*)parameter;
    for (HWND wanted : *order->wanted) {
        if (wanted == window) order->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> InEnumOrder(const std::vector<HWND>& windows) {
    EnumOrder order = {&windows, {}};
    EnumWindows(CollectInOrder, (LPARAM)&order);
    return order.found;
}

// ---- marker.exe ----

std::string MarkerCommand(const std::string& outFile, const std::string& extra) {
    std::string command = "\"" + ProgramPath("marker.exe") + "\" \"" + outFile + "\"";
    if (!extra.empty()) command += " " + extra;
    return command;
}

// ---- screensaver_hook.dll ----

LONGLONG Now() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

ScreenSaverWatch::ScreenSaverWatch() {
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                  sizeof(ScreenSaverRecord), SCREENSAVER_HOOK_MAPPING);
    if (mapping_ != NULL) {
        record_ = (ScreenSaverRecord*)MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0,
                                                    sizeof(ScreenSaverRecord));
    }
    if (record_ != nullptr) ZeroMemory((void*)record_, sizeof(ScreenSaverRecord));
}

ScreenSaverWatch::~ScreenSaverWatch() {
    if (hook_ != NULL) UnhookWindowsHookEx(hook_);
    if (module_ != NULL) FreeLibrary(module_);
    if (record_ != nullptr) UnmapViewOfFile((void*)record_);
    if (mapping_ != NULL) CloseHandle(mapping_);
}

bool ScreenSaverWatch::Attach(HWND window) {
    if (record_ == nullptr) return false;
    module_ = LoadLibraryA(ProgramPath("screensaver_hook.dll").c_str());
    if (module_ == NULL) return false;
    HOOKPROC procedure = (HOOKPROC)(void*)GetProcAddress(module_, SCREENSAVER_HOOK_PROC);
    DWORD thread = GetWindowThreadProcessId(window, NULL);
    if (procedure == NULL || thread == 0) return false;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, procedure, module_, thread);
    return hook_ != NULL;
}

int ScreenSaverWatch::Count() const {
    return record_ != nullptr ? (int)record_->count : 0;
}

HWND ScreenSaverWatch::FirstWindow() const {
    return record_ != nullptr ? (HWND)(LONG_PTR)record_->firstWindow : NULL;
}

double ScreenSaverWatch::FirstArrivalAfter(LONGLONG counter) const {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    if (record_ == nullptr || frequency.QuadPart == 0) return 0;
    return (double)(record_->firstCounter - counter) * 1000.0 / (double)frequency.QuadPart;
}

}  // namespace driver
