// Timings of the core as the window drives it: presses, undo and redo, clear,
// and the tally file. The journal pane and the window are the test doubles, so
// the pane is a std::string, not an edit control; what is timed is the core's
// own work on top of that.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/tally_file.h"
#include "support/fakes.h"
#include "tally/controls.h"
#include "tally/history.h"
#include "tally/sheet.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBatch = 100;  // presses timed between two untimed clean-ups

// The journal is built by alternating two buttons; the timed presses use two
// others, so no press joins the line above unless a benchmark wants it to.
constexpr int kBaseA = tally::kNeutraliseButton + 0;
constexpr int kBaseB = tally::kKillButton + 3;
constexpr int kPressRow = 5;
constexpr int kPressA = tally::kNeutraliseButton + kPressRow;
constexpr int kPressB = tally::kKillButton + 7;

void press(int id) { tally::command(id, 0); }

// Every journal text ends in a line feed, and no Shift_JIS byte is one.
long journal_lines() { return std::count(fake::pane.text.begin(), fake::pane.text.end(), '\n'); }

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Marks the benchmark as failed; the first message is the one kept.
bool fail(benchmark::State& state, const std::string& message)
{
    if (!state.error_occurred())
        state.SkipWithError(message.c_str());
    return false;
}

bool expect_lines(benchmark::State& state, long n, const char* when)
{
    long lines = journal_lines();
    if (lines == n)
        return true;
    return fail(state, "journal has " + std::to_string(lines) + " lines " + when + ", expected " + std::to_string(n));
}

// A fresh core whose journal and history hold n entries, one line each.
bool start_with_lines(benchmark::State& state, long n)
{
    fake::start();
    for (long i = 0; i < n; ++i)
        press(i % 2 == 0 ? kBaseA : kBaseB);
    return expect_lines(state, n, "after building it");
}

// Time per item of the benchmark's own clock, shown beside the batch time.
void per_item(benchmark::State& state, const char* name, double items_per_iteration)
{
    state.counters[name] = benchmark::Counter(
        items_per_iteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Times batches of kBatch presses on a journal of N lines, each batch taken
// back by untimed undos. Folded, one button is pressed throughout, so every
// press rewrites the line above; else two alternate and each starts a line.
void time_presses(benchmark::State& state, bool folded)
{
    if (!start_with_lines(state, state.range(0)))
        return;
    if (folded)
        press(kPressA);
    const long lines = journal_lines();
    const int row_count = tally::counter(kPressRow) + (folded ? kBatch : kBatch / 2);
    bool checked = false;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        for (int i = 0; i < kBatch; ++i)
            press(folded || i % 2 == 0 ? kPressA : kPressB);
        state.SetIterationTime(seconds_since(start));
        if (!checked) {
            if (!expect_lines(state, folded ? lines : lines + kBatch, "after a batch of presses"))
                break;
            if (tally::counter(kPressRow) != row_count) {
                fail(state, "a batch of presses was not counted in full");
                break;
            }
            checked = true;
        }
        for (int i = 0; i < kBatch; ++i)
            press(tally::kUndoButton);
    }
    expect_lines(state, lines, "at the end");
    per_item(state, "per_press", kBatch);
}

// Does a press that starts a new line get slower as the journal grows?
void BM_Press(benchmark::State& state) { time_presses(state, false); }
BENCHMARK(BM_Press)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->UseManualTime();

// What does a press cost when it joins the line above, on a short or long journal?
void BM_FoldedPress(benchmark::State& state) { time_presses(state, true); }
BENCHMARK(BM_FoldedPress)->Arg(0)->Arg(10000)->UseManualTime();

// Do undo and redo stay cheap when the history is long?
void BM_UndoRedo(benchmark::State& state)
{
    const long n = state.range(0);
    if (!start_with_lines(state, n))
        return;
    press(tally::kUndoButton);
    if (!expect_lines(state, n - 1, "after one undo"))
        return;
    press(tally::kRedoButton);
    if (!expect_lines(state, n, "after its redo"))
        return;
    for (auto _ : state) {
        press(tally::kUndoButton);
        press(tally::kRedoButton);
    }
    expect_lines(state, n, "at the end");
    per_item(state, "per_pair", 1);
}
BENCHMARK(BM_UndoRedo)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000);

// How long does Clear take over N entries, and is it linear in N?
void BM_Clear(benchmark::State& state)
{
    const long n = state.range(0);
    if (!start_with_lines(state, n))
        return;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        press(tally::kClearButton);
        state.SetIterationTime(seconds_since(start));
        if (tally::undo_available() || !expect_lines(state, 0, "after clear")) {
            fail(state, "clear left entries in the history");
            break;
        }
        for (long i = 0; i < n; ++i)
            press(tally::kRedoButton);
    }
    expect_lines(state, n, "after the last redo");
    state.SetItemsProcessed(state.iterations() * n);
    state.SetComplexityN(n);
    per_item(state, "per_entry", static_cast<double>(n));
}
BENCHMARK(BM_Clear)->Arg(100)->Arg(1000)->Arg(10000)->UseManualTime()->Complexity(benchmark::oN);

// Counters of a long campaign, of varied widths and one negative.
std::int32_t sample(int i) { return (i + 1) * 7919 * (i % 4 + 1) - (i == 5 ? 10000000 : 0); }

void set_sample_counters()
{
    for (int i = 0; i < tally::kCounters; ++i)
        tally::set_counter(i, sample(i));
}

bool counters_are_sample(benchmark::State& state)
{
    for (int i = 0; i < tally::kCounters; ++i) {
        if (tally::counter(i) != sample(i))
            return fail(state, "counter " + std::to_string(i) + " did not come back from the file");
    }
    return true;
}

// How long does a save take on this disk, fsync and rename included?
void BM_Save(benchmark::State& state)
{
    fake::start();
    set_sample_counters();
    for (auto _ : state) {
        int error = store::save();
        benchmark::DoNotOptimize(error);
        if (error != 0) {
            fail(state, std::string("save failed: ") + std::strerror(error));
            break;
        }
    }
    store::load();
    counters_are_sample(state);
}
BENCHMARK(BM_Save)->UseRealTime();

// How long does reading the tally file take, and does the reader stay linear
// when the file carries lines it does not know? The argument is the number of
// such lines (0: a plain file); the complexity is fitted to all the lines.
void BM_Load(benchmark::State& state)
{
    const long junk = state.range(0);
    fake::start();
    set_sample_counters();
    if (int error = store::save()) {
        fail(state, std::string("save failed: ") + std::strerror(error));
        return;
    }
    std::string counters_text;
    {
        std::ifstream in(store::kFileName, std::ios::binary);
        counters_text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Unknown words that look like a label, and every tenth line a run of
    // digits long enough that the reader takes it in two pieces. The real
    // counters come last, so they prove the whole file was read.
    std::string content;
    for (long i = 0; i < junk; ++i)
        content += i % 10 == 9 ? std::string(1500, '7') + "\r\n" : std::to_string(i) + " ハンドガン改\r\n";
    content += counters_text;
    std::ofstream(store::kFileName, std::ios::binary) << content;

    for (int i = 0; i < tally::kCounters; ++i)
        tally::set_counter(i, 0);
    for (auto _ : state) {
        store::load();
        benchmark::ClobberMemory();
    }
    if (!counters_are_sample(state))
        return;
    state.SetBytesProcessed(state.iterations() * static_cast<long>(content.size()));
    state.SetComplexityN(junk + tally::kCounters);
}
BENCHMARK(BM_Load)->Arg(0)->Arg(1000)->Arg(10000)->Arg(100000)->UseRealTime()->Complexity(benchmark::oN);

}  // namespace

// Everything runs in a fresh directory under the system's temporary one
// (TMPDIR decides which disk the saves go to), removed afterwards.
int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    // The filesystem calls throw, and so end the run, when they cannot work.
    const fs::path previous = fs::current_path();
    const fs::path dir = fs::temp_directory_path() /
                         ("tallimor-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    if (!fs::create_directory(dir)) {
        std::fprintf(stderr, "core_bench: %s exists already\n", dir.string().c_str());
        return 1;
    }
    fs::current_path(dir);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path(previous);
    fs::remove_all(dir);
    return 0;
}
