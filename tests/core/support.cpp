#include "support.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "shell/platform.h"

namespace {

ScriptedUser* gUser = nullptr;

int ScriptedAsk(const PromptRequest* request) {
    AskedQuestion q = {request->text ? request->text : "",
                       request->caption ? request->caption : "", request->buttons, request->icon,
                       request->flags};
    gUser->asked.push_back(q);
    if (gUser->answers.empty())
        return kAnswerCancel;
    int answer = gUser->answers.front();
    gUser->answers.erase(gUser->answers.begin());
    return answer;
}

void* ScriptedBeginBusy(const char*) {
    gUser->busyShown++;
    return nullptr;
}

void ScriptedEndBusy(void*) {}

void ScriptedFatalExit(const char* text) {
    gUser->fatalExits.push_back(text);
}

void ScriptedDismissSplash() {
    gUser->splashDismissed++;
}

// Never freed: the exit handler that removes the files runs after static destructors may have.
std::vector<std::string>& CreatedFiles() {
    static std::vector<std::string>* files = new std::vector<std::string>;
    return *files;
}

void RemoveCreatedFiles() {
    for (const std::string& path : CreatedFiles())
        remove(path.c_str());
    std::string dir = TestDir();
    dir.pop_back();
#ifdef _WIN32
    RemoveDirectoryA(dir.c_str());
#else
    rmdir(dir.c_str());
#endif
}

} // namespace

std::string TestDir() {
    static std::string dir;
    if (dir.empty()) {
#ifdef _WIN32
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%sorvtest%lu", base, (unsigned long)GetCurrentProcessId());
        CreateDirectoryA(name, nullptr);
        dir = std::string(name) + "\\";
#else
        char name[] = "/tmp/orvtestXXXXXX";
        if (!mkdtemp(name))
            abort();
        dir = std::string(name) + "/";
#endif
        CreatedFiles();
        atexit(RemoveCreatedFiles);
    }
    return dir;
}

std::string WriteTestFile(const std::string& name, const std::string& bytes) {
    std::string path = TestDir() + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        abort();
    if (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        abort();
    fclose(f);
    CreatedFiles().push_back(path);
    return path;
}

void RemoveTestFile(const std::string& path) {
    remove(path.c_str());
}

ScopedScriptedUser::ScopedScriptedUser() : user(*new ScriptedUser) {
    gUser = &user;
    UiHooks hooks = {ScriptedAsk, ScriptedBeginBusy, ScriptedEndBusy, ScriptedFatalExit,
                     ScriptedDismissSplash};
    Ui_SetHooks(&hooks);
}

ScopedScriptedUser::~ScopedScriptedUser() {
    Ui_SetHooks(nullptr);
    gUser = nullptr;
    delete &user;
}

TestEngine::TestEngine(const MemorySizes& sizes) {
    if (!Engine_Create(&engine, sizes))
        abort();
}

TestEngine::~TestEngine() {
    Engine_Destroy(&engine);
}

int TestEngine::Open(const std::string& path, int pageLines) {
    if (!Engine_SetFile(&engine, path.c_str()))
        return -1;
    engine.pageLines = pageLines;
    return ResetEngine(&engine, false);
}

std::string TestEngine::Row(int r) const {
    for (int i = 0; i <= r; i++)
        if (engine.rowOffset[i] < 0)
            return "";
    return engine.displayText + engine.rowOffset[r];
}

MemorySizes SmallSizes(int64_t blockPointers) {
    return ComputeMemorySizes(256, blockPointers, 30720);
}

std::string MakeTextLines(int count, unsigned seed, int minLength, int maxLength) {
    std::string text;
    uint32_t state = seed * 2654435761u + 1;
    for (int i = 1; i <= count; i++) {
        state = state * 1664525u + 1013904223u;
        int length = minLength + (int)((state >> 8) % (uint32_t)(maxLength - minLength + 1));
        std::string line = "line " + std::to_string(i) + " ";
        while ((int)line.size() < length)
            line += (char)('a' + (line.size() * 7 + i) % 26);
        line.resize((size_t)length);
        text += line + "\n";
    }
    return text;
}

std::vector<int64_t> LineStarts(const std::string& text) {
    std::vector<int64_t> starts;
    size_t at = 0;
    while (at < text.size()) {
        starts.push_back((int64_t)at);
        size_t lf = text.find('\n', at);
        if (lf == std::string::npos)
            break;
        at = lf + 1;
    }
    return starts;
}

std::vector<std::string> SplitAtNewlines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t lf = text.find('\n', at);
        if (lf == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, lf - at));
        at = lf + 1;
    }
    return lines;
}
