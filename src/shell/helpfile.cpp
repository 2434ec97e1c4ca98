#include "shell/helpfile.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "platform/platform.h"

namespace {

const char kMagic[] = "ORVHELP 1 ";
const char kEndLine[] = "@end";

// A decimal number of at most 9 digits filling [p, end); false for anything else.
bool ParseNumber(const char* p, const char* end, uint32_t* value) {
    if (p == end || end - p > 9)
        return false;
    uint32_t v = 0;
    for (; p < end; p++) {
        if (*p < '0' || *p > '9')
            return false;
        v = v * 10 + (uint32_t)(*p - '0');
    }
    *value = v;
    return true;
}

// One paragraph's text into runs; links are collected into the topic. false when a link is
// not closed or does not name a context.
bool ParseRuns(const char* p, const char* end, HelpTopic* topic, HelpParagraph* paragraph) {
    std::string plain;
    while (p < end) {
        if (*p != '{') {
            if (*p == '\t' || (unsigned char)*p < ' ')
                return false; // the build writes no control characters
            plain += *p++;
            continue;
        }
        if (p + 1 < end && p[1] == '{') {
            plain += '{';
            p += 2;
            continue;
        }
        const char* bar = static_cast<const char*>(memchr(p, '|', (size_t)(end - p)));
        const char* close =
            bar ? static_cast<const char*>(memchr(bar, '}', (size_t)(end - bar))) : nullptr;
        uint32_t context = 0;
        if (!close || bar == p + 1 || !ParseNumber(bar + 1, close, &context) ||
            context > kHelpIndexContext)
            return false;
        if (!plain.empty())
            paragraph->runs.push_back({plain, -1});
        plain.clear();
        paragraph->runs.push_back({std::string(p + 1, bar), (int32_t)topic->links.size()});
        topic->links.push_back(context);
        p = close + 1;
    }
    if (!plain.empty())
        paragraph->runs.push_back({plain, -1});
    return true;
}

bool ParseParagraph(const char* p, const char* end, HelpTopic* topic) {
    HelpParagraph paragraph = {kHelpPlain, {}};
    if (p == end) {
        paragraph.kind = kHelpBlank;
    } else if (end - p >= 2 && p[0] == '-' && p[1] == ' ') {
        paragraph.kind = kHelpBullet;
        p += 2;
    } else if (end - p >= 2 && p[0] == '#' && p[1] == ' ') {
        paragraph.kind = kHelpHeading;
        p += 2;
    }
    if (!ParseRuns(p, end, topic, &paragraph))
        return false;
    topic->paragraphs.push_back(std::move(paragraph));
    return true;
}

// "@<context> <title>"
bool ParseTopicLine(const char* p, const char* end, HelpTopic* topic) {
    const char* space = static_cast<const char*>(memchr(p, ' ', (size_t)(end - p)));
    uint32_t context = 0;
    if (!space || !ParseNumber(p + 1, space, &context) || context == 0 ||
        context > kHelpIndexContext || space + 1 == end)
        return false;
    topic->context = context;
    topic->title.assign(space + 1, end);
    for (char c : topic->title)
        if ((unsigned char)c < ' ')
            return false;
    return true;
}

} // namespace

int HelpFile_Parse(const char* data, size_t size, HelpFile* out) {
    if (!data || size > kHelpFileMax)
        return 0;
    const char* const end = data + size;
    std::vector<std::pair<const char*, const char*>> lines;
    for (const char* p = data; p < end;) {
        const char* nl = static_cast<const char*>(memchr(p, '\n', (size_t)(end - p)));
        if (!nl)
            return 0; // every line of the build ends in a line end: this one was cut short
        const char* stop = nl > p && nl[-1] == '\r' ? nl - 1 : nl;
        lines.emplace_back(p, stop);
        p = nl + 1;
    }
    const size_t magic = sizeof kMagic - 1;
    uint32_t count = 0;
    if (lines.size() < 2 || (size_t)(lines[0].second - lines[0].first) <= magic ||
        memcmp(lines[0].first, kMagic, magic) != 0 ||
        !ParseNumber(lines[0].first + magic, lines[0].second, &count))
        return 0;
    const auto& last = lines.back();
    if ((size_t)(last.second - last.first) != sizeof kEndLine - 1 ||
        memcmp(last.first, kEndLine, sizeof kEndLine - 1) != 0)
        return 0;

    HelpFile file;
    for (size_t i = 1; i + 1 < lines.size(); i++) {
        const char* p = lines[i].first;
        const char* e = lines[i].second;
        if (p < e && *p == '@') {
            file.topics.push_back(HelpTopic{0, "", {}, {}});
            if (!ParseTopicLine(p, e, &file.topics.back()))
                return 0;
        } else if (file.topics.empty() || !ParseParagraph(p, e, &file.topics.back())) {
            return 0;
        }
    }
    if (file.topics.size() != count || count == 0)
        return 0;
    file.byContext.reserve(file.topics.size());
    for (uint32_t i = 0; i < (uint32_t)file.topics.size(); i++)
        file.byContext.emplace_back(file.topics[i].context, i);
    std::sort(file.byContext.begin(), file.byContext.end());
    for (size_t i = 1; i < file.byContext.size(); i++)
        if (file.byContext[i].first == file.byContext[i - 1].first)
            return 0; // two topics of one context
    for (const HelpTopic& topic : file.topics)
        for (uint32_t context : topic.links)
            if (!HelpFile_Find(file, context))
                return 0;
    *out = std::move(file);
    return 1;
}

HelpLoadResult HelpFile_Load(const char* path, HelpFile* out) {
    PlatFileInfo info = {};
    if (!Plat_GetFileInfo(path, &info) || (info.attributes & kPlatAttrDirectory))
        return kHelpMissing;
    if (info.size < 0 || info.size > (int64_t)kHelpFileMax)
        return kHelpDamaged;
    PlatFile* file = Plat_OpenRead(path);
    if (!file)
        return kHelpMissing;
    std::string bytes((size_t)info.size, '\0');
    const int64_t got = bytes.empty() ? 0 : Plat_Read(file, &bytes[0], info.size);
    Plat_Close(file);
    if (got != info.size || !HelpFile_Parse(bytes.data(), bytes.size(), out))
        return kHelpDamaged;
    return kHelpLoaded;
}

const HelpTopic* HelpFile_Find(const HelpFile& file, uint32_t context) {
    const auto at = std::lower_bound(file.byContext.begin(), file.byContext.end(),
                                     std::make_pair(context, 0u));
    if (at == file.byContext.end() || at->first != context)
        return nullptr;
    return &file.topics[at->second];
}

namespace {

// F1 on a highlighted menu item: the command and the topic about it.
const HelpMenuEntry kMenuTable[] = {
    {96, 103},   {97, 106},   {98, 108},   {99, 107},   {101, 100},  {102, 102},  {103, 109},
    {104, 120},  {105, 123},  {106, 124},  {107, 121},  {108, 122},  {109, 127},  {110, 126},
    {111, 128},  {115, 125},  {140, 104},  {141, 105},  {142, 97},   {143, 98},   {144, 99},
    {200, 130},  {201, 133},  {202, 134},  {203, 131},  {205, 132},  {220, 112},  {221, 114},
    {222, 115},  {223, 116},  {250, 150},  {251, 151},  {252, 152},  {253, 153},  {254, 155},
    {255, 154},  {330, 110},  {331, 111},  {332, 113},  {1000, 157}, {1001, 156}, {4001, 140},
    {4002, 141}, {4004, 142},
};

} // namespace

uint32_t Help_MenuContext(uint32_t command) {
    for (const HelpMenuEntry& entry : kMenuTable)
        if (entry.command == command)
            return entry.context;
    return 0;
}

const HelpMenuEntry* Help_MenuTable(int* count) {
    *count = (int)(sizeof kMenuTable / sizeof kMenuTable[0]);
    return kMenuTable;
}

// ---- Laying a topic out ----------------------------------------------------------------------

namespace {

struct Flow {
    HelpLayout* layout;
    int32_t width, indent, x, line;
    HelpMeasure measure;
    void* context;
};

void NewLine(Flow* flow) {
    flow->line++;
    flow->x = flow->indent;
}

void PlaceWord(Flow* flow, const std::string& word, int32_t link, bool bold, bool spaceAfter) {
    const int32_t w = flow->measure(flow->context, word.data(), (int32_t)word.size(), bold);
    if (flow->x > flow->indent && flow->x + w > flow->width)
        NewLine(flow);
    flow->layout->pieces.push_back({flow->line, flow->x, w, word, link, bold});
    flow->x += w;
    if (spaceAfter)
        flow->x += flow->measure(flow->context, " ", 1, bold);
}

// The runs of one paragraph, word by word.
void FlowRuns(Flow* flow, const std::vector<HelpRun>& runs, bool bold) {
    for (const HelpRun& run : runs) {
        size_t at = 0;
        const std::string& t = run.text;
        while (at < t.size()) {
            if (t[at] == ' ') {
                flow->x += flow->measure(flow->context, " ", 1, bold);
                at++;
                continue;
            }
            size_t stop = t.find(' ', at);
            if (stop == std::string::npos)
                stop = t.size();
            PlaceWord(flow, t.substr(at, stop - at), run.link, bold, false);
            at = stop;
        }
    }
}

} // namespace

HelpLayout HelpLayout_Build(const HelpTopic& topic, int32_t width, HelpMeasure measure,
                            void* context) {
    HelpLayout layout = {{}, 0};
    Flow flow = {&layout, width, 0, 0, 0, measure, context};
    FlowRuns(&flow, {{topic.title, -1}}, true);
    flow.line += 2; // the title, then a blank line
    for (const HelpParagraph& paragraph : topic.paragraphs) {
        flow.indent = 0;
        flow.x = 0;
        if (paragraph.kind == kHelpBullet) {
            PlaceWord(&flow, "-", -1, false, true);
            flow.indent = flow.x;
        }
        FlowRuns(&flow, paragraph.runs, paragraph.kind == kHelpHeading);
        flow.line++;
    }
    layout.lineCount = flow.line;
    return layout;
}

int32_t HelpLayout_LineOfLink(const HelpLayout& layout, int32_t link) {
    for (const HelpPiece& piece : layout.pieces)
        if (piece.link == link && link >= 0)
            return piece.line;
    return -1;
}

int32_t HelpLayout_LinkAt(const HelpLayout& layout, int32_t line, int32_t x) {
    for (const HelpPiece& piece : layout.pieces)
        if (piece.line == line && x >= piece.x && x < piece.x + piece.width)
            return piece.link;
    return -1;
}

// ---- Back ------------------------------------------------------------------------------------

void HelpHistory_Go(HelpHistory* history, uint32_t context, int32_t currentTopLine) {
    if (history->showing && history->current.context == context) {
        history->current.topLine = 0;
        return;
    }
    if (history->showing) {
        history->current.topLine = currentTopLine;
        history->back.push_back(history->current);
        if ((int)history->back.size() > kHelpHistoryMax)
            history->back.erase(history->back.begin());
    }
    history->current = {context, 0};
    history->showing = true;
}

bool HelpHistory_Back(HelpHistory* history) {
    if (history->back.empty())
        return false;
    history->current = history->back.back();
    history->back.pop_back();
    return true;
}
