#include "search/searchparse.h"

#include <string.h>

namespace {

constexpr int kSizeDigitsMax = 20;
constexpr int kYearMin = 1601; // the system's file times start there
constexpr int kYearMax = 3000;
// Numbers in a date are read with a ceiling: anything past it is an error either way, and the
// reading cannot overflow.
constexpr int kNumberCeiling = 100000;

const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads the digits at *p (advancing past them) into *value, held at the ceiling. False when
// there are none.
bool ReadNumber(const char** p, int* value) {
    if (!IsDigit(**p))
        return false;
    int v = 0;
    while (IsDigit(**p)) {
        v = v * 10 + (**p - '0');
        if (v > kNumberCeiling)
            v = kNumberCeiling;
        (*p)++;
    }
    *value = v;
    return true;
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// The month the letters name (1..12), or 0.
int MonthOf(const char* letters, size_t length) {
    if (length != 3)
        return 0;
    for (int m = 0; m < 12; m++)
        if (Lower(letters[0]) == kMonths[m][0] && Lower(letters[1]) == kMonths[m][1] &&
            Lower(letters[2]) == kMonths[m][2])
            return m + 1;
    return 0;
}

// The time after the date, read as "%d:%d:%d" is: each field may follow blanks, the colons
// must follow the numbers directly. The number of fields read; *p is left after the last.
int ReadTime(const char** p, int fields[3]) {
    int count = 0;
    while (count < 3) {
        while (IsBlank(**p))
            (*p)++;
        if (!ReadNumber(p, &fields[count]))
            break;
        count++;
        if (**p != ':')
            break;
        (*p)++;
    }
    return count;
}

// What may stand after the time: blanks and an "am" or "pm" mark ("a", "p", either case).
// Anything else is a date the parser would only half read ("5 Jan 1997" is not the 5th).
bool RestIsClean(const char* p) {
    while (IsBlank(*p))
        p++;
    if (Lower(*p) == 'a' || Lower(*p) == 'p') {
        p++;
        if (Lower(*p) == 'm')
            p++;
    }
    while (IsBlank(*p))
        p++;
    return *p == 0;
}

} // namespace

int ParseSearchSize(const char* text, int64_t* bytes) {
    *bytes = 0;
    const char* p = text;
    uint64_t value = 0;
    int digits = 0;
    while (IsDigit(*p) && digits < kSizeDigitsMax) {
        const uint64_t digit = (uint64_t)(*p - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return 0;
        value = value * 10 + digit;
        p++;
        digits++;
    }
    if (digits == 0)
        return 0;
    int shift = 0;
    switch (Lower(*p)) {
    case 'k':
        shift = 10;
        p++;
        break;
    case 'm':
        shift = 20;
        p++;
        break;
    case 'g':
        shift = 30;
        p++;
        break;
    }
    if (*p != 0 || value > ((uint64_t)INT64_MAX >> shift))
        return 0;
    *bytes = (int64_t)(value << shift);
    return 1;
}

int ParseSearchDate(const char* text, const PlatLocalTime& now, ParsedDate* out) {
    memset(out, 0, sizeof *out);
    const char* p = text;
    if (*p == 0)
        return 0;
    while (IsBlank(*p))
        p++;

    int day = 1;
    const bool hasDay = ReadNumber(&p, &day);
    const char* letters = p;
    while (IsLetter(*p))
        p++;
    const size_t letterCount = (size_t)(p - letters);
    int month = 0;
    if (letterCount > 0) {
        month = MonthOf(letters, letterCount);
        if (month == 0)
            return 0;
    }
    int year = 0;
    bool hasYear = false;
    if (month != 0) {
        const char* yearAt = p;
        hasYear = ReadNumber(&p, &year);
        if (hasYear && *p == ':') {
            p = yearAt; // an hour, not a year
            hasYear = false;
        }
    }
    if (month != 0 && !hasYear) {
        year = now.year;
    } else if (month == 0) {
        if (!hasDay)
            return 0;
        month = now.month;
        year = now.year;
    }
    if (year < 100)
        year += now.year / 100 * 100;
    if (year < kYearMin || year > kYearMax)
        return 0;
    if (day < 1 || day > DaysIn(month, year))
        return 0;

    int fields[3] = {0, 0, 0};
    const char* rest = p;
    const int timeFields = ReadTime(&rest, fields);
    if (!RestIsClean(rest))
        return 0;
    int hour = fields[0];
    if (timeFields > 0 && hour < 12 && (strchr(p, 'p') || strchr(p, 'P')))
        hour += 12;
    // A time the clock never shows would be moved into another hour or day without a word.
    if (hour > 23 || fields[1] > 59 || fields[2] > 59)
        return 0;

    static const DatePrecision kPrecisionOf[] = {kPrecisionDay, kPrecisionHour, kPrecisionMinute,
                                                 kPrecisionSecond};
    out->precision = kPrecisionOf[timeFields];
    out->local = {year, month, day, hour, fields[1], fields[2]};
    if (!Plat_FromLocalTime(out->local, &out->seconds)) {
        memset(out, 0, sizeof *out);
        return 0;
    }
    return 1;
}
