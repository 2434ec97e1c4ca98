// libFuzzer target for the date text of the search criteria: any input, against a "now" the
// first bytes choose, must parse or be refused; a parsed date must name a real day of the years
// 1601 to 3000 and a time the clock shows, with the precision the time's fields give.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "search/searchparse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // Input layout: byte 0 the year of "now" past 1950, byte 1 its month (mod 12), then the text.
    PlatLocalTime now = {1950 + data[0], 1 + data[1] % 12, 15, 12, 0, 0};
    std::string text((const char*)data + 2, size - 2);
    text = text.c_str();
    ParsedDate date;
    const int rc = ParseSearchDate(text.c_str(), now, &date);
    if (rc != 0 && rc != 1)
        __builtin_trap();
    if (rc == 0)
        return 0;
    const PlatLocalTime& l = date.local;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (l.year < 1601 || l.year > 3000 || l.month < 1 || l.month > 12 || l.day < 1 ||
        l.day > kDays[l.month - 1] || l.hour < 0 || l.hour > 23 || l.minute < 0 ||
        l.minute > 59 || l.second < 0 || l.second > 59)
        __builtin_trap();
    if (date.precision < kPrecisionDay || date.precision > kPrecisionSecond)
        __builtin_trap();
    if (date.precision < kPrecisionMinute && l.minute != 0)
        __builtin_trap();
    if (date.precision < kPrecisionSecond && l.second != 0)
        __builtin_trap();
    if (date.precision == kPrecisionDay && l.hour != 0)
        __builtin_trap();
    return 0;
}
