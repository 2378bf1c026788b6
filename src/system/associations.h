// File-extension associations and the question put to the user before one is made.
// The question box sits behind AssociationQuestion; the Windows side is
// win32/association_question_win32.h.
#pragma once

#include <cstdint>
#include <string>

#include "system/registry.h"
#include "texts/interface_texts.h"

namespace qv {

// The open command: the path in double quotes, a blank and "%1" in double quotes.
std::string associationCommand(const std::string& programPath);

// Which registry layout the platform version (GetVersion's packed value) selects:
// true (any of bits 16 to 23 set) for the Applications key with the per-user
// Explorer choice, false for the class under HKEY_LOCAL_MACHINE Software\Classes.
bool associatesThroughApplications(uint32_t platformVersion);

// Associates the extension (without its dot; keys are joined as given) with the
// program: every write is attempted, failures are not reported. An empty description
// becomes the program's file name; an empty icon location ("file,index") writes no
// DefaultIcon key.
void associateExtension(Registry& registry, uint32_t platformVersion, const std::string& extension,
                        const std::string& description, const std::string& programPath,
                        const std::string& iconLocation);

class AssociationQuestion {
 public:
  // A Yes/No box with the question icon (type 36); true for Yes.
  virtual bool confirmAssociation(const std::string& caption, const std::string& text) = 0;

 protected:
  ~AssociationQuestion() = default;
};

// Asks Requester/RQ5 for the extension ("*." + extension in the text); true for Yes.
bool askAssociationQuestion(AssociationQuestion& question, const InterfaceTexts& texts,
                            const std::string& extension);

}  // namespace qv
