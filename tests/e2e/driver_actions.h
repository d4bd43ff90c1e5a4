// The driver's side of the stand-in programs: a player that logs the commands it receives,
// windows with chosen titles, a marker program that records how it was started, and a hook that
// sees a screen saver request arrive at Zintar's main window.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "driver.h"
#include "tests/fixtures/fixture_contracts.h"

namespace driver {

// A fresh folder under %TEMP%, removed with every file in it when the object ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

bool FileExists(const std::string& path);
std::string ReadFileText(const std::string& path);            // empty when missing
std::vector<std::string> ReadLines(const std::string& path);  // without line ends

// ---- fake_player.exe ----
// Starts the player logging into logPath and waits for its window; NULL window when it did not
// come.
Process StartPlayer(const std::string& logPath, HWND* window);
// Makes the player stop answering and waits until it has (its log ends with the hang line).
bool HangPlayer(HWND player, const std::string& logPath);

// ---- target_windows.exe ----
// Opens one window per title and waits for all of them; windows come back in title order.
Process StartTargets(const std::vector<std::string>& titles, std::vector<HWND>* windows);
// The given windows in the order EnumWindows lists them.
std::vector<HWND> InEnumOrder(const std::vector<HWND>& windows);

// ---- marker.exe ----
// A command line that runs marker.exe writing its command line into outFile; extra follows it.
std::string MarkerCommand(const std::string& outFile, const std::string& extra = "");

// ---- screensaver_hook.dll ----
// Hooks the thread of a window and counts the screen saver requests that reach it.
class ScreenSaverWatch {
public:
    ScreenSaverWatch();
    ~ScreenSaverWatch();
    ScreenSaverWatch(const ScreenSaverWatch&) = delete;
    ScreenSaverWatch& operator=(const ScreenSaverWatch&) = delete;
    bool Attach(HWND window);  // false when the hook could not be set
    int Count() const;
    HWND FirstWindow() const;
    // Milliseconds from a QueryPerformanceCounter value to the first request (negative: before).
    double FirstArrivalAfter(LONGLONG counter) const;

private:
    HANDLE mapping_ = NULL;
    ScreenSaverRecord* record_ = nullptr;
    HMODULE module_ = NULL;
    HHOOK hook_ = NULL;
};
LONGLONG Now();  // QueryPerformanceCounter

}  // namespace driver
