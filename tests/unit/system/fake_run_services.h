// Stand-ins for the privileges, the login window, the running-program guard's system
// calls and the started programs, for tests of the portable core.
#pragma once

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "system/privileges.h"
#include "system/processes.h"
#include "system/running_guard.h"

namespace qvtest {

class FakePrivileges : public qv::Privileges {
 public:
  bool isAdministrator() override {
    ++adminTests;
    return administrator;
  }
  // Hands out the next token of `tokens` (null: the logon fails).
  qv::SystemHandle impersonateUser(const std::string& user, const std::string& domain,
                                   const std::string& password) override {
    logons.push_back(user + "|" + domain + "|" + password);
    if (tokens.empty()) return nullptr;
    qv::SystemHandle token = tokens.front();
    tokens.pop_front();
    return token;
  }
  void endImpersonation(qv::SystemHandle token) override { ended.push_back(token); }
  void closeToken(qv::SystemHandle token) override { closed.push_back(token); }

  bool administrator = false;
  int adminTests = 0;
  std::deque<qv::SystemHandle> tokens;
  std::vector<std::string> logons;
  std::vector<qv::SystemHandle> ended, closed;
};

// Plays a script of events; each Login takes the next pair of field contents.
class FakeLoginWindow : public qv::LoginWindow {
 public:
  bool openLoginWindow(const qv::InterfaceTexts& texts) override {
    ++opened;
    caption = texts.text(qv::TextId::LoginAdminWindow);
    return opens;
  }
  Event waitForLoginEvent() override {
    if (events.empty()) return Event::Close;
    Event e = events.front();
    events.pop_front();
    if (e == Event::Login && !entries.empty()) {
      user = entries.front().first;
      password = entries.front().second;
      entries.pop_front();
    }
    return e;
  }
  std::string enteredUserName() override { return user; }
  std::string enteredPassword() override { return password; }
  void clearLoginFields() override {
    ++clears;
    user.clear();
    password.clear();
  }
  void showLoginFailure(const std::string& c, const std::string& text) override { failures.push_back(c + "|" + text); }
  void closeLoginWindow() override { ++closes; }

  bool opens = true;
  int opened = 0, closes = 0, clears = 0;
  std::string caption, user, password;
  std::deque<Event> events;
  std::deque<std::pair<std::string, std::string>> entries;
  std::vector<std::string> failures;
};

class FakeRunningPrograms : public qv::RunningPrograms {
 public:
  bool listProcessNames(std::vector<std::string>& names) override {
    ++listings;
    names = processes;
    return listable;
  }
  bool mutexExists(const std::string& name) override {
    mutexTests.push_back(name);
    return heldMutexes.count(name) != 0;
  }
  bool confirmRunningProgram(const std::string& caption, const std::string& text) override {
    boxes.push_back(caption + "|" + text);
    return answerOk;
  }

  std::vector<std::string> processes;
  bool listable = true;
  int listings = 0;
  std::set<std::string> heldMutexes;
  std::vector<std::string> mutexTests;
  bool answerOk = true;
  std::vector<std::string> boxes;
};

// Records every start; a kept program "ends" at once with `exitCode`.
class FakeProcesses : public qv::Processes {
 public:
  qv::StartedProcess startProcess(const std::string& file, const std::string& parameters,
                                  const std::string& workingFolder, unsigned flags) override {
    starts.push_back(file + "|" + parameters + "|" + workingFolder + "|" + std::to_string(flags));
    qv::StartedProcess result;
    if (!startable) return result;
    result.started = true;
    if (flags & qv::kProcessKeep) {
      std::unique_ptr<qv::ProcessRecord> record(new qv::ProcessRecord);
      record->processId = 100 + int(starts.size());
      result.record = list.keep(std::move(record));
    }
    return result;
  }
  uint32_t processExitCode(const qv::ProcessRecord* record) override { return list.contains(record) ? exitCode : 0; }
  bool processIsRunning(const qv::ProcessRecord* record) override { return keepRunning && list.contains(record); }
  void stopProcess(const qv::ProcessRecord* record) override {
    if (list.contains(record)) ++stopped;
  }
  void releaseProcess(const qv::ProcessRecord* record) override {
    if (list.take(record)) ++released;
  }
  void pumpEventsWhileWaiting(bool pump) override { pumping = pump; }
  bool pumping = false;
  void releaseAllProcesses() override {
    ++releasedAll;
    list.takeAll();
  }

  bool startable = true;
  bool keepRunning = false;  // kept programs run until stopped
  uint32_t exitCode = 0;
  std::vector<std::string> starts;
  qv::ProcessRecordList list;
  int released = 0, releasedAll = 0, stopped = 0;
};

}  // namespace qvtest
