// Keyboard macros in the main window: keys typed through the X server are
// recorded and saved; macros play back into the editor, a modal dialog, a
// message box and a menu; the user's keys are held back while one plays and
// Ctrl+Break ends it; bad files play nothing; the Macro menu follows the
// current folder; Clear All deletes them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../../win/MainFormFixture.h"
#include "app/macros/MacroEvents.h"
#include "app/macros/Recorder.h"
#include "app/macros/win/MacroHook.h"
#include "platform/win/Dialogs.h"
#include "platform/win/XInput.h"

TQ_TEST_APPLICATION();

namespace {

std::string Bytes(const std::vector<TMacroEvent>& events) {
  std::string out;
  for (const TMacroEvent& e : events) {
    unsigned char record[kMacroRecordSize];
    EncodeMacroEvent(e, record);
    out.append(reinterpret_cast<char*>(record), kMacroRecordSize);
  }
  return out;
}

void AddKey(std::vector<TMacroEvent>& events, WORD vk, bool down) {
  const UINT scan = ::MapVirtualKeyA(vk, 0);
  const uint32_t lParam = 1u | scan << 16 | (down ? 0u : 0xC0000000u);
  events.push_back(MakeKeyEvent(down ? WM_KEYDOWN : WM_KEYUP, vk, lParam, 0, 0));
}

void AddTap(std::vector<TMacroEvent>& events, WORD vk) {
  AddKey(events, vk, true);
  AddKey(events, vk, false);
}

// The records of typing text: Shift around capitals, Return for "\n".
std::vector<TMacroEvent> Typing(const std::string& text) {
  std::vector<TMacroEvent> events;
  for (char c : text) {
    if (c == '\n') {
      AddTap(events, VK_RETURN);
      continue;
    }
    const SHORT scan = ::VkKeyScanA(c);
    const bool shift = (HIBYTE(scan) & 1) != 0;
    if (shift) AddKey(events, VK_SHIFT, true);
    AddTap(events, LOBYTE(scan));
    if (shift) AddKey(events, VK_SHIFT, false);
  }
  return events;
}

class MacroCase : public MainFormCase {
protected:
  MacroCase() {
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    FOldFolder = folder;
    ::SetCurrentDirectoryA(Dir.c_str());
    CreateMacroRecorder();
    SetInputQueryFunc([this](const std::string& caption, const std::string& prompt, std::string& value) {
      Queries.push_back(caption + "|" + prompt + "|" + value);
      if (Names.empty()) return false;
      value = Names.front();
      Names.pop_front();
      return true;
    });
  }
  ~MacroCase() override {
    FreeMacroRecorder();
    SetInputQueryFunc(nullptr);
    for (const auto& item : ListFolder()) FileDelete(Dir + item);
    ::SetCurrentDirectoryA(FOldFolder.c_str());
  }

  std::vector<std::string> ListFolder() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((Dir + "*.macro").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
  }

  void WriteMacro(const std::string& name, const std::string& bytes) {
    std::ofstream(Dir + name, std::ios::binary) << bytes;
  }
  std::string ReadMacro(const std::string& name) {
    std::ifstream in(Dir + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // A new document with the keyboard focus.
  void OpenDocument() {
    Open();
    Docs().FileNew();
    ::SetForegroundWindow(Form->GetHandle());
    ::SetFocus(EditorWnd());
    PumpFor(50);
  }

  // Plays a file as the menu item does and waits until it has ended and the
  // queue holds nothing more of it.
  void PlayAndWait(const std::string& fileName) {
    Form->MacroItemClick(fileName);
    EXPECT_TRUE(PumpUntil([] { return MacroRecorder->GetState() == rsIdle; }, 10000));
    PumpFor(50);
  }

  // The document's text without the line end the editor gives its last line.
  std::string Text() {
    std::string text = Docs().CurrentEditor()->GetText();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
  }
  bool ActionEnabled(const char* name) { return Form->FindAction(name)->GetEnabled(); }
  std::vector<std::string> MacroCaptions() {
    auto* macro = static_cast<TMenuItem*>(Form->FindComponent("Macro"));
    std::vector<std::string> captions;
    for (int i = 4; i < macro->GetCount(); ++i) captions.push_back(macro->GetItem(i)->GetCaption());
    std::sort(captions.begin(), captions.end());
    return captions;
  }

  std::deque<std::string> Names;
  std::vector<std::string> Queries;

private:
  std::string FOldFolder;
};

TEST_F(MacroCase, TypedKeysAreRecordedSavedAndPlayedBack) {
  OpenDocument();
  Form->aMacroNewExecute();
  EXPECT_EQ(Form->GetStatus()->GetPanel(3)->GetText(), "Recording");
  EXPECT_FALSE(ActionEnabled("aMacroNew"));
  EXPECT_TRUE(ActionEnabled("aMacroStop"));
  RunX("type --delay 30 \"Ab c\"");
  ASSERT_TRUE(PumpUntil([&] { return Text().size() >= 4; }, 10000)) << Text();
  RunX("key Return");
  ASSERT_TRUE(PumpUntil([&] { return Docs().CurrentEditor()->GetLines()->GetCount() >= 2; }, 10000)) << Text();
  PumpFor(200);
  Names = {"typed"};
  Form->aMacroStopExecute();
  EXPECT_EQ(Form->GetStatus()->GetPanel(3)->GetText(), "");
  EXPECT_TRUE(ActionEnabled("aMacroNew"));
  EXPECT_FALSE(ActionEnabled("aMacroStop"));
  EXPECT_EQ(Queries, std::vector<std::string>{"Macro|Enter Name of Macro|Macro1"});
  EXPECT_TRUE(ActionEnabled("aMacroClear"));
  EXPECT_EQ(MacroCaptions(), std::vector<std::string>{"typed"});

  // Only key messages, in the journal's layout, downs and ups of the keys typed.
  const std::string bytes = ReadMacro("typed.macro");
  ASSERT_EQ(bytes.size() % kMacroRecordSize, 0u);
  std::vector<TMacroEvent> events = DecodeMacroEvents(bytes);
  std::string downs;
  uint32_t lastTime = 0;
  for (const TMacroEvent& e : events) {
    EXPECT_TRUE(IsMacroKeyMessage(e.Message)) << e.Message;
    EXPECT_GE(e.Time, lastTime);
    EXPECT_LT(e.Time, 60000u);
    lastTime = e.Time;
    if (e.Message == WM_KEYDOWN) downs += char(e.ParamL & 0xFF);
    EXPECT_EQ((e.ParamL >> 8) & 0xFF, ::MapVirtualKeyA(e.ParamL & 0xFF, 0) & 0xFF) << "scan code of "
                                                                                      << (e.ParamL & 0xFF);
  }
  EXPECT_EQ(downs, std::string("\x10" "AB C\r"));

  const std::string typed = Text();
  Docs().FileNew();
  ::SetFocus(EditorWnd());
  PumpFor(50);
  PlayAndWait("typed.macro");
  EXPECT_EQ(Text(), typed);
  EXPECT_EQ(::GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(MacroCase, CtrlBreakEndsARecordingAndThePanelKeepsRecording) {
  OpenDocument();
  Form->aMacroNewExecute();
  RunX("type x");
  ASSERT_TRUE(PumpUntil([&] { return Text() == "x"; }, 10000));
  RunX("key ctrl+Pause");
  ASSERT_TRUE(PumpUntil([] { return MacroRecorder->GetState() == rsIdle; }, 10000));
  EXPECT_EQ(Form->GetStatus()->GetPanel(3)->GetText(), "Recording");
  // A cancelled name box saves "Macro1", over an older one.
  WriteMacro("Macro1.macro", "old");
  Form->aMacroStopExecute();
  const std::vector<TMacroEvent> events = DecodeMacroEvents(ReadMacro("Macro1.macro"));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().ParamL & 0xFF, kVkCancel);
  EXPECT_EQ(events.back().Message, uint32_t(WM_KEYDOWN));
}

TEST_F(MacroCase, PlaybackReachesAModalDialogAMessageBoxAndAMenu) {
  OpenDocument();
  WriteMacro("dialog.macro", Bytes(Typing("Hi\n")));
  Form->MacroItemClick("dialog.macro");
  SetInputQueryFunc(nullptr);
  std::string answer = "";
  // The keys go to the box's edit; Enter closes it with OK.
  EXPECT_TRUE(InputQuery("Macro test", "Type", answer));
  EXPECT_EQ(answer, "Hi");
  EXPECT_TRUE(PumpUntil([] { return MacroRecorder->GetState() == rsIdle; }));

  std::vector<TMacroEvent> keys;
  AddTap(keys, VK_RIGHT);
  AddTap(keys, VK_RETURN);
  WriteMacro("box.macro", Bytes(keys));
  Form->MacroItemClick("box.macro");
  EXPECT_EQ(::MessageBoxA(Form->GetHandle(), "Answer?", "Macro test", MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(PumpUntil([] { return MacroRecorder->GetState() == rsIdle; }));

  // F10 enters the menu bar, F opens the File menu, N chooses New: the next
  // keys go to the new tab. (Alt+letters are the text expansions' keys.)
  std::vector<TMacroEvent> menu;
  menu.push_back(MakeKeyEvent(WM_SYSKEYDOWN, VK_F10, 0x00440001, 0, 0));
  menu.push_back(MakeKeyEvent(WM_SYSKEYUP, VK_F10, 0xC0440001, 0, 0));
  AddTap(menu, 'F');
  AddTap(menu, 'N');
  for (const TMacroEvent& e : Typing("zz")) menu.push_back(e);
  WriteMacro("menu.macro", Bytes(menu));
  const int pages = Form->GetPageCount();
  PlayAndWait("menu.macro");
  EXPECT_EQ(Form->GetPageCount(), pages + 1);
  EXPECT_EQ(Text(), "zz");
}

TEST_F(MacroCase, TheUsersKeysAreHeldBackAndCtrlBreakEndsPlaybackWithNothingLeftDown) {
  OpenDocument();
  // Shift goes down and never up.
  std::vector<TMacroEvent> events;
  AddKey(events, VK_SHIFT, true);
  for (int i = 0; i < 40; ++i) AddTap(events, 'Q');
  WriteMacro("long.macro", Bytes(events));
  Form->MacroItemClick("long.macro");
  // Typed before the first played key is delivered: held back.
  const HWND editor = EditorWnd();
  ::PostMessageA(editor, WM_KEYDOWN, 'U', 0x00160001);
  ::PostMessageA(editor, WM_KEYUP, 'U', 0xC0160001);
  ::PostMessageA(editor, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 5));
  PumpFor(100);
  EXPECT_EQ(Text(), std::string(40, 'Q'));
  EXPECT_EQ(::GetKeyState(VK_SHIFT) & 0x8000, 0) << "the macro's Shift is released";
  EXPECT_EQ(MacroRecorder->GetState(), rsIdle);

  Docs().FileNew();
  ::SetFocus(EditorWnd());
  PumpFor(50);
  Form->MacroItemClick("long.macro");
  // Ctrl+Break typed by the user: only the Break key's down counts.
  ::PostMessageA(EditorWnd(), WM_KEYDOWN, VK_CANCEL, 0x01460001);
  ASSERT_TRUE(PumpUntil([] { return MacroRecorder->GetState() == rsIdle; }));
  PumpFor(100);
  EXPECT_LT(Text().size(), 40u);
  EXPECT_EQ(::GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(MacroCase, BadFilesPlayNothingAndSayWhy) {
  OpenDocument();
  WriteMacro("empty.macro", "");
  std::vector<TMacroEvent> closing{{WM_CLOSE, 0, 0, 0, 0}, {WM_QUIT, 0, 0, 0, 0}, {WM_CHAR, 'a', 1, 0, 0}};
  WriteMacro("close.macro", Bytes(closing));
  WriteMacro("odd.macro", Bytes(Typing("x")) + "abc");
  for (const char* name : {"empty.macro", "close.macro", "odd.macro"}) {
    Messages.clear();
    PlayAndWait(name);
    ASSERT_EQ(Messages.size(), 1u) << name;
    if (std::string(name) == "odd.macro") {
      EXPECT_NE(Messages[0].find("odd.macro"), std::string::npos) << Messages[0];
    } else {
      EXPECT_NE(Messages[0].find("Recorder: Nothing to play"), std::string::npos) << Messages[0];
    }
  }
  EXPECT_TRUE(::IsWindowVisible(Form->GetHandle()));
  EXPECT_EQ(Text(), "");
}

TEST_F(MacroCase, BadNamesAreAskedAgainAndTheMenuFollowsTheFolder) {
  OpenDocument();
  Form->aMacroNewExecute();
  Names = {"..\\up", "con", "  a&b  "};
  Form->aMacroStopExecute();
  EXPECT_EQ(Queries.size(), 3u);
  EXPECT_EQ(Messages.size(), 2u);
  EXPECT_TRUE(FileExists(Dir + "a&b.macro"));
  EXPECT_FALSE(FileExists(Dir + "..\\up.macro"));
  WriteMacro("other.macro", Bytes(Typing("o")));
  Form->BuildMacroMenu();
  EXPECT_EQ(MacroCaptions(), (std::vector<std::string>{"a&&b", "other"}));

  // The item plays its own file, "&" and all.
  WriteMacro("a&b.macro", Bytes(Typing("amp")));
  auto* macro = static_cast<TMenuItem*>(Form->FindComponent("Macro"));
  for (int i = 4; i < macro->GetCount(); ++i)
    if (macro->GetItem(i)->GetCaption() == "a&&b") macro->GetItem(i)->Click();
  EXPECT_TRUE(PumpUntil([&] { return Text() == "amp"; }));

  const std::string second = Dir + "second";
  CreateDir(second);
  ::SetCurrentDirectoryA(second.c_str());
  std::ofstream(second + "\\there.macro", std::ios::binary) << Bytes(Typing("t"));
  EXPECT_EQ(Form->BuildMacroMenu(), 1);
  EXPECT_EQ(MacroCaptions(), std::vector<std::string>{"there"});
  FileDelete(second + "\\there.macro");
  ::SetCurrentDirectoryA(Dir.c_str());
  RemoveDir(second);
}

TEST_F(MacroCase, ClearAllDeletesOnlyWhenConfirmed) {
  WriteMacro("one.macro", Bytes(Typing("1")));
  WriteMacro("two.macro", Bytes(Typing("2")));
  Open();
  EXPECT_TRUE(ActionEnabled("aMacroClear")) << "the first activation lists the folder";
  EXPECT_EQ(MacroCaptions(), (std::vector<std::string>{"one", "two"}));
  Answers = {mrNo};
  Form->aMacroClearExecute();
  EXPECT_EQ(ListFolder().size(), 2u);
  EXPECT_TRUE(ActionEnabled("aMacroClear"));
  Answers = {mrYes};
  Form->aMacroClearExecute();
  EXPECT_EQ(Questions.back(), "Are You Sure You Want to Delete all Macroes Permanentely?");
  EXPECT_TRUE(ListFolder().empty());
  EXPECT_TRUE(MacroCaptions().empty());
  EXPECT_FALSE(ActionEnabled("aMacroClear"));
}

}  // namespace
