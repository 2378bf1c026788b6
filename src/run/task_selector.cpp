#include "run/task_selector.h"

namespace qv {

bool beforeTaskRuns(int8_t taskSelector, int32_t prgFlag) {
  return taskSelector == 1 || taskSelector == 2 || prgFlag != 0;
}

bool afterTaskRuns(int8_t taskSelector, bool cancelled) {
  return (taskSelector == 1 || taskSelector == 3) && !cancelled;
}

}  // namespace qv
