// The clipboard history over a clipboard of the test's own: ten entries,
// Back and Forward, the sequence rule that keeps one copy one entry, our
// own puts never recorded again, texts kept byte for byte.
#include <gtest/gtest.h>

#include <functional>

#include "app/tools/ClipboardHistory.h"

namespace {

class TFakeClipboard : public IClipboardText {
public:
  bool ReadText(std::string& text) override {
    if (Locked) return false;
    text = Text;
    return true;
  }
  void PutText(const std::string& text) override {
    Text = text;
    ++Seq;
    ++Puts;
    // The system announces the change while the put still runs.
    if (OnPut) OnPut();
  }
  uint32_t Sequence() override { return Seq; }

  // Another program copies.
  void Copy(const std::string& text) {
    Text = text;
    ++Seq;
  }

  std::string Text;
  uint32_t Seq = 100;
  int Puts = 0;
  bool Locked = false;
  std::function<void()> OnPut;
};

struct HistoryCase : ::testing::Test {
  TFakeClipboard clip;
  TClipboardHistory history{clip};

  void CopyAndNotice(const std::string& text) {
    clip.Copy(text);
    history.Change();
  }
};

TEST_F(HistoryCase, BackTwiceAfterThreeCopiesPutsTheFirstBackWithoutRecordingIt) {
  clip.OnPut = [&] { EXPECT_FALSE(history.Change()); };
  for (const char* t : {"A", "B", "C"}) CopyAndNotice(t);
  EXPECT_EQ(history.GetHistoryIndex(), 10);
  EXPECT_FALSE(history.ForwardEnabled());
  history.Back();
  history.Back();
  EXPECT_EQ(clip.Text, "A");
  EXPECT_EQ(history.GetHistoryIndex(), 8);
  EXPECT_EQ(history.Entry(8), "A");
  EXPECT_EQ(history.Entry(10), "C");
  EXPECT_TRUE(history.ForwardEnabled());
  EXPECT_FALSE(history.GetSkipNextChange());
  // A notice of our own put that comes late (through another viewer) adds
  // nothing either.
  EXPECT_FALSE(history.Change());
  history.Forward();
  EXPECT_EQ(clip.Text, "B");
  EXPECT_EQ(history.Entry(10), "C");
}

TEST_F(HistoryCase, EndsDoNothingAndEmptyEntriesAreSteppedButNeverPut) {
  history.Forward();
  EXPECT_EQ(history.GetHistoryIndex(), 10);
  EXPECT_EQ(clip.Puts, 0);
  CopyAndNotice("only");
  for (int i = 0; i < 12; ++i) history.Back();
  EXPECT_EQ(history.GetHistoryIndex(), 1);
  EXPECT_FALSE(history.BackEnabled());
  EXPECT_EQ(clip.Puts, 0) << "entries 1 to 9 are empty";
  EXPECT_EQ(clip.Text, "only");
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(history.Entry(i), "");
  for (int i = 0; i < 12; ++i) history.Forward();
  EXPECT_EQ(history.GetHistoryIndex(), 10);
  EXPECT_FALSE(history.ForwardEnabled());
  EXPECT_TRUE(history.BackEnabled());
  EXPECT_EQ(clip.Puts, 1) << "only entry 10 holds a text";
}

TEST_F(HistoryCase, ANewCopyAfterGoingBackDropsTheOldestNotTheNewer) {
  for (int i = 1; i <= 10; ++i) CopyAndNotice("t" + std::to_string(i));
  history.Back();
  history.Back();
  CopyAndNotice("new");
  EXPECT_EQ(history.GetHistoryIndex(), 10);
  EXPECT_EQ(history.Entry(1), "t2");
  EXPECT_EQ(history.Entry(9), "t10");
  EXPECT_EQ(history.Entry(10), "new");
  EXPECT_FALSE(history.ForwardEnabled());
}

TEST_F(HistoryCase, OneChangeAnnouncedTwiceIsOneEntryAndUnreadableTextsAddNothing) {
  clip.Copy("x");
  EXPECT_TRUE(history.Change());
  EXPECT_FALSE(history.Change());
  EXPECT_EQ(history.Entry(9), "");
  EXPECT_EQ(history.Entry(10), "x");

  clip.Copy("held");
  clip.Locked = true;
  EXPECT_FALSE(history.Change());
  EXPECT_EQ(history.Entry(10), "x");
  // Looked at again once the other program let go.
  clip.Locked = false;
  EXPECT_TRUE(history.Change());
  EXPECT_EQ(history.Entry(10), "held");
}

TEST_F(HistoryCase, ANoticeUnderOurPutNeverSwallowsALaterRealChange) {
  CopyAndNotice("A");
  CopyAndNotice("B");
  // Our put's notice is late; another program copies right after the put.
  history.Back();
  clip.Copy("other");
  EXPECT_TRUE(history.Change());
  EXPECT_EQ(history.Entry(10), "other");
}

TEST_F(HistoryCase, TextsAreKeptByteForByte) {
  const std::string text = "lone\nLF\r\nCRLF\rCR\tend";
  CopyAndNotice(text);
  CopyAndNotice("next");
  history.Back();
  EXPECT_EQ(history.Entry(9), text);
  EXPECT_EQ(clip.Text, text);
}

}  // namespace
