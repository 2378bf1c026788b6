// Whether standard error is a terminal: progress is shown only there.
#pragma once

namespace qvpack {

bool isErrorTerminal();

}  // namespace qvpack
