// The main window's bars in this process: the big bar's bookmark, roll-up,
// insert and preview buttons, the drop-downs of the Clear and Reopen buttons
// opened by real clicks, and a click that closes a drop-down not opening it
// again.
#include "../../win/MainFormFixture.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Menus.h"
#include "platform/win/ToolWin.h"

#include <climits>

TQ_TEST_APPLICATION();

namespace {

// The captions and the top-left corner of the menu window now open.
struct TOpenMenu {
  std::vector<std::string> Captions;
  TPoint TopLeft{INT_MIN, INT_MIN};
};

TOpenMenu ReadOpenMenu() {
  TOpenMenu open;
  HWND wnd = OpenMenuWindow();
  if (!wnd) return open;
  RECT r{};
  ::GetWindowRect(wnd, &r);
  open.TopLeft = TPoint(r.left, r.top);
  HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(wnd, 0x01E1 /* MN_GETHMENU */, 0, 0));
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    ::GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
    open.Captions.push_back(text);
  }
  return open;
}

bool MenuOpen() {
  return OpenMenuWindow() != nullptr;
}

class MainFormBars : public MainFormCase {
protected:
  TToolButton* Button(const char* name) {
    auto* b = dynamic_cast<TToolButton*>(Form->FindComponent(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
  }
  // A screen point on the button: its face, or its arrow at the right end.
  TPoint On(TToolButton* b, bool arrow) {
    const TRect r = b->GetToolBar()->GetButtonRect(b->GetIndex());
    return b->GetToolBar()->ClientToScreen(TPoint(arrow ? r.Right - 3 : r.Left + 4, (r.Top + r.Bottom) / 2));
  }
  // Where a left-aligned drop-down of the button opens.
  TPoint Below(TToolButton* b) {
    const TRect r = b->GetToolBar()->GetButtonRect(b->GetIndex());
    return b->GetToolBar()->ClientToScreen(TPoint(r.Left - 1, r.Bottom));
  }
  void Front() {
    ::SetForegroundWindow(Form->GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Form->GetHandle(); }));
  }
  TktCustomEdit& OpenLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    Docs().OpenInNewTab(Write("lines.txt", text), false);
    return *Docs().CurrentEditor();
  }
  // Once the next menu opens: what it shows goes to shown, and its second
  // item is chosen by the keys.
  static void ChooseTheSecondItem(TOpenMenu& shown) {
    WhenMenuOpen([&shown] {
      shown = ReadOpenMenu();
      SendKey(VK_DOWN);
      SendKey(VK_DOWN);
      SendKey(VK_RETURN);
    });
  }
  static std::vector<int> Marked(TktCustomEdit& edit) {
    std::vector<int> lines;
    for (int n = 1; n <= 9; ++n) {
      int x = 0, y = 0;
      if (edit.GetBookMark(n, x, y)) lines.push_back(y);
    }
    return lines;
  }
};

TEST_F(MainFormBars, TheBigBarCarriesTheBookmarkRollUpInsertAndPreviewButtons) {
  Open();
  const struct {
    const char* Name;
    const char* Panel;
    const char* Action;  // "" for a button that runs its own click
  } buttons[] = {
      {"SpeedButton11", "PBookmarks", ""},
      {"SpeedButton12", "PBookmarks", ""},
      {"SpeedButton13", "PBookmarks", "aClearBookmarks"},
      {"SpeedButton14", "PBookmarks", "aBlockSetAsRollUp"},
      {"SpeedButton21", "PBookmarks", "aBlockReadFromFile"},
      {"SpeedButton17", "PView", "aViewBrowser"},
      {"SpeedButton24", "PTools", "OpenSetup"},
  };
  for (const auto& b : buttons) {
    TToolButton* button = Button(b.Name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetToolBar()->GetParent(), Form->FindComponent(b.Panel)) << b.Name;
    EXPECT_EQ(button->GetAction(), *b.Action ? Form->FindAction(b.Action) : nullptr) << b.Name;
  }
  // Without a document the bookmark buttons wait.
  EXPECT_FALSE(Button("SpeedButton11")->GetEnabled());
  EXPECT_FALSE(Button("SpeedButton12")->GetEnabled());

  TktCustomEdit& edit = OpenLines(12);
  ASSERT_TRUE(Button("SpeedButton12")->GetEnabled());
  EXPECT_FALSE(Button("SpeedButton11")->GetEnabled()) << "nothing to go to yet";
  for (int line : {3, 5}) {
    edit.SetCaretXY(TPoint(1, line));
    Button("SpeedButton12")->Click();
  }
  EXPECT_EQ(Marked(edit), (std::vector<int>{3, 5}));
  EXPECT_TRUE(Button("SpeedButton11")->GetEnabled());
  EXPECT_TRUE(Button("SpeedButton13")->GetEnabled());

  // Go to: the placed bookmarks at the mouse; the second takes the caret there.
  Front();
  TOpenMenu shown;
  ChooseTheSecondItem(shown);
  Button("SpeedButton11")->Click();
  ASSERT_TRUE(PumpUntil([&] { return edit.GetCaretY() == 5; })) << edit.GetCaretY();
  EXPECT_EQ(shown.Captions, (std::vector<std::string>{"Bookmark #1:line 3", "Bookmark #2:line 5"}));

  Button("SpeedButton13")->Click();
  EXPECT_TRUE(Marked(edit).empty());
  EXPECT_FALSE(Button("SpeedButton13")->GetEnabled());
  EXPECT_TRUE(Questions.empty());
  EXPECT_TRUE(Messages.empty());
}

TEST_F(MainFormBars, ClearAndReopenDropTheirMenusBelowThemAndTheFaceOfClearClearsAll) {
  Open();
  const bool panels[6] = {true, true, true, true, true, true};
  Form->ShowToolBar(1, panels);
  TktCustomEdit& edit = OpenLines(12);
  for (int line : {2, 4, 6}) {
    edit.SetCaretXY(TPoint(1, line));
    Button("SetBookmarkButton")->Click();
  }
  edit.SaveDocumentState();  // what closing it would record
  Docs().BuildReopenMenu();
  Application->ProcessMessages();
  Front();

  // The arrow of Clear lists the placed bookmarks; choosing one clears it.
  TToolButton* clear = Button("ClearBookmarkButton");
  ASSERT_TRUE(clear->GetEnabled());
  TOpenMenu shown;
  ChooseTheSecondItem(shown);
  const TPoint arrow = On(clear, true);
  SendClick(arrow.X, arrow.Y);
  ASSERT_TRUE(PumpUntil([&] { return Marked(edit).size() == 2; })) << Marked(edit).size();
  EXPECT_EQ(Marked(edit), (std::vector<int>{2, 6}));
  EXPECT_EQ(shown.Captions, (std::vector<std::string>{"Clear Bookmark #1:line 2", "Clear Bookmark #2:line 4",
                                                      "Clear Bookmark #3:line 6"}));
  EXPECT_EQ(shown.TopLeft.X, Below(clear).X);
  EXPECT_GE(shown.TopLeft.Y, Below(clear).Y - 1);
  EXPECT_LE(shown.TopLeft.Y, Below(clear).Y + 4);

  // A second press on the arrow while the menu is open only closes it.
  int popups = 0;
  TPopupMenu* pmcb = static_cast<TPopupMenu*>(Form->FindComponent("PMcb"));
  auto fill = pmcb->OnPopup;
  pmcb->OnPopup = [&](TObject* sender) {
    ++popups;
    fill(sender);
  };
  WhenMenuOpen([&] {
    const TPoint again = On(clear, true);
    SendClick(again.X, again.Y);
  });
  SendClick(arrow.X, arrow.Y);
  ASSERT_TRUE(PumpUntil([&] { return popups == 1 && !MenuOpen(); }));
  PumpFor(300);
  EXPECT_EQ(popups, 1);
  EXPECT_FALSE(MenuOpen());
  pmcb->OnPopup = fill;

  // Its face clears them all, with no menu.
  const TPoint face = On(clear, false);
  SendClick(face.X, face.Y);
  ASSERT_TRUE(PumpUntil([&] { return Marked(edit).empty(); }));
  EXPECT_FALSE(MenuOpen());

  // Reopen is all drop-down: the recent files, newest first.
  TToolButton* reopen = Button("ReopenButton");
  ASSERT_TRUE(reopen->GetEnabled());
  shown = TOpenMenu();
  WhenMenuOpen([&] {
    shown = ReadOpenMenu();
    SendKey(VK_ESCAPE);
  });
  const TPoint middle = On(reopen, false);
  SendClick(middle.X, middle.Y);
  ASSERT_TRUE(PumpUntil([&] { return !shown.Captions.empty(); }));
  EXPECT_EQ(shown.Captions, std::vector<std::string>{Dir + "lines.txt"});
  EXPECT_EQ(shown.TopLeft.X, Below(reopen).X);
  EXPECT_TRUE(Questions.empty());
}

}  // namespace

// The main window's storage: its place, size and state, its font and the big
// bar's panels come back when it opens again; the options dialog's panel
// boxes decide which panels show, the stored places the order they show in.
TEST_F(MainFormBars, ReopensWhereItWasWithItsFontAndPanels) {
  Open();
  Form->SetBounds(40, 50, 700, 500);
  Form->GetFontObject()->SetName("Tahoma");
  Form->GetFontObject()->SetSize(10);
  Options->Big->SetChecked(true);
  Options->BlockPanel->SetChecked(false);
  Options->ApplyToolBarsTo(*Form);
  // The tools panel dragged in front of the file panel.
  auto* tools = static_cast<TControl*>(Form->FindComponent("PTools"));
  auto* file = static_cast<TControl*>(Form->FindComponent("PFile"));
  tools->SetBounds(0, file->GetTop(), tools->GetWidth(), tools->GetHeight());
  Form->LayoutBigBar();
  ASSERT_LT(tools->GetLeft(), file->GetLeft());
  delete Form;
  Form = nullptr;

  // Stored as shown; the options dialog now shows the block panel again.
  Options->BlockPanel->SetChecked(true);
  Open();
  EXPECT_EQ(Form->GetBoundsRect(), TRect(40, 50, 740, 550));
  EXPECT_EQ(Form->GetFont().Name, "Tahoma");
  EXPECT_EQ(Form->GetFontObject()->GetSize(), 10);
  tools = static_cast<TControl*>(Form->FindComponent("PTools"));
  file = static_cast<TControl*>(Form->FindComponent("PFile"));
  EXPECT_LT(tools->GetLeft(), file->GetLeft());
  EXPECT_TRUE(static_cast<TControl*>(Form->FindComponent("PBlock"))->GetVisible());

  ::ShowWindow(Form->GetHandle(), SW_MAXIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(Form->GetHandle()) != 0; }));
  delete Form;
  Form = nullptr;
  Open();
  EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(Form->GetHandle()) != 0; }));
}
