// The hiding pass, timed in-process on the program's own HidePoll, against one enumeration that
// reads every title: the least any pass must do once per hide binding.
#include <stdio.h>
#include "actions/window_hider.h"
#include "bindings/binding_list.h"
#include "bench_common.h"
#include "tests/e2e/driver_actions.h"

namespace bench {

static BOOL CALLBACK CountWindow(HWND, LPARAM parameter) {
    (*(int*)parameter)++;
    return TRUE;
}

static int TopLevelCount() {
    int count = 0;
    EnumWindows(CountWindow, (LPARAM)&count);
    return count;
}

static BOOL CALLBACK ReadTitle(HWND window, LPARAM parameter) {
    char title[TITLE_BUFFER_SIZE];
    *(int*)parameter += GetWindowTextA(window, title, sizeof title);
    return TRUE;
}

static double TimeFloorPass() {
    int characters = 0;
    LONGLONG start = driver::Now();
    EnumWindows(ReadTitle, (LPARAM)&characters);
    return Milliseconds(start, driver::Now());
}

static double TimeZintarPass() {
    LONGLONG start = driver::Now();
    HidePoll();
    return Milliseconds(start, driver::Now());
}

// Hide bindings whose text no title holds: every pass enumerates every window for each of them.
static void PushHideBindings(int count) {
    for (int i = 0; i < count; i++) {
        char name[32];
        snprintf(name, sizeof name, "hide%02d", i);
        KeyBinding* binding = NewBinding(HideWindow, 0, name, "no window is called this");
        binding->id = nextBindingId++;
        PushBinding(binding);
    }
}

static void FreeBindings() {
    while (BindingList != NULL) {
        KeyBinding* binding = BindingList;
        BindingList = binding->next;
        FreeBinding(binding);
    }
}

void RunHiding(const Options& options, std::vector<Row>* rows) {
    const int windowCounts[] = {50, 200, 500};
    const int bindingCounts[] = {1, 10, 50};
    const int present = TopLevelCount();
    for (int windows : windowCounts) {
        std::vector<std::string> titles;
        for (int i = present; i < windows; i++) {
            char title[64];
            snprintf(title, sizeof title, "Benchmark target window %04d", i);
            titles.push_back(title);
        }
        std::vector<HWND> opened;
        driver::Process targets;
        if (!titles.empty()) targets = driver::StartTargets(titles, &opened);
        int total = TopLevelCount();
        for (int bindings : bindingCounts) {
            PushHideBindings(bindings);
            std::vector<double> zintar, floor;
            // The largest cells take seconds a pass: fewer passes there, never fewer than five.
            int passes = options.hidePasses * 2500 / (total * bindings);
            passes = passes < 5 ? 5 : passes > options.hidePasses ? options.hidePasses : passes;
            for (int pass = -1; pass < passes; pass++) {
                // Alternating which goes first, so that neither always finds the caches warm.
                double a, b;
                if (pass % 2 == 0) {
                    a = TimeZintarPass();
                    b = TimeFloorPass();
                } else {
                    b = TimeFloorPass();
                    a = TimeZintarPass();
                }
                if (pass < 0) continue;
                zintar.push_back(a);
                floor.push_back(b);
            }
            FreeBindings();
            Row row;
            char name[64];
            snprintf(name, sizeof name, "hiding pass, %d windows x %d bindings", total, bindings);
            row.name = name;
            row.zintar = Median(zintar);
            row.floor = Median(floor) * bindings;  // one enumeration per hide binding
            row.unit = "ms";
            row.target = 1.2;
            char note[96];
            snprintf(note, sizeof note, "%.2f us per window and binding",
                     row.zintar * 1000.0 / ((double)total * bindings));
            row.note = note;
            rows->push_back(row);
            Progress("%s: %.3f ms against %.3f ms", name, row.zintar, row.floor);
        }
        driver::Kill(targets);
        driver::WaitFor([&] { return TopLevelCount() <= present; }, 5000);
    }
}

}  // namespace bench
