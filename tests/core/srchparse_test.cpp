// The size and date texts of the search criteria: the examples the dialogs' help gives, the
// edges of each part, and the errors.
#include <gtest/gtest.h>

#include "search/searchparse.h"

namespace {

struct SizeCase {
    const char* text;
    int rc;
    int64_t bytes;
};

const SizeCase kSizes[] = {
    {"10k", 1, 10240},
    {"2M", 1, 2097152},
    {"2m", 1, 2097152},
    {"1g", 1, INT64_C(1) << 30},
    {"3G", 1, INT64_C(3) << 30},
    {"100", 1, 100},
    {"0", 1, 0},
    {"007K", 1, 7168},
    {"9223372036854775807", 1, INT64_MAX},
    {"8589934591g", 1, INT64_C(8589934591) << 30},
    // Errors: blanks, signs, other letters, more than one suffix, too large, nothing.
    {"10 k", 0, 0},
    {"-5", 0, 0},
    {"+5", 0, 0},
    {" 5", 0, 0},
    {"5 ", 0, 0},
    {"10kb", 0, 0},
    {"10x", 0, 0},
    {"k", 0, 0},
    {"", 0, 0},
    {"9223372036854775808", 0, 0},
    {"8589934592g", 0, 0},
    {"99999999999999999999", 0, 0},
    {"123456789012345678901", 0, 0}, // 21 digits: only 20 are read
};

TEST(SearchParseSize, Table) {
    for (const SizeCase& c : kSizes) {
        int64_t bytes = -1;
        EXPECT_EQ(ParseSearchSize(c.text, &bytes), c.rc) << c.text;
        EXPECT_EQ(bytes, c.bytes) << c.text;
    }
}

const PlatLocalTime kNow = {2026, 12, 9, 4, 30, 0};

struct DateCase {
    const char* text;
    int rc;
    PlatLocalTime local;
    DatePrecision precision;
};

const DateCase kDates[] = {
    {"5Jan1997 2:30p", 1, {1997, 1, 5, 14, 30, 0}, kPrecisionMinute},
    {"5Jan1997  14:30:07", 1, {1997, 1, 5, 14, 30, 7}, kPrecisionSecond},
    {"5jan97", 1, {2097, 1, 5, 0, 0, 0}, kPrecisionDay},
    {"5Feb", 1, {2026, 2, 5, 0, 0, 0}, kPrecisionDay},
    {"12", 1, {2026, 12, 12, 0, 0, 0}, kPrecisionDay},
    {"Sep1999", 1, {1999, 9, 1, 0, 0, 0}, kPrecisionDay},
    {"  7MAR2004", 1, {2004, 3, 7, 0, 0, 0}, kPrecisionDay},
    {"5Jan1997 10", 1, {1997, 1, 5, 10, 0, 0}, kPrecisionHour},
    {"5Jan1997 10p", 1, {1997, 1, 5, 22, 0, 0}, kPrecisionHour},
    {"5Jan1997 12:15 pm", 1, {1997, 1, 5, 12, 15, 0}, kPrecisionMinute},
    {"5Jan10:30", 1, {2026, 1, 5, 10, 30, 0}, kPrecisionMinute}, // 10 is an hour here
    {"5Jan1997 p", 1, {1997, 1, 5, 0, 0, 0}, kPrecisionDay},     // no hour to move
    {"5Jan1997 2:30 am ", 1, {1997, 1, 5, 2, 30, 0}, kPrecisionMinute},
    {"29Feb2000", 1, {2000, 2, 29, 0, 0, 0}, kPrecisionDay},
    {"31Dec3000 23:59:59", 1, {3000, 12, 31, 23, 59, 59}, kPrecisionSecond},
    {"1Jan1601", 1, {1601, 1, 1, 0, 0, 0}, kPrecisionDay},
    // Errors.
    {"", 0, {}, kPrecisionDay},
    {"   ", 0, {}, kPrecisionDay},
    {"30Feb1997", 0, {}, kPrecisionDay},
    {"29Feb1997", 0, {}, kPrecisionDay}, // no such day
    {"32Jan1997", 0, {}, kPrecisionDay},
    {"0Jan1997", 0, {}, kPrecisionDay},
    {"5January1997", 0, {}, kPrecisionDay},
    // Anything the forms above leave over: not a date half read.
    {"5Jun1997x", 0, {}, kPrecisionDay},
    {"5 Jan 1997", 0, {}, kPrecisionDay}, // not the 5th of this month
    {"12 Dec", 0, {}, kPrecisionDay},
    {"5Jan1997 10:30 tomorrow", 0, {}, kPrecisionDay},
    {"5Jan1997 10:30:15:20", 0, {}, kPrecisionDay},
    {"5Jan1997 2:30pmx", 0, {}, kPrecisionDay},
    {"5Ja1997", 0, {}, kPrecisionDay},
    {"1Jan3001", 0, {}, kPrecisionDay},
    {"1Jan1600", 0, {}, kPrecisionDay},
    {"5Jan1997 24:00", 0, {}, kPrecisionDay},
    {"5Jan1997 10:60", 0, {}, kPrecisionDay},
    {"5Jan1997 10:30:60", 0, {}, kPrecisionDay},
    {"5Jan1997 99999999999", 0, {}, kPrecisionDay},
    {"p", 0, {}, kPrecisionDay},
};

TEST(SearchParseDate, Table) {
    for (const DateCase& c : kDates) {
        ParsedDate date;
        ASSERT_EQ(ParseSearchDate(c.text, kNow, &date), c.rc) << c.text;
        if (!c.rc)
            continue;
        const PlatLocalTime& l = date.local;
        EXPECT_EQ(l.year, c.local.year) << c.text;
        EXPECT_EQ(l.month, c.local.month) << c.text;
        EXPECT_EQ(l.day, c.local.day) << c.text;
        EXPECT_EQ(l.hour, c.local.hour) << c.text;
        EXPECT_EQ(l.minute, c.local.minute) << c.text;
        EXPECT_EQ(l.second, c.local.second) << c.text;
        EXPECT_EQ(date.precision, c.precision) << c.text;
    }
}

// The seconds name the local time typed, as listings show times.
TEST(SearchParseDate, SecondsShowAsTyped) {
    for (const char* text : {"5Jan1997 2:30p", "15Jul2003 08:05:09", "31Dec2037 23:59:59",
                             "1Mar2100"}) {
        ParsedDate date;
        ASSERT_EQ(ParseSearchDate(text, kNow, &date), 1) << text;
        PlatLocalTime shown;
        ASSERT_EQ(Plat_ToLocalTime(date.seconds, &shown), 1) << text;
        EXPECT_EQ(shown.year, date.local.year) << text;
        EXPECT_EQ(shown.month, date.local.month) << text;
        EXPECT_EQ(shown.day, date.local.day) << text;
        EXPECT_EQ(shown.hour, date.local.hour) << text;
        EXPECT_EQ(shown.minute, date.local.minute) << text;
        EXPECT_EQ(shown.second, date.local.second) << text;
    }
    ParsedDate a, b;
    ASSERT_EQ(ParseSearchDate("5Jan1997", kNow, &a), 1);
    ASSERT_EQ(ParseSearchDate("6Jan1997", kNow, &b), 1);
    EXPECT_EQ(b.seconds - a.seconds, 86400);
}

} // namespace
