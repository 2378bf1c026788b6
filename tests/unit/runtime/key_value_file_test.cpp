// Key/value documents on real files: lookups, writes, insertion, saving and encodings.
#include "runtime/key_value_file.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/file.h"
#include "support/restricted_file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"

namespace {

using qv::KeyValueDocument;

void writeText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(qv::writeWholeFile(path, text.data(), text.size()));
}

TEST(KeyValueFile, ReadsTheEdgeCaseTable) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "table.ini";
  writeText(path,
            "[Info]\r\nTitel = My App\r\n[Plain]\r\nTitel=My App\r\n[Padded]\r\n  Titel =  My App  \r\n"
            "[Values]\r\nKey = a = b\r\nNote = x ; note\r\n;x\r\n;  x\r\n[Settings] trailing\r\n"
            "Count = 12abc\r\nNeg = -5\r\nWord = abc\r\nNone =\r\n[Open\r\nInOpen = 1\r\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  for (const char* group : {"Info", "INFO", "info", "Plain", "Padded"}) {
    ASSERT_TRUE(doc.selectGroup(group)) << group;
    EXPECT_EQ(doc.readKeyString("Titel", "-"), "My App") << group;
    EXPECT_EQ(doc.readKeyString("TITEL", "-"), "My App") << group;
    EXPECT_EQ(doc.readKeyString("titel", "-"), "My App") << group;
  }
  ASSERT_TRUE(doc.selectGroup("values"));
  EXPECT_EQ(doc.readKeyString("Key", "-"), "a = b");
  EXPECT_EQ(doc.readKeyString("Note", "-"), "x ; note");
  ASSERT_TRUE(doc.selectGroup("Settings"));
  EXPECT_EQ(doc.readKeyInteger("Count", 99), 12);
  EXPECT_EQ(doc.readKeyInteger("Neg", 99), -5);
  EXPECT_EQ(doc.readKeyInteger("Word", 99), 0);
  EXPECT_EQ(doc.readKeyInteger("None", 99), 0);
  EXPECT_EQ(doc.readKeyInteger("Absent", 99), 99);
  EXPECT_EQ(doc.readKeyString("None", "-"), "");
  EXPECT_EQ(doc.readKeyString("Count", "-"), "12abc");
  ASSERT_TRUE(doc.selectGroup("Open"));
  EXPECT_EQ(doc.readKeyInteger("InOpen", 0), 1);
  // Only A to Z fold: other bytes must match exactly.
  EXPECT_FALSE(doc.selectGroup("Inf\xD6"));
  // Comments are saved with a semicolon and one space before their text.
  doc.writeKeyString("Touch", "1");
  doc.closeKeyValueFile();
  std::string saved = qvtest::readText(path);
  EXPECT_NE(saved.find("\r\n; x\r\n;  x\r\n[Settings]\r\n"), std::string::npos) << saved;
}

TEST(KeyValueFile, LooksOnlyInTheSelectedGroup) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "groups.ini";
  writeText(path, "Top = before\r\n;Key = commented\r\n[A]\r\nKey = in A\r\n[B]\r\nOther = 1\r\n[A]\r\nLate = 2\r\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  // Right after opening, reads look at the part before the first group.
  EXPECT_EQ(doc.readKeyString("Top", "-"), "before");
  EXPECT_EQ(doc.readKeyString("Key", "-"), "-");  // not a comment, not another group
  ASSERT_TRUE(doc.selectGroup("A"));
  EXPECT_EQ(doc.readKeyString("Key", "-"), "in A");
  EXPECT_EQ(doc.readKeyString("Top", "-"), "-");
  EXPECT_EQ(doc.readKeyString("Late", "-"), "-");  // the first of duplicate groups is selected
  EXPECT_EQ(doc.readKeyString("Other", "-"), "-");
  // A missing group hides every key, even one that another group holds.
  EXPECT_FALSE(doc.selectGroup("Missing"));
  EXPECT_EQ(doc.readKeyString("Key", " default "), " default ");
  EXPECT_EQ(doc.readKeyString("Top", "-"), "-");
  EXPECT_EQ(doc.readKeyInteger("Other", 7), 7);
  ASSERT_TRUE(doc.selectGroup(""));
  EXPECT_EQ(doc.readKeyString("Top", "-"), "before");
  ASSERT_TRUE(doc.selectGroup("b"));
  EXPECT_EQ(doc.readKeyInteger("other", 7), 1);
  doc.closeKeyValueFile();
  // A closed document has no groups and no keys.
  EXPECT_FALSE(doc.selectGroup(""));
  EXPECT_EQ(doc.readKeyString("Top", "-"), "-");
}

TEST(KeyValueFile, DuplicateKeysReadAndReplaceTheFirst) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "dup.ini";
  writeText(path, "[G]\nKey = first\nkey = second\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("G"));
  EXPECT_EQ(doc.readKeyString("KEY", "-"), "first");
  doc.writeKeyString("KEY", "new");
  EXPECT_EQ(doc.readKeyString("key", "-"), "new");
  doc.closeKeyValueFile();
  // The replaced key also takes the letter case it was written with.
  EXPECT_EQ(qvtest::readText(path), "[G]\r\nKEY = new\r\nkey = second\r\n");
}

TEST(KeyValueFile, InsertsNewKeysWhereTheyBelong) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "insert.ini";
  struct Case {
    const char* before;
    const char* group;  // nullptr: none selected
    const char* after;
  };
  const Case cases[] = {
      // After the selected group's last line, before the next group.
      {"[A]\r\na = 1\r\n;c\r\n[B]\r\nb = 2\r\n", "A", "[A]\r\na = 1\r\n; c\r\nNew = v\r\n[B]\r\nb = 2\r\n"},
      {"[A]\r\na = 1\r\n[B]\r\nb = 2\r\n", "B", "[A]\r\na = 1\r\n[B]\r\nb = 2\r\nNew = v\r\n"},
      {"[A]\r\n[B]\r\n", "a", "[A]\r\nNew = v\r\n[B]\r\n"},
      // With no group selected, after the last line before the first group ...
      {"top = 1\r\n;c\r\n[A]\r\na = 1\r\n", nullptr, "top = 1\r\n; c\r\nNew = v\r\n[A]\r\na = 1\r\n"},
      {"top = 1\r\n", "", "top = 1\r\nNew = v\r\n"},
      // ... which is the very start when the document begins with a group.
      {"[A]\r\na = 1\r\n", nullptr, "New = v\r\n[A]\r\na = 1\r\n"},
      {"", nullptr, "New = v\r\n"},
      // A missing group is added at the very end, with the key below it.
      {"top = 1\r\n[A]\r\na = 1\r\n", "Missing", "top = 1\r\n[A]\r\na = 1\r\n[Missing]\r\nNew = v\r\n"},
      {"", "Missing", "[Missing]\r\nNew = v\r\n"},
  };
  for (const Case& c : cases) {
    writeText(path, c.before);
    KeyValueDocument doc;
    doc.openKeyValueFile(path);
    if (c.group) doc.selectGroup(c.group);
    doc.writeKeyString("New", "v");
    EXPECT_EQ(doc.readKeyString("new", "-"), "v") << c.before;
    doc.closeKeyValueFile();
    EXPECT_EQ(qvtest::readText(path), c.after) << c.before << " / " << (c.group ? c.group : "(none)");
  }
}

TEST(KeyValueFile, AMissingGroupIsAddedOnceAndThenSelected) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "missing-group.ini";
  writeText(path, "[A]\r\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  EXPECT_FALSE(doc.selectGroup("New Group"));
  doc.writeKeyString("One", "1");
  doc.writeKeyInteger("Two", -2);
  EXPECT_EQ(doc.readKeyInteger("two", 0), -2);
  EXPECT_TRUE(doc.selectGroup("NEW GROUP"));
  EXPECT_EQ(doc.readKeyString("One", "-"), "1");
  // Selecting another name clears the pending group: nothing is added for it.
  EXPECT_FALSE(doc.selectGroup("Unused"));
  EXPECT_TRUE(doc.selectGroup("A"));
  doc.writeKeyString("InA", "x");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "[A]\r\nInA = x\r\n[New Group]\r\nOne = 1\r\nTwo = -2\r\n");
}

TEST(KeyValueFile, SavesInOneFormWithoutBlankLines) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "format.ini";
  const std::string original =
      "\n\n  ;x\n;  two\n\n[Main] rest\n\tName=Value  \n  Spaced   Key\t=  v\n\n\n[Other\nFlag\r\nk=\n";
  writeText(path, original);
  {
    KeyValueDocument doc;
    ASSERT_TRUE(doc.openKeyValueFile(path));
    doc.closeKeyValueFile();  // unchanged: the file stays exactly as it was
  }
  EXPECT_EQ(qvtest::readText(path), original);
  {
    KeyValueDocument doc;
    ASSERT_TRUE(doc.openKeyValueFile(path));
    ASSERT_TRUE(doc.selectGroup("main"));
    doc.writeKeyInteger("Count", 3);
  }  // the destructor closes and saves
  EXPECT_EQ(qvtest::readText(path),
            "; x\r\n;  two\r\n[Main]\r\nName = Value  \r\nSpaced   Key = v\r\nCount = 3\r\n[Other]\r\n"
            "Flag = \r\nk = \r\n");
}

TEST(KeyValueFile, ShorterSavedTextCutsOffTheOldEnd) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "shorter.ini";
  std::string original = "[G]\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\nKey=old value that is long\n" + std::string(500, '\n');
  writeText(path, original);
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("G"));
  doc.writeKeyString("Key", "v");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "[G]\r\nKey = v\r\n");
  // A document of blank lines only saves as just the written key.
  writeText(path, "\r\n  \r\n\t\n");
  ASSERT_TRUE(doc.openKeyValueFile(path));
  doc.writeKeyString("K", "");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "K = \r\n");
}

TEST(KeyValueFile, AKeyWithoutEqualsNeverSwallowsTheNextLineWhenSaved) {
  // A file with LF line ends, rewritten as a user task or the uninstall log does: the
  // group and key behind the bare key survive the save.
  qvtest::ScratchFolder dir;
  std::string path = dir / "flags.ini";
  writeText(path, "[Lf]\nFlag\n[Next]\nAfter = 1\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("Lf"));
  EXPECT_EQ(doc.readKeyString("Flag", "-"), "");
  doc.writeKeyString("Added", "2");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "[Lf]\r\nFlag = \r\nAdded = 2\r\n[Next]\r\nAfter = 1\r\n");
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("Next"));
  EXPECT_EQ(doc.readKeyInteger("After", 0), 1);
}

TEST(KeyValueFile, SavingAnAnsiFileKeepsItAnsi) {
  // The mark bytes at the start of a later line are text, not a mark: the saved file
  // still reads back with the same groups.
  qvtest::ScratchFolder dir;
  std::string path = dir / "marked.dat";
  writeText(path, "\n\xEF\xBB\xBF[Settings]\n[Settings]\nProgDir = old\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("Settings"));
  doc.writeKeyString("ProgDir", "new");
  doc.closeKeyValueFile();
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("Settings"));
  EXPECT_EQ(doc.readKeyString("ProgDir", "-"), "new");
  EXPECT_EQ(doc.readKeyString("\xEF\xBB\xBF[Settings]", "-"), "-");
}

TEST(KeyValueFile, NulBytesAndEmptyFiles) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "zeros.ini";  // "nul" names a device on Windows
  using namespace std::string_literals;
  writeText(path, "[G]\0junk\r\na = 1\0b = 2\r\n\0\0"s);
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("G"));
  EXPECT_EQ(doc.readKeyString("a", "-"), "1");
  EXPECT_EQ(doc.readKeyString("b", "-"), "2");
  EXPECT_EQ(doc.readKeyString("junk", "-"), "");
  doc.closeKeyValueFile();

  // A file of 0 bytes opens as an empty document and keeps its writes.
  std::string empty = dir / "empty.ini";
  writeText(empty, "");
  ASSERT_TRUE(doc.openKeyValueFile(empty));
  EXPECT_TRUE(doc.selectGroup(""));
  EXPECT_FALSE(doc.selectGroup("G"));
  EXPECT_EQ(doc.readKeyString("a", "d"), "d");
  doc.closeKeyValueFile();
  EXPECT_EQ(qv::fileSize(empty), 0);
  ASSERT_TRUE(doc.openKeyValueFile(empty));
  doc.writeKeyString("a", "1");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(empty), "a = 1\r\n");
}

TEST(KeyValueFile, Utf8DocumentsConvertBothWays) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "utf8.ini";
  writeText(path,
            "\xEF\xBB\xBF[Caf\xC3\xA9]\nName = Caf\xC3\xA9\nEuro = 5 \xE2\x82\xAC\nBroken = a\xC3(\n"
            "Plain =  text \n\xC3\xA9t\xC3\xA9 = summer\nCount = 12\xE2\x82\xAC\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  // Names handed in are single bytes; the document holds them as UTF-8.
  EXPECT_FALSE(doc.selectGroup("Caf\xC3\xA9"));
  ASSERT_TRUE(doc.selectGroup("CAF\xE9"));
  EXPECT_EQ(doc.readKeyString("Name", "-"), "Caf\xE9");
  EXPECT_EQ(doc.readKeyString("Euro", "-"), "");    // above 255: empty, not the default
  EXPECT_EQ(doc.readKeyString("Broken", "-"), "");  // malformed: empty too
  EXPECT_EQ(doc.readKeyString("Plain", "-"), "text");
  EXPECT_EQ(doc.readKeyString("\xE9T\xE9", "-"), "summer");
  EXPECT_EQ(doc.readKeyInteger("Count", 0), 12);
  doc.writeKeyString("Name", "\xFC\xDF");
  doc.writeKeyString("Neu\xE9", "x\x80");
  EXPECT_EQ(doc.readKeyString("name", "-"), "\xFC\xDF");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path),
            "\xEF\xBB\xBF\r\n[Caf\xC3\xA9]\r\nName = \xC3\xBC\xC3\x9F\r\nEuro = 5 \xE2\x82\xAC\r\n"
            "Broken = a\xC3(\r\nPlain = text \r\n\xC3\xA9t\xC3\xA9 = summer\r\nCount = 12\xE2\x82\xAC\r\n"
            "Neu\xC3\xA9 = x\xC2\x80\r\n");

  // The byte order mark alone makes an empty UTF-8 document; a missing group is added
  // in UTF-8 form.
  writeText(path, "\xEF\xBB\xBF");
  ASSERT_TRUE(doc.openKeyValueFile(path));
  EXPECT_FALSE(doc.selectGroup("\xC4"));
  doc.writeKeyString("k", "\xE4");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "\xEF\xBB\xBF\r\n[\xC3\x84]\r\nk = \xC3\xA4\r\n");

  // Without the mark the bytes are taken as they are.
  writeText(path, "\xEF\xBBName = Caf\xC3\xA9\n");
  ASSERT_TRUE(doc.openKeyValueFile(path));
  EXPECT_EQ(doc.readKeyString("\xEF\xBBName", "-"), "Caf\xC3\xA9");
  doc.writeKeyString("k", "\xE4");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "\xEF\xBBName = Caf\xC3\xA9\r\nk = \xE4\r\n");
}

TEST(KeyValueFile, AMissingFileBecomesANewFileOnClose) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "new.ini";
  KeyValueDocument doc;
  EXPECT_FALSE(doc.openKeyValueFile(path));
  EXPECT_EQ(doc.readKeyString("a", "d"), "d");
  EXPECT_TRUE(doc.selectGroup(""));
  EXPECT_FALSE(doc.selectGroup("Settings"));
  doc.writeKeyString("ProgDir", "C:\\Program Files\\App\\");
  doc.writeKeyInteger("LoginAdmin", 0);
  EXPECT_EQ(doc.readKeyString("progdir", "-"), "C:\\Program Files\\App\\");
  EXPECT_FALSE(qv::fileExists(path));
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), "[Settings]\r\nProgDir = C:\\Program Files\\App\\\r\nLoginAdmin = 0\r\n");

  // Unchanged, nothing is created; in a missing folder, nothing can be.
  EXPECT_FALSE(doc.openKeyValueFile(dir / "untouched.ini"));
  doc.closeKeyValueFile();
  EXPECT_FALSE(qv::fileExists(dir / "untouched.ini"));
  EXPECT_FALSE(doc.openKeyValueFile(dir / "no folder\\x.ini"));
  doc.writeKeyString("a", "1");
  doc.closeKeyValueFile();
  EXPECT_FALSE(qv::folderExists(dir / "no folder\\"));

  // Opening another document closes (and saves) the current one first.
  EXPECT_FALSE(doc.openKeyValueFile(dir / "first.ini"));
  doc.writeKeyString("a", "1");
  EXPECT_FALSE(doc.openKeyValueFile(dir / "second.ini"));
  EXPECT_EQ(qvtest::readText(dir / "first.ini"), "a = 1\r\n");
  EXPECT_EQ(doc.readKeyString("a", "-"), "-");
}

TEST(KeyValueFile, AReadOnlyFileIsReadButItsSaveFailsSilently) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "readonly.ini";
  const std::string original = "[G]\nKey=old\n";
  writeText(path, original);
  {
    qvtest::ReadOnlyFile readOnly(path);
    qv::File probe;
    ASSERT_FALSE(probe.open(path, qv::File::Mode::ReadWriteExisting)) << "the file is still writable";
    KeyValueDocument doc;
    ASSERT_TRUE(doc.openKeyValueFile(path));
    ASSERT_TRUE(doc.selectGroup("G"));
    EXPECT_EQ(doc.readKeyString("Key", "-"), "old");
    doc.writeKeyString("Key", "new");
    doc.writeKeyString("Added", "1");
    EXPECT_EQ(doc.readKeyString("Key", "-"), "new");
    doc.closeKeyValueFile();
  }
  EXPECT_EQ(qvtest::readText(path), original);
}

TEST(KeyValueFile, AnExistingFileThatCannotBeOpenedIsNeverReplaced) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "locked.ini";
  const std::string original = "[G]\r\nKeep = 1\r\nAlso = 2\r\n";
  writeText(path, original);
  KeyValueDocument doc;
  {
    qvtest::UnopenableFile locked(path);
    qv::File probe;
    ASSERT_FALSE(probe.open(path, qv::File::Mode::Read)) << "the file can still be opened";
    EXPECT_FALSE(doc.openKeyValueFile(path));
    EXPECT_EQ(doc.readKeyString("Keep", "d"), "d");
    EXPECT_FALSE(doc.selectGroup("G"));
    doc.writeKeyString("Keep", "replaced");
    EXPECT_EQ(doc.readKeyString("Keep", "-"), "replaced");
  }
  // The file can be opened again by the time the document is closed.
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), original);
}

TEST(KeyValueFile, ManyWritesKeepEveryLineIntact) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "many.ini";
  writeText(path, "[Keep]\nOriginal = from the file\n[Numbers]\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  ASSERT_TRUE(doc.selectGroup("Numbers"));
  std::string expected = "[Keep]\r\nOriginal = from the file\r\n[Numbers]\r\n";
  for (int i = 0; i < 300; ++i) {
    std::string key = "Key" + std::to_string(i);
    doc.writeKeyString(key, "first");
    doc.writeKeyInteger(key, i * 7);  // rewritten: the line keeps its place
    expected += key + " = " + std::to_string(i * 7) + "\r\n";
  }
  ASSERT_TRUE(doc.selectGroup("Keep"));
  EXPECT_EQ(doc.readKeyString("Original", "-"), "from the file");
  doc.closeKeyValueFile();
  EXPECT_EQ(qvtest::readText(path), expected);
}

TEST(KeyValueFile, AnOpenFileIsSharedForReadingOnly) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "shared.ini";
  writeText(path, "a = 1\r\n");
  KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(path));
  qv::File other;
  EXPECT_TRUE(other.open(path, qv::File::Mode::Read));
  other.close();
#ifdef _WIN32
  EXPECT_FALSE(other.open(path, qv::File::Mode::ReadWriteExisting));
#endif
  doc.closeKeyValueFile();
  EXPECT_TRUE(other.open(path, qv::File::Mode::ReadWriteExisting));
}

TEST(KeyValueFile, WithoutAnOpenDocumentNothingHappens) {
  qvtest::ScratchFolder dir;
  KeyValueDocument doc;
  EXPECT_FALSE(doc.selectGroup(""));
  EXPECT_FALSE(doc.selectGroup("G"));
  EXPECT_EQ(doc.readKeyString("a", "d"), "d");
  EXPECT_EQ(doc.readKeyInteger("a", 5), 5);
  doc.writeKeyString("a", "1");
  doc.closeKeyValueFile();
  doc.closeKeyValueFile();
  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(dir.path(), items));
  EXPECT_TRUE(items.empty());
}

}  // namespace
