// Removing a directory from a directory window: asked first when "ConfirmDelete" is on, and
// when it is not empty, taken away with all it holds through the Delete Deep box.
#pragma once

#include <string>

#include "lister/dirtree.h"

// What the window around the removal does; a null member does nothing.
struct RemoveDirHooks {
    // The Delete Deep box for a directory that holds entries: 0 when all of it went, -1 else.
    int (*deleteDeep)(void* context, const char* dir);
    // The directory is gone: the window's listing, tree and files follow.
    void (*removed)(void* context, const char* dir);
    void* context;
};

// The full path a directory name stands for: as it is when it names its drive and root, on the
// listing directory's drive when it starts at a root, else below the listing directory; "." and
// ".." taken out, no trailing separator except on a root.
std::string ResolveDirectory(const char* name, const char* listingDir);

// "Remove directory %s?" (with the resolved path) when "ConfirmDelete" is on; a directory that
// is the current one is left for its parent first; one that holds entries goes to the Delete
// Deep box. 1 when the directory is gone, 0 when the user declined or "Could not remove %s."
// was told. chosenInTree: the path is the tree's own full path, taken as it is. The root of a
// drive or a share, however it is spelt, is never removed: "%s is a root directory and cannot
// be removed." is told before anything is asked or touched.
int RemoveOneDirectory(const char* path, const char* listingDir, bool chosenInTree,
                       const RemoveDirHooks& hooks);

// ---- Delete deep -----------------------------------------------------------------------------

// The state of "Confirm each &File before deleting" at the box's last use.
extern bool gDeleteDeepConfirmEach;

// Reads the whole subtree of dir into a tree of its own: 1, or 0 when it cannot be read.
int DeleteDeep_Read(DirTree* tree, const char* dir);
// Deletes what the tree holds, files and directories, asking "Delete?" for each file when
// confirmEach; the working directory moves to the directory's parent first, so that nothing
// below is in use. 0 when everything went, -1 on Cancel, a file kept or a failure. A tree that
// is gone tells "Directory tree memory corrupted\nProcess aborted." and gives -1; a tree read
// from a root is refused as RemoveOneDirectory refuses it, with -1.
int DeleteDeep_Run(DirTree* tree, bool confirmEach);
