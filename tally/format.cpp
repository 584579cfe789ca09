#include "tally/format.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tally {

namespace {

struct Output {
    char* out;
    std::size_t size;
    std::size_t length;

    void put(char c)
    {
        if (length + 1 < size)
            out[length++] = c;
    }
    void put(const char* text)
    {
        while (*text)
            put(*text++);
    }
};

void put_integer(Output& output, int value)
{
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        output.put('-');
        magnitude = 0u - magnitude;
    }
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0)
        output.put(digits[--count]);
}

// Decimal digits of a non-negative integer, least significant first.
struct Digits {
    unsigned char d[832];  // enough for every finite double: 2^1024 or 2^53 * 5^1126
    int count = 0;

    int at(int i) const { return i < count ? d[i] : 0; }
    void multiply(int factor)
    {
        int carry = 0;
        for (int i = 0; i < count; ++i) {
            int v = d[i] * factor + carry;
            d[i] = static_cast<unsigned char>(v % 10);
            carry = v / 10;
        }
        while (carry != 0) {
            d[count++] = static_cast<unsigned char>(carry % 10);
            carry /= 10;
        }
    }
};

// "%.Nf": the exact binary value of x, rounded to N decimals half to even,
// as a correctly rounding C library prints it.
void put_fixed(Output& output, double x, int precision)
{
    if (std::signbit(x))
        output.put('-');
    x = std::fabs(x);
    if (std::isnan(x) || std::isinf(x)) {
        output.put(std::isnan(x) ? "nan" : "inf");
        return;
    }
    int exponent = 0;
    std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(std::frexp(x, &exponent), 53));
    exponent -= 53;  // x = mantissa * 2^exponent
    for (; mantissa != 0 && mantissa % 2 == 0 && exponent < 0; mantissa /= 2)
        ++exponent;

    Digits digits;  // x = digits / 10^point
    for (; mantissa != 0; mantissa /= 10)
        digits.d[digits.count++] = static_cast<unsigned char>(mantissa % 10);
    int point = 0;
    for (; exponent > 0; --exponent)
        digits.multiply(2);
    for (; exponent < 0; ++exponent, ++point)
        digits.multiply(5);

    if (point > precision) {
        int drop = point - precision;
        int first = digits.at(drop - 1);
        bool rest = false;
        for (int i = 0; i < drop - 1 && !rest; ++i)
            rest = digits.at(i) != 0;
        bool up = first > 5 || (first == 5 && (rest || digits.at(drop) % 2 == 1));
        int kept = digits.count > drop ? digits.count - drop : 0;
        std::memmove(digits.d, digits.d + (digits.count - kept), static_cast<std::size_t>(kept));
        digits.count = kept;
        point = precision;
        for (int i = 0; up; ++i) {
            if (i == digits.count)
                digits.d[digits.count++] = 0;
            up = ++digits.d[i] == 10;
            if (up)
                digits.d[i] = 0;
        }
    }
    int whole = digits.count > point ? digits.count : point + 1;
    for (int i = whole - 1; i >= point; --i)
        output.put(static_cast<char>('0' + digits.at(i)));
    if (precision > 0)
        output.put('.');
    for (int i = point - 1; i >= point - precision; --i)
        output.put(static_cast<char>('0' + (i >= 0 ? digits.at(i) : 0)));
}

}  // namespace

std::size_t vformat(char* out, std::size_t size, const char* format, va_list args)
{
    Output output{out, size, 0};
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            output.put(*p);
            continue;
        }
        int precision = 6;
        if (*++p == '.') {
            precision = 0;
            for (++p; *p >= '0' && *p <= '9'; ++p)
                precision = precision * 10 + (*p - '0');
        }
        if (*p == 's')
            output.put(va_arg(args, const char*));
        else if (*p == 'd')
            put_integer(output, va_arg(args, int));
        else if (*p == 'f')
            put_fixed(output, va_arg(args, double), precision);
        else if (*p == '%')
            output.put('%');
        else
            break;  // not a conversion the program uses: the text ends here
    }
    if (size > 0)
        out[output.length] = '\0';
    return output.length;
}

std::size_t format(char* out, std::size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::size_t length = vformat(out, size, format, args);
    va_end(args);
    return length;
}

}  // namespace tally
