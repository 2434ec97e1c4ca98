// The directory tree: one block of fixed-size nodes addressed by index, so that growing the
// block never invalidates the tree list, which keeps node indices as its rows' item data.
#include "lister/dirtree.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "lister/dirsnap.h"
#include "shell/asciitext.h"
#include "platform/platform.h"
#include "platform/uiseam.h"

const char kTextTreeNoMemory[] = "Not Enough Memory for tree!";
const char kTextTreeNoLock[] = "Could Not Lock Memory for tree!";

namespace {

const char kTextDeleteCaption[] = "Delete?";
constexpr int kPendingEvery = 32; // directory entries between two discards of waiting input

int gAllocationsBeforeFailing = 0;
int gFailAllocations = 0;

void* TreeRealloc(void* block, size_t bytes) {
    if (gFailAllocations > 0 && gAllocationsBeforeFailing-- <= 0) {
        gFailAllocations--;
        return nullptr;
    }
    return realloc(block, bytes);
}

bool IsSeparator(char c) {
    return c == kPlatDirSeparator || c == '/';
}

bool EndsWithSeparator(const char* path) {
    size_t n = strlen(path);
    return n > 0 && IsSeparator(path[n - 1]);
}

bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

int CompareCaseBlind(const char* a, const char* b) {
    for (;; a++, b++) {
        unsigned char x = (unsigned char)LowerAscii(*a);
        unsigned char y = (unsigned char)LowerAscii(*b);
        if (x != y || x == 0)
            return (int)x - (int)y;
    }
}

// dir + separator + name into dest; the separator is left out after a root such as c:\.
// 1, or 0 when the result would not fit in kTreePathMax (nothing is cut).
int JoinPath(char* dest, const char* dir, const char* name) {
    size_t dirLength = strlen(dir);
    size_t separator = dirLength > 0 && IsSeparator(dir[dirLength - 1]) ? 0 : 1;
    size_t nameLength = strlen(name);
    if (dirLength + separator + nameLength >= (size_t)kTreePathMax)
        return 0;
    memmove(dest, dir, dirLength);
    if (separator)
        dest[dirLength] = kPlatDirSeparator;
    memcpy(dest + dirLength + separator, name, nameLength + 1);
    return 1;
}

// The index of the node's parent; node 0's children say -1 because 0 means "none" in links.
int32_t ParentOf(const DirTree* tree, int32_t node) {
    int32_t parent = tree->nodes[node].parent;
    return parent == -1 ? 0 : parent;
}

bool ValidNode(const DirTree* tree, int32_t node) {
    return tree->nodes && node >= 0 && node < tree->nodes[0].highWater &&
           (node == 0 || tree->nodes[node].ownIndex == node);
}

// ---- The block and the free-index list --------------------------------------------------------

int NewBlock(DirTree* tree) {
    TreeNode* nodes = (TreeNode*)TreeRealloc(nullptr, kTreeGrowStep * sizeof(TreeNode));
    if (!nodes) {
        Ui_FatalExit(kTextTreeNoMemory);
        return 0;
    }
    memset(nodes, 0, kTreeGrowStep * sizeof(TreeNode));
    tree->nodes = nodes;
    tree->capacity = kTreeGrowStep;
    return 1;
}

int GrowBlock(DirTree* tree) {
    int32_t capacity = tree->capacity + kTreeGrowStep;
    TreeNode* nodes = (TreeNode*)TreeRealloc(tree->nodes, (size_t)capacity * sizeof(TreeNode));
    if (!nodes) {
        Ui_FatalExit(kTextTreeNoMemory);
        return 0;
    }
    memset(nodes + tree->capacity, 0, kTreeGrowStep * sizeof(TreeNode));
    tree->nodes = nodes;
    tree->capacity = capacity;
    return 1;
}

void FreeFreeList(DirTree* tree) {
    free(tree->freeList);
    tree->freeList = nullptr;
    tree->freeListCapacity = 0;
    if (tree->nodes)
        tree->nodes[0].freeCount = 0;
}

// Released slots first, most recently released first; then the high-water index.
int32_t PeekIndex(const DirTree* tree) {
    const TreeNode& root = tree->nodes[0];
    return root.freeCount > 0 ? tree->freeList[root.freeCount - 1] : root.highWater;
}

void TakeIndex(DirTree* tree) {
    TreeNode& root = tree->nodes[0];
    if (root.freeCount > 0) {
        if (--root.freeCount == 0)
            FreeFreeList(tree);
    } else {
        root.highWater++;
    }
}

// ---- Reading ----------------------------------------------------------------------------------

struct ReadState {
    DirTree* tree;
    bool wholeSubtree;
    int entries; // directory entries seen, for the input discards
    int added;
    bool outOfMemory;
    bool flagsLater;
    // The child that is read next in any case: its flags are not scanned first. Under Wine the
    // first entry of a directory costs a read of all of it.
    const char* readNext;
};

// Has files / has subdirectories of a directory that is not read itself (a lazily read child).
void ScanFlags(TreeNode* node) {
    char pattern[kTreePathMax + 8];
    if (!JoinPath(pattern, node->path, "*.*"))
        return;
    PlatDirEntry entry;
    int error = 0;
    PlatDirScan* scan = Plat_FindFirst(pattern, &entry, &error);
    if (!scan)
        return;
    do {
        if (!(entry.attributes & kPlatAttrDirectory)) {
            node->hasFiles = 1;
            break;
        }
        if (!IsDotName(entry.name))
            node->hasSubdirs = 1;
    } while (Plat_FindNext(scan, &entry));
    Plat_FindClose(scan);
}

// Adds one subdirectory entry of `parent` as its child after `last`. The new index, 0 when the
// entry was left out (its path would not fit), -1 when the block cannot grow.
int32_t AddChild(ReadState* s, int32_t parent, int32_t last, const PlatDirEntry& entry) {
    DirTree* tree = s->tree;
    char name[kPlatNameMax];
    bool upper = (entry.attributes & (kPlatAttrHidden | kPlatAttrSystem)) != 0;
    size_t k = 0;
    for (; entry.name[k] && k < sizeof name - 1; k++)
        name[k] = upper ? UpperAscii(entry.name[k]) : LowerAscii(entry.name[k]);
    name[k] = 0;

    char path[kTreePathMax];
    if (!JoinPath(path, tree->nodes[parent].path, name)) {
        tree->nodes[parent].tooDeep++;
        tree->tooDeep++;
        return 0;
    }
    int32_t index = PeekIndex(tree);
    while (index >= tree->capacity - 2) {
        if (!GrowBlock(tree)) {
            s->outOfMemory = true;
            return -1;
        }
    }
    TakeIndex(tree);

    TreeNode* node = &tree->nodes[index];
    memset(node, 0, sizeof *node);
    memcpy(node->path, path, sizeof path);
    node->parent = parent == 0 ? -1 : parent;
    node->ownIndex = index;
    node->indent = tree->nodes[parent].indent + kTreeIndentStep;
    node->isLink = (entry.attributes & kPlatAttrLink) ? 1 : 0;
    if (last == 0)
        tree->nodes[parent].firstChild = index;
    else
        tree->nodes[last].nextSibling = index;
    // A whole-subtree read learns each directory's flags when it reads that directory; a link
    // it never enters keeps none.
    if (!s->wholeSubtree && !(s->readNext && EqualsCaseBlind(path, s->readNext))) {
        if (s->flagsLater)
            node->flagsLater = 1;
        else
            ScanFlags(node);
    }
    s->added++;
    return index;
}

// Merge sort of a chain of siblings by path, case ignored; no memory needed.
int32_t SortChain(TreeNode* nodes, int32_t head, int32_t length) {
    if (length < 2) {
        if (head)
            nodes[head].nextSibling = 0;
        return head;
    }
    int32_t half = length / 2;
    int32_t middle = head;
    for (int32_t k = 1; k < half; k++)
        middle = nodes[middle].nextSibling;
    int32_t second = nodes[middle].nextSibling;
    nodes[middle].nextSibling = 0;
    int32_t a = SortChain(nodes, head, half);
    int32_t b = SortChain(nodes, second, length - half);
    int32_t first = 0, tail = 0;
    while (a || b) {
        int32_t take;
        if (!b || (a && CompareCaseBlind(nodes[a].path, nodes[b].path) <= 0)) {
            take = a;
            a = nodes[a].nextSibling;
        } else {
            take = b;
            b = nodes[b].nextSibling;
        }
        if (tail)
            nodes[tail].nextSibling = take;
        else
            first = take;
        tail = take;
    }
    nodes[tail].nextSibling = 0;
    return first;
}

// Enumerates one directory: its own flags and file tally, and a child node for every
// subdirectory, sorted. 0, or the error of a directory that cannot be enumerated.
int ReadLevel(ReadState* s, int32_t index) {
    DirTree* tree = s->tree;
    char pattern[kTreePathMax + 8];
    if (!JoinPath(pattern, tree->nodes[index].path, "*.*"))
        return kPlatErrPathNotFound;
    // A window listing the directory next replays what is read here.
    const bool keep = !s->wholeSubtree && DirSnapshot_Begin(tree->nodes[index].path);
    PlatDirEntry entry;
    int error = 0;
    PlatDirScan* scan = Plat_FindFirst(pattern, &entry, &error);
    if (!scan) {
        if (keep)
            DirSnapshot_End(false);
        return error ? error : kPlatErrFileNotFound;
    }

    int32_t hasFiles = 0, hasSubdirs = 0, files = 0, children = 0, last = 0;
    int64_t bytes = 0;
    bool wholeLevel = true;
    do {
        if (keep)
            DirSnapshot_Add(entry);
        if (!(entry.attributes & kPlatAttrDirectory)) {
            hasFiles = 1;
            files++;
            bytes += entry.size;
            continue;
        }
        if (IsDotName(entry.name))
            continue;
        hasSubdirs = 1;
        // A long read must not leave keys and clicks to act once it is over.
        if (++s->entries % kPendingEvery == 0)
            while (Ui_PendingInput(kPendingKey | kPendingClick)) {
            }
        int32_t child = AddChild(s, index, last, entry);
        if (child < 0) {
            wholeLevel = false;
            break;
        }
        if (child > 0) {
            last = child;
            children++;
        }
    } while (Plat_FindNext(scan, &entry));
    Plat_FindClose(scan);
    if (keep)
        DirSnapshot_End(wholeLevel);

    TreeNode* node = &tree->nodes[index];
    node->hasFiles = hasFiles;
    node->hasSubdirs = hasSubdirs;
    node->fileCount = files;
    node->fileBytes = bytes;
    node->levelRead = 1;
    node->flagsLater = 0;
    node->firstChild = SortChain(tree->nodes, node->firstChild, children);
    return 0;
}

bool ReleasesTree(int error) {
    return error == kPlatErrPathNotFound || error == kPlatErrInvalidDrive ||
           error == kPlatErrNotReady || error == kPlatErrBadNetPath || error == 101;
}

// "c:\" (a drive root) or the root path as the tree was given it.
bool IsFloppyRoot(const char* path) {
    char drive = LowerAscii(path[0]);
    return (drive == 'a' || drive == 'b') && path[1] == ':' &&
           (path[2] == 0 || (IsSeparator(path[2]) && path[3] == 0));
}

void AppendBounded(char* text, const char* more) {
    size_t used = strlen(text);
    size_t room = (size_t)kTreeVolumeTextMax - used;
    size_t n = strlen(more);
    if (n > room)
        n = room;
    memcpy(text + used, more, n);
    text[used + n] = 0;
}

// The volume text of the window: remote name, " [" file system "]", " - " label. 1 when the
// volume information was read.
int BuildVolumeText(DirTree* tree, const char* path) {
    char* text = tree->volumeText;
    text[0] = 0;
    char root[kTreePathMax];
    if (!Plat_DriveRoot(path, root, sizeof root))
        return 0;
    if (Plat_DriveType(root) == kPlatDriveRemote && root[1] == ':') {
        char remote[kTreeVolumeTextMax + 1];
        if (Plat_RemoteName(root[0], remote, sizeof remote))
            AppendBounded(text, remote);
    }
    char label[kTreePathMax], fileSystem[kTreePathMax];
    if (!Plat_VolumeInfo(root, label, sizeof label, fileSystem, sizeof fileSystem))
        return 0;
    AppendBounded(text, " [");
    AppendBounded(text, fileSystem);
    AppendBounded(text, "]");
    if (label[0]) {
        AppendBounded(text, " - ");
        AppendBounded(text, label);
    }
    return 1;
}

// The path as the tree keeps it: an absolute one as given, else under the current directory.
int ResolvePath(const char* path, bool absolute, char* dest) {
    if (absolute) {
        if (strlen(path) >= (size_t)kTreePathMax)
            return 0;
        strcpy(dest, path);
        return 1;
    }
    char current[kTreePathMax];
    if (!Plat_GetCurrentDir(0, current, sizeof current))
        return 0;
    return JoinPath(dest, current, path);
}

} // namespace

// ---- Reading a level ---------------------------------------------------------------------------

namespace {

int ReadTowards(DirTree* tree, const char* path, TreeReadMode mode, int flags,
                const TreeRows* rows, const char* readNext) {
    char full[kTreePathMax];
    bool again = mode == kTreeReadAgainDeleteRows || mode == kTreeReadAgainKeepRows;
    if (!ResolvePath(path, (flags & kTreeReadAbsolute) != 0, full)) {
        if (!again)
            DirTree_Release(tree);
        return 0;
    }

    int32_t start = 0;
    if (again) {
        start = tree->nodes ? FindNode(tree, full) : -1;
        if (start < 0)
            return 0;
        // Without memory for the free-index list the level stays as it was: reading it again
        // over its old children would show them twice.
        if (!CollapseNode(tree, start, mode == kTreeReadAgainDeleteRows ? rows : nullptr, false))
            return 0;
    } else {
        if (mode == kTreeReadReset && tree->nodes) {
            FreeFreeList(tree);
            memset(tree->nodes, 0, (size_t)tree->capacity * sizeof(TreeNode));
        } else {
            DirTree_Release(tree);
            if (!NewBlock(tree))
                return 0;
        }
        tree->tooDeep = 0;
        TreeNode* root = &tree->nodes[0];
        memcpy(root->path, full, sizeof full);
        root->highWater = 1;
        root->indent = kTreeRootIndent;
    }

    int volumeRead = 0;
    if (start == 0)
        volumeRead = BuildVolumeText(tree, full);

    ReadState s = {tree, (flags & kTreeReadWholeSubtree) != 0, 0, 0, false,
                   (flags & kTreeReadFlagsLater) != 0, readNext};
    int error = ReadLevel(&s, start);
    if (error) {
        // An empty floppy has no entries at all, not even "." and "..".
        bool emptyFloppy = start == 0 && volumeRead && IsFloppyRoot(full);
        // A window's tree stays when one of its directories has gone: the node just shows no
        // subdirectories, and the window can go on.
        if (!again && !emptyFloppy && ReleasesTree(error)) {
            DirTree_Release(tree);
            return 0;
        }
        return 0;
    }
    if (s.wholeSubtree) {
        int indent = 0;
        for (int32_t n = NextNode(tree, start, &indent, start); n != -1 && !s.outOfMemory;
             n = NextNode(tree, n, &indent, start)) {
            if (!tree->nodes[n].isLink)
                ReadLevel(&s, n);
        }
    }
    return s.added > 0 ? 1 : 0;
}

} // namespace

int ReadTreeLevel(DirTree* tree, const char* path, TreeReadMode mode, int flags,
                  const TreeRows* rows) {
    return ReadTowards(tree, path, mode, flags, rows, nullptr);
}

void DirTree_Release(DirTree* tree) {
    free(tree->freeList);
    free(tree->nodes);
    memset(tree, 0, sizeof *tree);
}

int DirTree_Lock(DirTree* tree) {
    if (tree->nodes)
        return 1;
    DirTree_Release(tree);
    Ui_FatalExit(kTextTreeNoLock);
    return 0;
}

int DirTree_DiskSpace(const DirTree* tree, uint64_t* freeBytes, uint64_t* totalBytes) {
    char root[kTreePathMax];
    if (!tree->nodes || !Plat_DriveRoot(tree->nodes[0].path, root, sizeof root))
        return 0;
    return Plat_DiskSpace(root, freeBytes, totalBytes);
}

void DirTree_FailAllocationsForTests(int succeedFirst, int failCount) {
    gAllocationsBeforeFailing = succeedFirst;
    gFailAllocations = failCount;
}

// ---- Collapsing, walking, finding -------------------------------------------------------------

int CollapseNode(DirTree* tree, int32_t node, const TreeRows* rows, bool alsoNode) {
    if (!ValidNode(tree, node) || (alsoNode && node == 0))
        return 0;
    TreeNode* nodes = tree->nodes;
    if (nodes[node].firstChild == 0 && !alsoNode)
        return 1;

    // Room for every node of the tree first, so that nothing changes when there is none.
    int32_t highWater = nodes[0].highWater;
    if (tree->freeListCapacity < highWater) {
        int32_t capacity = highWater + nodes[0].freeCount;
        int32_t* list = (int32_t*)TreeRealloc(tree->freeList, (size_t)capacity * sizeof(int32_t));
        if (!list)
            return 0;
        tree->freeList = list;
        tree->freeListCapacity = capacity;
    }
    int32_t* list = tree->freeList;
    int32_t count = nodes[0].freeCount;
    const int32_t firstReleased = count;

    if (int32_t first = nodes[node].firstChild) {
        // The descendants' rows follow the node's row, so they all come out at the first
        // child's row in turn.
        int32_t firstRow = nodes[first].row;
        for (int32_t n = first; n != -1; n = NextNode(tree, n, nullptr, node)) {
            // A level read before the list was filled has no rows to lose.
            if (rows && firstRow > 0 && firstRow < rows->count(rows->context))
                rows->remove(rows->context, firstRow);
            list[count++] = n;
        }
        nodes[node].firstChild = 0;
    }
    if (alsoNode) {
        int32_t parent = ParentOf(tree, node);
        if (nodes[parent].firstChild == node) {
            nodes[parent].firstChild = nodes[node].nextSibling;
        } else {
            int32_t before = nodes[parent].firstChild;
            while (before && nodes[before].nextSibling != node)
                before = nodes[before].nextSibling;
            if (before)
                nodes[before].nextSibling = nodes[node].nextSibling;
        }
        if (nodes[parent].firstChild == 0)
            nodes[parent].hasSubdirs = 0;
        if (rows && nodes[node].row > 0 && nodes[node].row < rows->count(rows->context))
            rows->remove(rows->context, nodes[node].row);
        list[count++] = node;
    }
    for (int32_t k = firstReleased; k < count; k++)
        memset(&nodes[list[k]], 0, sizeof(TreeNode));
    nodes[0].freeCount = count;
    if (rows)
        TreeRows_Renumber(tree, rows);
    return 1;
}

int32_t NextNode(const DirTree* tree, int32_t node, int* indent, int32_t bound) {
    const TreeNode* nodes = tree->nodes;
    int ignored = 0;
    if (!indent)
        indent = &ignored;
    if (nodes[node].firstChild) {
        *indent += kTreeIndentStep;
        return nodes[node].firstChild;
    }
    for (;;) {
        if (node == bound)
            return -1;
        if (nodes[node].nextSibling)
            return nodes[node].nextSibling;
        if (node == 0)
            return -1;
        node = ParentOf(tree, node);
        *indent -= kTreeIndentStep;
    }
}

int32_t FindNode(const DirTree* tree, const char* path) {
    if (!tree->nodes)
        return -1;
    for (int32_t n = 0; n != -1; n = NextNode(tree, n, nullptr, kTreeNoBound))
        if (EqualsCaseBlind(tree->nodes[n].path, path))
            return n;
    return -1;
}

int ExpandToPath(DirTree* tree, char drive, const TreeRows* rows, char* listingDir,
                 int listingDirSize, int flags) {
    flags = kTreeReadAbsolute | (flags & kTreeReadFlagsLater);
    char target[kTreePathMax];
    if (!tree->nodes || !Plat_GetCurrentDir(drive, target, sizeof target))
        return 0;
    for (char* p = target; *p; p++)
        *p = LowerAscii(*p);
    if (listingDirSize > 0)
        snprintf(listingDir, (size_t)listingDirSize, "%s", target);

    TreeReadMode mode = rows ? kTreeReadAgainDeleteRows : kTreeReadAgainKeepRows;
    if (FindNode(tree, target) >= 0) {
        ReadTreeLevel(tree, target, mode, flags, rows);
        return tree->nodes && FindNode(tree, target) >= 0;
    }

    // Down from the root one component at a time: each level is read before the next one can
    // be found in it.
    const char* rootPath = tree->nodes[0].path;
    size_t rootLength = strlen(rootPath);
    size_t length = strlen(target);
    char prefix[kTreePathMax];
    memcpy(prefix, target, rootLength < length ? rootLength : length);
    prefix[rootLength < length ? rootLength : length] = 0;
    if (length <= rootLength || !EqualsCaseBlind(prefix, rootPath))
        return 0;
    size_t at = rootLength;
    if (!EndsWithSeparator(rootPath)) {
        if (!IsSeparator(target[at]))
            return 0;
        at++;
    }
    for (;;) {
        while (at < length && !IsSeparator(target[at]))
            at++;
        memcpy(prefix, target, at);
        prefix[at] = 0;
        if (FindNode(tree, prefix) < 0)
            return 0;
        size_t nextAt = at + 1;
        while (nextAt < length && !IsSeparator(target[nextAt]))
            nextAt++;
        char next[kTreePathMax];
        memcpy(next, target, nextAt < length ? nextAt : length);
        next[nextAt < length ? nextAt : length] = 0;
        int added = ReadTowards(tree, prefix, mode, flags, rows,
                                at < length ? next : nullptr);
        if (!tree->nodes || at >= length || !added)
            break;
        at++;
    }
    return tree->nodes && FindNode(tree, target) >= 0;
}

int DirTree_ScanLaterFlags(DirTree* tree, int most) {
    int scanned = 0;
    for (int32_t n = tree->nodes ? 0 : -1; n != -1 && scanned < most;
         n = NextNode(tree, n, nullptr, kTreeNoBound)) {
        TreeNode* node = &tree->nodes[n];
        if (node->flagsLater) {
            ScanFlags(node);
            node->flagsLater = 0;
            scanned++;
        }
    }
    return scanned;
}

// ---- Rows ---------------------------------------------------------------------------------------

TreeBitmap TreeNode_Bitmap(const TreeNode* node) {
    if (node->hasFiles || node->flagsLater)
        return kTreeBitmapFiles;
    return node->hasSubdirs ? kTreeBitmapSubdirs : kTreeBitmapNoFiles;
}

const char* TreeNode_Text(const DirTree* tree, int32_t node) {
    const char* path = tree->nodes[node].path;
    if (node == 0)
        return path;
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (IsSeparator(*p) && p[1])
            name = p + 1;
    return name;
}

int TreeRows_Fill(DirTree* tree, const TreeRows* rows, const char* listingDir) {
    for (int n = rows->count(rows->context); n > 0; n--)
        rows->remove(rows->context, n - 1);
    int indent = kTreeRootIndent;
    int row = 0, selected = -1;
    for (int32_t n = 0; n != -1; n = NextNode(tree, n, &indent, kTreeNoBound)) {
        tree->nodes[n].row = row;
        tree->nodes[n].indent = indent;
        rows->insert(rows->context, row, n);
        if (selected < 0 && listingDir && EqualsCaseBlind(tree->nodes[n].path, listingDir))
            selected = row;
        row++;
    }
    if (selected >= 0)
        rows->select(rows->context, selected);
    return selected;
}

int TreeRows_InsertSubtree(DirTree* tree, const TreeRows* rows, int32_t node) {
    if (!ValidNode(tree, node))
        return 0;
    int indent = tree->nodes[node].indent;
    int position = tree->nodes[node].row;
    int added = 0;
    for (int32_t n = NextNode(tree, node, &indent, node); n != -1;
         n = NextNode(tree, n, &indent, node)) {
        tree->nodes[n].indent = indent;
        if (rows->insert(rows->context, ++position, n))
            added++;
        else
            position--;
    }
    TreeRows_Renumber(tree, rows);
    return added;
}

void TreeRows_Renumber(DirTree* tree, const TreeRows* rows) {
    int count = rows->count(rows->context);
    for (int r = 0; r < count; r++) {
        int32_t n = rows->nodeAt(rows->context, r);
        if (ValidNode(tree, n))
            tree->nodes[n].row = r;
    }
}

int32_t TreeRows_RemoveDir(DirTree* tree, const TreeRows* rows, const char* path) {
    int32_t node = FindNode(tree, path);
    if (node <= 0)
        return -1;
    int32_t parent = ParentOf(tree, node);
    if (!CollapseNode(tree, node, rows, true))
        return -1;
    if (rows)
        rows->select(rows->context, tree->nodes[parent].row);
    return parent;
}

// The new rows are r + 1 .. r + k; rows top .. top + visible - 1 show. When the last new row
// does not show, it is brought to the bottom, or, when they cannot all show, the node's row to
// the top. (Row r + k just below the window counts as not showing.)
int TreeRows_TopAfterInsert(int top, int visibleRows, int r, int k) {
    if (top + visibleRows > r + k)
        return top;
    return k + 1 > visibleRows ? r : r + k - visibleRows + 1;
}

int TreeRows_TypeAhead(const DirTree* tree, const TreeRows* rows, int current, char c) {
    int count = rows->count(rows->context);
    for (int step = 1; step <= count; step++) {
        int r = ((current < 0 ? -1 : current) + step) % count;
        int32_t n = rows->nodeAt(rows->context, r);
        if (ValidNode(tree, n) && TreeNode_Text(tree, n)[0] == c)
            return r;
    }
    return -1;
}

// ---- Walks --------------------------------------------------------------------------------------

namespace {

struct Walk {
    DirTree* tree;
    WalkMode mode;
    WalkCounters* counters;
    const WalkOptions* options;
    bool incomplete; // something was out of reach
};

int DeleteOne(const Walk* w, const char* path) {
    if (w->options && w->options->deleteFile)
        return w->options->deleteFile(w->options->context, path);
    return Plat_DeleteFile(path);
}

// The files of one directory, counted (and summed, or deleted). 0, or -1.
int WalkFiles(Walk* w, const TreeNode& node) {
    WalkCounters* c = w->counters;
    if (w->mode == kWalkSum && node.levelRead) {
        // Read moments ago with the tree: enumerating again would find the same.
        c->files += node.fileCount;
        c->bytes += (uint64_t)node.fileBytes;
        return 0;
    }
    char pattern[kTreePathMax + 8];
    if (!JoinPath(pattern, node.path, "*.*"))
        return -1;
    PlatDirEntry entry;
    int error = 0;
    PlatDirScan* scan = Plat_FindFirst(pattern, &entry, &error);
    if (!scan)
        return 0;
    int result = 0;
    do {
        if (entry.attributes & kPlatAttrDirectory)
            continue;
        c->files++;
        if (w->mode == kWalkSum) {
            c->bytes += (uint64_t)entry.size;
            continue;
        }
        char path[kTreePathMax];
        if (!JoinPath(path, node.path, entry.name)) {
            // Never delete by a cut path: it may name another file.
            c->tooDeep++;
            result = -1;
            break;
        }
        if (w->options && w->options->confirmEachFile) {
            PromptRequest q = {path, kTextDeleteCaption, kButtonsYesNoCancel, kIconQuestion,
                               kPromptOwnedByFocus};
            int answer = Ui_Ask(q);
            if (answer == kAnswerCancel) {
                c->cancelled = 1;
                result = -1;
                break;
            }
            if (answer != kAnswerYes)
                continue;
        }
        if (DeleteOne(w, path) != 0) {
            result = -1;
            break;
        }
    } while (Plat_FindNext(scan, &entry));
    Plat_FindClose(scan);
    return result;
}

int WalkChain(Walk* w, int32_t first);

// One directory and everything below it: subdirectories first, then its own files, then (in
// delete mode) the directory itself. A link is taken away as the link and never entered.
int WalkOne(Walk* w, int32_t index) {
    const TreeNode& node = w->tree->nodes[index];
    WalkCounters* c = w->counters;
    if (node.isLink) {
        c->links++;
        return w->mode == kWalkDelete && Plat_RemoveDir(node.path) != 0 ? -1 : 0;
    }
    c->directories++;
    if (c->cancelled)
        return -1;
    if (node.firstChild && WalkChain(w, node.firstChild) < 0)
        return -1;
    if (node.tooDeep) {
        c->tooDeep += node.tooDeep;
        w->incomplete = true;
    }
    if (WalkFiles(w, node) < 0)
        return -1;
    if (w->mode == kWalkDelete && Plat_RemoveDir(node.path) != 0)
        return -1;
    return 0;
}

// Siblings in a loop, so that a wide directory costs no stack; only depth recurses, and depth
// is bounded by the path length.
int WalkChain(Walk* w, int32_t first) {
    for (int32_t n = first; n; n = w->tree->nodes[n].nextSibling)
        if (WalkOne(w, n) < 0)
            return -1;
    return 0;
}

// Whether the path itself is a junction or symbolic link (a root never is).
bool IsLinkPath(const char* path) {
    if (EndsWithSeparator(path))
        return false;
    PlatDirEntry entry;
    int error = 0;
    PlatDirScan* scan = Plat_FindFirst(path, &entry, &error);
    if (!scan)
        return false;
    bool link = (entry.attributes & kPlatAttrLink) != 0;
    Plat_FindClose(scan);
    return link;
}

} // namespace

int WalkSubtree(DirTree* tree, int32_t node, WalkMode mode, WalkCounters* counters,
                const WalkOptions* options) {
    if (!ValidNode(tree, node))
        return -1;
    Walk w = {tree, mode, counters, options, false};
    if (mode == kWalkDelete) {
        // Deleting part of a directory that cannot be deleted whole would only lose data.
        if (tree->tooDeep > 0) {
            counters->tooDeep += tree->tooDeep;
            return -1;
        }
        // A chosen directory that is a link goes as the link; what it points to stays.
        if (IsLinkPath(tree->nodes[node].path)) {
            counters->links++;
            return Plat_RemoveDir(tree->nodes[node].path) == 0 ? 0 : -1;
        }
    }
    if (WalkOne(&w, node) < 0)
        return -1;
    return w.incomplete ? -1 : 0;
}
