// What the core tests share: scratch files, a scripted user, and an engine built for a test.
#pragma once

#include <stdint.h>
#include <string>
#include <vector>

#include "shell/uiseam.h"
#include "viewer/engine.h"

// A scratch folder for the test program's files, removed file by file at exit.
std::string TestDir();
// Writes bytes to a new file in the scratch folder and returns its path.
std::string WriteTestFile(const std::string& name, const std::string& bytes);
void RemoveTestFile(const std::string& path);

// Stands in for the user: answers questions from a queue (Cancel when it runs dry) and records
// every question, fatal exit and busy cursor the core asked for.
struct AskedQuestion {
    std::string text;
    std::string caption; // "" for the system's default caption
    PromptButtons buttons;
    PromptIcon icon;
    int flags;
};

struct ScriptedUser {
    std::vector<int> answers;
    std::vector<AskedQuestion> asked;
    std::vector<std::string> fatalExits;
    int busyShown = 0; // one per block read
    int splashDismissed = 0;
};

// Installs the scripted user for the current test and removes it again when destroyed.
class ScopedScriptedUser {
  public:
    ScopedScriptedUser();
    ~ScopedScriptedUser();
    ScriptedUser& user;
};

// An engine of its own for one test, created with the given sizes and opened on a file.
struct TestEngine {
    ViewEngine engine;
    explicit TestEngine(const MemorySizes& sizes);
    ~TestEngine();
    ViewEngine* operator->() { return &engine; }
    ViewEngine* get() { return &engine; }
    // Sets the file and loads it like a view opened in text mode: 0 or -1.
    int Open(const std::string& path, int pageLines = 22);
    // Row r of the window as built by the last EnsureWindow ("" past the last row).
    std::string Row(int r) const;
};

// The smallest buffers the INI allows (R = 30720 bytes), so that small test files span blocks.
MemorySizes SmallSizes(int64_t blockPointers = 512);
// Lines of printable text, "line N" plus filler, each ending in "\n"; deterministic by seed.
std::string MakeTextLines(int count, unsigned seed, int minLength = 5, int maxLength = 120);
// Where each line of text begins (a line ends at "\n"; a last line without one counts).
std::vector<int64_t> LineStarts(const std::string& text);
std::vector<std::string> SplitAtNewlines(const std::string& text);
