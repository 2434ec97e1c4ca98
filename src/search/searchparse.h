// The two texts the search criteria are typed in: a file size ("10k", "2M", "1g") and a date
// with an optional time ("5Jan1997  14:30:00", "5jan97 2:30p").
#pragma once

#include <stdint.h>

#include "platform/platform.h"

constexpr int kSearchQualifierTextMax = 25; // 24 characters as typed, and the terminator

// How much of a time a date text gave: the Dated comparison matches that whole span.
enum DatePrecision {
    kPrecisionDay,
    kPrecisionHour,
    kPrecisionMinute,
    kPrecisionSecond,
};

// Decimal digits directly followed by at most one of k (2^10), m (2^20) or g (2^30), in either
// case, and nothing else. 1 and *bytes set; 0 for any other text or a size past 2^63 - 1.
int ParseSearchSize(const char* text, int64_t* bytes);

struct ParsedDate {
    int64_t seconds; // since 1970 UTC
    DatePrecision precision;
    PlatLocalTime local; // the fields as read, after the missing ones were supplied
};

// "DDMMMYYYY  HH:MM:SS": a day, a three-letter month and a year, the parts left out taken from
// now (a day and month: this year; a day alone: this month), a year below 100 in this century;
// then hour, minute and second, as far as they are given, with a "p" anywhere after the date
// for the afternoon. 1 and *out set; 0 for a text that names no date of the years 1601 to 3000.
int ParseSearchDate(const char* text, const PlatLocalTime& now, ParsedDate* out);
