// A stand-in wizard window: the controls' states kept by number, the events scripted,
// and what the run did to the window recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "wizard/wizard_window.h"

namespace qvtest {

class FakeWizardWindow : public qv::WizardWindow {
 public:
  struct Control {
    bool shown = true;
    bool enabled = true;
    bool checked = false;
    std::string text;
  };

  // The first states of the table: what is hidden at the start.
  FakeWizardWindow() {
    using namespace qv::wizard_control;
    for (int number = 1; number <= 37; ++number) controls[number];
    for (int hidden : {kHeaderBand, kLicencePanel, kSettingsPanel, kReadmePanel, kInstallPanel, kRunProgram,
                       kProgressBar, kBack, kInstall, kFinish})
      controls[hidden].shown = false;
  }

  bool buildWizardWindow(const std::string& caption, const qv::InterfaceTexts&) override {
    built = buildable;
    this->caption = caption;
    return buildable;
  }
  void showWizardWindow() override { log.push_back("show"); }
  void closeWizardWindow() override { log.push_back("close"); }
  void loadViewer(int control, const std::string& path, bool richText) override {
    log.push_back("viewer " + std::to_string(control) + (richText ? " rich " : " text ") + path);
    viewerText[control] = true;
  }
  void loadPictures(const std::string& side, const std::string& header) override {
    log.push_back("pictures " + side + " | " + header);
  }
  // The next scripted event; before it, `beforeEvent` may look at the window.
  qv::WizardEvent waitForWizardEvent() override {
    if (beforeEvent) beforeEvent(*this);
    if (events.empty()) return qv::WizardEvent();
    qv::WizardEvent event = events.front();
    events.pop_front();
    return event;
  }
  void setWizardBusy(bool isBusy) override { busy = isBusy; }
  void drainWizardEvents() override { ++drains; }
  void addStepLine(const std::string& text) override { steps.push_back(text); }
  void replaceStepLine(int line, const std::string& text) override {
    if (line >= 0 && size_t(line) < steps.size()) steps[size_t(line)] = text;
  }
  void setProgressRange(int64_t maximum) override { progressMaximum = maximum; }
  void advanceProgress(int64_t position) override { progress.push_back(position); }
  std::string browseForFolder(const std::string& prompt) override {
    log.push_back("browse " + prompt);
    return browsed;
  }
  std::string chooseStartMenuFolder(const std::string& fieldText, const std::string& user, const std::string& common,
                                    const qv::InterfaceTexts&) override {
    log.push_back("pick " + fieldText + " | " + user + " | " + common);
    if (picks.empty()) return std::string();
    std::string picked = picks.front();
    picks.pop_front();
    return picked;
  }

  void showControl(int control, bool shown) override { controls[control].shown = shown; }
  void enableControl(int control, bool enabled) override { controls[control].enabled = enabled; }
  void setControlText(int control, const std::string& text) override { controls[control].text = text; }
  std::string controlText(int control) override { return controls[control].text; }
  void setChecked(int control, bool checked) override { controls[control].checked = checked; }
  bool isChecked(int control) override { return controls[control].checked; }
  bool viewerHoldsText(int control) override { return viewerText[control]; }

  // The scripted events.
  void press(int control) { events.push_back({qv::WizardEvent::Kind::Pressed, control}); }
  void leave(int control) { events.push_back({qv::WizardEvent::Kind::FocusLost, control}); }
  void requestClose() { events.push_back({qv::WizardEvent::Kind::CloseRequest, 0}); }
  bool shown(int control) { return controls[control].shown; }

  bool buildable = true;
  bool built = false;
  bool busy = false;
  int drains = 0;
  std::string caption, browsed;
  std::deque<std::string> picks;  // what the picker returns, one per opening
  std::map<int, Control> controls;
  std::map<int, bool> viewerText;
  std::deque<qv::WizardEvent> events;
  std::function<void(FakeWizardWindow&)> beforeEvent;
  std::vector<std::string> log, steps;
  int64_t progressMaximum = 0;
  std::vector<int64_t> progress;
};

}  // namespace qvtest
