// The test driver's scripts: one step per line, "#" starts a comment line.
//
//   <step> <arguments>
//
// Numbers are decimal (or 0x hexadecimal). A text argument is either the rest of
// the line, taken literally with trailing blanks dropped, or one quoted string,
// needed when the text begins or ends with blanks. Inside quotes \" is a quote,
// \\ a backslash, \n a line feed, \r a carriage return and \t a tab; a backslash
// before any other character stands for itself.
//
// This part knows only the syntax; what the steps do is in step_runner.cpp.
#pragma once

#include <string>
#include <vector>

namespace qv {

struct ScriptStep {
  int line = 0;                   // 1-based line of the script
  std::string source;             // the line as written
  std::string name;               // e.g. "click"
  std::vector<std::string> args;  // texts unescaped, numbers as written
};

// Splits a script into steps and checks each against the step table: unknown
// steps, missing or surplus arguments and malformed numbers are errors. On failure
// returns false and describes the first fault (with its line) in `error`.
bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);

// Reads a number argument (decimal or 0x hex, optional leading '-'); false when
// the text is not a number that fits a long.
bool parseNumber(const std::string& text, long& value);

// Splits an item list "a|b|c" at each "|"; the empty text is the empty list.
std::vector<std::string> splitItems(const std::string& text);

// Joins items with "|" for messages; the inverse of splitItems.
std::string joinItems(const std::vector<std::string>& items);

// Shows a text in messages: quoted, with line feeds and the like escaped.
std::string quoteText(const std::string& text);

}  // namespace qv
