// The script control under Wine: the hand-declared interface against the control's
// own dispatch interface, and script files run with their header constants.
#include "system/script_file.h"
#include "win32/script_host_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "win32/com_win32.h"
#include "win32/script_control_win32.h"

namespace {

class ComThread {
 public:
  ComThread() : result_(CoInitialize(nullptr)) {}
  ~ComThread() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

// A property read through IDispatch, which finds it by name and not by slot.
bool readProperty(IDispatch* object, const wchar_t* name, VARIANT& value) {
  DISPID id;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VariantInit(&value);
  return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr,
                                  nullptr));
}

std::wstring wide(const std::string& text) {
  qv::BstrText b(text.data(), text.size());
  return std::wstring(b.get(), SysStringLen(b.get()));
}

TEST(Win32ScriptControl, DeclaredSlotsMatchTheControlsOwnInterface) {
  ComThread com;
  qv::IScriptControl* control = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(qv::kScriptControlClass, nullptr, CLSCTX_INPROC_SERVER,
                                            qv::kScriptControlInterface, reinterpret_cast<void**>(&control)));
  ASSERT_NE(control, nullptr);

  BSTR language = SysAllocString(L"JScript");
  EXPECT_HRESULT_SUCCEEDED(control->put_Language(language));
  SysFreeString(language);
  // Wine's control refuses a reset before it has a language; with one it resets.
  EXPECT_HRESULT_SUCCEEDED(control->Reset());
  VARIANT value;
  ASSERT_TRUE(readProperty(control, L"Language", value));
  ASSERT_EQ(value.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(value.bstrVal), L"JScript");
  VariantClear(&value);
  BSTR read = nullptr;
  EXPECT_HRESULT_SUCCEEDED(control->get_Language(&read));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(std::wstring(read), L"JScript");
  SysFreeString(read);

  EXPECT_HRESULT_SUCCEEDED(control->put_Timeout(20000));
  ASSERT_TRUE(readProperty(control, L"Timeout", value));
  EXPECT_EQ(value.vt, VT_I4);
  EXPECT_EQ(value.lVal, 20000);
  LONG timeout = 0;
  EXPECT_HRESULT_SUCCEEDED(control->get_Timeout(&timeout));
  EXPECT_EQ(timeout, 20000);

  // AddCode runs the code: good code succeeds, code that does not parse fails.
  BSTR good = SysAllocString(L"var qvSlotTest = 6 * 7;");
  EXPECT_HRESULT_SUCCEEDED(control->AddCode(good));
  SysFreeString(good);
  BSTR expression = SysAllocString(L"qvSlotTest");
  VARIANT result;
  VariantInit(&result);
  EXPECT_HRESULT_SUCCEEDED(control->Eval(expression, &result));
  SysFreeString(expression);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 42);
  VariantClear(&result);
  BSTR bad = SysAllocString(L"var = = ;(");
  EXPECT_HRESULT_FAILED(control->AddCode(bad));
  SysFreeString(bad);
  control->Release();
}

TEST(Win32ScriptControl, AnsiTextBecomesTheSameWideText) {
  EXPECT_EQ(wide(""), L"");
  EXPECT_EQ(wide("C:\\Program Files\\App\\"), L"C:\\Program Files\\App\\");
  EXPECT_EQ(wide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

class Win32ScriptFile : public ::testing::Test {
 protected:
  void SetUp() override {
    constants_.progDir = scratch_ / "Program Files\\Quarvel Script\\";
    constants_.setupDir = scratch_ / "Temp\\{7E1C}\\";
    constants_.startMenuDir = scratch_ / "Menu\\Quarvel Script\\";
    constants_.guid = "{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}";
    host_ = qv::createScriptHost();
  }
  void TearDown() override {
    qv::releaseScriptHost(host_);
    EXPECT_EQ(host_, nullptr);
  }
  void writeScript(const std::string& name, const std::string& text) {
    ASSERT_TRUE(qv::writeWholeFile(scratch_ / name, text.data(), text.size()));
  }
  std::string expectedConstants() const {
    return "qvProgDir=" + constants_.progDir + "\r\nqvSetupDir=" + constants_.setupDir +
           "\r\nqvStartMenuDir=" + constants_.startMenuDir + "\r\nqvGUID=" + constants_.guid + "\r\n";
  }

  qvtest::ScratchFolder scratch_;
  qv::ScriptConstants constants_;
  std::unique_ptr<qv::ScriptHost> host_;
};

TEST_F(Win32ScriptFile, VbScriptSeesTheFourConstants) {
  ASSERT_NE(host_, nullptr);
  const std::string out = scratch_ / "constants.txt";
  // LF line ends on purpose: the host gets CR LF whatever the file had.
  writeScript("Setup.VBS",
              "Dim fso, out\n"
              "Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
              "Set out = fso.CreateTextFile(\"" + out + "\", True)\n"
              "out.WriteLine \"qvProgDir=\" & qvProgDir\n"
              "out.WriteLine \"qvSetupDir=\" & qvSetupDir\n"
              "out.WriteLine \"qvStartMenuDir=\" & qvStartMenuDir\n"
              "out.WriteLine \"qvGUID=\" & qvGUID\n"
              "out.Close\n");
  EXPECT_EQ(qv::runScriptFile(scratch_ / "Setup.VBS", constants_, host_.get()), 1);
  EXPECT_EQ(qvtest::readText(out), expectedConstants());
}

TEST_F(Win32ScriptFile, JScriptSeesTheFourConstants) {
  ASSERT_NE(host_, nullptr);
  const std::string out = scratch_ / "constants-js.txt";
  std::string outLiteral;
  for (char c : out) outLiteral += c == '\\' ? std::string("\\\\") : std::string(1, c);
  // A value with a double quote and one with "\u" (C:\users) must come through as well.
  constants_.guid = "{\"quoted\"}";
  constants_.setupDir = scratch_ / "users\\u0041\\";
  writeScript("setup.js",
              "var fso = new ActiveXObject(\"Scripting.FileSystemObject\");\n"
              "var out = fso.CreateTextFile(\"" + outLiteral + "\", true);\n"
              "out.WriteLine(\"qvProgDir=\" + qvProgDir);\n"
              "out.WriteLine(\"qvSetupDir=\" + qvSetupDir);\n"
              "out.WriteLine(\"qvStartMenuDir=\" + qvStartMenuDir);\n"
              "out.WriteLine(\"qvGUID=\" + qvGUID);\n"
              "out.Close();\n");
  EXPECT_EQ(qv::runScriptFile(scratch_ / "setup.js", constants_, host_.get()), 1);
  EXPECT_EQ(qvtest::readText(out), expectedConstants());
}

TEST_F(Win32ScriptFile, AScriptThatFailsIsReportedAsFailed) {
  ASSERT_NE(host_, nullptr);
  writeScript("broken.vbs", "If Then Else\r\n");
  EXPECT_EQ(qv::runScriptFile(scratch_ / "broken.vbs", constants_, host_.get()), 0);
  writeScript("broken.js", "var x = ;\r\n");
  EXPECT_EQ(qv::runScriptFile(scratch_ / "broken.js", constants_, host_.get()), 0);
  // Compiles, but fails as it runs.
  writeScript("throws.js", "throw new Error(\"stop\");\r\n");
  EXPECT_EQ(qv::runScriptFile(scratch_ / "throws.js", constants_, host_.get()), 0);
}

TEST_F(Win32ScriptFile, OtherFilesAreNotRun) {
  ASSERT_NE(host_, nullptr);
  const std::string out = scratch_ / "ran.txt";
  const std::string body = "Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
                           "fso.CreateTextFile(\"" + out + "\", True).Close\r\n";
  writeScript("setup.txt", body);
  EXPECT_EQ(qv::runScriptFile(scratch_ / "setup.txt", constants_, host_.get()), 0);
  EXPECT_FALSE(qv::fileExists(out));
  // The same code as VBScript runs, which shows the check above could fail.
  writeScript("setup.vbs", body);
  EXPECT_EQ(qv::runScriptFile(scratch_ / "setup.vbs", constants_, host_.get()), 1);
  EXPECT_TRUE(qv::fileExists(out));
}

}  // namespace
