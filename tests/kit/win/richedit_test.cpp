// The rich-text control on Wine's real rich-edit library: loading plain and
// rich text without losing a line break, the retry in the other format, the
// content kept across a new window, links clicked with the real mouse, and
// reading the text's runs for our own print layout.
#include "kit/win/RxRichEd.h"

#include "MouseInput.h"
#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

struct RichEdit : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 420, 300);
    edit = new TRxRichEdit(form.get());
    edit->SetParent(form.get());
    edit->SetAlign(alClient);
    edit->SetFont(TFontData{"Liberation Sans", -16, {}, clWindowText});
  }
  void TearDown() override { form.reset(); }

  void Load(const std::string& text, TRichStreamFormat format = sfDefault) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    stream.SetPosition(0);
    edit->SetStreamFormat(format);
    edit->GetLines()->LoadFromStream(stream);
  }
  std::string Text() { return edit->GetTextRange(0, edit->GetTextLength()); }

  std::unique_ptr<TForm> form;
  TRxRichEdit* edit = nullptr;
};

TEST_F(RichEdit, TheLibraryIsLoadedByFullPathFromTheSystemFolder) {
  EXPECT_EQ(RichEditVersion(), 3);  // Wine reports NT 6.1
  const std::string path = RichEditLibraryPath();
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  EXPECT_EQ(path, std::string(folder) + "\\RICHED20.DLL");
  EXPECT_NE(RichClipboardFormats().RichText, 0u);
  EXPECT_NE(RichClipboardFormats().RichText, RichClipboardFormats().RichTextNoObjects);
  char cls[64] = {};
  ::GetClassNameA(edit->GetHandle(), cls, sizeof cls);
  WNDCLASSA info{};
  EXPECT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), cls, &info));
}

TEST_F(RichEdit, PlainTextKeepsEveryLineBreak) {
  struct TCase {
    std::string In;
    std::vector<std::string> Lines;
  };
  const std::string a2047(2047, 'a');
  const TCase cases[] = {
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"last\r", {"last"}},
      {a2047 + "\rb", {a2047, "b"}},
      {std::string(2046, 'a') + "\r\r\nb", {std::string(2046, 'a'), "", "b"}},
  };
  // Lines as the control counts them are screen lines: no wrapping here.
  edit->SetWordWrap(false);
  for (const auto& c : cases) {
    Load(c.In, sfPlainText);
    TRichEditStrings* lines = edit->GetLines();
    ASSERT_EQ(lines->GetCount(), static_cast<int>(c.Lines.size())) << c.In.substr(0, 20);
    for (size_t i = 0; i < c.Lines.size(); ++i) EXPECT_EQ(lines->Get(static_cast<int>(i)), c.Lines[i]);
  }
  // A final CR is a line end, not a lost character: the text ends in one break.
  Load("x\r", sfPlainText);
  EXPECT_EQ(Text(), "x\r");
}

TEST_F(RichEdit, UnicodePlainTextIsConvertedByUnits) {
  // "č" is U+010D: as bytes it would hold a CR.
  const std::u16string wide = u"x\u010Dy\nz";
  std::string bytes;
  for (char16_t c : wide) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  edit->SetStreamMode({smUnicode});
  Load(bytes, sfPlainText);
  ASSERT_EQ(edit->GetLines()->GetCount(), 2);
  EXPECT_EQ(edit->GetLines()->Get(0).size(), 3u);
  EXPECT_EQ(edit->GetLines()->Get(1), "z");
}

TEST_F(RichEdit, TextThatIsNotRichTextLoadsAsPlainText) {
  Load("hello {world}\nsecond", sfRichText);
  EXPECT_EQ(Text(), "hello {world}\rsecond");
  // And rich text loads formatted.
  Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain \\b bold\\b0\\par}");
  EXPECT_EQ(edit->GetLines()->Get(0), "plain bold");
}

TEST_F(RichEdit, AFailedLoadIntoTheSelectionLeavesNothingOfTheFirstAttempt) {
  Load("0123456789", sfPlainText);
  edit->SetSelStart(3);
  edit->SetSelLength(4);  // "3456"
  edit->SetStreamMode({smSelection});
  // Cut off: the control loads "abc" and then reports the error.
  const std::string truncated = "{\\rtf1\\ansi abc";
  Load(truncated, sfRichText);
  EXPECT_EQ(Text(), "012" + truncated + "789");
}

TEST_F(RichEdit, UndoLimitZeroKeepsNoUndo) {
  edit->SetUndoLimit(0);
  form->Show();
  Load("abc", sfPlainText);
  edit->SetSelStart(3);
  edit->SetSelText("def");
  EXPECT_EQ(Text(), "abcdef");
  EXPECT_EQ(::SendMessageA(edit->GetHandle(), EM_CANUNDO, 0, 0), 0);
  EXPECT_EQ(edit->GetUndoLimit(), 0);
}

TEST_F(RichEdit, ANewWindowKeepsTextStylesColoursAndTheModifiedFlag) {
  form->Show();
  Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
       "\\f0 one \\b two\\b0  \\cf1 three\\cf0\\par four\\par}");
  edit->SetModified(true);
  edit->SetSelectionBar(true);  // a style change: the window is made again
  EXPECT_EQ(edit->GetLines()->Get(0), "one two three");
  EXPECT_EQ(edit->GetLines()->Get(1), "four");
  EXPECT_TRUE(edit->GetModified());
  const auto paragraphs = edit->ReadParagraphs();
  ASSERT_GE(paragraphs.size(), 2u);
  const auto& runs = paragraphs[0].Runs;
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].Text, "one ");
  EXPECT_FALSE(runs[0].Font.Style.Contains(fsBold));
  EXPECT_EQ(runs[1].Text, "two");
  EXPECT_TRUE(runs[1].Font.Style.Contains(fsBold));
  EXPECT_EQ(runs[3].Text, "three");
  EXPECT_EQ(runs[3].Font.Color, static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(runs[0].Font.Face, "Arial");
}

TEST_F(RichEdit, ReadingRunsMovesNoSelectionAndTellsNoOne) {
  form->Show();
  Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a \\b b\\b0 c\\par\\qc\\li720 d e\\par}");
  edit->SetSelStart(2);
  edit->SetSelLength(1);
  int changes = 0;
  edit->OnSelectionChange = [&](TObject*) { ++changes; };
  const auto paragraphs = edit->ReadParagraphs();
  PumpFor(50);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(edit->GetSelStart(), 2);
  EXPECT_EQ(edit->GetSelLength(), 1);
  ASSERT_GE(paragraphs.size(), 2u);
  EXPECT_EQ(paragraphs[1].Align, raCenter);
  EXPECT_EQ(paragraphs[1].FirstIndent, 720);
}

TEST_F(RichEdit, PlainTextModeSwitchKeepsTheContent) {
  Load("{\\rtf1\\ansi line one\\par line two\\par}");
  edit->SetPlainText(true);
  EXPECT_TRUE(edit->GetPlainText());
  EXPECT_EQ(edit->GetLines()->Get(0), "line one");
  EXPECT_EQ(edit->GetLines()->Get(1), "line two");
}

TEST_F(RichEdit, LineInsertionAndDeletion) {
  Load("a\nc", sfPlainText);
  edit->GetLines()->Insert(1, "b");
  edit->GetLines()->Add("d");
  EXPECT_EQ(edit->GetLines()->GetTextStr(), "a\r\nb\r\nc\r\nd");
  edit->GetLines()->Delete(0);
  EXPECT_EQ(edit->GetLines()->Get(0), "b");
  edit->GetLines()->Insert(9, "never");  // no line before it: nothing
  EXPECT_EQ(edit->GetLines()->GetCount(), 3);
}

struct RichEditLinks : RichEdit {
  // The screen point of a character, a little inside it.
  TPoint PointOf(int pos) {
    POINTL p{};
    ::SendMessageA(edit->GetHandle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), pos);
    return edit->ClientToScreen(TPoint(p.x + 3, p.y + 6));
  }
};

TEST_F(RichEditLinks, AClickOnALinkReportsItsTextAndPressAndReleaseOnTwoLinksNothing) {
  std::vector<std::string> clicked;
  edit->OnURLClick = [&](TObject*, const std::string& url, TMouseButton button) {
    clicked.push_back((button == mbLeft ? "left " : "right ") + url);
  };
  edit->SetReadOnly(true);
  form->Show();
  ASSERT_TRUE(ActivateForInput(form->GetHandle()));
  Load("see http://one.invalid/a and http://two.invalid/b here\n", sfPlainText);
  PumpFor(100);
  const TPoint one = PointOf(6), two = PointOf(30);
  MousePress(one.X, one.Y);
  MouseRelease();
  ASSERT_TRUE(PumpUntil([&] { return !clicked.empty(); }));
  EXPECT_EQ(clicked, (std::vector<std::string>{"left http://one.invalid/a"}));

  clicked.clear();
  MousePress(one.X, one.Y);
  MouseMoveTo(two.X, two.Y);
  MouseRelease();
  PumpFor(200);
  EXPECT_TRUE(clicked.empty());
}

}  // namespace
