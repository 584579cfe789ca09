#include "tally/sheet.h"

namespace tally {

extern const char* const CategoryLabels[kCounters][2];  // Shift_JIS, UTF-8

static std::int32_t counters[kCounters];
static std::int32_t increment_value = 1;
static std::int32_t highest_count = 1;
static float ratios[kCategories];

const char* label(int i) { return CategoryLabels[i][0]; }
const char* utf8_label(int i) { return CategoryLabels[i][1]; }
std::int32_t counter(int i) { return counters[i]; }
void set_counter(int i, std::int32_t value) { counters[i] = value; }

std::int32_t increment() { return increment_value; }
void set_increment(std::int32_t value) { increment_value = value; }

// Unsigned arithmetic wraps by definition; converting back to signed is
// modular on every compiler we build with (and by the standard from C++20).
std::int32_t wrapping_add(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t wrapping_sub(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

static int total_of(EntryKind kind) { return kind == kKill ? kKillTotal : kNeutraliseTotal; }

void credit(const Entry& entry)
{
    int total = total_of(entry.kind);
    counters[total] = wrapping_add(counters[total], entry.amount);
    counters[entry.category] = wrapping_add(counters[entry.category], entry.amount);
}

void debit(const Entry& entry)
{
    int total = total_of(entry.kind);
    counters[total] = wrapping_sub(counters[total], entry.amount);
    counters[entry.category] = wrapping_sub(counters[entry.category], entry.amount);
}

// The mean is taken as a product with the double nearest 1/11, not a
// quotient, and each ratio is rounded to single precision: the shown figures
// and the green band depend on exactly these roundings.
void compute_figures()
{
    highest_count = 1;
    double sum = 0.0;
    for (int i = 0; i < kCategories; ++i) {
        if (counters[i] > highest_count)
            highest_count = counters[i];
        sum += counters[i];
    }
    double mean = sum * 0.09090909090909091;
    double scale = mean != 0.0 ? 1.0 / mean : 1.0;
    for (int i = 0; i < kCategories; ++i)
        ratios[i] = static_cast<float>(counters[i] * scale);
}

std::int32_t highest() { return highest_count; }
float ratio(int i) { return ratios[i]; }
bool balanced(int i) { return ratios[i] >= 0.9f && ratios[i] <= 1.1f; }
bool leading(int i) { return counters[i] == highest_count; }

std::int32_t total_a() { return counters[kNeutraliseTotal]; }
std::int32_t total_b() { return wrapping_add(counters[kKillTotal], counters[kKillTotal]); }
std::int32_t margin() { return wrapping_sub(total_a(), total_b()); }

void reset_sheet()
{
    for (std::int32_t& c : counters)
        c = 0;
    for (float& r : ratios)
        r = 0.0f;
    increment_value = 1;
    highest_count = 1;
}

}  // namespace tally
