// The wizard's page logic: the five pages and how Next and Back move between them
// (the licence and information pages drop out when their viewers are empty), the page
// controls' reactions, the values page 3 starts with, and the installation and finish
// views of page 5. It works on the window's controls by number; the event loop and
// the install run are the wizard run's (run/wizard_run.h).
#pragma once

#include <initializer_list>
#include <string>

#include "setup/run_settings.h"
#include "texts/interface_texts.h"
#include "wizard/wizard_window.h"

namespace qv {

class WizardPages {
 public:
  WizardPages(WizardControls& controls, const InterfaceTexts& texts) : controls_(controls), texts_(texts) {}

  int pageNumber() const { return page_; }
  void next();
  void back();
  // Options 14 and 15: accepting the licence enables Next, declining disables it.
  void acceptLicence(bool accepted);
  // Check box 24: with no start-menu entry, field 22 and button 23 are disabled.
  void noStartMenuToggled();
  // Field 19 lost the focus: a trailing backslash, and the default folder name after it
  // unless the text holds that name somewhere.
  void installFolderLeft(const std::string& defaultFolderName);
  // Field 22 lost the focus: refilled when empty; otherwise the start-menu folder name
  // after it unless the text holds that name somewhere.
  void startMenuFieldLeft(const std::string& startMenuFolderName);

  // The installation view (Install pressed) and the finish view (the run done).
  void showInstallationView();
  void showFinishView(bool programIsExe, bool startProgram);

 private:
  void setHeader(TextId title, TextId subtitle);
  // Shows each control listed with a plus sign and hides each with a minus sign; the
  // lists are constant, each a page change.
  void showAndHide(const signed char* changes, size_t count);
  template <size_t N>
  void showAndHide(const signed char (&changes)[N]) {
    showAndHide(changes, N);
  }

  WizardControls& controls_;
  const InterfaceTexts& texts_;
  int page_ = 1;
};

// Field 19 after it lost the focus.
std::string normalizeInstallFolderField(const std::string& text, const std::string& defaultFolderName);
// A folder the browser returned, completed with the default folder name unless it
// ends with it (with or without a trailing backslash).
std::string completeBrowsedFolder(const std::string& chosen, const std::string& defaultFolderName);
// Field 22 after it lost the focus.
std::string normalizeStartMenuField(const std::string& text, const std::string& startMenuFolderName);
// The last folder name of a start-menu folder name: its field numbered by the count of
// backslashes once a trailing backslash is added.
std::string lastStartMenuName(const std::string& startMenuFolderName);
// The picker's folder, completed with the last folder name of the start-menu folder
// name unless it already ends with it.
std::string completePickedStartMenuFolder(const std::string& picked, const std::string& startMenuFolderName);

// The texts the window shows that are composed from the interface texts.
std::string wizardCaption(const std::string& title, const std::string& version);
std::string backButtonCaption(const InterfaceTexts& texts);   // "< " + Back
std::string nextButtonCaption(const InterfaceTexts& texts);   // Next + " >"
std::string welcomeBody(const InterfaceTexts& texts);         // Msg1, Msg2, Msg3 with blank lines between
std::string diskSpaceStatus(const InterfaceTexts& texts, const std::string& prgSize);
std::string installingStatus(const InterfaceTexts& texts);    // Page05/Install + " ....."
std::string copyStepRunning(const InterfaceTexts& texts);     // Install/Msg1 + " ....."
std::string copyStepDone(const InterfaceTexts& texts);        // Install/Msg1 + "   -->   *** " + Ready + " ***"
// Step-list lines 0 and 1: title, version and date; author and address.
std::string productStepLine(const std::string& title, const std::string& version, const std::string& date);
std::string authorStepLine(const std::string& author, const std::string& email);

}  // namespace qv
