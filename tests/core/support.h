// What the core tests share: scratch files, a scripted user, an engine built for a test, and the
// rows a window must show, worked out from a file's bytes alone.
#pragma once

#include <stdint.h>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/uiseam.h"
#include "viewer/engine.h"

// A scratch folder of the test program's own, removed with its files at exit.
std::string TestDir();
// Writes bytes to a new file in the scratch folder and returns its path.
std::string WriteTestFile(const std::string& name, const std::string& bytes);

// What the settings file holds: a section's keys in the file's order, and one key's value
// ("<absent>" when it has none).
std::vector<std::string> ProfileKeys(const char* section);
std::string ProfileValue(const char* section, const char* key);

struct AskedQuestion {
    std::string text;
    std::string caption; // "" for the system's default caption
    PromptButtons buttons;
    PromptIcon icon;
    int flags;
    bool operator==(const AskedQuestion& o) const {
        return text == o.text && caption == o.caption && buttons == o.buttons && icon == o.icon &&
               flags == o.flags;
    }
};
void PrintTo(const AskedQuestion& q, std::ostream* out);

// Stands in for the user while it lives (one at a time): answers questions from a queue (Cancel
// when it runs dry) and records every question, fatal exit and busy cursor the core asked for.
struct ScriptedUser {
    std::vector<int> answers;
    std::vector<AskedQuestion> asked;
    std::vector<std::string> fatalExits;
    int busyShown = 0; // one per walk through the file that reads
    int splashDismissed = 0;
    // The pending-input checks answer from this queue (nothing waiting once it runs dry).
    std::vector<bool> pendingInput;
    int pendingChecks = 0;
    // The replace prompts answer from this queue (Cancel once it runs dry).
    std::vector<int> replaceAnswers;
    int replacePrompts = 0;
    int findDialogClosed = 0;
    ScriptedUser();
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
};

// The smallest buffers the INI allows (R = 30720 bytes), so that small test files span blocks.
MemorySizes SmallSizes(int64_t blockPointers = 512);

// How a view splits and shows its rows: text when neither kHex nor kBinary.
constexpr int kHex = 1, kBinary = 2, kAll256 = 4, kCrIsNewLine = 8, kShowCrLf = 16, kStripBit7 = 32;

// An engine of its own for one test, with a scripted user of its own.
struct TestEngine : ViewEngine {
    ScriptedUser user;
    explicit TestEngine(const MemorySizes& sizes = SmallSizes());
    ~TestEngine();
    // Sets the view flags as the menu does, without splitting the file again.
    void SetView(int view);
    // Sets the file and loads it like a view opened with these flags: 0 or -1.
    int Open(const std::string& path, int page = 22, int view = 0);
    // Moves the top line and builds the window: EnsureWindow's result.
    int MoveTo(int64_t top);
    // Row r of the window as built last ("" past the last row).
    std::string Row(int r) const;
};

// Checks that the window stands at `top` and shows rows[top - 1] on ("" past the end).
void ExpectWindow(TestEngine& e, const std::vector<std::string>& rows, int64_t top);
// Moves the window to from, from + step, ... up to `to`, checking each window.
void ShowEach(TestEngine& e, const std::vector<std::string>& rows, int64_t from, int64_t to,
              int64_t step = 1);

// Lines of printable text, "line N" plus filler, each ending in "\n"; deterministic by seed.
std::string MakeTextLines(int count, unsigned seed, int minLength = 5, int maxLength = 120);
// Bytes drawn from the alphabet (every byte value when it is empty); deterministic by seed.
std::string RandomBytes(size_t size, unsigned seed, const std::string& alphabet = "");

// A hex row the way a reader of the screen expects it, built with printf alone.
std::string HexRow(uint64_t offset, const std::string& bytes, bool all256);
// A text row: tabs expanded while the column is below LineLength, no tab wider than LineLength,
// a carriage return at the end dropped.
std::string Expand(const std::string& line, int tabSpacing, int lineLength = 256);
// The rows of a file (text without NULs) as a view with these flags must show them, and where
// each begins; RowAtOrAfter is the 1-based first row beginning at or after an offset.
std::vector<std::string> ModelRows(const std::string& f, int view = 0, int tabSpacing = 8,
                                   std::vector<int64_t>* starts = nullptr);
std::vector<int64_t> RowStarts(const std::string& f, int view = 0);
int64_t RowAtOrAfter(const std::vector<int64_t>& starts, int64_t offset);

// Seconds since 1970 UTC that Plat_ToLocalTime shows as this local time, found by stepping
// from the same wall-clock time read as UTC: stable in any time zone, with or without DST.
int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second = 0);
// Sets a file's last-write time.
void SetModified(const std::string& path, int64_t seconds);
