// The file-name and folder edits under Wine: reading and quoting names, the
// real open, save and folder dialogs, keys, paste, drops and the button.
#include "kit/win/ToolEdit.h"

#include "kit/win/BrowseFolder.h"
#include "kit/win/VclUtils.h"
#include "platform/SysUtils.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Dialogs.h"
#include "platform/win/FileDialogSupport.h"
#include "platform/win/Forms.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WinTestSupport.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

// The first visible dialog box of this thread, or null.
HWND FindDialogBox() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND wnd, LPARAM data) -> BOOL {
        char cls[32] = {};
        ::GetClassNameA(wnd, cls, sizeof cls);
        if (::IsWindowVisible(wnd) && std::string(cls) == "#32770") {
          *reinterpret_cast<HWND*>(data) = wnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void WhenDialogBox(std::function<void(HWND)> func, int triesLeft = 500) {
  RunLater(20, [func = std::move(func), triesLeft]() mutable {
    HWND box = FindDialogBox();
    if (box || triesLeft <= 0)
      func(box);
    else
      WhenDialogBox(std::move(func), triesLeft - 1);
  });
}

// A WM_DROPFILES posted as the shell posts it: a DROPFILES block in global
// memory with the names one after another.
void PostDrop(HWND wnd, const std::vector<std::string>& names) {
  std::string list;
  for (const auto& n : names) list += n + '\0';
  list += '\0';
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(mem));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(mem);
  ::PostMessageA(wnd, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
  PumpFor(50);
}

struct ToolEdit : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 200);
    file = new TFilenameEdit(form.get());
    file->SetParent(form.get());
    file->SetBounds(10, 10, 300, 21);
    dir = new TDirectoryEdit(form.get());
    dir->SetParent(form.get());
    dir->SetBounds(10, 50, 300, 21);
    dir->SetDialogKind(dkWin32);  // the shell's browser, as the installer's edit has it
  }
  void ShowForm() {
    form->Show();
    ::SetForegroundWindow(form->GetHandle());
    PumpUntil([&] { return ::GetForegroundWindow() == form->GetHandle(); });
  }
  void TearDown() override {
    SetFileDialogFunc(nullptr);
    SetBrowseFolderFunc(nullptr);
    form.reset();
  }
  std::unique_ptr<TForm> form;
  TFilenameEdit* file = nullptr;
  TDirectoryEdit* dir = nullptr;
};

TEST_F(ToolEdit, FileNameReadsAndQuotes) {
  file->SetFileName("C:\\My Files\\a b.txt");
  EXPECT_EQ(file->GetText(), "\"C:\\My Files\\a b.txt\"");
  EXPECT_EQ(file->GetFileName(), "C:\\My Files\\a b.txt");
  file->SetText("\"C:\\Program Files\\x.exe\" -n %s");
  EXPECT_EQ(file->GetFileName(), "C:\\Program Files\\x.exe");
  // Brackets are fine in a name; wildcards and pipes are not.
  EXPECT_NO_THROW(file->SetFileName("C:\\a[1].txt"));
  EXPECT_EQ(file->GetText(), "C:\\a[1].txt");
  for (const char* bad : {"C:\\a*.txt", "a?b", "a|b", "a<b"}) {
    try {
      file->SetFileName(bad);
      ADD_FAILURE() << bad;
    } catch (const EComboEditError& e) {
      EXPECT_EQ(e.Message(), std::string("Invalid file name - ") + bad);
    }
  }
  EXPECT_EQ(file->GetText(), "C:\\a[1].txt");
  file->SetFileName("");
  EXPECT_EQ(file->GetText(), "");
}

TEST_F(ToolEdit, TheDialogEventsSeeAndChangeTheName) {
  std::vector<std::string> log;
  std::string offered, offeredDir;
  SetFileDialogFunc([&](TOpenDialog& d) {
    offered = d.GetFileName();
    offeredDir = d.GetInitialDir();
    d.SetFileName("C:\\Program Files\\x y.exe");
    return true;
  });
  file->SetFileName("C:\\windows\\notepad.exe");
  file->OnBeforeDialog = [&](TObject*, std::string& name, bool& action) {
    log.push_back("before " + name + " " + (action ? "1" : "0"));
  };
  file->OnAfterDialog = [&](TObject*, std::string& name, bool& action) {
    log.push_back("after " + name + " " + (action ? "1" : "0"));
  };
  file->DoClick();
  EXPECT_EQ(offered, "notepad.exe");
  EXPECT_TRUE(SameText(offeredDir, "C:\\windows")) << offeredDir;
  EXPECT_EQ(file->GetInitialDir(), "C:\\Program Files\\") << "the chosen file's folder";
  EXPECT_EQ(file->GetText(), "\"C:\\Program Files\\x y.exe\"");
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "before C:\\windows\\notepad.exe 1");
  EXPECT_EQ(log[1], "after C:\\Program Files\\x y.exe 1");
  // A before-handler that says no: no dialog, the text stays.
  file->OnBeforeDialog = [](TObject*, std::string&, bool& action) { action = false; };
  offered.clear();
  file->DoClick();
  EXPECT_EQ(offered, "");
  EXPECT_EQ(log.back(), "after C:\\Program Files\\x y.exe 0");
  EXPECT_EQ(file->GetText(), "\"C:\\Program Files\\x y.exe\"");
}

TEST_F(ToolEdit, RealOpenAndSaveDialogs) {
  TTempFolder temp("tq tooledit ");
  temp.Add("a b.txt");
  const std::string start = temp.Add("start.txt");
  file->SetFileName(start);
  ShowForm();
  AnswerFileDialog("Browse", "a b.txt");
  file->DoClick();
  EXPECT_TRUE(SameText(file->GetText(), "\"" + temp.Path() + "\\a b.txt\"")) << file->GetText();
  EXPECT_EQ(::GetFocus(), file->GetHandle()) << "the focus came back";

  file->SetDialogKind(dkSave);
  EXPECT_TRUE(file->GetDialog()->IsSaveDialog());
  EXPECT_EQ(file->GetDialogTitle(), "Browse");
  AnswerFileDialog("Browse", "new.txt");
  file->DoClick();
  EXPECT_TRUE(SameText(file->GetFileName(), temp.Path() + "\\new.txt")) << file->GetText();
}

// Confirms the folder browser once its tree shows the folder named last
// chosen; a browser that did not start there fails the case instead of
// confirming whatever the tree held.
void ConfirmFolderBrowser(const std::string& last) {
  WhenDialogBox([last](HWND box) {
    ASSERT_NE(box, nullptr);
    HWND tree = ::FindWindowExA(box, nullptr, "SysTreeView32", nullptr);
    const auto selected = [tree] {
      char text[MAX_PATH] = {};
      TVITEMA item{};
      item.mask = TVIF_TEXT;
      item.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      item.pszText = text;
      item.cchTextMax = sizeof text;
      if (item.hItem) ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      return std::string(text);
    };
    EXPECT_TRUE(PumpUntil([&] { return SameText(selected(), last); }, 5000)) << selected();
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
}

// Wine's folder browser finds its starting folder in the tree by comparing
// item IDs byte for byte, and a folder's ID holds its last access time,
// which a listing of the folder moves while that time is not newer than the
// folder's last change (relatime). A folder along the path that is listed
// between the two lookups reads differently for the tree and for the path,
// and the browser stays at the Desktop: the shared temporary folder, which
// other tests write to all the time, or the new folder itself before its
// first listing. So the case's folder sits at the top of drive C:, where
// nothing else writes, and is listed once before a browser looks at it.
void ListFolderOnce(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  while (::FindNextFileA(find, &data)) {
  }
  ::FindClose(find);
}

TEST_F(ToolEdit, RealFolderBrowserStartsAtTheFolder) {
  TTempFolder temp("tq tooledit ", "C:\\");
  ListFolderOnce(temp.Path());
  std::string folder = temp.Path();
  ConfirmFolderBrowser(ExtractFileName(temp.Path()));
  ASSERT_TRUE(BrowseDirectory(folder, "Choose Folder"));
  EXPECT_TRUE(SameText(folder, temp.Path())) << folder;

  // Through the edit: the chosen folder becomes the text and the initial folder.
  dir->SetText(temp.Path());
  ConfirmFolderBrowser(ExtractFileName(temp.Path()));
  dir->DoClick();
  EXPECT_TRUE(SameText(dir->GetText(), temp.Path())) << dir->GetText();
  EXPECT_TRUE(SameText(dir->GetInitialDir(), temp.Path()));
}

TEST_F(ToolEdit, FolderDialogStartAndMultipleFolders) {
  std::vector<std::string> started;
  SetBrowseFolderFunc([&](std::string& folder, const std::string& title) {
    started.push_back(folder);
    folder = "C:\\windows";
    return true;
  });
  dir->DoClick();
  dir->SetText("");
  dir->SetInitialDir("C:\\windows\\system32");
  dir->DoClick();
  dir->SetText("Z:\\no such folder here");
  dir->DoClick();
  ASSERT_EQ(started.size(), 3u);
  EXPECT_EQ(started[0], "\\") << "empty text, no initial folder";
  EXPECT_EQ(started[1], "C:\\windows\\system32");
  EXPECT_EQ(started[2], "\\");
  EXPECT_EQ(dir->GetText(), "C:\\windows");
  dir->SetMultipleDirs(true);
  dir->DoClick();
  EXPECT_EQ(dir->GetText(), "C:\\windows;C:\\windows");
  EXPECT_TRUE(SameText(dir->GetLongName(), "C:\\windows;C:\\windows"));
}

TEST_F(ToolEdit, PictureKindsOpenTheSystemDialogsWithThePictureFilters) {
  TTempFolder temp("tq tooledit pictures ");
  temp.Add("a.bmp");
  file->SetFilter("Text (*.txt)|*.txt");
  file->SetInitialDir(temp.Path());
  file->SetDialogKind(dkOpenPicture);
  EXPECT_FALSE(file->GetDialog()->IsSaveDialog());
  EXPECT_EQ(file->GetDialogTitle(), "Browse");
  ShowForm();
  std::vector<std::string> types;
  WhenWindow("Browse", [&](HWND dialog) {
    ASSERT_NE(dialog, nullptr) << "no file dialog came up";
    HWND list = ::GetDlgItem(dialog, 0x470);  // the file types
    const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[128] = {};
      ::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      types.push_back(text);
    }
    ::SetDlgItemTextA(dialog, 0x47C, "a.bmp");
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  file->DoClick();
  EXPECT_EQ(types, (std::vector<std::string>{"All (*.bmp;*.ico;*.emf)", "Bitmaps (*.bmp)", "Icons (*.ico)",
                                             "Enhanced Metafiles (*.emf)"}));
  EXPECT_TRUE(SameText(file->GetFileName(), temp.Path() + "\\a.bmp")) << file->GetText();

  file->SetDialogKind(dkSavePictured);
  EXPECT_TRUE(file->GetDialog()->IsSaveDialog());
  EXPECT_EQ(file->GetFilter(), file->GetDialog()->GetFilter());
  EXPECT_EQ(file->GetFilter().substr(0, 24), "All (*.bmp;*.ico;*.emf)|");
}

// The kit's own folder dialog (dkVCL): it opens at the edit's folder, and a
// folder typed in that does not exist is made after the user agreed.
TEST_F(ToolEdit, OwnFolderDialogStartsAtTheFolderAndMakesANewOne) {
  TTempFolder temp("tq tooledit own ", "C:\\");
  const std::string fresh = temp.Path() + "\\new one";
  dir->SetDialogKind(dkVCL);
  dir->SetDialogOptions({sdAllowCreate, sdPerformCreate, sdPrompt});
  dir->SetText(temp.Path());
  ShowForm();
  std::vector<std::string> asked;
  TModalResult answer = mrNo;
  Application->SetMessageDlgFunc([&](const std::string& text, TMsgDlgType, TMsgDlgButtons buttons) {
    asked.push_back(text);
    EXPECT_TRUE(buttons.Contains(mbYes) && buttons.Contains(mbNo));
    return answer;
  });
  struct TSeen {
    std::string Edit, Tree;
    bool StayedOpen = false;
  } seen;
  // Types the new folder's name and presses OK; with "No" the dialog stays
  // and Cancel closes it, with "Yes" OK does.
  const auto answerDialog = [&] {
    WhenWindow("Select Directory", [&](HWND dialog) {
      ASSERT_NE(dialog, nullptr) << "no folder dialog came up";
      auto* own = dynamic_cast<TForm*>(TWinControl::FindControl(dialog));
      ASSERT_NE(own, nullptr);
      auto* edit = dynamic_cast<TEdit*>(own->FindComponent("DirEdit"));
      auto* tree = dynamic_cast<TTreeView*>(own->FindComponent("DirTree"));
      ASSERT_TRUE(edit && tree);
      seen.Edit = edit->GetText();
      if (tree->GetSelected()) seen.Tree = tree->GetSelected()->GetText();
      SaveBitmap(*Capture(dialog), "tooledit_own_folder_dialog.png");
      ::SetWindowTextA(edit->GetHandle(), fresh.c_str());
      ::SendMessageA(dynamic_cast<TWinControl*>(own->FindComponent("OKButton"))->GetHandle(), BM_CLICK, 0, 0);
      seen.StayedOpen = ::IsWindowVisible(dialog) && own->GetModalResult() == mrNone;
      if (seen.StayedOpen)
        ::SendMessageA(dynamic_cast<TWinControl*>(own->FindComponent("CancelButton"))->GetHandle(), BM_CLICK, 0, 0);
    });
  };

  answerDialog();
  dir->DoClick();
  EXPECT_TRUE(SameText(seen.Edit, temp.Path())) << seen.Edit;
  EXPECT_TRUE(SameText(seen.Tree, ExtractFileName(temp.Path()))) << "the tree shows the folder: " << seen.Tree;
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find(fresh), std::string::npos) << asked[0];
  EXPECT_TRUE(seen.StayedOpen) << "No keeps the dialog open";
  EXPECT_FALSE(DirectoryExists(fresh));
  EXPECT_EQ(dir->GetText(), temp.Path()) << "Cancel changes nothing";

  answer = mrYes;
  answerDialog();
  dir->DoClick();
  EXPECT_FALSE(seen.StayedOpen);
  EXPECT_TRUE(DirectoryExists(fresh));
  EXPECT_TRUE(SameText(dir->GetText(), fresh)) << dir->GetText();
  EXPECT_TRUE(SameText(dir->GetInitialDir(), fresh));
  Application->SetMessageDlgFunc(nullptr);
  ::RemoveDirectoryA(fresh.c_str());
}

TEST_F(ToolEdit, AltDownOpensTheDialogUnlessReadOnly) {
  int opened = 0;
  SetFileDialogFunc([&](TOpenDialog&) {
    ++opened;
    return false;
  });
  ShowForm();
  file->SetFocus();
  PumpFor(30);
  SendKey(VK_DOWN, {VK_MENU});
  PumpUntil([&] { return opened > 0; }, 1000);
  EXPECT_EQ(opened, 1);
  file->SetReadOnly(true);
  SendKey(VK_DOWN, {VK_MENU});
  PumpFor(100);
  EXPECT_EQ(opened, 1);
  file->DoClick();
  EXPECT_EQ(opened, 1) << "the button does nothing either";
}

TEST_F(ToolEdit, EnterAndEscapeGoToTheFormAndNoLineGoesIn) {
  auto* ok = new TButton(form.get());
  ok->SetParent(form.get());
  ok->SetBounds(10, 100, 75, 25);
  ok->SetDefault(true);
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  auto* cancel = new TButton(form.get());
  cancel->SetParent(form.get());
  cancel->SetBounds(100, 100, 75, 25);
  cancel->SetCancel(true);
  int cancelClicks = 0;
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  ShowForm();
  file->SetFocus();
  PumpFor(30);
  SendKey('A');
  SendKey(VK_RETURN);
  SendKey(VK_RETURN, {VK_CONTROL});
  SendKey(VK_ESCAPE);
  SendKey('B');
  PumpFor(100);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(file->GetText(), "ab");
  EXPECT_EQ(::SendMessageA(file->GetHandle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(ToolEdit, EnteringByKeyboardSelectsTheText) {
  file->SetText("C:\\one.txt");
  dir->SetText("C:\\windows");
  ShowForm();
  dir->SetFocus();
  PumpFor(30);
  SendKey(VK_TAB, {VK_SHIFT});
  PumpFor(50);
  ASSERT_EQ(::GetFocus(), file->GetHandle());
  EXPECT_EQ(dir->GetText(), "C:\\windows") << "Tab moved on and typed nothing";
  EXPECT_EQ(file->GetSelLength(), 10);
  // Without typing there is nothing to select.
  file->SetDirectInput(false);
  dir->SetFocus();
  PumpFor(30);
  ::SendMessageA(file->GetHandle(), EM_SETSEL, 0, 0);
  SendKey(VK_TAB, {VK_SHIFT});
  PumpFor(50);
  ASSERT_EQ(::GetFocus(), file->GetHandle());
  EXPECT_EQ(file->GetSelLength(), 0);
}

TEST_F(ToolEdit, TypedAnsiCharactersStay) {
  ShowForm();
  file->SetFocus();
  // "õ" and other characters the OEM code page lacks.
  for (unsigned char c : {0xF5, 0xE9, 0x80})
    ::SendMessageA(file->GetHandle(), WM_CHAR, c, 0);
  EXPECT_EQ(file->GetText(), "\xF5\xE9\x80");
}

TEST_F(ToolEdit, PasteTakesTheFirstLineOnly) {
  ShowForm();
  Clipboard().SetAsText("C:\\one.txt\r\nC:\\two.txt");
  ::SendMessageA(file->GetHandle(), WM_PASTE, 0, 0);
  EXPECT_EQ(file->GetText(), "C:\\one.txt");
  file->SetText("");
  file->SetDirectInput(false);
  ::SendMessageA(file->GetHandle(), WM_PASTE, 0, 0);
  ::SendMessageA(file->GetHandle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(file->GetText(), "");
  // Without typing the button still works.
  int opened = 0;
  SetFileDialogFunc([&](TOpenDialog&) { return ++opened, false; });
  file->DoClick();
  EXPECT_EQ(opened, 1);
}

TEST_F(ToolEdit, ButtonWidthAndGlyphs) {
  file->HandleNeeded();
  const TRect withButton = file->GetEditRect();
  const int client = file->GetClientWidth();
  EXPECT_EQ(file->GetButtonWidth(), 21);
  EXPECT_LE(withButton.Right, client - 21 - 2);
  EXPECT_TRUE(file->GetButton()->GetParent()->GetVisible());
  // The browse bitmap of the program.
  EXPECT_EQ(file->GetButton()->GetButtonGlyph().ImageSize().cx, BitmapSize(LoadResourceBitmap("FEDITBMP")).cx);

  file->SetButtonWidth(1);
  EXPECT_FALSE(file->GetButton()->GetParent()->GetVisible());
  EXPECT_EQ(file->GetEditRect().Right, withButton.Right + 21) << "the text takes the button's room";
  file->SetButtonWidth(client + 10);
  EXPECT_EQ(file->GetButtonWidth(), 1) << "no wider than the edit";

  file->SetButtonWidth(21);
  file->SetGlyphKind(gkDropDown);
  EXPECT_EQ(file->GetButtonWidth(), ::GetSystemMetrics(SM_CXVSCROLL));

  file->SetButtonWidth(21);
  file->SetGlyphKind(gkEllipsis);
  EXPECT_EQ(file->GetButton()->GetButtonGlyph().ImageSize(), TSize(15, 4));
  ShowForm();
  PumpFor(50);
  auto shot = std::make_unique<TBitmap>(21, file->GetButton()->GetHeight());
  file->GetButton()->PaintOn(shot->DC());
  SaveBitmap(*shot, "tooledit_ellipsis.bmp");
  // Three black dots, 2 x 2, 3 apart, in the middle of the button.
  std::vector<int> columns, rows;
  for (int x = 0; x < shot->Width(); ++x)
    for (int y = 0; y < shot->Height(); ++y)
      if (shot->Pixel(x, y) == 0x000000) {
        if (columns.empty() || columns.back() != x) columns.push_back(x);
        if (std::find(rows.begin(), rows.end(), y) == rows.end()) rows.push_back(y);
      }
  ASSERT_EQ(columns.size(), 6u);
  const int x0 = columns[0];
  EXPECT_EQ(columns, (std::vector<int>{x0, x0 + 1, x0 + 5, x0 + 6, x0 + 10, x0 + 11}));
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_NEAR((x0 + x0 + 11) / 2.0, 10.5, 1.0);
  // A glyph of one's own makes the kind custom.
  file->SetGlyph(LoadResourceBitmap("DEVICE_FNT"));
  EXPECT_EQ(file->GetGlyphKind(), gkCustom);
}

TEST_F(ToolEdit, DropsTakeWholeNamesAndSkipRefusedOnes) {
  const std::string longName = "C:\\" + std::string(290, 'n') + ".txt";  // over 255 characters
  ASSERT_GT(longName.size(), 255u);
  file->SetAcceptFiles(true);
  int drops = 0;
  file->OnDropFiles = [&](TObject*) { ++drops; };
  ShowForm();
  PostDrop(file->GetHandle(), {longName, "C:\\second.txt"});
  EXPECT_EQ(file->GetText(), longName);
  EXPECT_EQ(drops, 1);
  // A refused name is skipped; the next one is taken.
  PostDrop(file->GetHandle(), {"C:\\bad*name.txt", "C:\\good.txt"});
  EXPECT_EQ(file->GetText(), "C:\\good.txt");
  EXPECT_EQ(drops, 2);
  // With several files allowed, every accepted name goes into the list.
  file->GetDialog()->SetOptions({ofHideReadOnly, ofAllowMultiSelect});
  PostDrop(file->GetHandle(), {"C:\\a?.txt", longName, "C:\\b.txt"});
  EXPECT_EQ(file->GetText(), longName);
  ASSERT_EQ(file->GetDialogFiles()->GetCount(), 2);
  EXPECT_EQ(file->GetDialogFiles()->Get(0), longName);
  EXPECT_EQ(file->GetDialogFiles()->Get(1), "C:\\b.txt");
  EXPECT_EQ(drops, 3);

  // Folders: a file gives its folder; several are appended.
  TTempFolder temp("tq tooledit ");
  const std::string f = temp.Add("x.txt");
  dir->SetAcceptFiles(true);
  dir->SetMultipleDirs(true);
  dir->SetText("C:\\windows");
  PostDrop(dir->GetHandle(), {f, "C:\\no such folder"});
  EXPECT_EQ(dir->GetText(), "C:\\windows;" + temp.Path() + ";C:\\no such folder");
  // An edit that accepts no files gets no drops.
  EXPECT_EQ(::GetWindowLongA(form->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  EXPECT_NE(::GetWindowLongA(file->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

}  // namespace
