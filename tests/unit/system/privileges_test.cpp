// The administrator logon against a stand-in login window and system: the retry
// contract, a failed logon's box and emptied fields, closing, and the token held.
#include <gtest/gtest.h>

#include "system/privileges.h"
#include "unit/system/fake_run_services.h"

namespace {

using qvtest::FakeLoginWindow;
using qvtest::FakePrivileges;
using Event = qv::LoginWindow::Event;

qv::SystemHandle token(uintptr_t n) { return reinterpret_cast<qv::SystemHandle>(n); }

TEST(Privileges, FailedLoginsShowTheBoxAndEmptyTheFieldsUntilOneSucceeds) {
  FakePrivileges privileges;
  privileges.tokens = {nullptr, nullptr, token(7)};
  FakeLoginWindow window;
  window.events = {Event::Login, Event::Login, Event::Login};
  window.entries = {{"admin", "wrong"}, {"", "secret"}, {"admin", "right"}};
  qv::InterfaceTexts texts;
  qv::LogonState logon;
  qv::logOnAsAdministrator(privileges, window, texts, logon);

  // Always the local account database, also with an empty user name.
  EXPECT_EQ(privileges.logons, (std::vector<std::string>{"admin|.|wrong", "|.|secret", "admin|.|right"}));
  EXPECT_EQ(window.failures, (std::vector<std::string>{"Error - Login|Login failed.", "Error - Login|Login failed."}));
  EXPECT_EQ(window.clears, 2);
  EXPECT_EQ(logon.token, token(7));
  EXPECT_TRUE(logon.impersonating);
  EXPECT_FALSE(logon.declined);
  EXPECT_EQ(window.opened, 1);
  EXPECT_EQ(window.closes, 1);
  EXPECT_EQ(window.caption, "Login as administrator");
}

TEST(Privileges, ClosingTheWindowOrFailingToOpenItLeavesNoToken) {
  qv::InterfaceTexts texts;
  {
    SCOPED_TRACE("closed after a failure");
    FakePrivileges privileges;
    FakeLoginWindow window;
    window.events = {Event::Login, Event::Close, Event::Login};
    window.entries = {{"a", "b"}, {"c", "d"}};
    qv::LogonState logon;
    qv::logOnAsAdministrator(privileges, window, texts, logon);
    EXPECT_EQ(privileges.logons.size(), 1u);  // nothing after the close
    EXPECT_EQ(logon.token, nullptr);
    EXPECT_FALSE(logon.impersonating);
    EXPECT_TRUE(logon.declined);
    EXPECT_EQ(window.closes, 1);
  }
  {
    SCOPED_TRACE("window cannot be opened");
    FakePrivileges privileges;
    FakeLoginWindow window;
    window.opens = false;
    window.events = {Event::Login};
    qv::LogonState logon;
    qv::logOnAsAdministrator(privileges, window, texts, logon);
    EXPECT_TRUE(privileges.logons.empty());
    EXPECT_EQ(logon.token, nullptr);
  }
}

TEST(Privileges, ANewLogonReplacesTheTokenAndClosesTheOldOne) {
  FakePrivileges privileges;
  privileges.tokens = {token(9)};
  FakeLoginWindow window;
  window.events = {Event::Login};
  qv::InterfaceTexts texts;
  qv::LogonState logon{token(4), true, false};
  qv::logOnAsAdministrator(privileges, window, texts, logon);
  EXPECT_EQ(logon.token, token(9));
  EXPECT_FALSE(logon.declined);
  EXPECT_EQ(privileges.closed, std::vector<qv::SystemHandle>{token(4)});
  EXPECT_TRUE(privileges.ended.empty());  // still impersonating, now the new account
}

TEST(Privileges, TheLogonIsOfferedOnlyToNonAdministratorsAndTheStepIsRetriedWhateverItGave) {
  qv::InterfaceTexts texts;
  {
    SCOPED_TRACE("administrator: no window, no retry");
    FakePrivileges privileges;
    privileges.administrator = true;
    FakeLoginWindow window;
    qv::LogonState logon;
    EXPECT_EQ(qv::offerAdministratorLogon(privileges, window, texts, logon), qv::LogonOffer::Administrator);
    EXPECT_EQ(window.opened, 0);
  }
  {
    SCOPED_TRACE("not administrator, window closed: retried all the same");
    FakePrivileges privileges;
    FakeLoginWindow window;
    window.events = {Event::Close};
    qv::LogonState logon;
    EXPECT_EQ(qv::offerAdministratorLogon(privileges, window, texts, logon), qv::LogonOffer::Made);
    EXPECT_EQ(window.opened, 1);
    EXPECT_EQ(logon.token, nullptr);
    // Declined once, it is not offered again in this run, and the step is not retried.
    EXPECT_TRUE(logon.declined);
    window.events = {Event::Close};
    EXPECT_EQ(qv::offerAdministratorLogon(privileges, window, texts, logon), qv::LogonOffer::Declined);
    EXPECT_EQ(qv::offerAdministratorLogon(privileges, window, texts, logon), qv::LogonOffer::Declined);
    EXPECT_EQ(window.opened, 1);
  }
  {
    SCOPED_TRACE("a successful logon leaves the offer open");
    FakePrivileges privileges;
    privileges.tokens = {token(3)};
    FakeLoginWindow window;
    window.events = {Event::Login};
    qv::LogonState logon;
    EXPECT_EQ(qv::offerAdministratorLogon(privileges, window, texts, logon), qv::LogonOffer::Made);
    EXPECT_FALSE(logon.declined);
    EXPECT_EQ(logon.token, token(3));
  }
  EXPECT_EQ(qv::logonDomain(""), ".");
  EXPECT_EQ(qv::logonDomain("WORKGROUP"), "WORKGROUP");
}

}  // namespace
