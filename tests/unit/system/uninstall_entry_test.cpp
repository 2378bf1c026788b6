// The uninstall entry: its key, values and order, and when the quiet run writes it.
#include "system/uninstall_entry.h"

#include <gtest/gtest.h>

#include "unit/system/fake_system_folders.h"

namespace {

using qv::RegistryRoot;
using qvtest::FakeRegistry;

const char kGuid[] = "{0F1E2D3C-AAAA-BBBB-CCCC-000011112222}";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Refuses to make keys, as without the rights for HKEY_LOCAL_MACHINE.
class ReadOnlyRegistry : public FakeRegistry {
 public:
  int writeString(RegistryRoot, const std::string& key, const std::string&, const std::string&) override {
    writes.push_back(key);
    return 0;
  }
};

TEST(UninstallEntry, ValuesInOrderUnderTheGuid) {
  FakeRegistry r;
  EXPECT_TRUE(qv::writeUninstallEntry(r, kGuid, "Acme", "Acme  1.0", "Pub", "http://acme.example/", "Ann",
                                      "C:\\A\\acme.exe", "C:\\A\\uninstall.exe"));
  const std::string key = std::string(kUninstall) + kGuid;
  const std::vector<std::string> expected = {
      key + "|DisplayName=Acme  1.0",           key + "|DisplayIcon=C:\\A\\acme.exe",
      key + "|Publisher=Pub",                   key + "|URLInfoAbout=http://acme.example/",
      key + "|HelpLink=http://acme.example/",   key + "|Contact=Ann",
      key + "|UninstallString=C:\\A\\uninstall.exe"};
  EXPECT_EQ(r.writes, expected);
  for (const auto& v : r.values) EXPECT_EQ(std::get<0>(v.first), RegistryRoot::LocalMachine);
}

TEST(UninstallEntry, FallbackNameAndNoKeyWithoutEither) {
  FakeRegistry r;
  EXPECT_TRUE(qv::writeUninstallEntry(r, "", "Acme Tool", "d", "", "", "", "", ""));
  ASSERT_EQ(r.writes.size(), 7u);
  EXPECT_EQ(r.writes[0], std::string(kUninstall) + "Acme Tool|DisplayName=d");

  FakeRegistry none;  // both names empty: the Uninstall key itself stays untouched
  EXPECT_FALSE(qv::writeUninstallEntry(none, "", "", "d", "", "", "", "", ""));
  EXPECT_TRUE(none.writes.empty());

  ReadOnlyRegistry refused;  // the key cannot be made: nothing more is tried
  EXPECT_FALSE(qv::writeUninstallEntry(refused, kGuid, "Acme", "d", "", "", "", "", ""));
  EXPECT_EQ(refused.writes.size(), 1u);
}

TEST(UninstallEntry, WhatTheQuietRunWrites) {
  qv::RunSettings s;
  s.title = "Foo";
  s.version = "1.0";
  s.web = "http://foo.example/";
  s.progExe = "foo.exe";
  s.progLink = "Foo";
  s.guid = kGuid;
  const std::string key = std::string(kUninstall) + kGuid;
  {
    FakeRegistry r;
    EXPECT_TRUE(qv::writeProductUninstallEntry(r, s, "C:\\Foo\\"));
    auto value = [&](const char* name) { return r.values[std::make_tuple(RegistryRoot::LocalMachine, key, std::string(name))]; };
    EXPECT_EQ(value("DisplayName"), "Foo  1.0");
    EXPECT_EQ(value("DisplayIcon"), "C:\\Foo\\foo.exe");
    EXPECT_EQ(value("Publisher"), "");
    EXPECT_EQ(value("URLInfoAbout"), "http://foo.example/");
    EXPECT_EQ(value("HelpLink"), "http://foo.example/");
    EXPECT_EQ(value("Contact"), "");
    EXPECT_EQ(value("UninstallString"), "\"C:\\Foo\\uninstall.exe\"");
    EXPECT_EQ(r.values.size(), 7u);
  }
  EXPECT_EQ(qv::uninstallDisplayName("Foo", ""), "Foo  ");
  {
    qv::RunSettings noGuid = s;
    noGuid.guid.clear();
    FakeRegistry r;
    EXPECT_TRUE(qv::writeProductUninstallEntry(r, noGuid, "C:\\Foo\\"));
    EXPECT_EQ(r.writes[0], std::string(kUninstall) + "Foo|DisplayName=Foo  1.0");
  }
  qv::RunSettings noLink = s;
  noLink.progLink.clear();
  qv::RunSettings noUninstall = s;
  noUninstall.noUninstall = 1;
  for (const qv::RunSettings* skipped : {&noLink, &noUninstall}) {
    FakeRegistry r;
    EXPECT_FALSE(qv::writeProductUninstallEntry(r, *skipped, "C:\\Foo\\"));
    EXPECT_TRUE(r.writes.empty());
  }
}

}  // namespace
