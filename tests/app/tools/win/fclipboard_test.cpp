// The clipboard history window on the real clipboard: copies from another
// program and from X, Back and Forward putting texts back byte for byte,
// the ends and the empty entries, the window shown from the main window.
#include <gtest/gtest.h>

#include <fstream>

#include "../../win/MainFormFixture.h"
#include "app/tools/win/FClipboard.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/Screenshot.h"

TQ_TEST_APPLICATION();

namespace {

// A program of the X side through the shell; it cannot be waited for from
// here, so callers wait for what it does.
void RunShell(const std::string& script) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "Z:\\bin\\sh -c \"" + script + "\"";
  ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  if (pi.hThread) ::CloseHandle(pi.hThread);
}

std::string RawClipboardText() {
  std::string bytes;
  if (!::OpenClipboard(nullptr)) return "(locked)";
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    const char* p = static_cast<const char*>(::GlobalLock(h));
    bytes = p;
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return bytes;
}

class HistoryWindowCase : public MainFormCase {
protected:
  HistoryWindowCase() {
    // Joining the chain records what the clipboard holds: nothing, here.
    if (::OpenClipboard(nullptr)) {
      ::EmptyClipboard();
      ::CloseClipboard();
    }
    Window = new TFClipboard(Application);
    FClipboard = Window;
  }
  ~HistoryWindowCase() override {
    delete Window;
    FClipboard = nullptr;
    if (!XPidFile.empty()) {
      RunShell("kill $(cat " + XPidFile + ")");
      PumpFor(100);
    }
  }

  TClipboardHistory& History() { return Window->History(); }

  // Another program copies; returns once the window saw it.
  void PeerCopies(const std::string& text) {
    const uint32_t sequence = ::GetClipboardSequenceNumber();
    std::string line = std::string("\"") + TQ_CLIP_PEER + "\" set \"" + text + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 10000));
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    EXPECT_TRUE(PumpUntil([&] { return ::GetClipboardSequenceNumber() != sequence && History().Entry(10) == text; }))
        << text;
  }

  TFClipboard* Window = nullptr;
  std::string XPidFile;
};

TEST_F(HistoryWindowCase, BackAndForwardPutEarlierCopiesBackWithoutRecordingThem) {
  Window->Show();
  for (const char* text : {"A", "B", "C"}) PeerCopies(text);
  EXPECT_FALSE(Window->Forward->GetEnabled());
  Window->Back->Click();
  Window->Back->Click();
  PumpFor(100);
  EXPECT_EQ(RawClipboardText(), "A");
  EXPECT_EQ(History().GetHistoryIndex(), 8);
  EXPECT_EQ(History().Entry(10), "C");
  EXPECT_EQ(History().Entry(9), "B");
  EXPECT_EQ(History().Entry(7), "");
  auto* memo = dynamic_cast<TMemo*>(Window->ClipboardViewer->GetView());
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->GetText(), "A");
  EXPECT_TRUE(Window->Forward->GetEnabled());
  SaveBitmap(*Capture(Window->GetHandle()), "fclipboard_history.bmp");

  // A new copy after going back drops the oldest, not the newer ones.
  PeerCopies("D");
  EXPECT_EQ(History().GetHistoryIndex(), 10);
  EXPECT_EQ(History().Entry(9), "C");
  EXPECT_EQ(History().Entry(8), "B");
  EXPECT_FALSE(Window->Forward->GetEnabled());
}

TEST_F(HistoryWindowCase, EmptyEntriesAreSteppedButTheClipboardKeepsItsText) {
  PeerCopies("kept");
  for (int i = 0; i < 10; ++i) Window->Back->Click();
  PumpFor(50);
  EXPECT_EQ(History().GetHistoryIndex(), 1);
  EXPECT_FALSE(Window->Back->GetEnabled());
  EXPECT_EQ(RawClipboardText(), "kept");
  for (int i = 0; i < 10; ++i) Window->Forward->Click();
  EXPECT_EQ(History().GetHistoryIndex(), 10);
  EXPECT_EQ(RawClipboardText(), "kept");
  EXPECT_EQ(History().Entry(9), "");
}

TEST_F(HistoryWindowCase, TextsGoBackByteForByte) {
  const std::string text = "lone\nLF and\r\nCR LF, no line end at the end";
  Clipboard().SetAsText(text);
  ASSERT_TRUE(PumpUntil([&] { return History().Entry(10) == text; })) << History().Entry(10);
  PeerCopies("other");
  Window->Back->Click();
  PumpFor(50);
  EXPECT_EQ(RawClipboardText(), text);
  EXPECT_EQ(History().Entry(10), "other") << "our own put is not a new entry";
}

TEST_F(HistoryWindowCase, ACopyInXRightAfterOneInWineIsOneEntry) {
  const std::string unixFile = "/tmp/tq-xclip-" + std::to_string(::GetCurrentProcessId());
  {
    std::ofstream out("Z:" + unixFile + ".txt", std::ios::binary);
    out << "from X";
  }
  XPidFile = unixFile + ".pid";
  // The X copy follows the Wine one at once: X announces it twice.
  PeerCopies("in wine");
  RunShell("xclip -quiet -selection clipboard -i " + unixFile + ".txt >/dev/null 2>&1 & echo $! > " + XPidFile);
  ASSERT_TRUE(PumpUntil([&] { return History().Entry(10) == "from X"; }, 10000)) << History().Entry(10);
  PumpFor(1000);
  EXPECT_EQ(History().Entry(10), "from X");
  EXPECT_EQ(History().Entry(9), "in wine");
  EXPECT_EQ(History().Entry(8), "");
  ::DeleteFileA(("Z:" + unixFile + ".txt").c_str());
}

TEST_F(HistoryWindowCase, TheMainWindowShowsItWithoutACaption) {
  Open();
  EXPECT_FALSE(::IsWindowVisible(Window->GetHandle()));
  Form->Clipboard1Click();
  EXPECT_TRUE(::IsWindowVisible(Window->GetHandle()));
  EXPECT_EQ(::GetWindowLongA(Window->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_NE(::GetWindowLongA(Window->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  Window->SpeedButton1->Click();
  PumpFor(20);
  EXPECT_FALSE(::IsWindowVisible(Window->GetHandle()));
}

}  // namespace
