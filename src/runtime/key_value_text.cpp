#include "runtime/key_value_text.h"

#include "runtime/text.h"

namespace qv {
namespace {

// A NUL byte ends a line like CR and LF do, so stray zeros cannot hide the rest of a file.
bool isLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// Position of the first line end at or after `from`, or the end of the text.
size_t findLineEnd(std::string_view text, size_t from) {
  while (from < text.size() && !isLineEnd(text[from])) ++from;
  return from;
}

void appendText(std::string& out, std::string_view s) { out.append(s.data(), s.size()); }

}  // namespace

bool removeByteOrderMark(std::string_view& text) {
  if (text.substr(0, 3) != kByteOrderMark) return false;
  text.remove_prefix(3);
  return true;
}

void parseKeyValueText(std::string_view text, std::vector<KeyValueLine>& lines) {
  size_t at = 0;
  while (at < text.size()) {
    // Line ends, blank lines and the blanks that indent a line are all skipped here.
    if (isLineEnd(text[at]) || isBlank(text[at])) {
      ++at;
      continue;
    }
    size_t end = findLineEnd(text, at);
    std::string_view line = text.substr(at, end - at);
    KeyValueLine parsed;
    if (line.front() == ';') {
      parsed.kind = KeyValueLineKind::Comment;
      parsed.text = line.substr(1);
      if (!parsed.text.empty() && parsed.text.front() == ' ') parsed.text.remove_prefix(1);
    } else if (line.front() == '[') {
      parsed.kind = KeyValueLineKind::Group;
      parsed.text = line.substr(1);
      size_t close = parsed.text.find(']');
      if (close != std::string_view::npos) parsed.text = parsed.text.substr(0, close);
    } else {
      parsed.kind = KeyValueLineKind::Key;
      size_t equals = line.find('=');
      if (equals != std::string_view::npos) {
        parsed.text = withoutTrailingBlanks(line.substr(0, equals));
        parsed.value = withoutLeadingBlanks(line.substr(equals + 1));
      } else {
        // Without "=" the whole line is the key and the value is empty, whatever line
        // end follows: taking the next line as the value would let a save swallow a
        // group or key line of a file written with LF line ends.
        parsed.text = withoutTrailingBlanks(line);
      }
    }
    lines.push_back(parsed);
    at = end;
  }
}

std::string formatKeyValueText(const std::vector<KeyValueLine>& lines, bool utf8) {
  size_t size = utf8 ? 5 : 0;
  for (const KeyValueLine& line : lines) size += line.text.size() + line.value.size() + 5;
  std::string out;
  out.reserve(size + 2);
  if (utf8) {
    out.append(kByteOrderMark);
    out.append("\r\n");
  } else if (!lines.empty() && lines.front().text.substr(0, 3) == kByteOrderMark) {
    // A first line that starts with the mark bytes would make the saved file read back
    // as UTF-8; an empty line before it keeps the document what it was.
    out.append("\r\n");
  }
  for (const KeyValueLine& line : lines) {
    switch (line.kind) {
      case KeyValueLineKind::Group:
        out.push_back('[');
        appendText(out, line.text);
        out.push_back(']');
        break;
      case KeyValueLineKind::Comment:
        out.append("; ");
        appendText(out, line.text);
        break;
      case KeyValueLineKind::Key:
        appendText(out, line.text);
        out.append(" = ");
        appendText(out, line.value);
        break;
    }
    out.append("\r\n");
  }
  return out;
}

}  // namespace qv
