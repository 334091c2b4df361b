// The editing control's clipboard under Wine: the plain text other programs
// read, the private block format that carries the selection mode, and the
// failure paths (a clipboard held by another thread, a missing format),
// after which the clipboard must be closed again.
#include "EditWindowFixture.h"

#include <atomic>
#include <thread>

#include "editor/win/EditClipboard.h"
#include "platform/win/Clipbrd.h"

TQ_TEST_APPLICATION();

namespace {

// Holds the clipboard open from another thread until released.
class TClipboardHolder {
public:
  TClipboardHolder() {
    FThread = std::thread([this] {
      FOpened = ::OpenClipboard(nullptr) != 0;
      FReady = true;
      while (!FRelease) ::Sleep(5);
      if (FOpened) ::CloseClipboard();
      FClosed = true;
    });
    while (!FReady) ::Sleep(1);
  }
  ~TClipboardHolder() {
    Release();
    FThread.join();
  }
  void Release() {
    FRelease = true;
    while (!FClosed) ::Sleep(1);
  }
  bool Opened() const { return FOpened; }

private:
  std::thread FThread;
  std::atomic<bool> FOpened{false};
  std::atomic<bool> FReady{false};
  std::atomic<bool> FRelease{false};
  std::atomic<bool> FClosed{false};
};

// Whether the clipboard is free now (no one, this thread included, holds it open).
bool ClipboardIsClosed() {
  std::atomic<bool> free{false};
  std::thread([&] {
    if (::OpenClipboard(nullptr)) {
      free = true;
      ::CloseClipboard();
    }
  }).join();
  return free;
}

TEST_F(EditWindowTest, HostBlocksCarryTheModeAndOtherProgramsSeeText) {
  TktEditWindow* host = Form->Editor;
  const std::string text = "ab \r\ncd \r\nef ";
  const std::string block = std::string(1, char(smColumn)) + text;
  ASSERT_TRUE(host->SetClipboardData(text, block));
  EXPECT_TRUE(ClipboardIsClosed());
  EXPECT_TRUE(host->ClipboardHasFormat(kcfText));
  EXPECT_TRUE(host->ClipboardHasFormat(kcfBlock));
  // Another program reads CF_TEXT; the private format is registered by name.
  EXPECT_EQ(Clipboard().GetAsText(), text);
  EXPECT_EQ(TClipboard::RegisterFormat("ktEdit Control Block Type"), BlockTypeClipboardFormat());
  std::string data;
  ASSERT_TRUE(host->GetClipboardData(kcfBlock, data));
  EXPECT_EQ(data, block);
  ASSERT_TRUE(host->GetClipboardData(kcfText, data));
  EXPECT_EQ(data, text);

  // A normal block's mode byte is 0: read up to the NUL after it.
  ASSERT_TRUE(host->SetClipboardData("x", std::string(1, '\0') + "x"));
  ASSERT_TRUE(host->GetClipboardData(kcfBlock, data));
  EXPECT_EQ(data, std::string(1, '\0') + "x");

  // Plain text from another program: no block.
  Clipboard().SetAsText("from elsewhere");
  EXPECT_FALSE(host->ClipboardHasFormat(kcfBlock));
  EXPECT_FALSE(host->GetClipboardData(kcfBlock, data));
  EXPECT_TRUE(ClipboardIsClosed()) << "a failed read closes the clipboard";
  ASSERT_TRUE(host->GetClipboardData(kcfText, data));
  EXPECT_EQ(data, "from elsewhere");
}

TEST_F(EditWindowTest, AClipboardHeldElsewhereFailsAndIsLeftAlone) {
  TktEditWindow* host = Form->Editor;
  ASSERT_TRUE(host->SetClipboardData("before", std::string(1, '\0') + "before"));
  {
    TClipboardHolder holder;
    ASSERT_TRUE(holder.Opened());
    EXPECT_FALSE(host->SetClipboardData("after", std::string(1, '\0') + "after"));
    std::string data;
    EXPECT_FALSE(host->GetClipboardData(kcfText, data));
  }
  EXPECT_TRUE(ClipboardIsClosed());
  std::string data;
  ASSERT_TRUE(host->GetClipboardData(kcfText, data));
  EXPECT_EQ(data, "before");
}

TEST_F(EditWindowTest, AColumnBlockCopiedWithKeysPastesBackAsAColumn) {
  const TShiftState shift{ssShift};
  const TShiftState ctrl{ssCtrl};
  SetLines({"abcdef", "ghijkl", "mnopqr", "stuvwx"});
  Click(CellPoint(2, 1));
  Key('C', TShiftState{ssShift, ssCtrl});  // column selection
  ASSERT_EQ(Edit->GetSelectionMode(), smColumn);
  Key(VK_RIGHT, shift);
  Key(VK_RIGHT, shift);
  Key(VK_DOWN, shift);
  ASSERT_EQ(Edit->GetSelText(), "bc\r\nhi");
  Key('C', ctrl);
  EXPECT_EQ(Clipboard().GetAsText(), "bc\r\nhi") << "what other programs paste";
  std::string block;
  ASSERT_TRUE(Form->Editor->GetClipboardData(kcfBlock, block));
  EXPECT_EQ(block, std::string(1, char(smColumn)) + "bc\r\nhi");

  Click(CellPoint(5, 3));
  Key('V', ctrl);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"abcdef", "ghijkl", "mnopbcqr", "stuvhiwx"}));

  // Plain text from another program pastes as normal text.
  Clipboard().SetAsText("1\r\n2");
  Edit->SetSelectionMode(smNormal);
  Click(CellPoint(1, 1));
  Key('V', ctrl);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"1", "2abcdef", "ghijkl", "mnopbcqr", "stuvhiwx"}));
  EXPECT_TRUE(ClipboardIsClosed());
}

}  // namespace
