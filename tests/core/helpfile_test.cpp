// The help topics file as the help window reads it: what a sound file gives, every kind of
// damage refused, the wrapping of a topic, Back, the menu's table, and the file the build makes.
#include <gtest/gtest.h>

#include <string>

#include "shell/helpfile.h"
#include "support.h"

namespace {

const char kSound[] = "ORVHELP 1 2\n"
                      "@65535 Index\n"
                      "See {Find|130} and {{braces}.\n"
                      "\n"
                      "- a bullet\n"
                      "# Heading\n"
                      "@130 Find\r\n"
                      "Back to the {Index|65535}.\n"
                      "@end\n";

TEST(HelpFile, ReadsTopicsParagraphsAndLinks) {
    HelpFile file;
    ASSERT_EQ(1, HelpFile_Parse(kSound, sizeof kSound - 1, &file));
    ASSERT_EQ(2u, file.topics.size());
    const HelpTopic* index = HelpFile_Find(file, kHelpIndexContext);
    ASSERT_TRUE(index);
    EXPECT_EQ("Index", index->title);
    ASSERT_EQ(4u, index->paragraphs.size());
    const auto& runs = index->paragraphs[0].runs;
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ("See ", runs[0].text);
    EXPECT_EQ("Find", runs[1].text);
    EXPECT_EQ(0, runs[1].link);
    EXPECT_EQ(" and {braces}.", runs[2].text);
    EXPECT_EQ(std::vector<uint32_t>{130}, index->links);
    EXPECT_EQ(kHelpBlank, index->paragraphs[1].kind);
    EXPECT_EQ(kHelpBullet, index->paragraphs[2].kind);
    EXPECT_EQ(kHelpHeading, index->paragraphs[3].kind);
    EXPECT_EQ("Find", HelpFile_Find(file, 130)->title); // a CR before the line end is dropped
    EXPECT_EQ(nullptr, HelpFile_Find(file, 131));
}

struct Damage {
    const char* name;
    const char* find; // replaced in kSound
    const char* with;
};
const Damage kDamages[] = {
    {"Empty", kSound, ""},
    {"NotOurs", "ORVHELP 1", "WINHELP 1"},
    {"NewerVersion", "ORVHELP 1", "ORVHELP 2"},
    {"CountTooHigh", "ORVHELP 1 2", "ORVHELP 1 3"},
    {"CountNotANumber", "ORVHELP 1 2", "ORVHELP 1 x"},
    {"NoEndLine", "@end\n", ""},
    {"CutInTheLastLine", "@end\n", "@end"},
    {"CutInATopic", "Back to the {Index|65535}.\n@end\n", "Back to the {Ind"},
    {"TwoTopicsOneContext", "@130 Find", "@65535 Find"},
    {"ContextZero", "@130 Find", "@0 Find"},
    {"ContextTooLarge", "@130 Find", "@65536 Find"},
    {"ContextTooLong", "@130 Find", "@1234567890123 Find"},
    {"NoTitle", "@130 Find", "@130"},
    {"LinkNowhere", "{Find|130}", "{Find|131}"},
    {"LinkNotClosed", "{Find|130}", "{Find|130"},
    {"LinkWithoutContext", "{Find|130}", "{Find|}"},
    {"LinkWithoutText", "{Find|130}", "{|130}"},
    {"LinkContextNotANumber", "{Find|130}", "{Find|1x0}"},
    {"BarInLinkText", "{Find|130}", "{Fi|nd|130}"}, // build_help.py refuses such link text
    {"TextBeforeAnyTopic", "@65535 Index\n", "stray\n@65535 Index\n"},
    {"ControlCharacter", "a bullet", "a\x01 bullet"},
};

class HelpFileDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(HelpFileDamage, IsRefusedAndLeavesTheTopicsAlone) {
    std::string bytes = kSound;
    const size_t at = bytes.find(GetParam().find);
    ASSERT_NE(std::string::npos, at);
    bytes.replace(at, strlen(GetParam().find), GetParam().with);
    HelpFile file;
    file.topics.push_back(HelpTopic{7, "kept", {}, {}});
    EXPECT_EQ(0, HelpFile_Parse(bytes.data(), bytes.size(), &file));
    ASSERT_EQ(1u, file.topics.size());
    EXPECT_EQ("kept", file.topics[0].title);
}

INSTANTIATE_TEST_SUITE_P(HelpFile, HelpFileDamage, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                             return std::string(info.param.name);
                         });

TEST(HelpFile, LoadSaysMissingOrDamaged) {
    HelpFile file;
    EXPECT_EQ(kHelpMissing, HelpFile_Load((TestDir() + "no-such.hlp").c_str(), &file));
    EXPECT_EQ(kHelpMissing, HelpFile_Load(TestDir().c_str(), &file)); // a folder
    EXPECT_EQ(kHelpDamaged,
              HelpFile_Load(WriteTestFile("cut.hlp", "ORVHELP 1 1\n@1 A\n").c_str(), &file));
    EXPECT_EQ(kHelpDamaged, HelpFile_Load(WriteTestFile("big.hlp", std::string(kHelpFileMax + 1,
                                                                               'x')).c_str(),
                                          &file));
    EXPECT_EQ(kHelpLoaded, HelpFile_Load(WriteTestFile("good.hlp", kSound).c_str(), &file));
    EXPECT_EQ(2u, file.topics.size());
}

// The most topics the contexts allow, and a damaged file of 100,000 topic lines (under 1 MiB):
// read or refused in the time of a test, where one topic looked up against all the others
// takes billions of comparisons.
TEST(HelpFile, EveryContextAndAHundredThousandTopicLinesGoThroughQuickly) {
    std::string all = "ORVHELP 1 65535\n";
    for (uint32_t context = kHelpIndexContext; context >= 1; context--) {
        all += "@" + std::to_string(context) + " T\n";
        if (context % 64 == 0) // a link down to the next topic, and one up to the index
            all += "{down|" + std::to_string(context - 1) + "} {up|65535}\n";
    }
    all += "@end\n";
    ASSERT_LE(all.size(), kHelpFileMax);
    HelpFile file;
    ASSERT_EQ(kHelpLoaded, HelpFile_Load(WriteTestFile("all.hlp", all).c_str(), &file));
    ASSERT_EQ(65535u, file.topics.size());
    for (uint32_t context : {1u, 2u, 640u, 641u, 65534u, 65535u}) {
        const HelpTopic* topic = HelpFile_Find(file, context);
        ASSERT_TRUE(topic) << context;
        EXPECT_EQ(context, topic->context);
    }
    EXPECT_EQ(nullptr, HelpFile_Find(file, 0));
    EXPECT_EQ(nullptr, HelpFile_Find(file, 65536));

    // Every context once, then again: the first one twice is damage.
    std::string twice = "ORVHELP 1 100000\n";
    for (uint32_t i = 0; i < 100000; i++)
        twice += "@" + std::to_string(i % 65535 + 1) + " T\n";
    twice += "@end\n";
    ASSERT_LE(twice.size(), kHelpFileMax);
    EXPECT_EQ(kHelpDamaged, HelpFile_Load(WriteTestFile("twice.hlp", twice).c_str(), &file));
    EXPECT_EQ(65535u, file.topics.size()); // the file read before stays
}

// Every character 10 pixels wide, bold ones 12.
int32_t Fixed(void*, const char*, int32_t length, bool bold) {
    return length * (bold ? 12 : 10);
}

std::string LinesOf(const HelpLayout& layout) {
    std::string out;
    int line = 0;
    for (const HelpPiece& p : layout.pieces) {
        for (; line < p.line; line++)
            out += "|";
        out += std::to_string(p.x) + ":" + p.text + (p.link >= 0 ? "*" : "") + " ";
    }
    return out;
}

TEST(HelpLayout, WrapsWordsHangsBulletsAndFindsLinks) {
    HelpTopic topic = {1, "Title", {}, {42}};
    topic.paragraphs.push_back({kHelpPlain, {{"one two ", -1}, {"three four", 0}}});
    topic.paragraphs.push_back({kHelpBullet, {{"aa bb ccc", -1}}});
    topic.paragraphs.push_back({kHelpPlain, {{"averyveryverylongword x", -1}}});
    const HelpLayout layout = HelpLayout_Build(topic, 100, Fixed, nullptr);
    EXPECT_EQ("0:Title ||"                                   // the title in bold, a blank line
              "0:one 40:two |0:three* 60:four* |"           // a link wraps with its words
              "0:- 20:aa 50:bb |20:ccc |"                    // under the bullet's first word
              "0:averyveryverylongword |0:x ",              // a word wider than the line
              LinesOf(layout));
    EXPECT_EQ(8, layout.lineCount);
    EXPECT_EQ(3, HelpLayout_LineOfLink(layout, 0));
    EXPECT_EQ(-1, HelpLayout_LineOfLink(layout, 1));
    EXPECT_EQ(0, HelpLayout_LinkAt(layout, 3, 65));
    EXPECT_EQ(-1, HelpLayout_LinkAt(layout, 3, 55)); // the space between the words
    EXPECT_EQ(-1, HelpLayout_LinkAt(layout, 2, 5));
}

TEST(HelpHistory, BackReturnsWhereEachTopicWasScrolled) {
    HelpHistory h = {};
    EXPECT_FALSE(HelpHistory_Back(&h));
    HelpHistory_Go(&h, 10, 0);
    HelpHistory_Go(&h, 20, 7); // topic 10 was scrolled to line 7
    HelpHistory_Go(&h, 20, 3); // the same topic again: back to its top, nothing remembered
    EXPECT_EQ(0, h.current.topLine);
    EXPECT_EQ(1u, h.back.size());
    ASSERT_TRUE(HelpHistory_Back(&h));
    EXPECT_EQ(10u, h.current.context);
    EXPECT_EQ(7, h.current.topLine);
    EXPECT_FALSE(HelpHistory_Back(&h));
    for (uint32_t c = 100; c < 100 + 2 * kHelpHistoryMax; c++)
        HelpHistory_Go(&h, c, 0);
    EXPECT_EQ((size_t)kHelpHistoryMax, h.back.size());
}

TEST(HelpMenu, ItemsWithAndWithoutATopic) {
    const std::pair<uint32_t, uint32_t> kCases[] = {
        {96, 103}, {101, 100}, {142, 97}, {255, 154}, {1001, 156}, {4004, 142},
        {80, 0},   {100, 0},   {126, 0},  {4005, 0},  {4100, 0},   {300, 0},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.second, Help_MenuContext(c.first)) << c.first;
    int count = 0;
    Help_MenuTable(&count);
    EXPECT_EQ(44, count);
}

#ifdef ORV_BUILT_HELP_FILE
// The orv.hlp of this build tree has a topic, with some words in it, for everything ORV asks for.
TEST(HelpBuiltFile, HasATopicForEveryContextAsked) {
    HelpFile file;
    ASSERT_EQ(kHelpLoaded, HelpFile_Load(ORV_BUILT_HELP_FILE, &file));
    std::vector<uint32_t> wanted = {kHelpIndexContext, kHelpUsingContext, kHelpCommandsContext,
                                    kHelpProceduresContext, 225, 226};
    int count = 0;
    const HelpMenuEntry* table = Help_MenuTable(&count);
    for (int i = 0; i < count; i++)
        wanted.push_back(table[i].context);
    for (uint32_t context : wanted) {
        const HelpTopic* topic = HelpFile_Find(file, context);
        ASSERT_TRUE(topic) << context;
        size_t letters = 0;
        for (const HelpParagraph& paragraph : topic->paragraphs)
            for (const HelpRun& run : paragraph.runs)
                letters += run.text.size();
        EXPECT_GE(letters, 60u) << context;
    }
}
#endif

} // namespace
