// Printing's portable side: margins, header and footer templates and their layout, the rows and
// pages a job's lines go to, the "Printer" keys of ORV32.INI, and a view's lines as printed.
#include <gtest/gtest.h>

#include <string.h>

#include "platform/platform.h"
#include "print/pagelayout.h"
#include "print/pager.h"
#include "print/printview.h"
#include "print/prnsettings.h"
#include "support.h"
#include "viewer/selcopy.h"

namespace {

// Every character is 10 units wide.
int32_t TenEach(void*, const char*, int32_t count) {
    return 10 * count;
}

std::string Piece(const PlacedTemplate& t, const TemplatePiece& p) {
    return p.count ? std::to_string(p.x) + ":" + std::string(t.text + p.start, (size_t)p.count)
                   : "-";
}

TEST(PageSetup, MarginsInThousandthsAndDeviceUnits) {
    const struct {
        const char* text;
        int64_t thousandths;
        int32_t at600;
    } cases[] = {
        {"1.5", 1500, 900},   {"0.25", 250, 150}, {"2.1234", 2123, 1273}, {"", 0, 0},
        {"abc", 0, 0},        {"3", 3000, 1800},  {".5", 500, 300},       {"1.05", 1050, 630},
        // 999999999 inches at 600 dpi: the product needs 64 bits before the division.
        {"999999999", INT64_C(999999999000), INT32_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Margin_Thousandths(c.text), c.thousandths) << c.text;
        EXPECT_EQ(Margin_DeviceOffset(c.text, 600), c.at600) << c.text;
    }
    // 9.999 inches at 300000 dpi overflows a 32-bit product, not the 64-bit one.
    EXPECT_EQ(Margin_DeviceOffset("9.999", 300000), 2999700);
}

TEST(PageSetup, TemplatesExpandAndPlace) {
    const PageRect body = {100, 0, 1099, 2000}; // centre 600
    const std::string wide = "&c" + std::string(120, 'W'), wideShown = "100:" + wide.substr(2);
    const struct {
        const char* text;
        const char* left;
        const char* centre;
        const char* right;
        int problems;
    } cases[] = {
        {"&lLeft&cMiddle&rRight", "100:Left", "570:Middle", "1049:Right", 0},
        {"&cX&lY", "-", "590:XY", "-", kFormatCodesOrder},
        {"Plain", "-", "575:Plain", "-", 0},
        {"A&rB&cC", "-", "585:ABC", "-", kFormatCodesOrder},
        {"&lLeft&r", "100:Left", "-", "-", kFormatCodeAtEnd},
        {"Before&rAfter", "100:Before", "-", "1049:After", 0},
        // Too wide for the body: it starts at the body's left edge.
        {wide.c_str(), "-", wideShown.c_str(), "-", 0},
    };
    for (const auto& c : cases) {
        PlacedTemplate t = {};
        strcpy(t.text, c.text);
        EXPECT_EQ(Template_Place(&t, body, TenEach, nullptr), c.problems) << c.text;
        EXPECT_EQ(Piece(t, t.left), c.left) << c.text;
        EXPECT_EQ(Piece(t, t.centre), c.centre) << c.text;
        EXPECT_EQ(Piece(t, t.right), c.right) << c.text;
    }

    const struct {
        const char* text;
        const char* expanded;
    } expansions[] = {
        {"&f on &d at &t", "ORV.TXT on 02Jan97 at 09:05"},
        {"&f&f", "ORV.TXTORV.TXT"},
        {"&x &p", "&x &p"},
    };
    for (const auto& c : expansions) {
        char text[kTemplateMax + 1];
        strcpy(text, c.text);
        Template_Expand(text, "ORV.TXT", "02Jan97", "09:05");
        EXPECT_STREQ(text, c.expanded);
    }
    // A replacement that would pass the limit leaves its code; shorter ones still happen.
    char text[kTemplateMax + 1];
    std::string longText = std::string(130, 'x') + "&f&d";
    strcpy(text, longText.c_str());
    Template_Expand(text, "0123456789", "02Jan97", "");
    EXPECT_EQ(std::string(text), std::string(130, 'x') + "&f02Jan97");

    char date[8], time[6];
    Print_FormatDate(2, 1, 1997, false, date);
    EXPECT_STREQ(date, "02Jan97");
    Print_FormatDate(2, 12, 2026, true, date);
    EXPECT_STREQ(date, " 2Dec26");
    Print_FormatTime(9, 5, time);
    EXPECT_STREQ(time, "09:05");
    Print_FormatFileStamp(852195900, date, time); // 1997-01-02 09:05 as local seconds
    EXPECT_STREQ(date, "02Jan97");
    EXPECT_STREQ(time, "09:05");
}

TEST(PageSetup, PageNumbersKeepTheWidth) {
    const struct {
        const char* text;
        int page;
        const char* shown;
    } cases[] = {
        {"Page   &p", 7, "Page    7"},  {"Page   &p", 1234, "Page 1234"},
        {"Page   &p", 42, "Page   42"}, {"&p-&p", 3, " 3- 3"},
        {"No&p", 100, "No&p"},           {"x", 5, "x"},
    };
    for (const auto& c : cases) {
        char out[kTemplateMax + 1];
        Template_PageText(c.text, c.page, out);
        EXPECT_STREQ(out, c.shown) << c.text << " page " << c.page;
    }
}

TEST(PageSetup, BodyNarrowsForHeaderAndFooter) {
    const struct {
        const char *header, *footer, *top, *bottom;
        PageRect body;
        int32_t headerY, footerY;
        size_t boxes;
    } cases[] = {
        {"", "", "", "", {0, 50, 1000, 2000}, 0, 0, 0},
        {"H", "F", "", "", {0, 90, 1000, 1960}, 50, 1960, 0},
        // Margins of more than a line leave the body where they put it.
        {"H", "F", "0.5", "0.5", {0, 350, 1000, 1700}, 50, 1960, 0},
        // A bottom margin beyond the page leaves the body at the frame's bottom edge.
        {"", "", "", "99", {0, 50, 1000, 2000}, 0, 0, 0},
        {"&cX&lY", "F&r", "", "", {0, 90, 1000, 1960}, 50, 1960, 2},
    };
    for (const auto& c : cases) {
        ScriptedUser user;
        PageLayoutInput in = {c.header, c.footer, "", c.top, c.bottom, 600, 600,
                              {0, 50, 1000, 2000}, 40, "F.TXT", "01Jan01", "00:00", TenEach,
                              nullptr};
        PageLayout layout;
        PageLayout_Prepare(in, &layout);
        EXPECT_EQ(layout.body.top, c.body.top) << c.header;
        EXPECT_EQ(layout.body.bottom, c.body.bottom) << c.header;
        EXPECT_EQ(layout.body.right, 1000);
        if (layout.hasHeader) {
            EXPECT_EQ(layout.header.y, c.headerY);
        }
        if (layout.hasFooter) {
            EXPECT_EQ(layout.footer.y, c.footerY);
        }
        EXPECT_EQ(user.asked.size(), c.boxes) << c.header;
    }
    ScriptedUser user;
    PageLayoutInput in = {"&lLeft&r", "", "", "", "", 600, 600, {0, 0, 1000, 2000}, 40, "", "",
                          "", TenEach, nullptr};
    PageLayout layout;
    PageLayout_Prepare(in, &layout);
    ASSERT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked[0].text, kTextCodesPrecede);
    EXPECT_EQ(user.asked[0].caption, "Format Error");
}

// A job's drawing as one line of text: "H1" header, "3:A" row 3, "F1" footer, "|" next page.
struct PagerLog {
    std::string log;
    int lines = 0, abortAfter = -1, failPages = 0;
};
void LogRow(void* c, int32_t row, const char* text, int32_t count) {
    static_cast<PagerLog*>(c)->log += std::to_string(row) + ":" + std::string(text, count) + " ";
}
void LogHeader(void* c, int32_t page) {
    static_cast<PagerLog*>(c)->log += "H" + std::to_string(page) + " ";
}
void LogFooter(void* c, int32_t page) {
    static_cast<PagerLog*>(c)->log += "F" + std::to_string(page) + " ";
}
int LogPage(void* c) {
    PagerLog* l = static_cast<PagerLog*>(c);
    l->log += "| ";
    return l->failPages-- > 0 ? -1 : 1;
}
int LogProgress(void* c) {
    PagerLog* l = static_cast<PagerLog*>(c);
    return ++l->lines == l->abortAfter;
}

TEST(Pager, RowsPagesAndNewPageCharacters) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        NewPageRule rule;
        bool list;
        bool range;
        int from, to;
        const char* log;
        int abortAfter = -1, failPages = 0;
    } cases[] = {
        {"three rows a page", {"a", "b", "c", "d"}, kNewPageFormFeed, false, false, 0, 0,
         "H1 1:a 2:b 3:c F1 | H2 1:d F2 "},
        {"a full last page feeds no empty one", {"a", "b", "c"}, kNewPageFormFeed, false, false,
         0, 0, "H1 1:a 2:b 3:c F1 "},
        {"A, form feed, B", {"A\fB", "c"}, kNewPageFormFeed, false, false, 0, 0,
         "H1 3:A F1 | H2 1:B 2:c F2 "},
        {"a form feed alone", {"a", "\f", "b"}, kNewPageFormFeed, false, false, 0, 0,
         "H1 1:a F1 | H2 1:b F2 "},
        {"form feeds not processed", {"A\fB"}, kNewPageColumnOne, false, false, 0, 0,
         "H1 1:A\fB F1 "},
        {"a list never starts pages", {"A\fB", "1x"}, kNewPageFormFeed, true, false, 0, 0,
         "H1 1:A\fB 2:1x F1 "},
        {"1 in column one", {"a", "1Title", "b"}, kNewPageColumnOne, false, false, 0, 0,
         "H1 1:a F1 | H2 1: Title 2:b F2 "},
        {"1 not processed", {"1Title"}, kNewPageNone, false, false, 0, 0, "H1 1:1Title F1 "},
        {"pages 2 to 3 of five",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"},
         kNewPageNone, false, true, 2, 3, "H2 1:4 2:5 3:6 F2 | H3 1:7 2:8 3:9 F3 "},
        {"cancelled after the second line", {"a", "b", "c"}, kNewPageNone, false, false, 0, 0,
         "H1 1:a 2:b ", 2},
        {"the device fails a new page", {"a", "b", "c", "d", "e"}, kNewPageNone, false, false,
         0, 0, "H1 1:a 2:b 3:c F1 | ", -1, 1},
    };
    for (const auto& c : cases) {
        PagerLog log;
        log.abortAfter = c.abortAfter;
        log.failPages = c.failPages;
        Pager p = {};
        p.cb = {&log, LogRow, LogHeader, LogFooter, LogPage, LogProgress};
        p.linesPerPage = 3;
        p.rule = c.rule;
        p.hasHeader = p.hasFooter = true;
        p.pageRange = c.range;
        p.fromPage = c.from;
        p.toPage = c.to;
        Pager_Start(&p);
        for (const std::string& line : c.lines)
            if (!Pager_Line(&p, line.data(), (int32_t)line.size(), !c.list))
                break;
        Pager_Finish(&p);
        EXPECT_EQ(log.log, c.log) << c.name;
    }
}

TEST(PrinterKeys, ParseLoadAndSave) {
    const struct {
        const char *value, *device, *driver, *port;
    } cases[] = {
        {"PDF, winspool, CUPS:PDF", "PDF", "winspool", "CUPS:PDF"},
        {"HP LaserJet 4,HPPCL5MS LPT1:", "HP LaserJet 4", "HPPCL5MS", "LPT1:"},
        {"Lonely", "Lonely", "", ""},
    };
    for (const auto& c : cases) {
        PrinterNames n;
        EXPECT_EQ(Printer_ParseNames(c.value, &n), 1);
        EXPECT_STREQ(n.device, c.device);
        EXPECT_STREQ(n.driver, c.driver);
        EXPECT_STREQ(n.port, c.port);
    }

    Plat_ResetProfileForTests();
    PrinterNames names;
    PrinterFont font = {};
    int32_t orientation = 0;
    EXPECT_EQ(Printer_LoadKeys(&names, &font, &orientation), 0);
    EXPECT_EQ(orientation, 1);
    EXPECT_EQ(font.face[0], 0);

    Printer_ParseNames("PDF, winspool, CUPS:PDF", &names);
    font = PrinterFont{"Courier New", 120, 1, 0};
    ASSERT_EQ(Printer_SaveKeys(&names, font, 2), 1);
    EXPECT_EQ(ProfileValue("Printer", "Printer"), "PDF, winspool, CUPS:PDF");
    EXPECT_EQ(ProfileValue("Printer", "Font"), "Courier New(12,bold)");
    EXPECT_EQ(ProfileValue("Printer", "Orientation"), "2");

    PrinterFont loaded = {};
    ASSERT_EQ(Printer_LoadKeys(&names, &loaded, &orientation), 1);
    EXPECT_STREQ(loaded.face, "Courier New");
    EXPECT_EQ(loaded.tenths, 120);
    EXPECT_EQ(orientation, 2);

    Printer_RemoveFontKey();
    EXPECT_EQ(ProfileKeys("Printer"), (std::vector<std::string>{"Printer", "Orientation"}));
}

struct Fed {
    std::vector<std::string> lines;
    size_t stopAt = 0;
};
int Feed(void* c, int64_t, const char* text, int32_t count) {
    Fed* f = static_cast<Fed*>(c);
    f->lines.emplace_back(text, (size_t)count);
    return f->lines.size() != f->stopAt;
}

TEST(PrintView, LinesAsTheViewShowsThem) {
    std::string f;
    for (int i = 1; i <= 60; i++)
        f += "L" + std::to_string(i) + "\tx\r\n";
    const std::string path = WriteTestFile("print_view.txt", f);
    TestEngine e;
    ASSERT_EQ(e.Open(path, 10), 0);
    ASSERT_EQ(e.MoveTo(20), 0);

    PrintViewRange all;
    PrintView_AllRange(&all);
    Fed fed;
    EXPECT_EQ(PrintView_Walk(&e, all, Feed, &fed), 60);
    ASSERT_EQ(fed.lines.size(), 60u);
    EXPECT_EQ(fed.lines[0], "L1      x");
    EXPECT_EQ(fed.lines[59], "L60     x");
    EXPECT_EQ(e.file.topLine, 20); // the view's place is kept

    const struct {
        ViewSelection sel;
        std::vector<std::string> lines;
    } cases[] = {
        {{12, 14, 2, 0, kSelectionLines}, {"L12     x", "L13     x", "L14     x"}},
        {{14, 12, 3, 9, kSelectionRange}, {"x", "L13     x", "L14"}},
        {{5, 5, 9, 2, kSelectionRange}, {"5      x"}},
        {{59, 59, 2, -1, kSelectionRange}, {"59     x"}},
    };
    for (const auto& c : cases) {
        PrintViewRange range;
        ASSERT_EQ(PrintView_SelectionRange(c.sel, &range), 1);
        Fed part;
        PrintView_Walk(&e, range, Feed, &part);
        EXPECT_EQ(part.lines, c.lines) << c.sel.fromLine;
    }
    ViewSelection none = {0, 0, 0, 0, kSelectionNone};
    PrintViewRange range;
    EXPECT_EQ(PrintView_SelectionRange(none, &range), 0);

    // Hex mode prints the hex rows.
    ASSERT_EQ(e.Open(path, 10, kHex), 0);
    Fed hex;
    hex.stopAt = 2;
    PrintView_Walk(&e, all, Feed, &hex);
    ASSERT_EQ(hex.lines.size(), 2u);
    EXPECT_EQ(hex.lines[0], HexRow(0, f.substr(0, 16), false));
}

} // namespace
