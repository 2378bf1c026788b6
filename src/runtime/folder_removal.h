// Removal of a whole folder tree through the file layer.
#pragma once

#include <string>

namespace qv {

// Removes the folder with everything in it, subfolders included. Links (symbolic
// links, junctions and other reparse points) are removed themselves and never
// entered, so nothing outside the tree is touched. Whatever cannot be removed stays
// and the walk goes on; while the folder is still there, the removal is tried again
// for up to `patienceMilliseconds` (a program that has just ended, such as a task run
// in the folder, may hold it for a moment). An empty path removes nothing. True when
// the folder is gone.
bool removeFolderTree(const std::string& folder, unsigned patienceMilliseconds = 0);

}  // namespace qv
