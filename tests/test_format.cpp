// The text formatter must print exactly what a correctly rounding snprintf
// prints, so the window shows the same figures whatever C runtime is linked.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "tally/format.h"

using tally::format;

namespace {

std::string ours(const char* conversion, double x)
{
    char text[1024];
    format(text, sizeof text, conversion, x);
    return text;
}

// What this platform's snprintf prints, where it rounds correctly.
std::string libc(const char* conversion, double x)
{
    char text[1024];
    std::snprintf(text, sizeof text, conversion, x);
    return text;
}

TEST(Format, FixedPointMatchesKnownValues)
{
    EXPECT_EQ(ours("%.4f", 0.0), "0.0000");
    EXPECT_EQ(ours("%.4f", -0.0), "-0.0000");
    EXPECT_EQ(ours("%.4f", 11.0), "11.0000");
    EXPECT_EQ(ours("%.4f", static_cast<double>(1.1f)), "1.1000");
    EXPECT_EQ(ours("%.4f", static_cast<double>(0.9f)), "0.9000");
    EXPECT_EQ(ours("%.4f", -0.00001), "-0.0000");
    EXPECT_EQ(ours("%.4f", 0.03125), "0.0312");  // an exact tie goes to even
    EXPECT_EQ(ours("%.4f", 0.09375), "0.0938");
    EXPECT_EQ(ours("%.4f", 2.00005), "2.0000");   // just below the tie in binary
    EXPECT_EQ(ours("%.4f", 9.99995), "10.0000");  // just above it
    EXPECT_EQ(ours("%.4f", 23622320128.0), "23622320128.0000");
    EXPECT_EQ(ours("%.0f", 2.5), "2");
    EXPECT_EQ(ours("%.0f", 3.5), "4");
    EXPECT_EQ(ours("%.2f", INFINITY), "inf");
    EXPECT_EQ(ours("%.2f", -INFINITY), "-inf");
}

TEST(Format, FixedPointMatchesSnprintfOnRandomValues)
{
    if (libc("%.4f", 0.03125) != "0.0312")
        GTEST_SKIP() << "this C runtime does not round ties to even";
    std::mt19937_64 random(7);
    const char* conversions[] = {"%.4f", "%.0f", "%.1f", "%.9f"};
    for (int i = 0; i < 20000; ++i) {
        double x;
        switch (i % 5) {
        case 0:
            x = static_cast<float>(static_cast<std::int32_t>(random()) *
                                   std::ldexp(1.0, -static_cast<int>(random() % 60)));
            break;
        case 1:
            x = static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / 32.0;
            break;
        case 2:
            x = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 200) - 150);
            break;
        case 3:
            x = static_cast<double>(static_cast<std::int32_t>(random())) * (1.0 / 11.0);
            break;
        default: {
            std::uint64_t bits = random();
            std::memcpy(&x, &bits, sizeof x);
            if (!std::isfinite(x))
                x = 0.0;
        }
        }
        const char* conversion = conversions[i % 4];
        ASSERT_EQ(ours(conversion, x), libc(conversion, x)) << conversion << " of " << std::hexfloat << x;
    }
    for (double x : {DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN})
        EXPECT_EQ(ours("%.4f", x), libc("%.4f", x));
}

TEST(Format, IntegersStringsAndPercent)
{
    char text[1024];
    format(text, sizeof text, "%d|%d|%d|%d", 0, -1, INT_MAX, INT_MIN);
    EXPECT_STREQ(text, "0|-1|2147483647|-2147483648");
    format(text, sizeof text, "%s: %s\n", "Tallimor.txt", "Permission denied");
    EXPECT_STREQ(text, "Tallimor.txt: Permission denied\n");
    format(text, sizeof text, "100%% %s", "");
    EXPECT_STREQ(text, "100% ");
}

TEST(Format, CutsAtTheBufferAndAlwaysTerminates)
{
    std::string long_text(3000, 'y');
    char text[1024];
    EXPECT_EQ(format(text, sizeof text, "%s%d", long_text.c_str(), 5), 1023u);
    EXPECT_EQ(std::string(text), long_text.substr(0, 1023));
    char small[6];
    EXPECT_EQ(format(small, sizeof small, "%d", -123456), 5u);
    EXPECT_STREQ(small, "-1234");
    const char* unknown = "ab%xcd";  // a conversion the program does not use ends the text
    EXPECT_EQ(format(small, sizeof small, unknown), 2u);
    EXPECT_STREQ(small, "ab");
}

}  // namespace
