// The keyboard macro recorder without a window: its states and messages,
// the journal record layout read and written byte for byte, the checks on
// played files and typed names, the player's keys and the menu's items.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/macros/MacroFiles.h"
#include "app/macros/Recorder.h"
#include "platform/SysUtils.h"

namespace {

namespace fs = std::filesystem;

class TFakeHooks : public IRecorderHooks {
public:
  bool InstallRecordHook() override {
    Installed = RecordOk ? 1 : 0;
    return RecordOk;
  }
  bool InstallPlayHook() override {
    Installed = PlayOk ? 2 : 0;
    return PlayOk;
  }
  void RemoveHook() override { Installed = 0; }
  void ReleaseKeys(const std::vector<TMacroKey>& keys) override { Released = keys; }
  uint32_t TickCount() override { return Tick; }
  TKeyState KeyboardState() override { return Keyboard; }

  bool RecordOk = true, PlayOk = true;
  int Installed = 0;
  uint32_t Tick = 1000;
  TKeyState Keyboard{};
  std::vector<TMacroKey> Released;
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

std::string Record(uint32_t message, uint32_t paramL, uint32_t paramH, uint32_t time, uint32_t hwnd) {
  unsigned char bytes[kMacroRecordSize];
  EncodeMacroEvent({message, paramL, paramH, time, hwnd}, bytes);
  return std::string(reinterpret_cast<char*>(bytes), kMacroRecordSize);
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

class MacroFolder : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = ::testing::TempDir() + "tq-macro-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Dir = IncludeTrailingPathDelimiter(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string Dir;
};

TEST(MacroRecorder, StatesAndTheirMessages) {
  TFakeHooks hooks;
  TRecorder recorder(hooks);
  std::vector<int> changes;
  recorder.OnStateChange = [&](int s) { changes.push_back(s); };

  EXPECT_EQ(ErrorOf([&] { recorder.Play(); }), "Recorder: Nothing to play");
  recorder.Record();
  EXPECT_EQ(recorder.GetState(), rsRecording);
  EXPECT_EQ(hooks.Installed, 1);
  EXPECT_EQ(ErrorOf([&] { recorder.Record(); }), "Recorder: NotReady to record.");
  EXPECT_EQ(ErrorOf([&] { recorder.Play(); }), "Recorder: Not ready to play.");
  recorder.Stop();
  recorder.Stop();  // no second notice for the same state
  EXPECT_EQ(hooks.Installed, 0);
  EXPECT_EQ((std::vector<int>{rsRecording, rsIdle}), changes);

  hooks.RecordOk = false;
  EXPECT_EQ(ErrorOf([&] { recorder.Record(); }), "JournalHook cannot be created");
  EXPECT_EQ(recorder.GetState(), rsIdle);
}

TEST(MacroRecorder, RecordsKeysOnlyWithTimesFromTheStartAndStopsAtBreak) {
  TFakeHooks hooks;
  TRecorder recorder(hooks);
  recorder.Record();
  hooks.Tick = 1250;
  recorder.RecordKey(kWmKeyDown, 'A', 0x001E0001, 0x1234567800ABCDEFull);
  recorder.RecordKey(0x0102 /* WM_CHAR */, 'a', 0x001E0001, 1);
  recorder.RecordKey(0x0201 /* WM_LBUTTONDOWN */, 1, 0, 1);
  hooks.Tick = 1300;
  recorder.RecordKey(kWmKeyDown, 0x27 /* Right */, 0x014D0001, 7);
  recorder.RecordKey(kWmKeyDown, kVkCancel, 0x01460001, 7);
  EXPECT_EQ(recorder.GetState(), rsIdle);
  EXPECT_EQ(hooks.Installed, 0);
  recorder.RecordKey(kWmKeyDown, 'B', 0x00300001, 7);  // after the end: nothing

  const std::string expected = Record(kWmKeyDown, 0x1E41, 1, 250, 0x00ABCDEF) +
                               Record(kWmKeyDown, 0x14D27, 0x8001, 300, 7) +
                               Record(kWmKeyDown, 0x14603, 0x8001, 300, 7);
  TMemoryStream& events = recorder.Events();
  EXPECT_EQ(std::string(static_cast<const char*>(events.GetMemory()), size_t(events.GetSize())), expected);

  // Appending goes on with the times where the last record left them.
  recorder.SetContinue(true);
  hooks.Tick = 5000;
  recorder.Record();
  hooks.Tick = 5010;
  recorder.RecordKey(kWmKeyUp, 'A', 0xC01E0001, 7);
  recorder.Stop();
  EXPECT_EQ(events.GetSize(), 4 * kMacroRecordSize);
  EXPECT_EQ(DecodeMacroEvent(static_cast<const unsigned char*>(events.GetMemory()) + 60).Time, 310u);
}

TEST_F(MacroFolder, AJournalFileIsReadAndWrittenByteForByte) {
  // As the journal writes them on Windows: Shift down, A down and up, Shift up.
  const std::string bytes = Record(kWmKeyDown, 0x2A10, 1, 0, 0x10092) + Record(kWmKeyDown, 0x1E41, 1, 90, 0x10092) +
                            Record(kWmKeyUp, 0x1E41, 1, 150, 0x10092) + Record(kWmKeyUp, 0x2A10, 1, 200, 0x10092);
  WriteFile(Dir + "in.macro", bytes);
  TFakeHooks hooks;
  TRecorder recorder(hooks);
  recorder.LoadFromFile(Dir + "in.macro");
  recorder.SaveToFile(Dir + "out.macro");
  EXPECT_EQ(ReadFile(Dir + "out.macro"), bytes);
  EXPECT_FALSE(fs::exists(Dir + "out.macro.saving"));

  // Saving again replaces the older file.
  WriteFile(Dir + "short.macro", bytes.substr(0, 20));
  recorder.LoadFromFile(Dir + "short.macro");
  recorder.SaveToFile(Dir + "out.macro");
  EXPECT_EQ(ReadFile(Dir + "out.macro"), bytes.substr(0, 20));
}

TEST_F(MacroFolder, AFailedSaveKeepsTheOlderMacro) {
  WriteFile(Dir + "old.macro", Record(kWmKeyDown, 0x1E41, 1, 0, 0));
  fs::create_directory(Dir + "old.macro.saving");  // the temporary file cannot be made
  TFakeHooks hooks;
  TRecorder recorder(hooks);
  EXPECT_THROW(recorder.SaveToFile(Dir + "old.macro"), Exception);
  EXPECT_EQ(ReadFile(Dir + "old.macro"), Record(kWmKeyDown, 0x1E41, 1, 0, 0));
}

TEST_F(MacroFolder, PlayedFilesAreChecked) {
  const std::string key = Record(kWmKeyDown, 0x1E41, 1, 0, 0);
  WriteFile(Dir + "good.macro", key);
  WriteFile(Dir + "empty.macro", "");
  WriteFile(Dir + "odd.macro", key + "12345");
  WriteFile(Dir + "short.macro", key.substr(0, 19));
  // WM_CLOSE, WM_QUIT, WM_CHAR and key codes 0 and 255 play nothing.
  WriteFile(Dir + "nokeys.macro", Record(0x0010, 0, 0, 0, 0) + Record(0x0012, 0, 0, 0, 0) +
                                       Record(0x0102, 'a', 1, 0, 0) + Record(kWmKeyDown, 0x1E00, 1, 0, 0) +
                                       Record(kWmKeyUp, 0x1EFF, 1, 0, 0));
  TFakeHooks hooks;
  TRecorder recorder(hooks);
  recorder.LoadFromFile(Dir + "good.macro");
  for (const char* name : {"odd.macro", "short.macro"}) {
    const std::string error = ErrorOf([&] { recorder.LoadFromFile(Dir + name); });
    EXPECT_NE(error.find(name), std::string::npos) << error;
    EXPECT_EQ(recorder.Events().GetSize(), kMacroRecordSize) << "the events in use stay";
  }
  for (const char* name : {"empty.macro", "nokeys.macro"}) {
    recorder.LoadFromFile(Dir + name);
    EXPECT_EQ(ErrorOf([&] { recorder.Play(); }), "Recorder: Nothing to play") << name;
    EXPECT_EQ(recorder.GetState(), rsIdle);
    EXPECT_EQ(hooks.Installed, 0);
  }
  EXPECT_THROW(recorder.LoadFromFile(Dir + "absent.macro"), EFOpenError);

  // Choosing a macro while recording leaves the recording alone.
  recorder.Record();
  recorder.RecordKey(kWmKeyDown, 'A', 0x001E0001, 0);
  EXPECT_EQ(ErrorOf([&] { recorder.LoadFromFile(Dir + "good.macro"); }), "Recorder: Not ready to play.");
  recorder.RecordKey(kWmKeyDown, 'B', 0x00300001, 0);
  EXPECT_EQ(recorder.Events().GetSize(), 2 * kMacroRecordSize);
  recorder.Stop();
}

TEST(MacroRecorder, PlaysEachKeyWithTheStateItImpliesAndReleasesWhatStaysDown) {
  TFakeHooks hooks;
  hooks.Keyboard[0x14] = 0x01;  // Caps Lock on: toggles stay
  hooks.Keyboard[0x11] = 0x80;  // Ctrl held by the user: not part of the macro
  TRecorder recorder(hooks);
  const std::string bytes = Record(kWmKeyDown, 0x2A10, 1, 0, 0) +     // Shift
                            Record(kWmKeyDown, 0x1E41, 1, 5, 0) +     // A
                            Record(kWmKeyUp, 0x1E41, 1, 6, 0) +       // A up
                            Record(kWmKeyUp, 0x2A10, 1, 7, 0) +       // Shift up
                            Record(0x0010, 0, 0, 0, 0) +              // WM_CLOSE: skipped
                            Record(kWmKeyDown, 0x11D11, 0x8001, 8, 0) +  // right Ctrl
                            Record(kWmSysKeyDown, 0x3812, 1, 9, 0);    // left Alt
  recorder.Events().WriteBuffer(bytes.data(), int64_t(bytes.size()));
  hooks.PlayOk = false;
  EXPECT_EQ(ErrorOf([&] { recorder.Play(); }), "Playback hook cannot be created");
  EXPECT_EQ(recorder.GetState(), rsIdle);
  hooks.PlayOk = true;
  recorder.Play();
  EXPECT_EQ(recorder.GetState(), rsPlaying);
  EXPECT_EQ(ErrorOf([&] { recorder.Record(); }), "Recorder: NotReady to record.");

  struct TExpect {
    uint32_t Message, WParam, LParam;
    std::vector<int> Down;
  };
  const TExpect expected[] = {
      {kWmKeyDown, 0x10, 0x002A0001, {0x10, 0xA0}},
      {kWmKeyDown, 'A', 0x001E0001, {0x10, 0xA0, 'A'}},
      {kWmKeyUp, 'A', 0xC01E0001, {0x10, 0xA0}},
      {kWmKeyUp, 0x10, 0xC02A0001, {}},
      {kWmKeyDown, 0x11, 0x011D0001, {0x11, 0xA3}},
      {kWmSysKeyDown, 0x12, 0x20380001, {0x11, 0xA3, 0x12, 0xA4}},
  };
  for (const TExpect& e : expected) {
    TMacroKey key;
    ASSERT_TRUE(recorder.NextKey(key));
    EXPECT_EQ(key.Message, e.Message);
    EXPECT_EQ(key.WParam, e.WParam);
    EXPECT_EQ(key.LParam, e.LParam) << std::hex << key.LParam;
    std::vector<int> down;
    for (int vk = 0; vk < 256; ++vk)
      if (key.State[vk] & 0x80) down.push_back(vk);
    std::vector<int> want = e.Down;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(down, want) << "after " << e.WParam;
    EXPECT_EQ(key.State[0x14], 0x01);
  }
  TMacroKey key;
  EXPECT_FALSE(recorder.NextKey(key));
  EXPECT_EQ(recorder.GetState(), rsIdle);
  EXPECT_EQ(hooks.Installed, 0);
  // Ctrl and Alt stayed down: both are released, as plain key-ups.
  ASSERT_EQ(hooks.Released.size(), 2u);
  EXPECT_EQ(hooks.Released[0].WParam, 0x11u);
  EXPECT_EQ(hooks.Released[1].WParam, 0x12u);
  for (const TMacroKey& release : hooks.Released) {
    EXPECT_EQ(release.Message, kWmKeyUp);
    EXPECT_EQ(release.LParam & 0xC0000000u, 0xC0000000u);
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(release.State[vk] & 0x80, 0) << vk;
  }
}

TEST(MacroRecorder, EveryEndOfAPlaybackReleasesTheKeysItLeftDown) {
  struct TCase {
    const char* What;
    std::string Bytes;
    int PlayedBeforeStop;  // -1: played to the end
    uint32_t Released;
  };
  const TCase cases[] = {
      {"stopped after Ctrl", Record(kWmKeyDown, 0x1D11, 1, 0, 0) + Record(kWmKeyDown, 0x1E41, 1, 0, 0), 1, 0x11},
      // Right Shift down, then a Shift up that names the left one.
      {"released on the other side", Record(kWmKeyDown, 0x3610, 1, 0, 0) + Record(kWmKeyUp, 0x2A10, 1, 0, 0), -1,
       0x10},
  };
  for (const TCase& c : cases) {
    TFakeHooks hooks;
    TRecorder recorder(hooks);
    recorder.Events().WriteBuffer(c.Bytes.data(), int64_t(c.Bytes.size()));
    recorder.Play();
    TMacroKey key;
    for (int played = 0; c.PlayedBeforeStop < 0 || played < c.PlayedBeforeStop; ++played)
      if (!recorder.NextKey(key)) break;
    recorder.Stop();
    EXPECT_EQ(hooks.Installed, 0) << c.What;
    EXPECT_FALSE(recorder.NextKey(key)) << c.What;
    ASSERT_EQ(hooks.Released.size(), 1u) << c.What;
    EXPECT_EQ(hooks.Released[0].WParam, c.Released) << c.What;
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(hooks.Released[0].State[size_t(vk)] & 0x80, 0) << c.What << vk;
  }
}

TEST(MacroNames, OnlyPlainFileNamesAreTaken) {
  for (const char* good : {"Macro1", "a&b", "my macro", "x.y", "con1", "COM0", "LPT10", "nul_x"})
    EXPECT_EQ(MacroNameProblem(good), "") << good;
  for (const char* bad : {"", "..\\x", "C:\\x", "a:b", "a/b", "a*", "a?", "\"a\"", "a<b", "a>b", "a|b",
                          "tab\there", "x.", "..", "con", "CON", "Nul", "prn.txt", "aux", "COM1", "com9",
                          "lpt1", "LPT9.macro"})
    EXPECT_NE(MacroNameProblem(bad), "") << bad;
}

TEST_F(MacroFolder, TheMenuListsMacroFilesWithTheirOwnNames) {
  EXPECT_EQ(MacroMenuItem("a&b.macro").Caption, "a&&b");
  EXPECT_EQ(MacroMenuItem("a&b.macro").FileName, "a&b.macro");
  EXPECT_EQ(MacroMenuItem("&&.macro").Caption, "&&&&");
  WriteFile(Dir + "one.macro", "");
  WriteFile(Dir + "a&b.macro", "");
  WriteFile(Dir + "other.txt", "");
  WriteFile(Dir + "two.macros", "");
  fs::create_directory(Dir + "folder.macro");
  std::vector<std::string> names;
  for (const TMacroMenuItem& item : ListMacroFiles(Dir)) names.push_back(item.FileName);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a&b.macro", "one.macro"}));
  EXPECT_EQ(DeleteMacroFiles(Dir), 0);
  EXPECT_TRUE(ListMacroFiles(Dir).empty());
  EXPECT_TRUE(fs::exists(Dir + "other.txt"));
  EXPECT_TRUE(fs::is_directory(Dir + "folder.macro"));
}

}  // namespace
