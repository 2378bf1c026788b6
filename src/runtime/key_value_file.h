// A key/value (INI-style) file held in memory: groups, comments and keys, read with
// lookups that ignore the case of A to Z, changed by writes, and saved on close.
// The program keeps one document open at a time; each caller opens, uses and closes it
// in one stretch.
#pragma once

#include <forward_list>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/file.h"
#include "runtime/key_value_text.h"

namespace qv {

class KeyValueDocument {
 public:
  KeyValueDocument() = default;
  ~KeyValueDocument() { closeKeyValueFile(); }
  // The lines point into this object's own buffers, so it stays where it was made.
  KeyValueDocument(const KeyValueDocument&) = delete;
  KeyValueDocument& operator=(const KeyValueDocument&) = delete;

  // Closes the current document first. True when the file was opened; otherwise the
  // document is empty, and when no file exists at `path` a changed document is
  // created there on close.
  bool openKeyValueFile(const std::string& path);
  // Empty name: the part before the first group. False when no such group exists;
  // reads then give their defaults and the next write adds the group at the end.
  bool selectGroup(std::string_view name);
  // The value without leading and trailing blanks and tabs, or `defaultText`.
  std::string readKeyString(std::string_view key, std::string_view defaultText) const;
  // The value as a decimal integer (0 when it starts with no digit), or `defaultNumber`.
  int readKeyInteger(std::string_view key, int defaultNumber) const;
  void writeKeyString(std::string_view key, std::string_view value);
  void writeKeyInteger(std::string_view key, int number);
  // Saves a changed document (failures go unreported), then forgets it.
  void closeKeyValueFile();

 private:
  static constexpr size_t kNone = size_t(-1);

  std::string toDocumentText(std::string_view text) const;
  std::string_view keepText(std::string text);
  size_t findKey(std::string_view key) const;  // key in document form; kNone when absent
  size_t endOfCurrentGroup() const;            // index after its last line
  void saveDocument();

  bool open_ = false;         // a document exists, with or without a file
  bool createOnSave_ = false; // no file existed at the path when it was opened
  bool utf8_ = false;
  bool changed_ = false;
  File file_;
  std::string path_;
  std::string text_;                       // the file's bytes; lines point into it
  std::forward_list<std::string> kept_;    // storage of rewritten keys and values
  std::vector<KeyValueLine> lines_;
  size_t currentGroup_ = kNone;            // index of the selected group line
  bool groupMissing_ = false;
  std::string missingGroup_;               // in document form
};

}  // namespace qv
