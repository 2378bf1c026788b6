#include "install/checked_copy.h"

#include "runtime/paths.h"

namespace qv {
namespace {

// Two digits (or four for the year) of a value that may come from a damaged clock.
int clampedField(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// A clamped (never negative) field with leading zeros, written by hand: the C
// library's formatter would bring its whole floating-point printer into the stub.
void appendDigits(std::string& text, int value, int width) {
  char digits[4];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  text.append(digits, static_cast<std::size_t>(width));
}

}  // namespace

std::string formatFileDate(const LocalDateTime& date) {
  std::string text;
  appendDigits(text, clampedField(date.year, 0, 9999), 4);
  text += '-';
  appendDigits(text, clampedField(date.month, 0, 99), 2);
  text += '-';
  appendDigits(text, clampedField(date.day, 0, 99), 2);
  text += "  ";
  appendDigits(text, clampedField(date.hour, 0, 99), 2);
  text += ':';
  appendDigits(text, clampedField(date.minute, 0, 99), 2);
  return text;
}

void fillFileVersionLabels(const FileVersionFields& fields, const LocalDateTime* date, const InterfaceTexts& texts,
                           std::string& version, std::string& language, std::string& description) {
  const std::string& notAvailable = texts.text(TextId::FileVersionNotAvailable);
  if (!fields.version.empty())
    version = fields.version;
  else
    version = date ? formatFileDate(*date) : notAvailable;
  language = fields.language.empty() ? notAvailable : fields.language;
  description = fields.description.empty() ? notAvailable : fields.description;
}

FileVersionLabels fileVersionLabels(const std::string& currentSummary, const LocalDateTime* currentDate,
                                    const std::string& newSummary, const LocalDateTime* newDate,
                                    const InterfaceTexts& texts) {
  FileVersionLabels labels;
  fillFileVersionLabels(parseFileVersionSummary(currentSummary), currentDate, texts, labels.currentVersion,
                        labels.currentLanguage, labels.currentDescription);
  fillFileVersionLabels(parseFileVersionSummary(newSummary), newDate, texts, labels.newVersion,
                        labels.newLanguage, labels.newDescription);
  return labels;
}

bool replacesWithoutAsking(const std::string& source, const std::string& destination, CopyServices& services) {
  uint64_t installed = 0, replacement = 0;
  bool bothVersioned = services.readFileVersionNumber(destination, installed) &&
                       services.readFileVersionNumber(source, replacement);
  return !bothVersioned || installed <= replacement;
}

void copyFileChecked(const std::string& source, const std::string& destination, CopyServices& services,
                     CopyPolicy& policy, const InterfaceTexts& texts) {
  if (!services.fileExists(destination)) {
    copyFileAsAdministrator(source, destination, services, policy);
  } else if (!policy.answersItself()) {
    confirmReplaceFile(source, destination, services, policy, texts);
  } else if (replacesWithoutAsking(source, destination, services)) {
    copyFileAsAdministrator(source, destination, services, policy);
  }
}

void confirmReplaceFile(const std::string& source, const std::string& destination, CopyServices& services,
                        CopyPolicy& policy, const InterfaceTexts& texts) {
  std::string current = services.getFileVersionSummary(destination);
  std::string replacement = services.getFileVersionSummary(source);

  FileVersionWindow& window = services.fileVersionWindow();
  if (!window.openFileVersionWindow(fileNamePartOf(source), texts)) return;
  window.enableWizardWindow(false);

  LocalDateTime currentDate, newDate;
  bool haveCurrentDate = services.readCreationDate(destination, currentDate);
  bool haveNewDate = services.readCreationDate(source, newDate);
  window.setFileVersionLabels(fileVersionLabels(current, haveCurrentDate ? &currentDate : nullptr, replacement,
                                                haveNewDate ? &newDate : nullptr, texts));

  if (window.waitForFileVersionAnswer() == FileVersionWindow::Answer::Yes)
    copyFileAsAdministrator(source, destination, services, policy);

  window.enableWizardWindow(true);
  window.closeFileVersionWindow();
}

bool copyFileAsAdministrator(const std::string& source, const std::string& destination, CopyServices& services,
                             CopyPolicy& policy) {
  if (services.copyFileReplacing(source, destination)) return true;
  LogonOffer offer = policy.offerAdministratorLogon();
  if (offer == LogonOffer::Made && services.copyFileReplacing(source, destination)) return true;
  if (offer != LogonOffer::Administrator) policy.reportCopyFailure();
  return false;
}

}  // namespace qv
