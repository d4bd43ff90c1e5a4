// Answers the message boxes that the code under test shows on this very thread: a second thread
// watches for them, notes caption and text, and presses OK, so the test never blocks.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageCatcher {
public:
    struct Message {
        std::string caption;
        std::string text;
    };
    MessageCatcher() : watcher_([this] { Watch(); }) {}
    ~MessageCatcher() {
        stop_ = true;
        watcher_.join();
    }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    // The messages answered so far.
    std::vector<Message> Seen() {
        std::lock_guard<std::mutex> hold(lock_);
        return seen_;
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[32] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner == GetCurrentProcessId() && lstrcmpA(name, "#32770") == 0 &&
            IsWindowVisible(window) && GetDlgItem(window, 0xFFFF) != NULL) {
            ((std::vector<HWND>*)parameter)->push_back(window);
        }
        return TRUE;
    }
    void Watch() {
        while (!stop_) {
            std::vector<HWND> boxes;
            EnumWindows(Collect, (LPARAM)&boxes);
            for (HWND box : boxes) {
                char caption[256] = {};
                char text[1024] = {};
                GetWindowTextA(box, caption, sizeof caption);
                GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
                {
                    std::lock_guard<std::mutex> hold(lock_);
                    seen_.push_back({caption, text});
                }
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                // Noted once: wait until it has gone (bounded, in case it never does).
                for (int step = 0; step < 500 && IsWindow(box) && IsWindowVisible(box); step++) {
                    Sleep(10);
                }
            }
            Sleep(10);  // a polling step
        }
    }
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<Message> seen_;
    std::thread watcher_;
};
