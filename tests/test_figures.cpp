// The figures the window shows: ratios to the mean, the green band, the
// leading count, and the totals, including their 32-bit wrap.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "support/fakes.h"
#include "tally/sheet.h"

using namespace tally;

namespace {

void set_counts(std::initializer_list<std::int32_t> counts)
{
    int i = 0;
    for (std::int32_t c : counts)
        set_counter(i++, c);
    for (; i < kCategories; ++i)
        set_counter(i, 0);
    compute_figures();
}

std::string shown_ratio(int i)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(ratio(i)));
    return text;
}

class Figures : public ::testing::Test {
protected:
    void SetUp() override { fake::start(); }
};

TEST_F(Figures, AllZeroHasNoHighlight)
{
    set_counts({});
    EXPECT_EQ(highest(), 1);
    for (int i = 0; i < kCategories; ++i) {
        EXPECT_FALSE(leading(i));
        EXPECT_FALSE(balanced(i));
        EXPECT_EQ(shown_ratio(i), "0.0000");
    }
}

TEST_F(Figures, SingleCountIsElevenTimesTheMean)
{
    set_counts({1});
    EXPECT_EQ(highest(), 1);
    EXPECT_TRUE(leading(0));
    EXPECT_FALSE(leading(1));
    EXPECT_EQ(shown_ratio(0), "11.0000");
    EXPECT_EQ(shown_ratio(1), "0.0000");
    EXPECT_FALSE(balanced(0));
}

TEST_F(Figures, TiesAllLead)
{
    set_counts({4, 7, 7, 2});
    EXPECT_EQ(highest(), 7);
    EXPECT_FALSE(leading(0));
    EXPECT_TRUE(leading(1));
    EXPECT_TRUE(leading(2));
    EXPECT_FALSE(leading(3));
}

TEST_F(Figures, ZeroSumUsesScaleOne)
{
    set_counts({1, -1});
    EXPECT_EQ(shown_ratio(0), "1.0000");
    EXPECT_EQ(shown_ratio(1), "-1.0000");
    EXPECT_TRUE(balanced(0));
    EXPECT_TRUE(leading(0));
    EXPECT_FALSE(balanced(1));
}

TEST_F(Figures, EqualCountsAreAllBalanced)
{
    set_counts({6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6});
    for (int i = 0; i < kCategories; ++i) {
        EXPECT_EQ(ratio(i), 1.0f);
        EXPECT_TRUE(balanced(i));
        EXPECT_TRUE(leading(i));
    }
    set_counts({-3, -3, -3, -3, -3, -3, -3, -3, -3, -3, -3});
    EXPECT_EQ(highest(), 1);
    for (int i = 0; i < kCategories; ++i) {
        EXPECT_EQ(ratio(i), 1.0f);
        EXPECT_TRUE(balanced(i));
        EXPECT_FALSE(leading(i));
    }
}

TEST_F(Figures, BandIncludesBothBounds)
{
    set_counts({11, 9, 10, 10, 10, 10, 10, 10, 10, 10, 10});  // mean 10
    EXPECT_TRUE(balanced(0));
    EXPECT_TRUE(balanced(1));
    EXPECT_EQ(shown_ratio(0), "1.1000");
    EXPECT_EQ(shown_ratio(1), "0.9000");
    set_counts({12, 8, 10, 10, 10, 10, 10, 10, 10, 10, 10});
    EXPECT_FALSE(balanced(0));
    EXPECT_FALSE(balanced(1));
    EXPECT_TRUE(balanced(2));
}

TEST_F(Figures, NegativeSumFlipsSignsAndShowsNegativeZero)
{
    set_counts({-10, 5});
    EXPECT_EQ(shown_ratio(0), "22.0000");
    EXPECT_EQ(shown_ratio(1), "-11.0000");
    EXPECT_TRUE(std::signbit(ratio(2)));
    EXPECT_EQ(shown_ratio(2), "-0.0000");
    EXPECT_EQ(highest(), 5);
    set_counts({-10, -5});
    EXPECT_EQ(highest(), 1);
}

TEST_F(Figures, TotalsShowTwiceTheKillsAndTheMargin)
{
    set_counter(kNeutraliseTotal, 5);
    set_counter(kKillTotal, 3);
    EXPECT_EQ(total_a(), 5);
    EXPECT_EQ(total_b(), 6);
    EXPECT_EQ(margin(), -1);
}

TEST_F(Figures, CountersAndTotalsWrapAt32Bits)
{
    set_counter(kKillTotal, 0x40000000);
    EXPECT_EQ(total_b(), INT_MIN);
    set_counter(kNeutraliseTotal, INT_MAX);
    set_counter(kKillTotal, -1);
    EXPECT_EQ(total_b(), -2);
    EXPECT_EQ(margin(), INT_MIN + 1);

    set_counter(0, INT_MAX);
    set_counter(kNeutraliseTotal, INT_MAX);
    credit({0, 2, kNeutralise});
    EXPECT_EQ(counter(0), INT_MIN + 1);
    EXPECT_EQ(counter(kNeutraliseTotal), INT_MIN + 1);
    debit({0, 2, kNeutralise});
    EXPECT_EQ(counter(0), INT_MAX);
    EXPECT_EQ(counter(kNeutraliseTotal), INT_MAX);

    set_counts({INT_MAX, INT_MAX, INT_MIN});
    EXPECT_EQ(highest(), INT_MAX);
    EXPECT_TRUE(leading(0) && leading(1));
}

TEST_F(Figures, CreditAndDebitMoveTheTotalOfTheirKind)
{
    credit({3, 4, kKill});
    credit({3, 2, kNeutralise});
    EXPECT_EQ(counter(3), 6);
    EXPECT_EQ(counter(kKillTotal), 4);
    EXPECT_EQ(counter(kNeutraliseTotal), 2);
    debit({3, 4, kKill});
    EXPECT_EQ(counter(3), 2);
    EXPECT_EQ(counter(kKillTotal), 0);
}

}  // namespace
