// The remote list and folder tree in real windows: comctl32's list and tree
// views, the shell's icons and type names, drops, and a client talking to a
// scripted server on the fake network.
#include "FakeNet.h"
#include "ScriptedFtp.h"

#include "ftp/FtpCache.h"
#include "ftp/FtpMisc.h"
#include "ftp/win/FtpListView.h"
#include "ftp/win/FtpTreeView.h"
#include "ftp/win/FtpWin.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

struct TAppEnvironment : ::testing::Environment {
  void SetUp() override {
    App = new TApplication();
    InstallWinFtp();
    PrepareCacheDir();
  }
  void TearDown() override { delete App; }
  TApplication* App = nullptr;
};
::testing::Environment* const gEnvironment = ::testing::AddGlobalTestEnvironment(new TAppEnvironment);

class TPlainForm : public TForm {
public:
  explicit TPlainForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 640, 400);
  }
};

void Show(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  Application->ProcessMessages();
}

void PumpFor(int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::string CellText(HWND list, int row, int column) {
  char text[260] = {};
  LVITEMA get{};
  get.iSubItem = column;
  get.pszText = text;
  get.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&get));
  return text;
}

// A drop as the shell makes one: DROPFILES and the NUL-separated paths.
HDROP MakeDrop(const std::vector<std::string>& paths) {
  size_t bytes = sizeof(DROPFILES) + 1;
  for (auto& p : paths) bytes += p.size() + 1;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(mem));
  drop->pFiles = sizeof(DROPFILES);
  char* at = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (auto& p : paths) {
    std::memcpy(at, p.data(), p.size());
    at += p.size() + 1;
  }
  ::GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

// ---------------------------------------------------------------------------
// The list
// ---------------------------------------------------------------------------
struct ListFixture : testing::Test {
  FakeNet Net;
  std::unique_ptr<TMFtp> Ftp = std::make_unique<TMFtp>(nullptr, Net.Factory());
  std::unique_ptr<TPlainForm> Form = std::make_unique<TPlainForm>(nullptr);
  TMFtpListView* View = new TMFtpListView(Form.get());

  void SetUp() override {
    auto& dirs = Ftp->GetDirectoryList();
    dirs.AddEntry("pub", "drwxr-xr-x", "01/02/03 04:05", "4096", "", "", "ftp", "ftp");
    dirs.AddEntry("bin", "drwxr-xr-x", "01/02/03 04:05", "4096", "", "", "ftp", "ftp");
    auto& files = Ftp->GetFileList();
    files.AddEntry("one.txt", "-rw-r--r--", "01/02/03 04:05", "1", "", "", "ftp", "ftp");
    files.AddEntry("big.bin", "-rw-r--r--", "01/02/03 04:05", "2048", "", "", "ftp", "ftp");
    files.AddEntry("empty", "-rw-r--r--", "01/02/03 04:05", "0", "", "", "ftp", "ftp");
    files.AddEntry("odd.dat", "-rw-r--r--", "01/02/03 04:05", "n/a", "", "", "ftp", "ftp");
    View->SetAlign(alClient);
    View->SetViewStyle(vsReport);
    View->SetParent(Form.get());
    Show(Form.get());
  }
  void TearDown() override {
    Form.reset();
    Ftp.reset();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < View->GetItemCount(); ++i) names.push_back(CellText(View->GetHandle(), i, 0));
    return names;
  }
};

TEST_F(ListFixture, ShowsFoldersThenFilesWithSizeTextsAndShellTypes) {
  View->SetClient(Ftp.get());  // the client holds entries: shown at once
  HWND wnd = View->GetHandle();
  ASSERT_EQ(::SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 6);
  EXPECT_EQ(Names(), (std::vector<std::string>{"bin", "pub", "big.bin", "empty", "odd.dat", "one.txt"}));
  EXPECT_EQ(::SendMessageA(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 84);
  EXPECT_EQ(CellText(wnd, 0, 1), "");
  EXPECT_EQ(CellText(wnd, 0, 2), "File Folder");
  EXPECT_EQ(CellText(wnd, 2, 1), "2KB");
  EXPECT_EQ(CellText(wnd, 3, 1), "0KB");
  EXPECT_EQ(CellText(wnd, 4, 1), "n/a");
  EXPECT_EQ(CellText(wnd, 5, 1), "1KB");
  SHFILEINFOA info{};
  ::SHGetFileInfoA("x.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME);
  EXPECT_EQ(CellText(wnd, 5, 2), info.szTypeName);
  EXPECT_EQ(CellText(wnd, 5, 3), "01/02/03 04:05");
  EXPECT_EQ(CellText(wnd, 5, 4), "-rw-r--r--");
  EXPECT_EQ(CellText(wnd, 5, 5), "ftp");
  // The shell's own image lists, never a copy.
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageA(wnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            reinterpret_cast<HIMAGELIST>(
                ::SHGetFileInfoA("x.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                 SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
  // Folders show the shell's folder picture.
  LVITEMA row{};
  row.mask = LVIF_IMAGE;
  ::SendMessageA(wnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row));
  ::SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  EXPECT_EQ(row.iImage, info.iIcon);
}

TEST_F(ListFixture, ColumnClicksSortAndToggleTheDirection) {
  View->SetClient(Ftp.get());
  HWND header = reinterpret_cast<HWND>(::SendMessageA(View->GetHandle(), LVM_GETHEADER, 0, 0));
  auto clickColumn = [&](int column) {
    RECT r{};
    ::SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
    ::PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    ::PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    PumpFor(50);
  };
  clickColumn(1);
  EXPECT_EQ(View->GetSortType(), TMFtpSortBase::stSize);
  EXPECT_TRUE(View->GetAscending());
  // A size that is no number sorts below every number; folders of one size
  // keep their order.
  EXPECT_EQ(Names(), (std::vector<std::string>{"pub", "bin", "odd.dat", "empty", "one.txt", "big.bin"}));
  clickColumn(1);
  EXPECT_FALSE(View->GetAscending());
  EXPECT_EQ(Names(), (std::vector<std::string>{"pub", "bin", "big.bin", "one.txt", "empty", "odd.dat"}));
  clickColumn(0);
  EXPECT_EQ(View->GetSortType(), TMFtpSortBase::stName);
  EXPECT_FALSE(View->GetAscending());  // a new column keeps the direction
  EXPECT_EQ(Names().front(), "pub");
}

TEST_F(ListFixture, FindsByPrefixWrappingFromTheLastRow) {
  View->SetClient(Ftp.get());
  HWND wnd = View->GetHandle();
  LVFINDINFOA find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = "pu";
  EXPECT_EQ(::SendMessageA(wnd, LVM_FINDITEMA, 5, reinterpret_cast<LPARAM>(&find)), 1);
  find.psz = "ONE";
  EXPECT_EQ(::SendMessageA(wnd, LVM_FINDITEMA, 0, reinterpret_cast<LPARAM>(&find)), 5);
  find.psz = "nothing";
  EXPECT_EQ(::SendMessageA(wnd, LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), -1);
  find.flags = LVFI_STRING | LVFI_PARTIAL;
  find.psz = "b";
  EXPECT_EQ(::SendMessageA(wnd, LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), -1)
      << "no wrapping asked: nothing after the start matches";
}

TEST_F(ListFixture, FilterMasksShowEachFileOnce) {
  auto& files = Ftp->GetFileList();
  files.AddEntry("A.TXT", "-rw-r--r--", "", "10", "", "", "", "");
  files.AddEntry("a.txt", "-rw-r--r--", "", "10", "", "", "", "");
  TStringList masks;
  masks.Add("*.txt");
  masks.Add("*.TXT");
  View->SetFilter(&masks);
  masks.Clear();  // the view keeps its own copy
  View->SetClient(Ftp.get());
  // Mask by mask: one.txt and a.txt, then A.TXT; sorted by name after.
  EXPECT_EQ(Names(), (std::vector<std::string>{"bin", "pub", "a.txt", "A.TXT", "one.txt"}));
}

TEST_F(ListFixture, DroppedPathsArriveWhole) {
  int dropped = 0;
  View->OnFileDropped = [&](TObject*) { ++dropped; };
  View->SetAccept(true);
  EXPECT_NE(::GetWindowLongA(View->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  std::string longPath = "C:\\" + std::string(300, 'x') + "\\file.txt";
  ::SendMessageA(View->GetHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\a.txt", longPath})), 0);
  EXPECT_EQ(dropped, 1);
  ASSERT_EQ(View->GetDroppedFiles()->GetCount(), 2);
  EXPECT_EQ(View->GetDroppedFiles()->Get(1), longPath);
  View->SetAccept(false);
  EXPECT_EQ(::GetWindowLongA(View->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(ListFixture, ViewsLetGoOfTheirClientAndForgetADestroyedOne) {
  auto allSlotsFree = [&](int kind) {
    std::vector<int> slots;
    for (int i = 0; i < 4; ++i) slots.push_back(Ftp->RegisterSink(kind, [](TObject*) {}));
    for (int s : slots) Ftp->UnregisterSink(kind, s);
    return std::find(slots.begin(), slots.end(), -1) == slots.end();
  };
  View->SetClient(Ftp.get());
  auto* tree = new TMFtpTreeView(Form.get());
  tree->SetParent(Form.get());
  tree->SetClient(Ftp.get());
  EXPECT_FALSE(allSlotsFree(ftpSinkListingDone));
  delete View;
  delete tree;
  EXPECT_TRUE(allSlotsFree(ftpSinkListingDone));
  EXPECT_TRUE(allSlotsFree(ftpSinkIndexFile));
  EXPECT_TRUE(allSlotsFree(ftpSinkDirectoryChanged));

  View = new TMFtpListView(Form.get());
  View->SetClient(Ftp.get());
  EXPECT_EQ(View->GetItemCount(), 6);
  Ftp.reset();
  EXPECT_EQ(View->GetClient(), nullptr);
  EXPECT_EQ(View->GetItemCount(), 0) << "rows of a client that is gone";
  View->SetClient(nullptr);  // nothing left to release
}

// ---------------------------------------------------------------------------
// The tree
// ---------------------------------------------------------------------------
constexpr uint16_t kPort = 2199;

struct TreeFixture : testing::Test {
  FakeNet Net;
  ScriptedFtp Server{Net, Ip(127, 0, 0, 1), kPort};
  std::unique_ptr<TMFtp> Ftp = std::make_unique<TMFtp>(nullptr, Net.Factory());
  std::unique_ptr<TPlainForm> Form = std::make_unique<TPlainForm>(nullptr);
  TMFtpTreeView* Tree = new TMFtpTreeView(Form.get());
  int Changed = 0, LoggedIn = 0;

  void SetUp() override {
    Ftp->SetServer("127.0.0.1");
    Ftp->SetPort(kPort);
    Ftp->Retries = 0;
    Ftp->OnLoggedIn = [this](TObject*) { ++LoggedIn; };
    Ftp->OnDirectoryChanged = [this](TObject*) { ++Changed; };
    Server.Dirs = {"/", "/pub", "/pub/docs", "/lnk", "/50% off"};
    Tree->SetAlign(alClient);
    Tree->SetParent(Form.get());
    Tree->SetClient(Ftp.get());
    Show(Form.get());
  }
  void TearDown() override {
    Form.reset();
    Ftp.reset();
    for (const char* path : {"/", "/pub", "/deep"}) FileDelete(CacheOf(path));
  }
  static std::string CacheOf(const std::string& path) {
    return CacheFileName("127.0.0.1", "anonymous", path, true, kPort);
  }
  static void Cache(const std::string& path, std::vector<std::pair<std::string, std::string>> entries) {
    TMFtpFileInfoList list;
    for (auto& [name, link] : entries) list.AddEntry(name, "drwxr-xr-x", "", "0", link, "", "", "");
    SaveCacheFile(CacheOf(path), list);
  }
  TTreeNode* Child(TTreeNode* parent, const std::string& name) {
    for (int i = 0; parent && i < parent->GetCount(); ++i)
      if (parent->GetItem(i)->GetText() == name) return parent->GetItem(i);
    return nullptr;
  }
  std::vector<std::string> ChildNames(TTreeNode* parent) {
    std::vector<std::string> names;
    for (int i = 0; i < parent->GetCount(); ++i) names.push_back(parent->GetItem(i)->GetText());
    return names;
  }
  bool WaitChanged() {
    int before = Changed;
    return Net.RunUntil([&] { return Changed > before; }, 30000);
  }
};

TEST_F(TreeFixture, ASiteRootWithTheCurrentPathAndTheCachedFolders) {
  Cache("/", {{"pub", ""}, {"lnk", "/pub"}, {"..", ""}, {"a/b", ""}, {"", ""}, {"bin", ""}});
  Cache("/pub", {{"docs", ""}, {"zz", ""}});
  Server.Cwd = "/pub/docs";
  Ftp->Connect();
  ASSERT_TRUE(Net.RunUntil([&] { return LoggedIn > 0; }, 30000));
  ASSERT_EQ(Tree->GetTopCount(), 1);
  TTreeNode* root = Tree->GetTopItem(0);
  EXPECT_EQ(root->GetText(), "ftp://127.0.0.1/");
  EXPECT_EQ(root->GetImageIndex(), TMFtpTreeView::imgSite);
  EXPECT_EQ(Tree->GetTreeImages()->GetCount(), 3) << "open folder, closed folder and the site bitmap";
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageA(Tree->GetHandle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
            Tree->GetTreeImages()->GetHandle());
  // The cache, in its own order, without what cannot be a folder.
  EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"pub", "lnk", "bin"}));
  EXPECT_FALSE(Child(root, "lnk")->GetHasChildren()) << "a link shows no expansion button";
  EXPECT_EQ(ChildNames(Child(root, "pub")), (std::vector<std::string>{"docs", "zz"}));
  TTreeNode* docs = Child(Child(root, "pub"), "docs");
  EXPECT_EQ(Tree->GetCurrentNode(), docs);
  EXPECT_EQ(Tree->GetSelected(), docs);
  EXPECT_TRUE(root->GetExpanded());
  EXPECT_EQ(Tree->GetNodeURL(docs), "ftp://127.0.0.1/pub/docs/");

  // The same site again finds its root.
  Tree->SetClient(nullptr);
  EXPECT_EQ(Tree->GetTopCount(), 0);
}

TEST_F(TreeFixture, SelectingAFolderOpensItsAddress) {
  Cache("/", {{"pub", ""}, {"50% off", ""}});
  Cache("/pub", {{"docs", ""}});
  ASSERT_TRUE((Ftp->Connect(), Net.RunUntil([&] { return LoggedIn > 0; }, 30000)));
  TTreeNode* root = Tree->GetTopItem(0);
  EXPECT_EQ(Tree->GetCurrentNode(), root);

  TTreeNode* docs = Child(Child(root, "pub"), "docs");
  Tree->SetSelected(docs);
  Tree->SelectionChanged();
  ASSERT_TRUE(WaitChanged());
  EXPECT_EQ(Server.Commands.back().substr(0, 4), "PWD");
  EXPECT_EQ(Ftp->GetCurrentDir(), "/pub/docs");
  EXPECT_EQ(Tree->GetCurrentNode(), docs);

  // A click (the tree's web style) opens the clicked folder, whose name
  // reaches the server as it is.
  TTreeNode* off = Child(root, "50% off");
  ASSERT_NE(off, nullptr);
  int y = 0;
  while (y < 400 && Tree->GetNodeAt(20, y) != off) ++y;
  ASSERT_LT(y, 400);
  ::PostMessageA(Tree->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, y + 2));
  ::PostMessageA(Tree->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(20, y + 2));
  PumpFor(100);
  ASSERT_TRUE(WaitChanged());
  EXPECT_EQ(Ftp->GetCurrentDir(), "/50% off");
  EXPECT_EQ(Tree->GetCurrentNode(), off);
  bool sentCwd = false;
  for (auto& c : Server.Commands) sentCwd |= c == "CWD /50% off/";
  EXPECT_TRUE(sentCwd);
}

TEST_F(TreeFixture, PreloadStaysWithinItsBounds) {
  // A cache 40 folders deep, and one folder with more entries than a tree takes.
  std::string path = "/";
  for (int level = 0; level < 40; ++level) {
    Cache(path, {{"d", ""}});
    path = JoinRemotePath(path, "d");
  }
  ASSERT_TRUE((Ftp->Connect(), Net.RunUntil([&] { return LoggedIn > 0; }, 30000)));
  int depth = 0;
  for (TTreeNode* n = Tree->GetTopItem(0); n->GetCount() > 0; n = n->GetItem(0)) ++depth;
  EXPECT_EQ(depth, TMFtpTreeView::kPreloadMaxDepth);
  path = "/";
  for (int level = 0; level < 40; ++level) {
    FileDelete(CacheOf(path));
    path = JoinRemotePath(path, "d");
  }
}

TEST_F(TreeFixture, AServersEndlesslyDeepFolderShowsAsDeepAsTheTreeGoes) {
  // One reply line of 30000 folder names: the tree stops at its depth, and
  // the tree and its window still go away whole.
  Server.Cwd.clear();
  for (int level = 0; level < 30000; ++level) Server.Cwd += "/d";
  ASSERT_TRUE((Ftp->Connect(), Net.RunUntil([&] { return LoggedIn > 0; }, 30000)));
  EXPECT_EQ(Ftp->GetCurrentDir(), Server.Cwd);
  int depth = 0;
  TTreeNode* deepest = Tree->GetTopItem(0);
  for (; deepest->GetCount() > 0; deepest = deepest->GetItem(0)) ++depth;
  EXPECT_EQ(depth, TMFtpTreeView::kMaxPathDepth);
  EXPECT_EQ(Tree->GetCurrentNode(), deepest);
  Form.reset();
}

TEST_F(TreeFixture, PreloadAddsNoMoreThanItsShareOfFolders) {
  std::vector<std::pair<std::string, std::string>> many;
  for (int i = 0; i < TMFtpTreeView::kPreloadMaxNodes + 50; ++i) many.emplace_back("f" + std::to_string(i), "");
  Cache("/", many);
  ASSERT_TRUE((Ftp->Connect(), Net.RunUntil([&] { return LoggedIn > 0; }, 30000)));
  EXPECT_EQ(Tree->GetTopItem(0)->GetCount(), TMFtpTreeView::kPreloadMaxNodes);
}

}  // namespace
