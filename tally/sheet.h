// The tally sheet: thirteen counters, their labels, the increment, the Entry
// record of one press, and the figures the window shows.
#pragma once

#include <cstdint>

namespace tally {

constexpr int kCategories = 11;  // weapon categories 0-10, shown in rows
constexpr int kCounters = 13;    // plus 11 (neutralisations) and 12 (kills)
constexpr int kNeutraliseTotal = 11;
constexpr int kKillTotal = 12;

enum EntryKind : std::uint8_t { kNeutralise = 0, kKill = 1 };

// One recorded press, held by value in the stacks.
struct Entry {
    std::int32_t category;  // 0-10
    std::int32_t amount;    // above zero
    EntryKind kind;
};

const char* label(int i);
// The same label in UTF-8, as an editor may have saved the tally file.
const char* utf8_label(int i);
std::int32_t counter(int i);
void set_counter(int i, std::int32_t value);

std::int32_t increment();
void set_increment(std::int32_t value);

void credit(const Entry& entry);
void debit(const Entry& entry);

void compute_figures();
std::int32_t highest();
float ratio(int i);
bool balanced(int i);
bool leading(int i);

// The totals as the window shows them: A, B = 2 x kills, and A - B.
std::int32_t total_a();
std::int32_t total_b();
std::int32_t margin();

// Sums that wrap at 32 bits like the counters do.
std::int32_t wrapping_add(std::int32_t a, std::int32_t b);
std::int32_t wrapping_sub(std::int32_t a, std::int32_t b);

void reset_sheet();

}  // namespace tally
