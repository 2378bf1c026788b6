// Names of package entries as extraction sees them: the kept-extension list, and which
// names are safe to write below a target folder. (Path parts are runtime/paths.h's.)
#pragma once

#include <string>
#include <vector>

namespace qv {

// The extensions of a "|"-list such as "ini|cfg|": as many as the value holds "|"
// characters (1 for a non-empty value without any), so a last item without a "|"
// after it counts only when it is the only one.
std::vector<std::string> parseKeptExtensions(const std::string& list);

// True when the extension equals one of the kept extensions (case-sensitive).
bool isKeptExtension(const std::string& extension, const std::vector<std::string>& kept);

// Whether an entry name may be appended to a target folder: it must be relative and
// stay below it. Refused: an empty name; one starting with "\" or "/"; any ":" (a
// drive, or an alternate data stream); a component ".." between any of "\" and "/",
// and likewise a component of dots and blanks holding two dots or more, which
// Windows trims to "..".
bool isSafeEntryName(const std::string& name);

}  // namespace qv
