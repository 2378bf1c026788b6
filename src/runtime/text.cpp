#include "runtime/text.h"

#include <climits>

namespace qv {

std::string_view withoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view withoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view withoutBlanks(std::string_view text) { return withoutTrailingBlanks(withoutLeadingBlanks(text)); }

int DecimalNumber::clamped() const {
  if (negative) return magnitude >= uint64_t(INT_MAX) + 1 ? INT_MIN : -int(magnitude);
  return magnitude >= uint64_t(INT_MAX) ? INT_MAX : int(magnitude);
}

DecimalNumber readDecimal(std::string_view text, bool anyWhiteSpace) {
  size_t i = 0;
  while (i < text.size() && (isBlank(text[i]) || (anyWhiteSpace && text[i] >= '\n' && text[i] <= '\r'))) ++i;
  DecimalNumber number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
  const uint64_t saturation = uint64_t(1) << 32;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const unsigned digit = unsigned(text[i] - '0');
    number.low32 = number.low32 * 10u + digit;
    number.magnitude = number.magnitude * 10 + digit;
    if (number.magnitude > saturation) number.magnitude = saturation;  // stays saturated
  }
  return number;
}

namespace {

std::string decimalDigits(uint32_t magnitude, bool negative) {
  char digits[11];
  size_t n = 0;
  do {
    digits[n++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::string out;
  out.reserve(n + 1);
  if (negative) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
  return out;
}

}  // namespace

std::string decimalText(uint32_t value) { return decimalDigits(value, false); }

// Through unsigned so that INT32_MIN has a magnitude too.
std::string signedDecimalText(int32_t value) {
  return decimalDigits(value < 0 ? 0u - uint32_t(value) : uint32_t(value), value < 0);
}

size_t countCharacter(std::string_view text, char c) {
  size_t n = 0;
  for (char x : text) n += x == c;
  return n;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upperCaseLetter(a[i]) != upperCaseLetter(b[i])) return false;
  return true;
}

std::string_view fieldOf(std::string_view text, char separator, size_t number) {
  if (number == 0) return std::string_view();
  size_t begin = 0;
  for (size_t field = 1; field < number; ++field) {
    size_t next = text.find(separator, begin);
    if (next == std::string_view::npos) return std::string_view();
    begin = next + 1;
  }
  size_t end = text.find(separator, begin);
  return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::string_view textBefore(std::string_view text, char c) { return text.substr(0, text.find(c)); }

std::string replaceAll(std::string_view text, std::string_view token, std::string_view value) {
  if (token.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  for (size_t found; (found = text.find(token, pos)) != std::string_view::npos; pos = found + token.size()) {
    out.append(text, pos, found - pos);
    out.append(value);
  }
  out.append(text, pos, std::string_view::npos);
  return out;
}

std::string skipProgramName(const std::string& commandLine) {
  size_t pos = 0;
  while (pos < commandLine.size() && isBlank(commandLine[pos])) ++pos;
  if (pos < commandLine.size() && commandLine[pos] == '"') {
    size_t close = commandLine.find('"', pos + 1);
    pos = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (pos < commandLine.size() && !isBlank(commandLine[pos])) ++pos;
  }
  while (pos < commandLine.size() && isBlank(commandLine[pos])) ++pos;
  return commandLine.substr(pos);
}

std::string nextParameter(const std::string& text, size_t& pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  if (pos >= text.size()) return std::string();
  if (text[pos] == '"') {
    size_t close = text.find('"', pos + 1);
    size_t end = close == std::string::npos ? text.size() : close;
    std::string parameter = text.substr(pos + 1, end - pos - 1);
    pos = close == std::string::npos ? text.size() : close + 1;
    return parameter;
  }
  size_t begin = pos;
  while (pos < text.size() && !isBlank(text[pos])) ++pos;
  return text.substr(begin, pos - begin);
}

}  // namespace qv
