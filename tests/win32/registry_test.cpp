// The real registry under Wine.
#include "win32/registry_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

const char kKey[] = "Software\\Quarvel Tests\\Registry";

TEST(Win32Registry, WritesAndReadsBackUnderCurrentUser) {
  qv::Win32Registry reg;
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Folder"), "");
  EXPECT_EQ(reg.writeString(qv::RegistryRoot::CurrentUser, kKey, "Folder", "C:\\Program Files\\My App\\"), 2);
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Folder"), "C:\\Program Files\\My App\\");
  EXPECT_EQ(reg.writeString(qv::RegistryRoot::CurrentUser, kKey, "Empty", ""), 2);
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Empty"), "");
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

TEST(Win32Registry, ValueWithoutTerminatingZeroKeepsItsLastCharacter) {
  qv::Win32Registry reg;
  HKEY h;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kKey, &h), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(h, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(h, "Zero", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 0), ERROR_SUCCESS);
  RegCloseKey(h);
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Bare"), "abc");
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Zero"), "");
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

TEST(Win32Registry, TooLongValueReadsAsEmpty) {
  qv::Win32Registry reg;
  std::string longValue(300, 'x');
  EXPECT_EQ(reg.writeString(qv::RegistryRoot::CurrentUser, kKey, "Long", longValue), 2);
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Long"), "");
  std::string fits(254, 'y');
  EXPECT_EQ(reg.writeString(qv::RegistryRoot::CurrentUser, kKey, "Fits", fits), 2);
  EXPECT_EQ(reg.readString(qv::RegistryRoot::CurrentUser, kKey, "Fits"), fits);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

}  // namespace
