#include "wizard/text_displays.h"

#include "runtime/text_fields.h"

namespace qv {

std::string closeProgramMessage(const InterfaceTexts& texts, const std::string& title) {
  return replaceAll(texts.text(TextId::Rq4Msg), "$Titel", title);
}

std::string associateExtensionQuestion(const InterfaceTexts& texts, const std::string& extension) {
  return replaceAll(texts.text(TextId::Rq5Msg), "$Extension", "*." + extension) + "  ";
}

std::string backButtonCaption(const InterfaceTexts& texts) { return "< " + texts.text(TextId::ButtonBack); }

std::string nextButtonCaption(const InterfaceTexts& texts) { return texts.text(TextId::ButtonNext) + " >"; }

std::string diskSpaceStatus(const InterfaceTexts& texts, const std::string& prgSize) {
  return texts.text(TextId::InstallMsg0) + " " + prgSize;
}

std::string installingStatus(const InterfaceTexts& texts) { return texts.text(TextId::Page05Install) + " ....."; }

std::string copyStepRunning(const InterfaceTexts& texts) { return texts.text(TextId::InstallMsg1) + " ....."; }

std::string copyStepDone(const InterfaceTexts& texts) {
  return texts.text(TextId::InstallMsg1) + "   -->   *** " + texts.text(TextId::InstallReady) + " ***";
}

}  // namespace qv
