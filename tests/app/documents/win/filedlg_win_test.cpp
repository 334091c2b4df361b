// The open dialog on real windows under Wine: listing the fixture folder,
// typed full paths and bare names, the computer node, F5, the column
// clicks, two selected files and Enter, and the search.
#include "app/documents/win/FileDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FileDlgFixture.h"
#include "app/settings/FileTypes.h"
#include "kit/win/FolderTree.h"
#include "kit/win/RxCtrls.h"
#include "platform/win/Dialogs.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

struct FileDlgTest : ::testing::Test {
  std::unique_ptr<TFileDlg> dlg;
  void SetUp() override {
    dlg = std::make_unique<TFileDlg>(nullptr);
    dlg->Show();
  }
  int IndexOf(const std::string& realName) {
    const auto& names = dlg->RealNames();
    auto it = std::find(names.begin(), names.end(), realName);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
  }
  std::vector<std::string> SelectedNames() {
    std::vector<std::string> out;
    for (int i = 0; i < dlg->Files->GetItemCount(); ++i)
      if (dlg->Files->GetItem(i)->GetSelected()) out.push_back(dlg->RealNames()[static_cast<size_t>(i)]);
    return out;
  }
};

TEST_F(FileDlgTest, TypedPathsBareNamesAndTheComputerNode) {
  const std::string folder = Fixture("listing");
  dlg->TypedName(folder + "README");  // a full path moves the tree and lists its folder
  EXPECT_TRUE(AnsiSameText(dlg->CurrentFolder(), folder)) << dlg->CurrentFolder();
  EXPECT_EQ(SelectedNames(), std::vector<std::string>{"README"});
  const int readme = IndexOf("README");
  ASSERT_GE(readme, 0);
  EXPECT_EQ(dlg->Files->GetItem(readme)->GetCaption(), "README");
  EXPECT_EQ(dlg->Files->GetItem(readme)->SubItems().at(1), "1000");
  EXPECT_EQ(dlg->Files->GetItem(IndexOf("big3g.bin"))->SubItems().at(1), "3221`225`472");
  // For a person to look at: the dialog with the fixture folder listed.
  PumpFor(200);
  auto shot = Capture(dlg->GetHandle());
  EXPECT_GT(shot->Width(), 0);
  SaveBitmap(*shot, "filedlg_listing.bmp");

  TTreeNode* listed = dlg->FolderTree->GetSelected();
  dlg->TypedName("a.b.txt");  // a bare name keeps the tree where it is
  EXPECT_EQ(dlg->FolderTree->GetSelected(), listed);
  EXPECT_EQ(SelectedNames(), std::vector<std::string>{"a.b.txt"});

  // Two selected and Enter in the file name: the folder itself.
  dlg->Files->GetItem(IndexOf("README"))->SetSelected(true);
  uint16_t enter = VK_RETURN;
  dlg->FileName->OnKeyDown(dlg->FileName, enter, TShiftState());
  EXPECT_EQ(dlg->FileName->GetText(), dlg->CurrentFolder());
  dlg->Files->GetItem(IndexOf("README"))->SetSelected(false);
  dlg->FileName->OnKeyDown(dlg->FileName, enter, TShiftState());
  EXPECT_EQ(dlg->FileName->GetText(), dlg->CurrentFolder() + "a.b.txt");  // the real name, whole

  // "Size" twice: the largest first.
  dlg->SortByColumn(fsSize);
  dlg->SortByColumn(fsSize);
  EXPECT_EQ(dlg->RealNames().front(), "big3g.bin");

  // F5 rebuilds the tree and lists the same folder again.
  dlg->RefreshAll();
  EXPECT_TRUE(AnsiSameText(dlg->CurrentFolder(), folder));
  ASSERT_TRUE(dlg->FolderTree->GetSelected());
  EXPECT_TRUE(AnsiSameText(IncludeTrailingPathDelimiter(dlg->FolderTree->GetNodePath(dlg->FolderTree->GetSelected())),
                           folder));

  // The computer node has no folder: nothing listed, no current folder.
  TTreeNode* top = dlg->FolderTree->GetTopItem(0);
  for (int i = 0; i < top->GetCount(); ++i)
    if (TFolderTree::ModelNode(top->GetItem(i))->Kind == fnComputer) dlg->FolderTree->SetSelected(top->GetItem(i));
  dlg->ListSelectedFolder();
  EXPECT_EQ(dlg->CurrentFolder(), "");
  EXPECT_EQ(dlg->Files->GetItemCount(), 0);
}

// The filter lines follow the file-type table: a row changed after the
// dialog was made gets its own line, which lists that row's files; a
// chosen line the table no longer makes falls back to all files.
TEST_F(FileDlgTest, FilterLinesFollowTheFileTypeTable) {
  const auto lines = [&] {
    std::vector<std::string> l;
    for (int i = 0; i < dlg->FileFilter->GetItems()->GetCount(); ++i) l.push_back(dlg->FileFilter->GetItems()->Get(i));
    return l;
  };
  const auto listed = [&] {
    std::vector<std::string> names = dlg->RealNames();
    std::sort(names.begin(), names.end());
    return names;
  };
  ClearFileTypes();
  SetFileType("Text", "Text Files", "txt", "", "", "", "", TCodeInsight());
  dlg->UpdateFilters();
  dlg->TypedName(Fixture("listing") + "README");
  const size_t all = listed().size();
  const std::string textLine = "Text Files (*.txt)";
  ASSERT_EQ(lines(), (std::vector<std::string>{textLine, "All files (*.*)"}));
  dlg->FileFilter->SetText(textLine);
  dlg->FileFilter->OnChange(dlg->FileFilter);
  EXPECT_EQ(listed(), (std::vector<std::string>{"Foo.TXT", "a.b.txt", "old.txt"}));

  FileTypes[0].Extension2 = "bin";
  dlg->UpdateFilters();
  const std::string both = "Text Files (*.txt;*.bin)";
  EXPECT_EQ(lines(), (std::vector<std::string>{both, "All files (*.*)"}));
  EXPECT_EQ(dlg->FileFilter->GetText(), "All files (*.*)");
  EXPECT_EQ(listed().size(), all) << "all files listed again";
  dlg->FileFilter->SetText(both);
  dlg->FileFilter->OnChange(dlg->FileFilter);
  EXPECT_EQ(listed(), (std::vector<std::string>{"Foo.TXT", "a.b.txt", "big2g.bin", "big3g.bin", "old.txt"}));
  ClearFileTypes();
}

TEST_F(FileDlgTest, SearchCountsMatchesAndKeepsTheCurrentFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::string root = Fixture("search");
  TInputQueryFunc saved = SetInputQueryFunc([&](const std::string& caption, const std::string&, std::string& value) {
    EXPECT_EQ(caption, "Search for alpha");
    EXPECT_EQ(value, "c:\\");
    value = root;
    return true;
  });
  dlg->FileName->SetText("alpha");
  EXPECT_EQ(dlg->Search(), 3);
  SetInputQueryFunc(saved);
  EXPECT_EQ(dlg->GetCaption(), "3 file(s) was found");
  EXPECT_EQ(std::filesystem::current_path(), before);
  TStrings* found = dlg->FileName->GetItems();
  EXPECT_GE(found->IndexOf(root + "alpha.txt"), 0);
  EXPECT_GE(found->IndexOf(root + "sub\\Alphabet.pas"), 0);
}

TEST_F(FileDlgTest, TheSearchButtonShowsTheMagnifier) {
  TRxSpeedButton* button = dlg->SearchButton;
  TBitmap face(button->GetWidth(), button->GetHeight());
  button->PaintOn(face.DC());
  int glass = 0, rim = 0;
  for (int y = 0; y < face.Height(); ++y)
    for (int x = 0; x < face.Width(); ++x) {
      const COLORREF c = face.Pixel(x, y);
      glass += c == RGB(160, 200, 232);
      rim += c == RGB(0, 0, 0);
    }
  EXPECT_GE(glass, 50);  // the lens, not a text
  EXPECT_GE(rim, 25);
  EXPECT_EQ(button->GetCaption(), "");
}

}  // namespace
