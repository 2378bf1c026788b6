#include "system/privileges.h"

namespace qv {

std::string logonDomain(const std::string& domain) { return domain.empty() ? std::string(".") : domain; }

void logOnAsAdministrator(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                          LogonState& logon) {
  if (!window.openLoginWindow(texts)) {
    logon.declined = true;
    return;
  }
  bool loggedOn = false;
  while (window.waitForLoginEvent() == LoginWindow::Event::Login) {
    SystemHandle token = privileges.impersonateUser(window.enteredUserName(), ".", window.enteredPassword());
    if (token) {
      // The thread now impersonates the new account; the token before is no longer used.
      if (logon.token && logon.token != token) privileges.closeToken(logon.token);
      logon.token = token;
      logon.impersonating = true;
      loggedOn = true;
      break;
    }
    window.showLoginFailure(texts.text(TextId::Rq7Titel), texts.text(TextId::Rq7Msg));
    window.clearLoginFields();
  }
  window.closeLoginWindow();
  if (!loggedOn) logon.declined = true;
}

LogonOffer offerAdministratorLogon(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                                   LogonState& logon) {
  if (privileges.isAdministrator()) return LogonOffer::Administrator;
  if (logon.declined) return LogonOffer::Declined;
  logOnAsAdministrator(privileges, window, texts, logon);
  return LogonOffer::Made;
}

}  // namespace qv
