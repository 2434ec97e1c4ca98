// The page setup's margins and the header and footer templates: converting the margins to
// printer units, putting the file name, date and time into a template, placing its left, centre
// and right pieces on the page and putting the page number in at each page.
#pragma once

#include <stdint.h>

constexpr int kTemplateMax = 139; // characters of a header or footer, expanded or not

extern const char kTextFormatError[];    // "Format Error"
extern const char kTextCodesPrecede[];   // a position code at the very end
extern const char kTextCodesOrder[];     // position codes out of order
extern const char kTextPagePhrase[];     // "Page   &p", what the page boxes insert

// One piece of a placed template: a run of its text and where it starts on the page.
struct TemplatePiece {
    int32_t start; // offset in PlacedTemplate::text
    int32_t count; // 0: not drawn
    int32_t x;
};

struct PlacedTemplate {
    char text[kTemplateMax + 1]; // expanded, the position codes taken out
    int32_t y;
    TemplatePiece left, centre, right;
    int32_t centreEnd;
};

// Device units; the body's right edge is the printable right edge (there is no right margin).
struct PageRect {
    int32_t left, top, right, bottom;
};

// Widths are measured with the printer font by the caller.
typedef int32_t (*MeasureTextFn)(void* context, const char* text, int32_t count);

// Problems met while placing a template (bits); each is reported once per template.
enum { kFormatCodeAtEnd = 1, kFormatCodesOrder = 2 };

// A margin text in thousandths of an inch: the leading decimal number, then up to three digits
// after the first "." (one digit counts hundreds, two count tens). Not a number: 0.
int64_t Margin_Thousandths(const char* text);
// The margin in device units at this resolution, the product taken in 64 bits so that a wide
// margin on a fine printer cannot wrap round.
int32_t Margin_DeviceOffset(const char* text, int32_t pixelsPerInch);

// Replaces every "&f" by name, then every "&d" by date, then every "&t" by time, in text
// (room for kTemplateMax characters). A replacement that would make the text longer than
// kTemplateMax is not made: that code stays as it is.
void Template_Expand(char* text, const char* name, const char* date, const char* time);

// Takes the position codes out of t->text and places the pieces between body.left and
// body.right. Returns kFormat* bits for the caller to report.
int Template_Place(PlacedTemplate* t, const PageRect& body, MeasureTextFn measure, void* context);

// The template's text with the page number put in: the number at least two characters wide,
// replacing "&p" together with one space before it per digit beyond two, so that the text
// keeps its width. out has room for kTemplateMax + 1 characters.
void Template_PageText(const char* text, int32_t page, char* out);

// File dates as the "&d" and "&t" codes show them: 02Jan97 and 09:05. spacePadDay writes the
// day as "%2d" (the current date for an editor or a list), else "%02d" (a viewed file's date).
void Print_FormatDate(int day, int month, int year, bool spacePadDay, char out[8]);
void Print_FormatTime(int hour, int minute, char out[6]);

struct PageLayoutInput {
    const char* header;
    const char* footer;
    const char* leftMargin;
    const char* topMargin;
    const char* bottomMargin;
    int32_t dpiX, dpiY;
    PageRect frame; // left 0, top the printing offset, right the page width, bottom its height
    int32_t lineHeight;
    const char* name;
    const char* date;
    const char* time;
    MeasureTextFn measure;
    void* context;
};

struct PageLayout {
    PageRect body;
    PlacedTemplate header, footer;
    bool hasHeader, hasFooter;
};

// Works out the body and places the header and footer once for a job. A misplaced or
// out-of-order position code is reported in a "Format Error" box; printing goes on.
void PageLayout_Prepare(const PageLayoutInput& in, PageLayout* out);

// "&d" and "&t" of a viewed file from its last-write time (local time, seconds since 1970).
void Print_FormatFileStamp(int64_t localSeconds, char date[8], char time[6]);
