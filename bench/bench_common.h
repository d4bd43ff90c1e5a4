// What the benchmark's parts share: the run's options, the result table, the stored bindings that
// a run sets up, and timing.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "tests/e2e/driver.h"

namespace bench {

struct Options {
    int startRepetitions = 11;  // starts of each program per number of bindings
    int pressRounds = 4;        // rounds of presses, each side once per round
    int pressesPerRound = 60;   // presses per side and round
    int hidePasses = 21;        // timed passes per window count and binding count
    int idleSeconds = 60;       // how long each program idles under watch
    std::string x86Program;     // the 32-bit Zintar.exe, for its size
    std::string only;           // run only the benchmarks whose names this holds (empty: all)
};

// One line of the table: Zintar beside the floor, with the ratio and the target it is held to.
struct Row {
    std::string name;
    double zintar = 0;
    double floor = 0;
    std::string unit;
    double target = 0;  // the highest ratio allowed; 0: no target
    std::string note;
};

double Median(std::vector<double> values);
double Milliseconds(LONGLONG fromCounter, LONGLONG toCounter);
// The hot-key control value of the index-th combination of a distinct series: the modifier byte
// runs through every HOTKEYF_* value 1..7 before the key moves on.
UINT SeriesKeycode(int index);
// Replaces every stored binding with count player bindings named b0000.. on the series.
void StoreSeries(int count);
// The combination of the stored binding that the program loads last (the last sub-key listed).
UINT LastLoadedKeycode();
void Progress(const char* format, ...);

void RunStartup(const Options& options, std::vector<Row>* rows);
void RunKeyToAction(const Options& options, std::vector<Row>* rows);
void RunHiding(const Options& options, std::vector<Row>* rows);
void RunFootprintAndIdle(const Options& options, std::vector<Row>* rows);

}  // namespace bench
