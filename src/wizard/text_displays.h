// Interface texts as they are shown: the substitutions made when a text is used and
// the captions and lines composed from texts.
#pragma once

#include <string>

#include "wizard/interface_texts.h"

namespace qv {

// Requester/RQ4_Msg with every "$Titel" replaced by the title.
std::string closeProgramMessage(const InterfaceTexts& texts, const std::string& title);

// Requester/RQ5_Msg with every "$Extension" replaced by "*." + the extension, and
// two blanks after it.
std::string associateExtensionQuestion(const InterfaceTexts& texts, const std::string& extension);

std::string backButtonCaption(const InterfaceTexts& texts);  // "< " + Back
std::string nextButtonCaption(const InterfaceTexts& texts);  // Next + " >"

// Page 5 status line before installation: Install/Msg0, a blank, the disk space.
std::string diskSpaceStatus(const InterfaceTexts& texts, const std::string& prgSize);
// Page 5 status line while installing: Page05/Install + " .....".
std::string installingStatus(const InterfaceTexts& texts);
// Step list line of the file copy, running and finished.
std::string copyStepRunning(const InterfaceTexts& texts);
std::string copyStepDone(const InterfaceTexts& texts);

}  // namespace qv
