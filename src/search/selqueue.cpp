#include "search/selqueue.h"

#include <stdlib.h>
#include <string.h>

SelectionQueue gSelQueue = {{}, 0, kQueueView, nullptr, false};

void SplitListEntry(const char* text, std::string* path, int64_t* line) {
    *line = 0;
    const size_t length = strlen(text);
    // Skip a drive's colon ("C:"): the separator comes after the drive.
    const char* mark = length > 2 ? strstr(text + 2, " :") : nullptr;
    if (!mark) {
        path->assign(text, length);
        return;
    }
    path->assign(text, (size_t)(mark - text));
    const char* number = mark + 2;
    while (*number == ' ')
        number++;
    char* end = nullptr;
    long long value = strtoll(number, &end, 10);
    if (end != number && *end == ':' && value > 0)
        *line = value;
}

void SelQueue_Set(const std::vector<std::string>& texts, const std::vector<int>& indexes,
                  const char* dirPrefix, QueueMode mode, void* list) {
    gSelQueue.entries.clear();
    gSelQueue.entries.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); i++) {
        QueuedEntry entry;
        SplitListEntry(texts[i].c_str(), &entry.path, &entry.line);
        if (dirPrefix && *dirPrefix)
            entry.path.insert(0, dirPrefix);
        entry.listIndex = i < indexes.size() ? indexes[i] : (int)i;
        gSelQueue.entries.push_back(std::move(entry));
    }
    gSelQueue.next = 0;
    gSelQueue.mode = mode;
    gSelQueue.list = list;
    gSelQueue.openAll = false;
}

bool SelQueue_Take(QueuedEntry* entry) {
    if (gSelQueue.next >= gSelQueue.entries.size())
        return false;
    *entry = gSelQueue.entries[gSelQueue.next++];
    return true;
}

bool SelQueue_HasNext() {
    return gSelQueue.next < gSelQueue.entries.size();
}

void SelQueue_Drop() {
    gSelQueue.entries.clear();
    gSelQueue.next = 0;
    gSelQueue.mode = kQueueView;
    gSelQueue.list = nullptr;
    gSelQueue.openAll = false;
}
