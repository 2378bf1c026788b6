// The interface texts the start of a run shows. They are the built-in defaults of
// the interface-text table, which does not exist yet; this is the one place where
// the start takes them from.
#pragma once

namespace qv {

struct CopyFailureTexts {
  const char* caption;  // Requester/RQ6_Titel
  const char* message;  // Requester/RQ6_Msg
};

inline CopyFailureTexts copyFailureTexts() { return {"Error - Copy File", "Copying file(s) failed."}; }

}  // namespace qv
