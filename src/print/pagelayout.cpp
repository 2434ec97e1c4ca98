// Margins, header and footer templates, and their layout on the printed page.
#include "print/pagelayout.h"

#include <stdio.h>
#include <string.h>

#include "platform/uiseam.h"

const char kTextFormatError[] = "Format Error";
const char kTextCodesPrecede[] =
    "Header/Footer position codes (&l, &c, &r)\n must precede the affected text.";
const char kTextCodesOrder[] = "Header/Footer position codes &l, &c, &r\n must occur in that order.";
const char kTextPagePhrase[] = "Page   &p";

namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Replaces every occurrence of code (two characters) that fits within kTemplateMax.
void ReplaceCode(char* text, const char* code, const char* with) {
    const size_t withLength = strlen(with);
    char* at = text;
    while ((at = strstr(at, code)) != nullptr) {
        const size_t length = strlen(text);
        if (length - 2 + withLength > (size_t)kTemplateMax)
            return;
        memmove(at + withLength, at + 2, strlen(at + 2) + 1);
        memcpy(at, with, withLength);
        at += withLength;
    }
}

void Report(const char* text) {
    PromptRequest request = {text, kTextFormatError, kButtonsOk, kIconNone, kPromptOwnedByFocus};
    Ui_Ask(request);
}

int32_t Clamp(int32_t x, int32_t least) {
    return x < least ? least : x;
}

} // namespace

int64_t Margin_Thousandths(const char* text) {
    if (!text)
        return 0;
    int64_t whole = 0;
    const char* p = text;
    while (*p == ' ')
        p++;
    // Nine characters at most, so the number cannot overflow; stop early all the same.
    while (*p >= '0' && *p <= '9' && whole < INT64_C(1000000000000))
        whole = whole * 10 + (*p++ - '0');
    int64_t fraction = 0;
    const char* dot = strchr(text, '.');
    if (dot) {
        int digits = 0;
        for (const char* q = dot + 1; digits < 3 && *q >= '0' && *q <= '9'; q++, digits++)
            fraction = fraction * 10 + (*q - '0');
        if (digits == 1)
            fraction *= 100;
        else if (digits == 2)
            fraction *= 10;
    }
    return whole * 1000 + fraction;
}

int32_t Margin_DeviceOffset(const char* text, int32_t pixelsPerInch) {
    const int64_t offset = Margin_Thousandths(text) * (int64_t)pixelsPerInch / 1000;
    return offset > INT32_MAX ? INT32_MAX : (int32_t)offset;
}

void Template_Expand(char* text, const char* name, const char* date, const char* time) {
    ReplaceCode(text, "&f", name ? name : "");
    ReplaceCode(text, "&d", date ? date : "");
    ReplaceCode(text, "&t", time ? time : "");
}

int Template_Place(PlacedTemplate* t, const PageRect& body, MeasureTextFn measure, void* context) {
    int problems = 0;
    // Each position code is taken out where it is first found; the others' places move with it.
    static const char* const kCodes[3] = {"&l", "&c", "&r"};
    int32_t at[3] = {-1, -1, -1};
    for (int k = 0; k < 3; k++) {
        char* found = strstr(t->text, kCodes[k]);
        if (!found)
            continue;
        const int32_t position = (int32_t)(found - t->text);
        const bool atEnd = found[2] == 0;
        memmove(found, found + 2, strlen(found + 2) + 1);
        for (int j = 0; j < k; j++)
            if (at[j] > position)
                at[j] -= 2;
        if (atEnd)
            problems |= kFormatCodeAtEnd;
        else
            at[k] = position;
    }

    const int32_t length = (int32_t)strlen(t->text);
    const int32_t centre = body.left + (body.right - body.left + 1) / 2;
    t->left = t->centre = t->right = TemplatePiece{0, 0, body.left};
    t->centreEnd = body.left;
    const int32_t l = at[0], c = at[1], r = at[2];
    const bool inOrder = (l < 0 || l == 0) && (c < 0 || r < 0 || c <= r);
    if (!inOrder)
        problems |= kFormatCodesOrder;
    if (!inOrder || (l < 0 && c < 0 && r < 0)) {
        t->centre.count = length;
        t->centre.x = Clamp(centre - measure(context, t->text, length) / 2, body.left);
        t->centreEnd = t->centre.x + measure(context, t->text, length);
        return problems;
    }
    const int32_t leftEnd = c >= 0 ? c : r >= 0 ? r : length;
    t->left = TemplatePiece{0, leftEnd, body.left};
    if (c >= 0) {
        const int32_t end = r >= 0 ? r : length;
        const int32_t width = measure(context, t->text + c, end - c);
        t->centre = TemplatePiece{c, end - c, Clamp(centre - width / 2, body.left)};
        t->centreEnd = t->centre.x + width;
    }
    if (r >= 0) {
        const int32_t width = measure(context, t->text + r, length - r);
        t->right = TemplatePiece{r, length - r, Clamp(body.right - width, body.left)};
    }
    return problems;
}

void Template_PageText(const char* text, int32_t page, char* out) {
    char number[16];
    snprintf(number, sizeof number, "%2d", (int)page);
    const int digits = (int)strlen(number);
    char code[24];
    int spaces = digits > 2 ? digits - 2 : 0;
    memset(code, ' ', (size_t)spaces);
    memcpy(code + spaces, "&p", 3);
    const size_t codeLength = strlen(code);

    size_t n = 0;
    const size_t room = kTemplateMax;
    for (const char* p = text; *p && n < room;) {
        if (strncmp(p, code, codeLength) == 0 && n + (size_t)digits <= room) {
            memcpy(out + n, number, (size_t)digits);
            n += (size_t)digits;
            p += codeLength;
        } else {
            out[n++] = *p++;
        }
    }
    out[n] = 0;
}

void Print_FormatDate(int day, int month, int year, bool spacePadDay, char out[8]) {
    const char* name = month >= 1 && month <= 12 ? kMonths[month - 1] : "???";
    snprintf(out, 8, spacePadDay ? "%2d%s%02d" : "%02d%s%02d", day % 100, name,
             ((year % 100) + 100) % 100);
}

void Print_FormatTime(int hour, int minute, char out[6]) {
    snprintf(out, 6, "%02d:%02d", hour % 100, minute % 100);
}

void PageLayout_Prepare(const PageLayoutInput& in, PageLayout* out) {
    const PageRect& frame = in.frame;
    PageRect body = frame;
    body.left = frame.left + Margin_DeviceOffset(in.leftMargin, in.dpiX);
    body.top = frame.top + Margin_DeviceOffset(in.topMargin, in.dpiY);
    const int64_t bottom = (int64_t)frame.bottom - Margin_DeviceOffset(in.bottomMargin, in.dpiY);
    body.bottom = bottom < 0 || bottom > frame.bottom ? frame.bottom : (int32_t)bottom;

    out->hasHeader = in.header && in.header[0];
    out->hasFooter = in.footer && in.footer[0];
    int problems = 0;
    PlacedTemplate* const placed[2] = {&out->header, &out->footer};
    const char* const templates[2] = {in.header, in.footer};
    const bool present[2] = {out->hasHeader, out->hasFooter};
    for (int k = 0; k < 2; k++) {
        PlacedTemplate* t = placed[k];
        memset(t, 0, sizeof *t);
        if (!present[k])
            continue;
        snprintf(t->text, sizeof t->text, "%s", templates[k]);
        Template_Expand(t->text, in.name, in.date, in.time);
        if (k == 0) {
            t->y = frame.top;
            if (body.top - frame.top < in.lineHeight)
                body.top += in.lineHeight;
        } else {
            t->y = frame.bottom - in.lineHeight;
            if (t->y - body.bottom < in.lineHeight)
                body.bottom -= in.lineHeight;
        }
        problems |= Template_Place(t, body, in.measure, in.context);
    }
    out->body = body;
    if (problems & kFormatCodeAtEnd)
        Report(kTextCodesPrecede);
    if (problems & kFormatCodesOrder)
        Report(kTextCodesOrder);
}

void Print_FormatFileStamp(int64_t localSeconds, char date[8], char time[6]) {
    int64_t days = localSeconds / 86400, seconds = localSeconds % 86400;
    if (seconds < 0) {
        seconds += 86400;
        days--;
    }
    // Days since 1970 to a civil date (the proleptic Gregorian calendar).
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = (int)(doy - (153 * mp + 2) / 5 + 1);
    const int month = (int)(mp < 10 ? mp + 3 : mp - 9);
    const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    Print_FormatDate(day, month, (int)(year % 100), false, date);
    Print_FormatTime((int)(seconds / 3600), (int)(seconds / 60 % 60), time);
}
