// The interface texts: every text the stub shows or hands on, each with a built-in
// English default and a Group/Key in the language file. The driver owns one table
// for the run; it holds the defaults from the start and is filled once from the
// chosen language file, then only read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// In table order: the groups and their keys as the language file is read.
enum class TextId : uint8_t {
  // [Install]
  InstallMsg0, InstallMsg1, InstallMsg2, InstallMsg3, InstallMsg6, InstallReady, InstallHelp, InstallHomepage,
  InstallUninstall,
  // [Page01]
  Page01Titel, Page01Msg1, Page01Msg2, Page01Msg3, Page01CopyRight,
  // [Page02]
  Page02Titel, Page02Msg, Page02AcceptYes, Page02AcceptNo,
  // [Page03]
  Page03Titel, Page03Msg, Page03ProgDir, Page03MenuDir, Page03NoStartMenu, Page03DesktopIcon,
  // [Page04]
  Page04Titel, Page04Msg,
  // [Page05]
  Page05Titel1, Page05Msg, Page05Install, Page05RunProg, Page05Ready,
  // [Requester]
  Rq1Titel, Rq1Msg, Rq2Titel, Rq3Titel, Rq3User, Rq3AllUsers, Rq4Titel, Rq4Msg, Rq4Msg2, Rq5Titel, Rq5Msg,
  Rq6Titel, Rq6Msg, Rq7Titel, Rq7Msg,
  // [FileVersion]
  FileVersionWindow, FileVersionFrameOld, FileVersionFrameNew, FileVersionMsg, FileVersionVersion,
  FileVersionLang, FileVersionDesc, FileVersionNotAvailable,
  // [LoginAdmin]
  LoginAdminWindow, LoginAdminUser, LoginAdminPassword,
  // [StartMenu]
  StartMenuIUpdater,
  // [Buttons]
  ButtonLogin, ButtonNext, ButtonBack, ButtonApply, ButtonCancel, ButtonChange, ButtonInstall, ButtonFinish,
  ButtonYes, ButtonNo,
  // [Uninstaller]: not shown here, handed to the uninstaller through its log
  UninstallerTitel, UninstallerMsg, UninstallerVersion, UninstallerUninstInfo, UninstallerDelAll,
  UninstallerError, UninstallerStatus, UninstallerOk, UninstallerCancel, UninstallerReady,
  Count
};

constexpr size_t kTextCount = size_t(TextId::Count);

// Where a text lives in the language file, and its built-in default. In the default,
// '\1' stands for the product title and '\2' for the product version.
struct TextEntry {
  const char* group;
  const char* key;
  const char* defaultText;
};

TextEntry textEntry(TextId id);

// The title a table shows before the setup description has named one.
inline constexpr char kUnknownTitle[] = "--- unkown ---";

class InterfaceTexts {
 public:
  // The built-in defaults, composed with the unknown title and no version.
  InterfaceTexts();

  // Fills the table from the language file at `path` (a missing or unreadable file
  // leaves every default), the defaults composed with `title` and `version`. In
  // Page01/Titel and Page05/Titel1 every "|" becomes a line feed.
  void loadInterfaceTexts(const std::string& path, const std::string& title, const std::string& version);

  const std::string& text(TextId id) const { return texts_[size_t(id)]; }
  // One text replaced, as the uninstaller takes them from its log.
  void setText(TextId id, std::string text) { texts_[size_t(id)] = std::move(text); }

 private:
  void fillDefaults(const std::string& title, const std::string& version);

  std::array<std::string, kTextCount> texts_;
};

// Substitutions made when a text is used. Requester/RQ4_Msg with every "$Titel"
// replaced by the title.
std::string closeProgramMessage(const InterfaceTexts& texts, const std::string& title);
// Requester/RQ5_Msg with every "$Extension" replaced by "*." + the extension, and two
// blanks after it.
std::string associateExtensionQuestion(const InterfaceTexts& texts, const std::string& extension);

// A default with the title and version put in.
std::string composeDefault(const char* defaultText, const std::string& title, const std::string& version);

}  // namespace qv
