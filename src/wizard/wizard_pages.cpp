#include "wizard/wizard_pages.h"

#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {

using namespace wizard_control;

namespace {

// The page changes: the controls each shows (+) and hides (-).
const signed char kLeaveWelcome[] = {-kWelcomePanel, -kSidePicture, +kHeaderBand, +kBack};
const signed char kLicenceToSettings[] = {-kLicencePanel, +kSettingsPanel};
const signed char kSettingsToInstall[] = {-kHeaderBand, +kInstallPanel, +kSidePicture, +kInstall, -kNext};
const signed char kReadmeToInstall[] = {-kHeaderBand, -kReadmePanel, +kInstallPanel, +kSidePicture, +kInstall, -kNext};
const signed char kLicenceToWelcome[] = {-kHeaderBand, -kLicencePanel, +kWelcomePanel, +kSidePicture, -kBack};
const signed char kSettingsToWelcome[] = {-kHeaderBand, +kWelcomePanel, +kSidePicture, -kBack};
const signed char kReadmeToSettings[] = {-kReadmePanel, +kSettingsPanel};
const signed char kLeaveInstall[] = {-kInstallPanel, -kSidePicture, -kInstall, +kNext, +kCancel, +kHeaderBand};

}  // namespace

void WizardPages::setHeader(TextId title, TextId subtitle) {
  controls_.setControlText(kHeaderTitle, texts_.text(title));
  controls_.setControlText(kHeaderSubtitle, texts_.text(subtitle));
}

void WizardPages::showAndHide(const signed char* changes, size_t count) {
  for (size_t i = 0; i < count; ++i) controls_.showControl(changes[i] < 0 ? -changes[i] : changes[i], changes[i] > 0);
}

void WizardPages::next() {
  ++page_;
  switch (page_) {
    case 2:
      showAndHide(kLeaveWelcome);
      if (controls_.viewerHoldsText(kLicenceViewer)) {
        controls_.showControl(kLicencePanel, true);
        controls_.enableControl(kNext, controls_.isChecked(kAccept));
        setHeader(TextId::Page02Titel, TextId::Page02Msg);
      } else {
        ++page_;  // no licence: on to the settings
        controls_.showControl(kSettingsPanel, true);
        setHeader(TextId::Page03Titel, TextId::Page03Msg);
      }
      break;
    case 3:
      showAndHide(kLicenceToSettings);
      setHeader(TextId::Page03Titel, TextId::Page03Msg);
      break;
    case 4:
      controls_.showControl(kSettingsPanel, false);
      if (controls_.viewerHoldsText(kReadmeViewer)) {
        controls_.showControl(kReadmePanel, true);
        setHeader(TextId::Page04Titel, TextId::Page04Msg);
      } else {
        ++page_;  // no information: on to the installation page
        showAndHide(kSettingsToInstall);
      }
      break;
    case 5:
      showAndHide(kReadmeToInstall);
      break;
    default:
      page_ = 5;
      break;
  }
}

void WizardPages::back() {
  --page_;
  switch (page_) {
    case 1:
      showAndHide(kLicenceToWelcome);
      controls_.enableControl(kNext, true);
      break;
    case 2:
      controls_.showControl(kSettingsPanel, false);
      if (controls_.viewerHoldsText(kLicenceViewer)) {
        controls_.showControl(kLicencePanel, true);
        setHeader(TextId::Page02Titel, TextId::Page02Msg);
      } else {
        --page_;  // no licence: back to the welcome page
        showAndHide(kSettingsToWelcome);
      }
      break;
    case 3:
      showAndHide(kReadmeToSettings);
      setHeader(TextId::Page03Titel, TextId::Page03Msg);
      break;
    case 4:
      showAndHide(kLeaveInstall);
      if (controls_.viewerHoldsText(kReadmeViewer)) {
        controls_.showControl(kReadmePanel, true);  // the header still holds the page 4 texts
      } else {
        --page_;  // no information: back to the settings
        controls_.showControl(kSettingsPanel, true);
        setHeader(TextId::Page03Titel, TextId::Page03Msg);
      }
      break;
    default:
      page_ = 1;
      break;
  }
}

void WizardPages::acceptLicence(bool accepted) { controls_.enableControl(kNext, accepted); }

void WizardPages::noStartMenuToggled() {
  bool none = controls_.isChecked(kNoStartMenu);
  controls_.enableControl(kStartMenuField, !none);
  controls_.enableControl(kStartMenuChange, !none);
}

void WizardPages::installFolderLeft(const std::string& defaultFolderName) {
  const std::string text = controls_.controlText(kInstallFolderField);
  const std::string normalized = normalizeInstallFolderField(text, defaultFolderName);
  if (normalized != text) controls_.setControlText(kInstallFolderField, normalized);
}

void WizardPages::startMenuFieldLeft(const std::string& startMenuFolderName) {
  const std::string text = controls_.controlText(kStartMenuField);
  const std::string normalized = normalizeStartMenuField(text, startMenuFolderName);
  if (normalized != text) controls_.setControlText(kStartMenuField, normalized);
}

void WizardPages::showInstallationView() {
  controls_.showControl(kInstallPrompt, false);
  controls_.showControl(kStatusLine, true);
  controls_.showControl(kStepList, true);
  controls_.showControl(kBack, false);
  controls_.showControl(kInstall, false);
  controls_.setChecked(kRunProgram, false);
  controls_.setControlText(kStatusLine, installingStatus(texts_));
}

void WizardPages::showFinishView(bool programIsExe, bool startProgram) {
  controls_.showControl(kProgressBar, false);
  controls_.setControlText(kStatusLine, texts_.text(TextId::Page05Ready));
  if (programIsExe) {
    controls_.setChecked(kRunProgram, startProgram);
    controls_.showControl(kRunProgram, true);
  }
  controls_.showControl(kCancel, false);
  controls_.showControl(kFinish, true);
}

std::string normalizeInstallFolderField(const std::string& text, const std::string& defaultFolderName) {
  std::string folder = withTrailingBackslash(text);
  if (folder.find(defaultFolderName) != std::string::npos) return text;
  return folder + defaultFolderName;
}

std::string completeBrowsedFolder(const std::string& chosen, const std::string& defaultFolderName) {
  if (chosen.empty()) return chosen;
  if (endsWith(chosen, defaultFolderName) || endsWith(chosen, defaultFolderName + "\\")) return chosen;
  return withTrailingBackslash(chosen) + defaultFolderName;
}

std::string normalizeStartMenuField(const std::string& text, const std::string& startMenuFolderName) {
  if (text.empty()) return startMenuFolderName;
  if (text.find(startMenuFolderName) != std::string::npos) return text;
  return withTrailingBackslash(text) + startMenuFolderName;
}

std::string lastStartMenuName(const std::string& startMenuFolderName) {
  const std::string name = withTrailingBackslash(startMenuFolderName);
  return std::string(fieldOf(name, '\\', countCharacter(name, '\\')));
}

std::string completePickedStartMenuFolder(const std::string& picked, const std::string& startMenuFolderName) {
  const std::string last = lastStartMenuName(startMenuFolderName);
  if (endsWith(picked, last)) return picked;
  return withTrailingBackslash(picked) + last;
}

std::string wizardCaption(const std::string& title, const std::string& version) {
  return version.empty() ? title : title + " " + version;
}

std::string backButtonCaption(const InterfaceTexts& texts) { return "< " + texts.text(TextId::ButtonBack); }

std::string nextButtonCaption(const InterfaceTexts& texts) { return texts.text(TextId::ButtonNext) + " >"; }

std::string welcomeBody(const InterfaceTexts& texts) {
  return texts.text(TextId::Page01Msg1) + "\n\n" + texts.text(TextId::Page01Msg2) + "\n\n" +
         texts.text(TextId::Page01Msg3);
}

std::string diskSpaceStatus(const InterfaceTexts& texts, const std::string& prgSize) {
  return texts.text(TextId::InstallMsg0) + " " + prgSize;
}

std::string installingStatus(const InterfaceTexts& texts) { return texts.text(TextId::Page05Install) + " ....."; }

std::string copyStepRunning(const InterfaceTexts& texts) { return texts.text(TextId::InstallMsg1) + " ....."; }

std::string copyStepDone(const InterfaceTexts& texts) {
  return texts.text(TextId::InstallMsg1) + "   -->   *** " + texts.text(TextId::InstallReady) + " ***";
}

std::string productStepLine(const std::string& title, const std::string& version, const std::string& date) {
  std::string line = title;
  if (!version.empty()) line += "  -  Version " + version;
  if (!date.empty()) line += "   (" + date + ")";
  return line;
}

std::string authorStepLine(const std::string& author, const std::string& email) {
  std::string line;
  if (!author.empty()) line = "\xA9 " + author;
  if (!email.empty()) line += "   ( " + email + " )";
  return line;
}

}  // namespace qv
