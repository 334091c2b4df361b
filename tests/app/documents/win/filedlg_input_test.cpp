// The open dialog under input through the X server, one way in per case: a
// click in the folder tree, clicks and a double click in the file list,
// clicks on the column headers, and names typed into FileName.
#include "app/documents/win/FileDlg.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "FileDlgFixture.h"
#include "kit/win/FolderTree.h"
#include "kit/win/Placemnt.h"
#include "platform/win/WinTestSupport.h"
#include "platform/win/XInput.h"

TQ_TEST_APPLICATION();

namespace {

// The centre of a client rectangle of wnd, on the screen.
POINT ScreenCentre(HWND wnd, const RECT& r) {
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(wnd, &p);
  return p;
}

struct FileDlgInput : ::testing::Test {
  std::unique_ptr<TFileDlg> dlg;
  void SetUp() override {
    dlg = std::make_unique<TFileDlg>(nullptr);
    // Away from the screen's corner and centre, where other cases' windows
    // open while this one runs.
    dlg->SetBounds(600, 560, 640, 420);
    dlg->Show();
    Front();
  }
  // On top and active before real input, which goes to whatever lies under
  // the pointer or has the focus.
  void Front() {
    ::BringWindowToTop(dlg->GetHandle());
    ::SetForegroundWindow(dlg->GetHandle());
    PumpFor(100);
  }
  // Lists the fixture folder through a typed path, as the main window does.
  void List(const std::string& sub) {
    dlg->TypedName(Fixture(sub));
    ASSERT_TRUE(AnsiSameText(dlg->CurrentFolder(), Fixture(sub))) << dlg->CurrentFolder();
  }
  int IndexOf(const std::string& realName) {
    const auto& names = dlg->RealNames();
    auto it = std::find(names.begin(), names.end(), realName);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
  }
  void ClickRow(int row, bool twice = false) {
    HWND list = dlg->Files->GetHandle();
    ::SendMessageA(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
    RECT r{};
    r.left = LVIR_LABEL;
    ASSERT_TRUE(::SendMessageA(list, LVM_GETITEMRECT, WPARAM(row), LPARAM(&r)));
    const POINT p = ScreenCentre(list, r);
    Front();
    XClickAt(p.x, p.y, twice);
  }
  void ClickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(::SendMessageA(dlg->Files->GetHandle(), LVM_GETHEADER, 0, 0));
    RECT r{};
    ASSERT_TRUE(::SendMessageA(header, HDM_GETITEMRECT, WPARAM(column), LPARAM(&r)));
    const POINT p = ScreenCentre(header, r);
    Front();
    XClickAt(p.x, p.y);
  }
  // The listed files' real names in the list's order.
  std::vector<std::string> Order() { return dlg->RealNames(); }
};

TEST_F(FileDlgInput, AClickOnAFolderInTheTreeListsIt) {
  List("search");
  HWND tree = dlg->FolderTree->GetHandle();
  // "listing" is the folder before "search" under the fixture's folder.
  auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  ASSERT_TRUE(item);
  item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PREVIOUS, LPARAM(item)));
  ASSERT_TRUE(item);
  char text[MAX_PATH] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  ASSERT_TRUE(::SendMessageA(tree, TVM_GETITEMA, 0, LPARAM(&tv)));
  ASSERT_STREQ(text, "listing");
  ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, LPARAM(item));
  RECT r{};
  std::memcpy(&r, &item, sizeof item);  // the message takes the item in the rectangle
  ASSERT_TRUE(::SendMessageA(tree, TVM_GETITEMRECT, TRUE, LPARAM(&r)));
  const POINT p = ScreenCentre(tree, r);
  Front();
  XClickAt(p.x, p.y);
  EXPECT_TRUE(PumpUntil([&] { return AnsiSameText(dlg->CurrentFolder(), Fixture("listing")); }, 5000))
      << dlg->CurrentFolder();
  EXPECT_GE(IndexOf("README"), 0);
  EXPECT_EQ(IndexOf("alpha.txt"), -1);  // nothing of the folder listed before
  EXPECT_TRUE(AnsiSameText(dlg->StatusLine->GetCaption(), Fixture("listing")));
}

TEST_F(FileDlgInput, AClickOnAFileShowsItsPathAndADoubleClickChoosesIt) {
  List("listing");
  const int row = IndexOf("a.b.txt");
  ASSERT_GE(row, 0);
  ClickRow(row);
  const std::string path = dlg->CurrentFolder() + "a.b.txt";
  EXPECT_TRUE(PumpUntil([&] { return dlg->FileName->GetText() == path; }, 5000)) << dlg->FileName->GetText();
  EXPECT_EQ(dlg->StatusLine->GetCaption(), path);
  EXPECT_NE(dlg->GetModalResult(), mrOk);

  const int readme = IndexOf("README");
  ClickRow(readme, true);
  EXPECT_TRUE(PumpUntil([&] { return dlg->GetModalResult() == mrOk; }, 5000));
  // The real name, not "README." built from the listed name and type.
  EXPECT_EQ(dlg->FileName->GetText(), dlg->CurrentFolder() + "README");
}

TEST_F(FileDlgInput, HeaderClicksSortByTheirColumnAndASecondClickTurnsTheOrder) {
  TStoredValues* stored = dlg->GetStorage()->GetStoredValues();
  stored->GetStoredValue("Sortby")->SetValue(fsName);
  stored->GetStoredValue("SortDirection")->SetValue(false);
  List("listing");
  const auto sortBy = [&] { return stored->GetStoredValue("Sortby")->GetValue().ToInt(); };
  const auto descending = [&] { return stored->GetStoredValue("SortDirection")->GetValue().ToBool(); };
  ClickHeader(fsSize);
  ASSERT_TRUE(PumpUntil([&] { return sortBy() == fsSize; }, 5000));
  EXPECT_FALSE(descending());
  const std::vector<std::string> first = Order();
  EXPECT_EQ(first.back(), "big3g.bin");
  PumpFor(800);  // two quick clicks at one place would be a double click
  EXPECT_EQ(first[first.size() - 2], "big2g.bin");  // sizes of 2 GiB and more compared wide
  ClickHeader(fsSize);
  ASSERT_TRUE(PumpUntil([&] { return descending(); }, 5000));
  std::vector<std::string> reversed = first;
  std::reverse(reversed.begin(), reversed.end());
  // Equal sizes included: ties follow the listing order, turned round too.
  EXPECT_EQ(Order(), reversed);

  // Another column keeps the direction.
  PumpFor(800);
  ClickHeader(fsName);
  ASSERT_TRUE(PumpUntil([&] { return sortBy() == fsName; }, 5000));
  EXPECT_TRUE(descending());
  EXPECT_EQ(Order().front(), "README");  // the locale order, descending
}

TEST_F(FileDlgInput, TypedNamesSelectTheirFileAndEnterChoosesIt) {
  List("listing");
  dlg->FileName->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() && ::IsChild(dlg->FileName->GetHandle(), ::GetFocus()); }));
  // Select the box's text, so the typing replaces it.
  ::SendMessageA(dlg->FileName->GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  RunX("type --delay 40 readme");
  ASSERT_TRUE(PumpUntil([&] { return dlg->FileName->GetText() == "readme"; }, 5000)) << dlg->FileName->GetText();
  const int readme = IndexOf("README");
  EXPECT_TRUE(PumpUntil([&] { return dlg->Files->GetSelCount() == 1 && dlg->Files->GetItemIndex() == readme; }));

  // A full path typed moves the tree to its folder and lists it.
  const std::string other = Fixture("search") + "alpha.txt";
  ::SendMessageA(dlg->FileName->GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  RunX("type --delay 20 \"" + other + "\"");
  ASSERT_TRUE(PumpUntil([&] { return dlg->FileName->GetText() == other; }, 15000)) << dlg->FileName->GetText();
  EXPECT_TRUE(AnsiSameText(dlg->CurrentFolder(), Fixture("search"))) << dlg->CurrentFolder();
  EXPECT_TRUE(PumpUntil([&] { return dlg->Files->GetItemIndex() == IndexOf("alpha.txt"); }));

  // Enter loads: the dialog closes with the selected file's path.
  Front();
  dlg->FileName->SetFocus();
  RunX("key Return");
  EXPECT_TRUE(PumpUntil([&] { return dlg->GetModalResult() == mrOk; }, 5000));
  dlg->Close();
  EXPECT_EQ(dlg->FileName->GetText(), dlg->CurrentFolder() + "alpha.txt");
}

}  // namespace
