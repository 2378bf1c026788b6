// Which of the before and after tasks a run starts, by the task selector (/R) and
// PrgFlag of the setup description.
#pragma once

#include <cstdint>

namespace qv {

// 1 and 2 always; any other selector only when PrgFlag is not 0.
bool beforeTaskRuns(int8_t taskSelector, int32_t prgFlag);

// 1 and 3, unless the user cancelled the wizard; never for any other selector.
bool afterTaskRuns(int8_t taskSelector, bool cancelled);

}  // namespace qv
