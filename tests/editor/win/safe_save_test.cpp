// Saves on the real file system under Wine: a process ended after every step
// of a save leaves a whole file under the document's name, and the next save
// clears what it left; a save keeps what the file was (hidden and system
// attributes, access rights, creation time where the system keeps one),
// refuses a read-only file and leaves a hard link's other name as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/EditFiles.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"

#include <sddl.h>

namespace {

std::string ReadFile(const std::string& name) {
  TFileStream in(name, fmOpenRead | fmShareDenyNone);
  return in.ReadRemaining();
}

void Save(const std::string& name, uint8_t mode, const std::string& content) {
  SafeSaveFile(name, mode, [&](TStream& s) { s.WriteBuffer(content.data(), int64_t(content.size())); });
}

// What the child writes: length bytes of "new".
std::string ChildContent(size_t length) {
  std::string text;
  while (text.size() < length) text += "new";
  text.resize(length);
  return text;
}

// A fresh folder for each case, emptied and removed at its end.
class SafeSaveCase : public ::testing::Test {
protected:
  SafeSaveCase() {
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, temp);
    Dir = std::string(temp) + "tq-safe-save-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    Empty();
    ::CreateDirectoryA(Dir.c_str(), nullptr);
    Dir += '\\';
    File = Dir + "x.txt";
  }
  ~SafeSaveCase() override {
    Empty();
    ::RemoveDirectoryA(ExcludeTrailingPathDelimiter(Dir).c_str());
  }
  // Every name in the folder, hidden ones too.
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((IncludeTrailingPathDelimiter(Dir) + "*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = data.cFileName;
      if (name != "." && name != "..") names.insert(name);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
    return names;
  }
  void Empty() {
    for (const std::string& name : Listing()) {
      const std::string full = IncludeTrailingPathDelimiter(Dir) + name;
      ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(full.c_str());
    }
  }
  std::string Dir, File;
};

// Runs the child that saves File and ends itself at step; its exit code.
DWORD RunSaveChild(const std::string& file, uint8_t mode, int step, size_t length) {
  std::string line = std::string("\"") + TQ_SAVE_CHILD + "\" \"" + file + "\" " + std::to_string(mode) + " " +
                     std::to_string(step) + " " + std::to_string(length);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 12345;
  DWORD code = 12346;
  if (::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) ::GetExitCodeProcess(pi.hProcess, &code);
  else ::TerminateProcess(pi.hProcess, 99);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return code;
}

TEST_F(SafeSaveCase, AProcessEndedAfterAnyStepLeavesAWholeFileAndTheNextSaveClearsUp) {
  const std::string old = "the old content\r\n";
  const std::string older = "an older backup\r\n";
  const size_t length = 300000;
  const std::string fresh = ChildContent(length);
  // Step 0 is half way through writing the content. After the process
  // ended there: whether it was ended (or finished, the step not being one
  // of its mode), whether the name holds the new file (else the old), and
  // what the backup name of the mode holds (x.bak in mode 1, x.bak0 in
  // mode 2; none: no such file).
  const struct {
    uint8_t Mode;
    int Step;
    bool Ended;
    bool NewInPlace;
    const std::string* Backup;
  } cases[] = {
      {kBackupNone, 0, true, false, nullptr},       {kBackupNone, 1, true, false, nullptr},
      {kBackupNone, 2, false, true, nullptr},       {kBackupNone, 3, true, true, nullptr},
      {kBackupSingle, 0, true, false, &older},      {kBackupSingle, 1, true, false, &older},
      {kBackupSingle, 2, true, false, &older},      {kBackupSingle, 3, true, true, &older},
      {kBackupSingle, 4, true, true, &old},         {kBackupNumbered, 0, true, false, nullptr},
      {kBackupNumbered, 1, true, false, nullptr},   {kBackupNumbered, 2, true, false, &old},
      {kBackupNumbered, 3, true, true, &old},       {kBackupNumbered, 4, false, true, &old},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.Mode) + ", ended after step " + std::to_string(c.Step));
    Empty();
    Save(File, kBackupNone, old);
    Save(Dir + "x.bak", kBackupNone, older);

    EXPECT_EQ(RunSaveChild(File, c.Mode, c.Step, length), c.Ended ? 77u : 0u);
    ASSERT_TRUE(FileExists(File)) << "no file under the document's name";
    const std::string now = ReadFile(File);
    EXPECT_TRUE(now == (c.NewInPlace ? fresh : old)) << "the name holds " << now.size() << " bytes";
    EXPECT_EQ(ReadFile(Dir + "x.bak"), c.Mode == kBackupSingle ? *c.Backup : older);
    if (c.Mode == kBackupNumbered) {
      if (c.Backup) {
        EXPECT_EQ(ReadFile(Dir + "x.bak0"), *c.Backup);
      } else {
        EXPECT_FALSE(FileExists(Dir + "x.bak0"));
      }
    }

    // The next save finds the leftovers and removes them; its backup holds
    // what the name held.
    Save(File, c.Mode, "newest");
    EXPECT_EQ(ReadFile(File), "newest");
    std::set<std::string> expected = {"x.txt", "x.bak"};
    std::string backup;
    if (c.Mode == kBackupSingle) backup = "x.bak";
    if (c.Mode == kBackupNumbered) {
      backup = c.Backup ? "x.bak1" : "x.bak0";  // the ended save may have made x.bak0 already
      expected.insert({"x.bak0", backup});
    }
    EXPECT_EQ(Listing(), expected);
    if (!backup.empty()) {
      EXPECT_TRUE(ReadFile(Dir + backup) == now) << backup;
    }
  }
}

std::string DaclText(const std::string& name) {
  DWORD size = 0;
  ::GetFileSecurityA(name.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  std::string descriptor(size, '\0');
  if (!size || !::GetFileSecurityA(name.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size))
    return "(none)";
  char* text = nullptr;
  if (!::ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, &text, nullptr))
    return "(unreadable)";
  std::string result = text;
  ::LocalFree(text);
  return result;
}

bool CreationTime(const std::string& name, FILETIME& time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return false;
  time = data.ftCreationTime;
  return true;
}

TEST_F(SafeSaveCase, ASaveKeepsWhatTheFileWas) {
  Save(File, kBackupNone, "old");
  constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(::SetFileAttributesA(File.c_str(), kMarks));
  ASSERT_EQ(::GetFileAttributesA(File.c_str()) & kMarks, kMarks)
      << "this Wine prefix does not keep the hidden and system attributes of a plain file: the check below "
         "would prove nothing";
  // Rights of its own, unlike those a new file gets.
  PSECURITY_DESCRIPTOR rights = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;FA;;;WD)", SDDL_REVISION_1,
                                                                     &rights, nullptr));
  ASSERT_TRUE(::SetFileSecurityA(File.c_str(), DACL_SECURITY_INFORMATION, rights));
  ::LocalFree(rights);
  const std::string dacl = DaclText(File);
  Save(Dir + "plain.txt", kBackupNone, "plain");
  ASSERT_NE(dacl, DaclText(Dir + "plain.txt")) << "the rights set are those of any new file";
  // The creation time, where the system keeps one that is set.
  FILETIME created{0x12340000, 0x01D00000};
  HANDLE h = ::CreateFileA(File.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ::SetFileTime(h, &created, nullptr, nullptr);
  ::CloseHandle(h);
  FILETIME before{};
  ASSERT_TRUE(CreationTime(File, before));
  const bool keepsCreationTime = CompareFileTime(&before, &created) == 0;
  if (!keepsCreationTime) std::printf("note: this file system keeps no creation time that is set; not checked\n");

  for (uint8_t mode : {kBackupNone, kBackupSingle, kBackupNumbered}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    Save(File, mode, "new " + std::to_string(mode));
    EXPECT_EQ(ReadFile(File), "new " + std::to_string(mode));
    EXPECT_EQ(::GetFileAttributesA(File.c_str()) & kMarks, kMarks);
    EXPECT_EQ(DaclText(File), dacl);
    FILETIME after{};
    if (keepsCreationTime) {
      ASSERT_TRUE(CreationTime(File, after));
      EXPECT_EQ(CompareFileTime(&after, &created), 0);
    }
  }
}

TEST_F(SafeSaveCase, AReadOnlyFileIsRefusedAndKept) {
  Save(File, kBackupNone, "kept");
  ASSERT_TRUE(::SetFileAttributesA(File.c_str(), FILE_ATTRIBUTE_READONLY));
  for (uint8_t mode : {kBackupNone, kBackupSingle, kBackupNumbered}) {
    EXPECT_THROW(Save(File, mode, "lost?"), EFCreateError) << "mode " << int(mode);
    EXPECT_EQ(ReadFile(File), "kept");
    EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt"}));
  }
}

// The save replaces the name's file rather than writing it in place (which a
// crash would leave half written under every name): the link's other name
// keeps the old content, and the backup is a copy of its own.
TEST_F(SafeSaveCase, AHardLinkedFileGetsTheNewContentUnderItsOwnNameOnly) {
  Save(File, kBackupNone, "shared");
  const std::string other = Dir + "y.txt";
  ASSERT_TRUE(::CreateHardLinkA(other.c_str(), File.c_str(), nullptr));
  Save(File, kBackupSingle, "mine");
  EXPECT_EQ(ReadFile(File), "mine");
  EXPECT_EQ(ReadFile(other), "shared");
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "shared");
  {
    TFileStream out(other, fmOpenWrite | fmShareDenyNone);
    out.WriteBuffer("SHARED", 6);
  }
  EXPECT_EQ(ReadFile(Dir + "x.bak"), "shared") << "the backup changed with the other name";
  EXPECT_EQ(Listing(), (std::set<std::string>{"x.txt", "x.bak", "y.txt"}));
}

}  // namespace
