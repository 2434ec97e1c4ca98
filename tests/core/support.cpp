#include "support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <utime.h>
#endif

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>

#include "platform/platform.h"

static ScriptedUser* gUser = nullptr;

std::string TestDir() {
    // Never freed: the exit handler that removes the folder runs after static destructors may.
    static const std::string* dir = [] {
        namespace fs = std::filesystem;
        const fs::path base = fs::temp_directory_path();
        fs::path path;
        for (int i = 0; !fs::create_directory(path = base / ("orvtest" + std::to_string(i)));)
            i++;
        atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(TestDir(), ignored);
        });
        return new std::string((path / "").string());
    }();
    return *dir;
}

std::string WriteTestFile(const std::string& name, const std::string& bytes) {
    const std::string path = TestDir() + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        abort();
    fclose(f);
    return path;
}

void PrintTo(const AskedQuestion& q, std::ostream* out) {
    *out << "{\"" << q.text << "\", \"" << q.caption << "\", buttons " << q.buttons << ", icon "
         << q.icon << ", flags " << q.flags << "}";
}

ScriptedUser::ScriptedUser() {
    gUser = this;
    UiHooks hooks = {};
    hooks.ask = [](const PromptRequest* q) {
        gUser->asked.push_back(
            {q->text ? q->text : "", q->caption ? q->caption : "", q->buttons, q->icon, q->flags});
        int answer = gUser->answers.empty() ? kAnswerCancel : gUser->answers.front();
        if (!gUser->answers.empty())
            gUser->answers.erase(gUser->answers.begin());
        return answer;
    };
    hooks.beginBusy = [](const char*) -> void* {
        gUser->busyShown++;
        return nullptr;
    };
    hooks.fatalExit = [](const char* text) { gUser->fatalExits.push_back(text); };
    hooks.dismissSplash = [] { gUser->splashDismissed++; };
    hooks.pendingInput = [](int) {
        gUser->pendingChecks++;
        bool waiting = !gUser->pendingInput.empty() && gUser->pendingInput.front();
        if (!gUser->pendingInput.empty())
            gUser->pendingInput.erase(gUser->pendingInput.begin());
        return waiting;
    };
    hooks.askReplace = [] {
        gUser->replacePrompts++;
        int answer = gUser->replaceAnswers.empty() ? kAnswerCancel : gUser->replaceAnswers.front();
        if (!gUser->replaceAnswers.empty())
            gUser->replaceAnswers.erase(gUser->replaceAnswers.begin());
        return answer;
    };
    hooks.closeFindDialog = [] { gUser->findDialogClosed++; };
    Ui_SetHooks(&hooks);
}

ScriptedUser::~ScriptedUser() {
    Ui_SetHooks(nullptr);
    gUser = nullptr;
}

MemorySizes SmallSizes(int64_t blockPointers) {
    return ComputeMemorySizes(256, blockPointers, 30720);
}

TestEngine::TestEngine(const MemorySizes& sizes) {
    if (!Engine_Create(this, sizes))
        abort();
}

TestEngine::~TestEngine() {
    Engine_Destroy(this);
}

void TestEngine::SetView(int view) {
    settings.hexMode = (view & kHex) != 0;
    settings.binaryMode = (view & kBinary) != 0;
    settings.all256Chars = (view & kAll256) != 0;
    settings.crIsNewLine = (view & kCrIsNewLine) != 0;
    showCrLf = (view & kShowCrLf) != 0;
    settings.stripBit7 = (view & kStripBit7) != 0;
}

int TestEngine::Open(const std::string& path, int page, int view) {
    if (!Engine_SetFile(this, path.c_str()))
        return -1;
    SetView(view);
    pageLines = page;
    return ResetEngine(this, false);
}

int TestEngine::MoveTo(int64_t top) {
    file.topLine = top;
    return EnsureWindow(this, false);
}

std::string TestEngine::Row(int r) const {
    for (int i = 0; i <= r; i++)
        if (rowOffset[i] < 0)
            return "";
    return displayText + rowOffset[r];
}

void ExpectWindow(TestEngine& e, const std::vector<std::string>& rows, int64_t top) {
    ASSERT_EQ(e.file.topLine, top);
    for (int r = 0; r <= e.pageLines; r++) {
        size_t i = (size_t)(top - 1 + r);
        ASSERT_EQ(e.Row(r), i < rows.size() ? rows[i] : "") << "row " << r << " at top " << top;
    }
}

void ShowEach(TestEngine& e, const std::vector<std::string>& rows, int64_t from, int64_t to,
              int64_t step) {
    for (int64_t top = from; step > 0 ? top <= to : top >= to; top += step) {
        ASSERT_EQ(e.MoveTo(top), 0) << "top " << top;
        ASSERT_NO_FATAL_FAILURE(ExpectWindow(e, rows, top));
    }
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

std::string RandomBytes(size_t size, unsigned seed, const std::string& alphabet) {
    std::string s(size, 0);
    uint32_t state = seed * 2654435761u + 7;
    for (char& c : s) {
        state = state * 1664525u + 1013904223u;
        uint32_t v = state >> 16;
        c = alphabet.empty() ? (char)v : alphabet[v % alphabet.size()];
    }
    return s;
}

std::string HexRow(uint64_t offset, const std::string& bytes, bool all256) {
    char text[32];
    snprintf(text, sizeof text, "%08llx", (unsigned long long)offset);
    std::string row = text, chars;
    row.resize(std::max<size_t>(row.size(), 10), ' ');
    for (size_t i = 0; i < 16; i++) {
        const bool in = i < bytes.size();
        const unsigned char b = in ? (unsigned char)bytes[i] : 0;
        if (i == 8)
            row += bytes.size() >= 8 ? "- " : "  ";
        snprintf(text, sizeof text, "%02x ", b);
        row += in ? text : "   ";
        if (all256)
            chars += in && b >= 0x01 && b <= 0x7F ? (char)b : ' ';
        else
            chars += !in ? ' ' : b >= 0x20 && b <= 0x7E ? (char)b : '.';
    }
    return row + " " + chars;
}

std::string Expand(const std::string& line, int tabSpacing, int lineLength) {
    int ts = tabSpacing < 1 ? 1 : tabSpacing;
    std::string out;
    for (char c : line) {
        if (c == '\t' && (int)out.size() < lineLength)
            out.append((size_t)std::min(ts - (int)out.size() % ts, lineLength), ' ');
        else
            out += c;
    }
    if (!out.empty() && out.back() == '\r')
        out.pop_back();
    return out;
}

std::vector<std::string> ModelRows(const std::string& f, int view, int tabSpacing,
                                   std::vector<int64_t>* starts) {
    std::vector<std::string> rows;
    for (size_t at = 0; at < f.size();) {
        if (starts)
            starts->push_back((int64_t)at);
        if (view & kHex) {
            rows.push_back(HexRow(at, f.substr(at, 16), view & kAll256));
            at += 16;
        } else if (!(view & kBinary)) { // a text line ends at a line feed
            size_t lf = std::min(f.find('\n', at), f.size());
            rows.push_back(Expand(f.substr(at, lf - at), tabSpacing));
            at = lf + 1;
        } else {
            // A binary row ends after a line feed (or, with kCrIsNewLine, a carriage return)
            // among its next 77 bytes, else after 77 bytes. NULs show as blanks, and a last row
            // without a line end is padded to 77 characters.
            std::string row = f.substr(at, 77);
            size_t end = row.find('\n');
            if (end == std::string::npos && (view & kCrIsNewLine))
                end = row.find('\r');
            const bool lineEnd = end != std::string::npos;
            row.resize(lineEnd ? end + 1 : row.size());
            at += row.size();
            std::replace(row.begin(), row.end(), '\0', ' ');
            if (lineEnd && !(view & kShowCrLf)) {
                const bool lf = row.back() == '\n';
                row.pop_back();
                if (lf && !row.empty() && row.back() == '\r')
                    row.pop_back();
            } else if (!lineEnd && at == f.size()) {
                row.resize(77, ' ');
            }
            rows.push_back(row);
        }
    }
    return rows;
}

std::vector<int64_t> RowStarts(const std::string& f, int view) {
    std::vector<int64_t> starts;
    ModelRows(f, view, 8, &starts);
    return starts;
}

int64_t RowAtOrAfter(const std::vector<int64_t>& starts, int64_t offset) {
    return std::lower_bound(starts.begin(), starts.end(), offset) - starts.begin() + 1;
}

std::vector<std::string> ProfileKeys(const char* section) {
    std::vector<char> list(65536);
    int length = Plat_GetProfileString(section, nullptr, "", list.data(), (int)list.size());
    std::vector<std::string> keys;
    for (int at = 0; at < length && list[at]; at += (int)keys.back().size() + 1)
        keys.emplace_back(&list[at]);
    return keys;
}

std::string ProfileValue(const char* section, const char* key) {
    std::vector<char> text(4096);
    Plat_GetProfileString(section, key, "<absent>", text.data(), (int)text.size());
    return text.data();
}

// Seconds since 1970 UTC that Plat_ToLocalTime shows as this local time, found by stepping
// from the same wall-clock time read as UTC: stable in any time zone, with or without DST.
int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
    auto civil = [](int64_t y, int64_t m, int64_t d, int64_t h, int64_t mi, int64_t s) {
        y -= m <= 2;
        const int64_t era = (y >= 0 ? y : y - 399) / 400;
        const int64_t yoe = y - era * 400;
        const int64_t doy = (153 * ((m + 9) % 12) + 2) / 5 + d - 1;
        const int64_t days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
        return days * 86400 + h * 3600 + mi * 60 + s;
    };
    const int64_t wanted = civil(year, month, day, hour, minute, second);
    int64_t t = wanted;
    for (int i = 0; i < 4; i++) {
        PlatLocalTime l;
        EXPECT_EQ(Plat_ToLocalTime(t, &l), 1);
        const int64_t shown = civil(l.year, l.month, l.day, l.hour, l.minute, l.second);
        if (shown == wanted)
            break;
        t -= shown - wanted;
    }
    return t;
}

void SetModified(const std::string& path, int64_t seconds) {
#ifdef _WIN32
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const uint64_t ticks = (uint64_t)(seconds + INT64_C(11644473600)) * 10000000;
    FILETIME ft = {(DWORD)ticks, (DWORD)(ticks >> 32)};
    ASSERT_TRUE(SetFileTime(h, NULL, NULL, &ft));
    CloseHandle(h);
#else
    struct utimbuf times = {(time_t)seconds, (time_t)seconds};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
#endif
}
