#include "runtime/key_value_file.h"

#include <cstdint>

#include "runtime/key_value_encoding.h"
#include "runtime/key_value_number.h"
#include "runtime/text.h"

namespace qv {
namespace {

// Settings files are small; anything larger is not one and is left alone.
constexpr int64_t kLargestFile = int64_t(256) << 20;

// Group names and keys match without regard to the case of A to Z only, whatever the
// locale, so that bytes of other characters always compare exactly.
bool sameName(std::string_view a, std::string_view b) { return equalsIgnoringCase(a, b); }

}  // namespace

bool KeyValueDocument::openKeyValueFile(const std::string& path) {
  closeKeyValueFile();
  open_ = true;
  path_ = path;
  if (!file_.open(path, File::Mode::ReadWriteExisting) && !file_.open(path, File::Mode::Read)) {
    // Only a file that is really missing may be created on close: one that exists but
    // cannot be opened (locked, no access) must not be replaced by the few keys
    // written meanwhile.
    createOnSave_ = !fileExists(path);
    return false;
  }
  int64_t size = file_.size();
  if (size < 0 || size > kLargestFile) {
    file_.close();  // the document stays empty and is never saved over the file
    return false;
  }
  text_.resize(size_t(size));
  if (file_.read(&text_[0], text_.size()) != text_.size()) {
    // Saving a document of part of the file would lose the rest: treat it as unreadable.
    file_.close();
    text_.clear();
    return false;
  }
  std::string_view text(text_);
  utf8_ = removeByteOrderMark(text);
  parseKeyValueText(text, lines_);
  return true;
}

bool KeyValueDocument::selectGroup(std::string_view name) {
  groupMissing_ = false;
  missingGroup_.clear();
  if (!open_) return false;
  if (name.empty()) {
    currentGroup_ = kNone;
    return true;
  }
  std::string wanted = toDocumentText(name);
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == KeyValueLineKind::Group && sameName(lines_[i].text, wanted)) {
      currentGroup_ = i;
      return true;
    }
  }
  groupMissing_ = true;
  missingGroup_ = std::move(wanted);
  return false;
}

std::string KeyValueDocument::readKeyString(std::string_view key, std::string_view defaultText) const {
  size_t at = findKey(toDocumentText(key));
  if (at == kNone) return std::string(defaultText);
  std::string_view value = withoutBlanks(lines_[at].value);
  if (!utf8_) return std::string(value);
  std::string bytes;
  convertUtf8ToBytes(value, bytes);  // empty when it cannot be read as single bytes
  return bytes;
}

int KeyValueDocument::readKeyInteger(std::string_view key, int defaultNumber) const {
  size_t at = findKey(toDocumentText(key));
  // Digits are the same bytes in both encodings, so the stored value is read directly.
  return at == kNone ? defaultNumber : parseKeyValueInteger(lines_[at].value);
}

void KeyValueDocument::writeKeyString(std::string_view key, std::string_view value) {
  if (!open_) return;
  if (groupMissing_) {
    KeyValueLine group;
    group.kind = KeyValueLineKind::Group;
    group.text = keepText(std::move(missingGroup_));
    lines_.push_back(group);
    currentGroup_ = lines_.size() - 1;
    groupMissing_ = false;
    missingGroup_.clear();
  }
  std::string documentKey = toDocumentText(key);
  std::string_view documentValue = keepText(toDocumentText(value));
  size_t at = findKey(documentKey);
  if (at != kNone) {
    // The key takes the letter case given now.
    if (lines_[at].text != documentKey) lines_[at].text = keepText(std::move(documentKey));
    lines_[at].value = documentValue;
  } else {
    KeyValueLine line;
    line.kind = KeyValueLineKind::Key;
    line.text = keepText(std::move(documentKey));
    line.value = documentValue;
    // At the end of the group: appended, then moved up past the lines after it.
    const size_t place = endOfCurrentGroup();
    lines_.push_back(line);
    for (size_t i = lines_.size() - 1; i > place; --i) lines_[i] = lines_[i - 1];
    lines_[place] = line;
  }
  changed_ = true;
}

void KeyValueDocument::writeKeyInteger(std::string_view key, int number) {
  writeKeyString(key, signedDecimalText(number));
}

void KeyValueDocument::closeKeyValueFile() {
  if (open_ && changed_) saveDocument();
  file_.close();
  open_ = createOnSave_ = utf8_ = changed_ = false;
  path_.clear();
  text_.clear();
  kept_.clear();
  lines_.clear();
  currentGroup_ = kNone;
  groupMissing_ = false;
  missingGroup_.clear();
}

std::string KeyValueDocument::toDocumentText(std::string_view text) const {
  return utf8_ ? convertBytesToUtf8(text) : std::string(text);
}

std::string_view KeyValueDocument::keepText(std::string text) {
  kept_.push_front(std::move(text));
  return kept_.front();
}

size_t KeyValueDocument::findKey(std::string_view key) const {
  if (!open_ || groupMissing_) return kNone;
  for (size_t i = currentGroup_ == kNone ? 0 : currentGroup_ + 1; i < lines_.size(); ++i) {
    const KeyValueLine& line = lines_[i];
    if (line.kind == KeyValueLineKind::Group) break;
    if (line.kind == KeyValueLineKind::Key && sameName(line.text, key)) return i;
  }
  return kNone;
}

size_t KeyValueDocument::endOfCurrentGroup() const {
  size_t i = currentGroup_ == kNone ? 0 : currentGroup_ + 1;
  while (i < lines_.size() && lines_[i].kind != KeyValueLineKind::Group) ++i;
  return i;
}

void KeyValueDocument::saveDocument() {
  if (!file_.isOpen() && createOnSave_) file_.open(path_, File::Mode::ReadWriteAlways);
  if (!file_.isOpen()) return;
  // One buffer, one write. The old end is cut off only after the whole text is in,
  // which also leaves a file opened for reading only untouched.
  std::string saved = formatKeyValueText(lines_, utf8_);
  if (file_.seek(0) && file_.write(saved.data(), saved.size()) == saved.size()) file_.truncateHere();
}

}  // namespace qv
