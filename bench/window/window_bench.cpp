// Times the real window under Wine:
//  - a press, from the click to the refreshed and repainted fields, with an
//    empty journal and with one past 40,000 characters;
//  - the start of Tallimor.exe to its window shown, against a program that
//    shows an empty dialog, and one that shows Tallimor's dialog template
//    with nothing behind it, in the same run;
//  - the memory of Tallimor.exe after 10,000 presses.
//   window_bench TALLIMOR_EXE EMPTY_DIALOG_EXE TEMPLATE_ONLY_EXE [PRESSES]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tally/controls.h"
#include "window/dialog_driver.h"
#include "window/program.h"

using namespace tally;

namespace {

double now_ms()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct PressTimes {
    double refreshed;  // the click handled: counts, ratios, totals and buttons set
    double painted;    // and the window repainted
};

// Presses and undoes, timing the press; the undo keeps the journal's length
// where it was.
PressTimes press_median(DialogDriver& window, int samples)
{
    std::vector<double> refreshed, painted;
    for (int i = 0; i < samples; ++i) {
        double start = now_ms();
        window.click(kNeutraliseButton + 6 + i % 2);
        refreshed.push_back(now_ms() - start);
        RedrawWindow(window.window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        painted.push_back(now_ms() - start);
        window.click(kUndoButton);
    }
    return {median(refreshed), median(painted)};
}

// Fills the journal with long lines until it holds more than `characters`.
int grow_journal(DialogDriver& window, int characters)
{
    window.click(kCustomRadio);
    window.type("999999");
    int lines = 0;
    while (GetWindowTextLengthW(window.item(kJournalPane)) <= characters) {
        window.click(kKillButton + (lines % 2 == 0 ? 5 : 3));
        ++lines;
    }
    window.click(kPlusOneRadio);
    return lines;
}

// Three rounds, each in a fresh window: an empty journal, a screenful (the
// pane now scrolls at every new line), and past 40,000 characters. Each
// figure is the median of the three rounds' medians: single rounds under
// Wine vary by a few milliseconds.
void press_latency()
{
    std::vector<double> refreshed[3], painted[3];
    int length = 0, lines = 0;
    for (int round = 0; round < 3; ++round) {
        fake::TempDir dir;
        DialogDriver window;
        press_median(window, 20);  // warm-up
        PressTimes times[3];
        times[0] = press_median(window, 201);
        grow_journal(window, 400);
        times[1] = press_median(window, 201);
        lines = grow_journal(window, 40000);
        times[2] = press_median(window, 201);
        length = GetWindowTextLengthW(window.item(kJournalPane));
        for (int i = 0; i < 3; ++i) {
            refreshed[i].push_back(times[i].refreshed);
            painted[i].push_back(times[i].painted);
        }
    }
    double r[3], p[3];
    for (int i = 0; i < 3; ++i) {
        r[i] = median(refreshed[i]);
        p[i] = median(painted[i]);
    }
    std::printf("a press, median of 3 x 201       refreshed   repainted\n");
    std::printf("  empty journal                   %6.2f ms   %6.2f ms\n", r[0], p[0]);
    std::printf("  a screenful (scrolling)         %6.2f ms   %6.2f ms\n", r[1], p[1]);
    std::printf("  %5d characters, %4d lines    %6.2f ms   %6.2f ms\n", length, lines, r[2], p[2]);
    std::printf("  ratio, long to empty            %6.2f      %6.2f      (goal <= 1.2)\n", r[2] / r[0], p[2] / p[0]);
    std::printf("  ratio, long to a screenful      %6.2f      %6.2f\n", r[2] / r[1], p[2] / p[1]);
}

// Starts a program and times it to its window shown and idle.
Program start(const std::string& exe, double* ms)
{
    double begin = now_ms();
    Program program = start_program("\"" + exe + "\"");
    *ms = now_ms() - begin;
    if (!program.window) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        std::exit(1);
    }
    return program;
}

void start_up(const std::string& tallimor, const std::string& empty, const std::string& template_only)
{
    fake::TempDir dir;
    const std::string* programs[] = {&tallimor, &empty, &template_only};
    std::vector<double> times[3];
    for (int i = 0; i < 12; ++i) {
        for (int p = 0; p < 3; ++p) {
            double ms = 0;
            Program program = start(*programs[p], &ms);
            close_program(program);
            if (i > 0)  // the first round warms the disk cache
                times[p].push_back(ms);
        }
    }
    double ours = median(times[0]), bare = median(times[1]), controls = median(times[2]);
    std::printf("start to window shown, median of 11:\n");
    std::printf("  Tallimor.exe                  %6.1f ms\n", ours);
    std::printf("  an empty dialog               %6.1f ms\n", bare);
    std::printf("  Tallimor's template, no code  %6.1f ms\n", controls);
    std::printf("  ratio to the empty dialog     %6.2f      (goal <= 1.1)\n", ours / bare);
    std::printf("  ratio to the template alone   %6.2f\n", ours / controls);
}

void memory(const std::string& tallimor, int presses)
{
    fake::TempDir dir;
    double ms = 0;
    Program program = start(tallimor, &ms);
    PROCESS_MEMORY_COUNTERS before{}, after{};
    GetProcessMemoryInfo(program.process.hProcess, &before, sizeof before);
    for (int i = 0; i < presses; ++i)
        SendMessageA(GetDlgItem(program.window, kNeutraliseButton + i % 2), BM_CLICK, 0, 0);
    GetProcessMemoryInfo(program.process.hProcess, &after, sizeof after);
    LRESULT journal = SendMessageW(GetDlgItem(program.window, kJournalPane), WM_GETTEXTLENGTH, 0, 0);
    std::string a = text_of(GetDlgItem(program.window, kAField));
    close_program(program);
    std::printf("memory of Tallimor.exe, after start and after %d presses (A = %s, journal %d characters):\n", presses,
                a.c_str(), static_cast<int>(journal));
    std::printf("  peak working set         %8.1f MiB -> %8.1f MiB\n", before.PeakWorkingSetSize / 1048576.0,
                after.PeakWorkingSetSize / 1048576.0);
    std::printf("  peak private bytes       %8.1f MiB -> %8.1f MiB\n", before.PeakPagefileUsage / 1048576.0,
                after.PeakPagefileUsage / 1048576.0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: window_bench TALLIMOR_EXE EMPTY_DIALOG_EXE TEMPLATE_ONLY_EXE [PRESSES]\n");
        return 2;
    }
    press_latency();
    start_up(argv[1], argv[2], argv[3]);
    memory(argv[1], argc > 4 ? std::atoi(argv[4]) : 10000);
    return 0;
}
