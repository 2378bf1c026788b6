#include "script.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qv {
namespace {

// Argument kinds, one letter each: n number, N optional number (last only),
// b 0 or 1, w word, t text, o optional text (may be empty). A text is the last
// argument except in "tn", where a number follows it.
struct StepShape {
  const char* name;
  const char* args;
};

const StepShape kSteps[] = {
    {"start", "t"},          {"window", "t"},          {"window-prefix", "t"},
    {"click", "n"},          {"click-mouse", "n"},     {"select", "nn"},
    {"expect-text", "no"},   {"expect-items", "no"},   {"expect-checked", "nb"},
    {"expect-enabled", "nb"}, {"expect-visible", "nb"}, {"type", "no"},
    {"close", ""},           {"key", "w"},             {"expect-no-window", "tn"},
    {"wait-gone", "t"},      {"screenshot", "t"},      {"wait-exit", "N"},
    {"sleep", "n"},          {"timeout", "n"},         {"wait-visible", "nb"},
    {"wait-no-process", "t"}, {"select-item", "nt"},   {"expect-selection", "no"},
    {"expect-items-under", "nto"},
};

const StepShape* findShape(const std::string& name) {
  for (const StepShape& shape : kSteps) {
    if (name == shape.name) return &shape;
  }
  return nullptr;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void skipBlanks(const std::string& s, size_t& pos) {
  while (pos < s.size() && isBlank(s[pos])) ++pos;
}

std::string takeWord(const std::string& s, size_t& pos) {
  skipBlanks(s, pos);
  size_t start = pos;
  while (pos < s.size() && !isBlank(s[pos])) ++pos;
  return s.substr(start, pos - start);
}

std::string trimTrailingBlanks(const std::string& s) {
  size_t end = s.size();
  while (end > 0 && isBlank(s[end - 1])) --end;
  return s.substr(0, end);
}

// Reads a quoted string starting at s[pos] == '"'; leaves pos after the closing quote.
bool takeQuoted(const std::string& s, size_t& pos, std::string& out, std::string& error) {
  out.clear();
  ++pos;
  while (pos < s.size()) {
    char c = s[pos++];
    if (c == '"') return true;
    if (c == '\\' && pos < s.size()) {
      char e = s[pos];
      switch (e) {
        case '"': out += '"'; ++pos; continue;
        case '\\': out += '\\'; ++pos; continue;
        case 'n': out += '\n'; ++pos; continue;
        case 'r': out += '\r'; ++pos; continue;
        case 't': out += '\t'; ++pos; continue;
        default: break;
      }
    }
    out += c;
  }
  error = "unterminated quoted text";
  return false;
}

bool checkNumber(char kind, const std::string& word, std::string& error) {
  long value = 0;
  if (!parseNumber(word, value)) {
    error = "'" + word + "' is not a number";
    return false;
  }
  if (kind == 'b' && value != 0 && value != 1) {
    error = "'" + word + "' is neither 0 nor 1";
    return false;
  }
  return true;
}

// Parses the arguments in `rest` against `shape`; fills `args`.
bool parseArgs(const std::string& rest, const char* shape, std::vector<std::string>& args,
               std::string& error) {
  size_t pos = 0;
  for (const char* kind = shape; *kind; ++kind) {
    skipBlanks(rest, pos);
    if (*kind == 't' || *kind == 'o') {
      std::string text;
      bool numberFollows = kind[1] == 'n';
      if (pos < rest.size() && rest[pos] == '"') {
        if (!takeQuoted(rest, pos, text, error)) return false;
      } else if (numberFollows) {
        std::string body = trimTrailingBlanks(rest.substr(pos));
        size_t cut = body.size();
        while (cut > 0 && !isBlank(body[cut - 1])) --cut;
        text = trimTrailingBlanks(body.substr(0, cut));
        pos += cut;
      } else {
        text = trimTrailingBlanks(rest.substr(pos));
        pos = rest.size();
      }
      if (*kind == 't' && text.empty()) {
        error = "a text is missing";
        return false;
      }
      args.push_back(text);
      continue;
    }
    std::string word = takeWord(rest, pos);
    if (word.empty()) {
      if (*kind == 'N') continue;
      error = "an argument is missing";
      return false;
    }
    if (*kind != 'w' && !checkNumber(*kind, word, error)) return false;
    args.push_back(word);
  }
  skipBlanks(rest, pos);
  if (pos < rest.size()) {
    error = "unexpected '" + rest.substr(pos) + "' after the arguments";
    return false;
  }
  return true;
}

}  // namespace

bool parseNumber(const std::string& text, long& value) {
  if (text.empty() || text.size() > 20) return false;
  const char* begin = text.c_str();
  int base = 10;
  const char* digits = begin[0] == '-' ? begin + 1 : begin;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) base = 16;
  if (!(digits[0] >= '0' && digits[0] <= '9')) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(begin, &end, base);
  return errno == 0 && end == begin + text.size();
}

bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error) {
  steps.clear();
  size_t start = 0;
  int line = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string source = text.substr(start, end - start);
    start = end + 1;
    ++line;
    if (!source.empty() && source.back() == '\r') source.pop_back();

    size_t pos = 0;
    skipBlanks(source, pos);
    if (pos == source.size() || source[pos] == '#') continue;

    ScriptStep step;
    step.line = line;
    step.source = source;
    step.name = takeWord(source, pos);
    const StepShape* shape = findShape(step.name);
    std::string why;
    if (!shape) {
      why = "unknown step '" + step.name + "'";
    } else {
      parseArgs(source.substr(pos), shape->args, step.args, why);
    }
    if (!why.empty()) {
      error = "line " + std::to_string(line) + ": " + why + ": " + source;
      steps.clear();
      return false;
    }
    steps.push_back(step);
  }
  return true;
}

std::vector<std::string> splitItems(const std::string& text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  size_t start = 0;
  for (;;) {
    size_t bar = text.find('|', start);
    if (bar == std::string::npos) {
      items.push_back(text.substr(start));
      return items;
    }
    items.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
}

std::string joinItems(const std::vector<std::string>& items) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += '|';
    out += items[i];
  }
  return out;
}

std::string quoteText(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          static const char hex[] = "0123456789abcdef";
          out += "\\x";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += char(c);
        }
    }
  }
  return out + "\"";
}

}  // namespace qv
