// File associations: the command, the branch the platform version selects, the keys
// of both branches, and the question.
#include "system/associations.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "unit/system/fake_system_folders.h"

namespace {

using qv::RegistryRoot;
using qvtest::FakeRegistry;

const uint32_t kXp = 0x0A280105;       // build 2600 in bits 16 to 30
const uint32_t kNineties = 0xC0000004;  // high bit set, bits 16 to 23 clear
const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";

std::string value(FakeRegistry& r, RegistryRoot root, const std::string& key, const std::string& name = "") {
  auto it = r.values.find(std::make_tuple(root, key, name));
  return it == r.values.end() ? "<none>" : it->second;
}

class QuestionRecorder : public qv::AssociationQuestion {
 public:
  bool confirmAssociation(const std::string& c, const std::string& t) override {
    caption = c;
    text = t;
    return answer;
  }
  bool answer = false;
  std::string caption, text;
};

TEST(Associations, CommandAndBranchDecision) {
  EXPECT_EQ(qv::associationCommand("C:\\Apps\\Viewer.exe"), "\"C:\\Apps\\Viewer.exe\" \"%1\"");
  EXPECT_EQ(qv::associationCommand("C:\\Apps\\Viewer.exe").size(), std::string("C:\\Apps\\Viewer.exe").size() + 7);
  struct Case { uint32_t version; bool applications; };
  const Case cases[] = {{kXp, true},          {0x4A610A00u, true},   // Windows 10 build 19041
                        {0x00010000u, true},  {0x00800000u, true},   // lowest and highest bit of the range
                        {kNineties, false},   {0x0000FFFFu, false},  {0xFF00FFFFu, false},
                        {0x08000006u, false}, {0u, false}};         // build 2048: its low byte is 0
  for (const Case& c : cases) EXPECT_EQ(qv::associatesThroughApplications(c.version), c.applications) << std::hex << c.version;
}

TEST(Associations, ApplicationsBranch) {
  FakeRegistry r;
  qv::associateExtension(r, kXp, "qvx", "Acme document", "C:\\Apps\\Viewer.exe", "C:\\Apps\\doc.ico,2");
  const std::vector<std::string> expected = {
      "Applications\\Viewer.exe\\shell\\open\\command|=\"C:\\Apps\\Viewer.exe\" \"%1\"",
      ".qvx|=qvx_auto_file",
      "qvx_auto_file|=Acme document",
      "qvx_auto_file\\DefaultIcon|=C:\\Apps\\doc.ico,2",
      std::string(kFileExts) + "qvx|Application=Viewer.exe"};
  EXPECT_EQ(r.writes, expected);
  EXPECT_EQ(value(r, RegistryRoot::ClassesRoot, ".qvx"), "qvx_auto_file");
  EXPECT_EQ(value(r, RegistryRoot::CurrentUser, std::string(kFileExts) + "qvx", "Application"), "Viewer.exe");

  FakeRegistry bare;  // no description, no icon, a dotted extension joined as given
  qv::associateExtension(bare, kXp, ".qvy", "", "C:\\Apps/\"Tool.exe\"", "");
  EXPECT_EQ(bare.writes.size(), 4u);
  EXPECT_EQ(value(bare, RegistryRoot::ClassesRoot, "..qvy"), ".qvy_auto_file");
  EXPECT_EQ(value(bare, RegistryRoot::ClassesRoot, ".qvy_auto_file"), "Tool.exe");
  EXPECT_EQ(value(bare, RegistryRoot::ClassesRoot, ".qvy_auto_file\\DefaultIcon"), "<none>");
  EXPECT_EQ(value(bare, RegistryRoot::ClassesRoot, "Applications\\Tool.exe\\shell\\open\\command"),
            "\"C:\\Apps/\"Tool.exe\"\" \"%1\"");
}

TEST(Associations, MachineClassesBranch) {
  FakeRegistry r;
  qv::associateExtension(r, kNineties, "qvx", "Acme document", "C:\\Apps\\Viewer.exe", "C:\\Apps\\doc.ico,0");
  const std::vector<std::string> expected = {
      "Software\\Classes\\.qvx|=Viewer.exe", "Software\\Classes\\Viewer.exe|=Acme document",
      "Software\\Classes\\Viewer.exe\\DefaultIcon|=C:\\Apps\\doc.ico,0",
      "Software\\Classes\\Viewer.exe\\shell\\open\\command|=\"C:\\Apps\\Viewer.exe\" \"%1\""};
  EXPECT_EQ(r.writes, expected);
  for (const auto& v : r.values) EXPECT_EQ(std::get<0>(v.first), RegistryRoot::LocalMachine);

  FakeRegistry bare;
  qv::associateExtension(bare, kNineties, "qvx", "", "Viewer.exe", "");
  EXPECT_EQ(bare.writes.size(), 3u);
  EXPECT_EQ(value(bare, RegistryRoot::LocalMachine, "Software\\Classes\\Viewer.exe"), "Viewer.exe");
  EXPECT_EQ(value(bare, RegistryRoot::LocalMachine, "Software\\Classes\\Viewer.exe\\DefaultIcon"), "<none>");
}

TEST(Associations, QuestionTextsAndAnswer) {
  QuestionRecorder q;
  qv::InterfaceTexts defaults;
  EXPECT_FALSE(qv::askAssociationQuestion(q, defaults, "abc"));
  EXPECT_EQ(q.caption, "Associate File Extension");
  EXPECT_EQ(q.text, "Associate File Extension '*.abc' with the program?  ");

  qvtest::ScratchFolder dir;
  const std::string lng = "[Requester]\nRQ5_Titel=Zuordnen\nRQ5_Msg=$Extension und $Extension?\n";
  ASSERT_TRUE(qv::writeWholeFile(dir / "de.lng", lng.data(), lng.size()));
  qv::InterfaceTexts texts;
  texts.loadInterfaceTexts(dir / "de.lng", "Acme", "1");
  q.answer = true;
  EXPECT_TRUE(qv::askAssociationQuestion(q, texts, "qvx"));
  EXPECT_EQ(q.caption, "Zuordnen");
  EXPECT_EQ(q.text, "*.qvx und *.qvx?  ");
}

}  // namespace
