#include "integration/privileges.h"

namespace qv {

std::string logonDomain(const std::string& domain) { return domain.empty() ? std::string(".") : domain; }

void logOnAsAdministrator(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                          SystemHandle& token, bool& impersonating) {
  if (!window.openLoginWindow(texts)) return;
  while (window.waitForLoginEvent() == LoginWindow::Event::Login) {
    SystemHandle logon = privileges.impersonateUser(window.enteredUserName(), ".", window.enteredPassword());
    if (logon) {
      // The thread now impersonates the new account; the token before is no longer used.
      if (token && token != logon) privileges.closeToken(token);
      token = logon;
      impersonating = true;
      break;
    }
    window.showLoginFailure(texts.text(TextId::Rq7Titel), texts.text(TextId::Rq7Msg));
    window.clearLoginFields();
  }
  window.closeLoginWindow();
}

bool offerAdministratorLogon(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                             SystemHandle& token, bool& impersonating) {
  if (privileges.isAdministrator()) return false;
  logOnAsAdministrator(privileges, window, texts, token, impersonating);
  return true;
}

}  // namespace qv
