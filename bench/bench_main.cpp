// zintar_bench.exe: times Zintar against floor programs that do the least the platform allows,
// alternating the two in one run, and prints one table of medians and ratios.
//   --reps N --rounds N --presses N --passes N --idle SECONDS --x86 PATH --out PATH --only NAMES
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include "bench_common.h"

namespace bench {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

double Milliseconds(LONGLONG fromCounter, LONGLONG toCounter) {
    static LONGLONG frequency = 0;
    if (frequency == 0) {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        frequency = f.QuadPart;
    }
    return (double)(toCounter - fromCounter) * 1000.0 / (double)frequency;
}

// Keys that no modifier turns into something the system keeps for itself.
static const std::vector<BYTE>& SeriesKeys() {
    static std::vector<BYTE> keys;
    if (keys.empty()) {
        for (int vk = 0x30; vk <= 0x39; vk++) keys.push_back((BYTE)vk);  // digits
        for (int vk = 0x41; vk <= 0x5A; vk++) keys.push_back((BYTE)vk);  // letters
        for (int vk = 0x60; vk <= 0x87; vk++) keys.push_back((BYTE)vk);  // keypad, F1-F24
        for (int vk = 0x20; vk <= 0x2F; vk++) keys.push_back((BYTE)vk);  // space, arrows...
        for (int vk = 0xBA; vk <= 0xC0; vk++) keys.push_back((BYTE)vk);  // punctuation
        for (int vk = 0xDB; vk <= 0xDF; vk++) keys.push_back((BYTE)vk);
        for (int vk = 0x88; vk <= 0x9F; vk++) keys.push_back((BYTE)vk);  // unassigned codes
        for (int vk = 0xA6; vk <= 0xB9; vk++) keys.push_back((BYTE)vk);  // browser and media
    }
    return keys;
}

UINT SeriesKeycode(int index) {
    UINT modifiers = 1 + (UINT)(index % 7);
    UINT key = SeriesKeys()[(size_t)(index / 7) % SeriesKeys().size()];
    return (modifiers << 8) | key;
}

void StoreSeries(int count) {
    driver::DeleteProductKey();
    for (int i = 0; i < count; i++) {
        char name[16];
        snprintf(name, sizeof name, "b%04d", i);
        driver::StoreBinding(name, 3, SeriesKeycode(i), "PLAY");
    }
}

UINT LastLoadedKeycode() {
    std::string data = std::string(driver::kProductKey) + "\\Data";
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, data.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    std::string last;
    for (DWORD index = 0;; index++) {
        char name[256] = {};
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        last = name;
    }
    RegCloseKey(key);
    driver::StoredBinding binding;
    if (last.empty() || !driver::ReadStoredBinding(last, &binding)) return 0;
    return binding.keycode;
}

void Progress(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vfprintf(stderr, format, arguments);
    va_end(arguments);
    fputc('\n', stderr);
}

static std::string Number(double value) {
    char text[32];
    if (value == 0) return "0";
    if (value >= 1000)
        snprintf(text, sizeof text, "%.0f", value);
    else if (value >= 10)
        snprintf(text, sizeof text, "%.1f", value);
    else if (value >= 0.1)
        snprintf(text, sizeof text, "%.2f", value);
    else
        snprintf(text, sizeof text, "%.4f", value);
    return text;
}

static std::string Table(const std::vector<Row>& rows) {
    std::string table;
    char line[512];
    snprintf(line, sizeof line, "%-44s %12s %12s %-6s %7s %7s  %s\n", "benchmark", "Zintar",
             "floor", "unit", "ratio", "target", "");
    table += line;
    table += std::string(100, '-') + "\n";
    for (const Row& row : rows) {
        std::string ratio = row.floor > 0 ? Number(row.zintar / row.floor) : "-";
        std::string target = row.target > 0 ? Number(row.target) : "";
        std::string verdict;
        if (row.target > 0 && row.floor > 0) {
            verdict = row.zintar / row.floor <= row.target ? "met" : "MISSED";
        }
        std::string note = verdict;
        if (!row.note.empty()) note += (note.empty() ? "" : "  ") + row.note;
        snprintf(line, sizeof line, "%-44s %12s %12s %-6s %7s %7s  %s\n", row.name.c_str(),
                 Number(row.zintar).c_str(), row.floor > 0 ? Number(row.floor).c_str() : "-",
                 row.unit.c_str(), ratio.c_str(), target.c_str(), note.c_str());
        table += line;
    }
    return table;
}

static bool Wanted(const Options& options, const char* name) {
    return options.only.empty() || options.only.find(name) != std::string::npos;
}

}  // namespace bench

int main(int argc, char** argv) {
    bench::Options options;
    std::string outPath;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        const char* value = argv[i + 1];
        if (flag == "--reps")
            options.startRepetitions = atoi(value);
        else if (flag == "--rounds")
            options.pressRounds = atoi(value);
        else if (flag == "--presses")
            options.pressesPerRound = atoi(value);
        else if (flag == "--passes")
            options.hidePasses = atoi(value);
        else if (flag == "--idle")
            options.idleSeconds = atoi(value);
        else if (flag == "--x86")
            options.x86Program = value;
        else if (flag == "--out")
            outPath = value;
        else if (flag == "--only")
            options.only = value;
    }
    driver::EndAllZintars();
    std::vector<bench::Row> rows;
    if (bench::Wanted(options, "startup")) bench::RunStartup(options, &rows);
    if (bench::Wanted(options, "keys")) bench::RunKeyToAction(options, &rows);
    if (bench::Wanted(options, "hiding")) bench::RunHiding(options, &rows);
    if (bench::Wanted(options, "idle")) bench::RunFootprintAndIdle(options, &rows);
    driver::DeleteProductKey();
    std::string table = bench::Table(rows);
    fputs(table.c_str(), stdout);
    fflush(stdout);
    if (!outPath.empty()) {
        FILE* out = fopen(outPath.c_str(), "w");
        if (out != NULL) {
            fputs(table.c_str(), out);
            fclose(out);
        }
    }
    return 0;
}
