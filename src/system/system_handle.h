// A system handle (logon token, process), opaque to the portable core.
#pragma once

namespace qv {

using SystemHandle = void*;

}  // namespace qv
