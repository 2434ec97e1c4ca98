// The directory tree of a directory window, and the separate trees Sum and delete deep read:
// fixed-size nodes in one growable block addressed by index, read one level at a time (or a
// whole subtree at once), collapsed with reuse of the released slots; the rows of the tree list
// worked out here so that the window only draws them; and the two walks over a read subtree.
#pragma once

#include <stdint.h>

constexpr int kTreePathMax = 260; // with its terminator
constexpr int kTreeVolumeTextMax = 64;
constexpr int kTreeRootIndent = 5;
constexpr int kTreeIndentStep = 20;
constexpr int32_t kTreeGrowStep = 16;
constexpr int32_t kTreeNoBound = -1;

extern const char kTextTreeNoMemory[]; // "Not Enough Memory for tree!"
extern const char kTextTreeNoLock[];   // "Could Not Lock Memory for tree!"

// 0 in firstChild and nextSibling means none: node 0 is the root and never a child. A released
// node is all zeros.
struct TreeNode {
    char path[kTreePathMax]; // root: as given; others: parent + separator + name, lower-cased,
                             // upper-cased when hidden or system
    int32_t hasSubdirs;      // meaningful when hasFiles is 0
    int32_t freeCount;       // node 0: entries in the free-index list
    int32_t highWater;       // node 0: the lowest index never used so far
    int32_t row;             // the node's row in the tree list
    int32_t indent;          // x of the row: 5 for the root, 20 more per level
    int32_t parent;          // -1 when the parent is node 0; 0 for the root itself
    int32_t firstChild;      // 0: not read yet, or no subdirectories
    int32_t nextSibling;
    int32_t ownIndex;
    int32_t hasFiles;
    int32_t isLink;    // a junction or symbolic link: walks and whole-subtree reads never enter it
    int32_t levelRead; // the directory was enumerated; fileCount and fileBytes are its files
    int32_t tooDeep;   // subdirectories left out because their paths would not fit
    int32_t fileCount;
    int64_t fileBytes;
    int32_t flagsLater; // hasFiles and hasSubdirs are still to be scanned (kTreeReadFlagsLater)
};

// One tree, owned by its caller (a directory window, or Sum and delete deep for the length of
// the operation). Zero-initialise it; nodes is null while there is no tree.
struct DirTree {
    TreeNode* nodes;
    int32_t capacity; // in nodes
    // The free-index list, kept beside the nodes rather than in node 0: a pointer does not fit
    // a node's 32-bit fields in the 64-bit build. Indices are taken from its end.
    int32_t* freeList;
    int32_t freeListCapacity;
    char volumeText[kTreeVolumeTextMax + 1]; // built whenever node 0 is read
    int32_t tooDeep; // directories left out of the last read: their paths would not fit
};

// The tree list as the tree sees it: the window maps it onto its list box, tests onto a vector.
// Each row's item data is a node index.
struct TreeRows {
    void* context;
    int (*count)(void* context);
    int (*insert)(void* context, int position, int32_t node); // 1, or 0 when it failed
    void (*remove)(void* context, int position);
    int32_t (*nodeAt)(void* context, int position);
    void (*select)(void* context, int position);
};

// How ReadTreeLevel prepares the tree.
enum TreeReadMode {
    kTreeReadSeparate = 0,        // a new block of 16 nodes; the path becomes node 0
    kTreeReadAgainDeleteRows = 1, // the path's node is collapsed, its rows deleted, and read again
    kTreeReadAgainKeepRows = 2,   // the same without touching the rows
    kTreeReadReset = 3,           // the block is reused: cleared, the path becomes node 0
};

enum TreeReadFlags {
    kTreeReadAbsolute = 1,     // else the path is appended to the current directory
    kTreeReadWholeSubtree = 2, // every directory below is read too, in pre-order
    // The new children's flags are left for DirTree_ScanLaterFlags: under Wine a look into a
    // directory reads all of it, so a window shows its tree first and settles the icons after.
    kTreeReadFlagsLater = 4,
};

// 1 when at least one subdirectory was added, else 0. When the path cannot be read (path not
// found, invalid drive, not ready, bad network path, error 101) the tree is released: nodes is
// null afterwards. rows is needed by kTreeReadAgainDeleteRows only.
int ReadTreeLevel(DirTree* tree, const char* path, TreeReadMode mode, int flags,
                  const TreeRows* rows);

// Frees the block and the free-index list; the record is zero afterwards.
void DirTree_Release(DirTree* tree);
// Checks that the tree's block is there before it is used: a window whose block is gone
// releases what is left and stops the program with "Could Not Lock Memory for tree!". 1 or 0.
int DirTree_Lock(DirTree* tree);
// Free and total bytes of the drive the tree's root lies on, in 64 bits. 1, or 0.
int DirTree_DiskSpace(const DirTree* tree, uint64_t* freeBytes, uint64_t* totalBytes);

// Releases the node's descendants (their rows deleted when rows is not null) and, with alsoNode,
// the node itself. 1, or 0 with the tree unchanged when there is no memory for the free-index
// list (or alsoNode names the root).
int CollapseNode(DirTree* tree, int32_t node, const TreeRows* rows, bool alsoNode);

// The pre-order successor, or -1; *indent follows it (+20 down, -20 per level up). With a
// bound (kTreeNoBound for none), the walk ends on reaching the bound, so a walk from a node's
// first child visits exactly that node's descendants.
int32_t NextNode(const DirTree* tree, int32_t node, int* indent, int32_t bound);
// The node with this path (case ignored), or -1.
int32_t FindNode(const DirTree* tree, const char* path);

// Makes the drive's current directory (0: the current drive's) the listing directory, lower-
// cased, and reads the tree down to it. rows: the rows of a re-read level are deleted, or null.
// 1 when the listing directory's node is in the tree afterwards, else 0. flags: 0 or
// kTreeReadFlagsLater.
int ExpandToPath(DirTree* tree, char drive, const TreeRows* rows, char* listingDir,
                 int listingDirSize, int flags);
// Scans the flags of up to `most` nodes whose flags were left for later, in tree order; the
// number scanned (0: none was waiting).
int DirTree_ScanLaterFlags(DirTree* tree, int most);

// ---- Rows of the tree list ------------------------------------------------------------------

enum TreeBitmap {
    kTreeBitmapFiles,   // "FilesBitmap"
    kTreeBitmapSubdirs, // "SubdirsBitmap"
    kTreeBitmapNoFiles, // "NoFilesBitmap"
};
// A node whose flags are still to be scanned shows files, the commonest case.
TreeBitmap TreeNode_Bitmap(const TreeNode* node);
// What a row shows: the root its path, every other node the last component of its path.
const char* TreeNode_Text(const DirTree* tree, int32_t node);

// Empties the list and adds a row for every node from node 0 in pre-order, setting rows and
// indents; selects the row whose path is listingDir (case ignored). The selected row, or -1.
int TreeRows_Fill(DirTree* tree, const TreeRows* rows, const char* listingDir);
// Inserts the rows of the node's descendants under its row and renumbers. The rows added.
int TreeRows_InsertSubtree(DirTree* tree, const TreeRows* rows, int32_t node);
// Sets every node's row from the list.
void TreeRows_Renumber(DirTree* tree, const TreeRows* rows);
// Takes a removed directory's node (and its rows) out of the tree and selects its parent's
// row. The parent's node, or -1 when the path is not in the tree (or is the root).
int32_t TreeRows_RemoveDir(DirTree* tree, const TreeRows* rows, const char* path);
// The top row after k rows were inserted under the row r, so that they show.
int TreeRows_TopAfterInsert(int top, int visibleRows, int r, int k);
// Type-ahead: the next row after `current`, wrapping to the top, whose name begins with c
// exactly; -1 when none does.
int TreeRows_TypeAhead(const DirTree* tree, const TreeRows* rows, int current, char c);

// ---- Walks ----------------------------------------------------------------------------------

enum WalkMode {
    kWalkSum,
    kWalkDelete,
};

// Reset by the caller before the walk.
struct WalkCounters {
    int32_t directories;
    int32_t files;
    uint64_t bytes;  // 64 bits: a subtree of more than 4 GB sums correctly
    int32_t links;   // junctions and symbolic links to directories, never entered
    int32_t tooDeep; // directories and files out of reach: their paths would not fit
    int32_t cancelled;
};

struct WalkOptions {
    bool confirmEachFile; // delete mode: ask "Delete?" for every file
    // Deletes one file: 0, or the system's error number. Null: Plat_DeleteFile.
    int (*deleteFile)(void* context, const char* path);
    void* context;
};

// Walks a tree read with kTreeReadWholeSubtree from the node: subdirectories before the node's
// own files, each counted; delete mode deletes the files and then the directory (a link as the
// link). 0 done; -1 on Cancel, a failed deletion, or anything left out for its path's length.
int WalkSubtree(DirTree* tree, int32_t node, WalkMode mode, WalkCounters* counters,
                const WalkOptions* options);

// Tests let the next succeedFirst allocations of the tree succeed and fail the failCount after.
void DirTree_FailAllocationsForTests(int succeedFirst, int failCount);
