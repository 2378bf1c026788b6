// The script file: its language, the header of constants in both languages, the
// lines as the host gets them, and what is handed to the host.
#include "system/script_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/file.h"
#include "support/scratch_folder.h"

namespace {

using qv::ScriptLanguage;

class RecordingHost : public qv::ScriptHost {
 public:
  bool reset() override {
    calls.push_back("reset");
    return true;
  }
  bool setLanguage(const char* language) override {
    calls.push_back(std::string("language ") + language);
    return true;
  }
  bool setTimeout(int32_t milliseconds) override {
    calls.push_back("timeout " + std::to_string(milliseconds));
    return true;
  }
  bool addCode(const std::string& code) override {
    calls.push_back("code");
    codes.push_back(code);
    return !refuses;
  }
  bool refuses = false;
  std::vector<std::string> calls;
  std::vector<std::string> codes;
};

const qv::ScriptConstants kConstants{"C:\\Program Files\\App\\", "C:\\Temp\\{1}\\", "C:\\Menu\\App\\",
                                     "{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}"};

TEST(ScriptFile, LanguageByLowerCaseExtensionOfTheFileName) {
  EXPECT_EQ(qv::scriptLanguageOf("C:\\Temp\\setup.vbs"), ScriptLanguage::VBScript);
  EXPECT_EQ(qv::scriptLanguageOf("C:\\Temp\\Setup.VBS"), ScriptLanguage::VBScript);
  EXPECT_EQ(qv::scriptLanguageOf("setup.js"), ScriptLanguage::JScript);
  EXPECT_EQ(qv::scriptLanguageOf("a.b.Js"), ScriptLanguage::JScript);
  EXPECT_EQ(qv::scriptLanguageOf("setup.txt"), ScriptLanguage::None);
  EXPECT_EQ(qv::scriptLanguageOf("setup.vbs.txt"), ScriptLanguage::None);
  EXPECT_EQ(qv::scriptLanguageOf("setup.txt.vbs"), ScriptLanguage::VBScript);
  EXPECT_EQ(qv::scriptLanguageOf("setup.vbscript"), ScriptLanguage::None);
  EXPECT_EQ(qv::scriptLanguageOf("setup"), ScriptLanguage::None);
  EXPECT_EQ(qv::scriptLanguageOf("setup."), ScriptLanguage::None);
  // A dot in a folder name is no extension of the file.
  EXPECT_EQ(qv::scriptLanguageOf("C:\\my.vbs\\setup"), ScriptLanguage::None);
  EXPECT_EQ(qv::scriptLanguageOf("C:/my.js/setup"), ScriptLanguage::None);
  EXPECT_STREQ(qv::scriptLanguageName(ScriptLanguage::VBScript), "VBScript");
  EXPECT_STREQ(qv::scriptLanguageName(ScriptLanguage::JScript), "JScript");
}

TEST(ScriptFile, HeadersOfBothLanguages) {
  EXPECT_EQ(qv::scriptHeader(ScriptLanguage::VBScript, kConstants),
            "Const qvProgDir = \"C:\\Program Files\\App\\\"\r\n"
            "Const qvSetupDir = \"C:\\Temp\\{1}\\\"\r\n"
            "Const qvStartMenuDir = \"C:\\Menu\\App\\\"\r\n"
            "Const qvGUID = \"{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}\"\r\n");
  // Two blanks before the first "="; the values go in raw, backslashes unescaped.
  EXPECT_EQ(qv::scriptHeader(ScriptLanguage::JScript, kConstants),
            "var qvProgDir  = \"C:\\\\Program Files\\\\App\\\\\";\r\n"
            "var qvSetupDir = \"C:\\\\Temp\\\\{1}\\\\\";\r\n"
            "var qvStartMenuDir = \"C:\\\\Menu\\\\App\\\\\";\r\n"
            "var qvGUID = \"{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}\";\r\n");
  // A double quote in a value stays inside the literal in both languages.
  qv::ScriptConstants quoted{"", "", "", "{\"x\"}"};
  auto lastLine = [](const std::string& header) { return header.substr(header.rfind("\r\n", header.size() - 3) + 2); };
  EXPECT_EQ(lastLine(qv::scriptHeader(ScriptLanguage::VBScript, quoted)), "Const qvGUID = \"{\"\"x\"\"}\"\r\n");
  EXPECT_EQ(lastLine(qv::scriptHeader(ScriptLanguage::JScript, quoted)), "var qvGUID = \"{\\\"x\\\"}\";\r\n");
  EXPECT_EQ(qv::scriptHeader(ScriptLanguage::VBScript, qv::ScriptConstants{}),
            "Const qvProgDir = \"\"\r\nConst qvSetupDir = \"\"\r\nConst qvStartMenuDir = \"\"\r\nConst qvGUID = \"\"\r\n");
  EXPECT_EQ(qv::scriptHeader(ScriptLanguage::None, kConstants), "");
}

TEST(ScriptFile, LinesEndInCrLfWhateverBreakTheyHad) {
  struct Case {
    std::string bytes, expected;
  } cases[] = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n"},
      {"a\r\n\r\n", "a\r\n\r\n"},
      {"a\n\r\nb", "a\r\n\r\nb\r\n"},
      {"\n", "\r\n"},
      {std::string("x\0y\n", 4), std::string("x\0y\r\n", 5)},
  };
  for (const Case& c : cases) {
    std::string text = "H";
    qv::appendScriptLines(text, c.bytes);
    EXPECT_EQ(text, "H" + c.expected) << c.bytes;
  }
}

TEST(ScriptFile, VbScriptAndJScriptAreHandedToTheHost) {
  qvtest::ScratchFolder scratch;
  const std::string vbs = scratch / "Setup.VBS", js = scratch / "setup.js";
  const std::string vbsText = "MsgBox qvProgDir\nMsgBox qvGUID";
  ASSERT_TRUE(qv::writeWholeFile(vbs, vbsText.data(), vbsText.size()));
  ASSERT_TRUE(qv::writeWholeFile(js, "var a = 1;\r\n", 12));

  RecordingHost host;
  EXPECT_EQ(qv::runScriptFile(vbs, kConstants, &host), 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"language VBScript", "timeout 20000", "code"}));
  EXPECT_EQ(host.codes.back(), qv::scriptHeader(ScriptLanguage::VBScript, kConstants) +
                                   "MsgBox qvProgDir\r\nMsgBox qvGUID\r\n");

  host.calls.clear();
  EXPECT_EQ(qv::runScriptFile(js, kConstants, &host), 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"language JScript", "timeout 20000", "code"}));
  EXPECT_EQ(host.codes.back(), qv::scriptHeader(ScriptLanguage::JScript, kConstants) + "var a = 1;\r\n");
}

TEST(ScriptFile, NothingRunsWithoutFileLanguageOrHost) {
  qvtest::ScratchFolder scratch;
  const std::string txt = scratch / "setup.txt", vbs = scratch / "setup.vbs";
  ASSERT_TRUE(qv::writeWholeFile(txt, "x", 1));
  ASSERT_TRUE(qv::writeWholeFile(vbs, "x", 1));
  RecordingHost host;
  EXPECT_EQ(qv::runScriptFile(txt, kConstants, &host), 0);
  EXPECT_EQ(qv::runScriptFile(scratch / "missing.vbs", kConstants, &host), 0);
  EXPECT_EQ(qv::runScriptFile(scratch.path(), kConstants, &host), 0);  // a folder
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(qv::runScriptFile(vbs, kConstants, nullptr), 0);
  // An empty script still gets its header.
  ASSERT_TRUE(qv::writeWholeFile(vbs, "", 0));
  EXPECT_EQ(qv::runScriptFile(vbs, kConstants, &host), 1);
  EXPECT_EQ(host.codes.back(), qv::scriptHeader(ScriptLanguage::VBScript, kConstants));
  // Code the host refuses (it does not compile or fails) is a failure.
  host.refuses = true;
  EXPECT_EQ(qv::runScriptFile(vbs, kConstants, &host), 0);
}

}  // namespace
