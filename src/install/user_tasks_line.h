// One line of the task list: fields between "|", numbered from 1, with the number
// forms the tasks read from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The kinds of task lines, field 1; the undo records the tasks leave begin with them.
namespace task_kind {
constexpr int32_t kDesktopLink = 0;
constexpr int32_t kStartMenuLink = 1;
constexpr int32_t kDesktopAddress = 2;
constexpr int32_t kStartMenuAddress = 3;
constexpr int32_t kStartupLink = 4;
constexpr int32_t kCopyFile = 5;
constexpr int32_t kRegistryValue = 6;
constexpr int32_t kIniEntry = 8;
constexpr int32_t kRunProgram = 9;
constexpr int32_t kAssociation = 10;
}  // namespace task_kind

// Decimal digits with an optional sign, after leading blanks and tabs, up to the
// first other byte; no digits read as 0. Taken modulo 2^32, so that every narrower
// form below keeps the low bits of the number as written.
uint32_t parseTaskNumber(std::string_view text);

class TaskLine {
 public:
  // Cut into its fields once: the tasks read them many times, and join them to paths.
  explicit TaskLine(const std::string& text);

  // Field `number` (from 1); a missing field reads as empty.
  const std::string& field(size_t number) const {
    return number >= 1 && number <= fields_.size() ? fields_[number - 1] : none_;
  }
  // Field 1: the task kind.
  int32_t kind() const { return integerField(1); }
  int32_t integerField(size_t number) const { return int32_t(parseTaskNumber(field(number))); }
  // Icon indexes and flags are held in a signed byte: 255 reads as -1.
  int8_t byteField(size_t number) const { return int8_t(uint8_t(parseTaskNumber(field(number)))); }
  // Registry roots are 32-bit key handles, written in unsigned decimal.
  uint32_t unsignedField(size_t number) const { return parseTaskNumber(field(number)); }

 private:
  std::vector<std::string> fields_;
  std::string none_;
};

// Number of [UserTask]: a signed 16-bit count, so 32768 and more wrap round and a
// negative count runs no task.
int16_t taskCountOf(int number);

}  // namespace qv
