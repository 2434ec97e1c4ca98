// The selection queue: the files chosen in a list (search results or a directory's file list)
// that "&Next" then opens one at a time, in the list's order.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// What "&Next" does with each queued file.
enum QueueMode { kQueueView, kQueueEdit, kQueueLaunch };

struct QueuedEntry {
    std::string path; // the entry's text up to its line number, if it carries one
    int64_t line; // the line a search result names; 0 for none
    int listIndex; // where the entry stands in its list
};

struct SelectionQueue {
    std::vector<QueuedEntry> entries;
    size_t next; // the entry "&Next" opens next
    QueueMode mode;
    void* list; // the list the entries were chosen in (its selection is cleared as Next goes on)
    bool openAll; // taken with Enter: "&Open/Dir..." opens every one of them at once
};

extern SelectionQueue gSelQueue;

// A list entry is a path, or a search result's line "path :%6ld: text": the path and the line
// (0 when the entry names none). A path never holds a colon past its drive, so the first " :"
// after the drive ends it, whatever the line's own text holds.
void SplitListEntry(const char* text, std::string* path, int64_t* line);

// Replaces the queue with the texts of the selected entries (each with its list index), every
// path prefixed by dirPrefix (a directory list's entries are bare names).
void SelQueue_Set(const std::vector<std::string>& texts, const std::vector<int>& indexes,
                  const char* dirPrefix, QueueMode mode, void* list);
// The next entry to open, or false when the queue is used up.
bool SelQueue_Take(QueuedEntry* entry);
bool SelQueue_HasNext();
void SelQueue_Drop();
