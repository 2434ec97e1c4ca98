// ORV's help: the topics file "orv.hlp" (written by src/resources/help/build_help.py), read and
// checked whole before anything of it is shown; the table from menu commands to topics; the
// wrapping of a topic's text into lines; and the Back list of the help window.
//
// The file is text. The first line is "ORVHELP 1 <topics>"; each topic starts with a line
// "@<context> <title>" and runs to the next "@" line; the last line is "@end". Each line of a
// topic is one paragraph: "" a blank line, "- " a bulleted one, "# " a heading. A link is
// "{shown text|context}", and "{{" stands for a "{" of the text.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

constexpr uint32_t kHelpIndexContext = 0xFFFF;      // "&Index" and F1
constexpr uint32_t kHelpUsingContext = 0xFFFE;      // "&Using Help": the help window itself
constexpr uint32_t kHelpCommandsContext = 200;      // "&Commands"
constexpr uint32_t kHelpProceduresContext = 201;    // "&Procedures"
constexpr size_t kHelpFileMax = 1024 * 1024;        // a larger file is not ours
constexpr int kHelpHistoryMax = 64;                 // Back remembers this many topics

enum HelpParagraphKind { kHelpPlain, kHelpBullet, kHelpHeading, kHelpBlank };

// A stretch of a paragraph: plain text, or the text of link number `link` of its topic.
struct HelpRun {
    std::string text;
    int32_t link; // index into HelpTopic::links, -1 for plain text
};

struct HelpParagraph {
    HelpParagraphKind kind;
    std::vector<HelpRun> runs;
};

struct HelpTopic {
    uint32_t context;
    std::string title;
    std::vector<HelpParagraph> paragraphs;
    std::vector<uint32_t> links; // the context each link leads to, in the order they appear
};

struct HelpFile {
    std::vector<HelpTopic> topics;
    // (context, index into topics), sorted by context: built by HelpFile_Parse, so that a topic
    // is found without looking through all of them.
    std::vector<std::pair<uint32_t, uint32_t>> byContext;
};

enum HelpLoadResult { kHelpLoaded, kHelpMissing, kHelpDamaged };

// The topics of a whole file's bytes. 1, or 0 (out untouched) when anything in it is not as
// written by the build: a bad first or last line, a topic count that does not match, a context
// twice or out of range, a malformed link, a link to a topic the file does not have.
int HelpFile_Parse(const char* data, size_t size, HelpFile* out);
// Reads and parses the file at path.
HelpLoadResult HelpFile_Load(const char* path, HelpFile* out);
// The topic of a context, or null.
const HelpTopic* HelpFile_Find(const HelpFile& file, uint32_t context);

// The topic that F1 on a highlighted menu item shows for a command number; 0 for an item with
// no help of its own.
uint32_t Help_MenuContext(uint32_t command);
// Every command of that table with its context, for the checks of the built file.
struct HelpMenuEntry {
    uint32_t command, context;
};
const HelpMenuEntry* Help_MenuTable(int* count);

// ---- Laying a topic out ----------------------------------------------------------------------

// The width in pixels of text[0..length) in the plain or the bold face.
typedef int32_t (*HelpMeasure)(void* context, const char* text, int32_t length, bool bold);

// One word (or a word of a link) placed on a line.
struct HelpPiece {
    int32_t line, x, width;
    std::string text;
    int32_t link; // -1 for plain text
    bool bold;
};

struct HelpLayout {
    std::vector<HelpPiece> pieces; // in reading order
    int32_t lineCount;
};

// The topic's title as a heading, then its paragraphs wrapped at width (at least one word on a
// line, however narrow); a bullet's further lines start under its first word.
HelpLayout HelpLayout_Build(const HelpTopic& topic, int32_t width, HelpMeasure measure,
                            void* context);
// The first line showing link number `link`, or -1.
int32_t HelpLayout_LineOfLink(const HelpLayout& layout, int32_t link);
// The link under the point (line, x), or -1.
int32_t HelpLayout_LinkAt(const HelpLayout& layout, int32_t line, int32_t x);

// ---- Back ------------------------------------------------------------------------------------

struct HelpPlace {
    uint32_t context;
    int32_t topLine;
};

struct HelpHistory {
    std::vector<HelpPlace> back; // oldest first, at most kHelpHistoryMax
    HelpPlace current;
    bool showing;
};

// Goes to a topic: the one shown (with where it was scrolled to) is remembered for Back.
// Going to the topic already shown only scrolls it to the top.
void HelpHistory_Go(HelpHistory* history, uint32_t context, int32_t currentTopLine);
// Back to the topic before, where it was scrolled to. false when there is none.
bool HelpHistory_Back(HelpHistory* history);
