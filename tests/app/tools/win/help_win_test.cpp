// The help window on real windows: every topic loads into Wine's rich-edit
// control, topics shown from elsewhere keep their document, printing (a
// recording printer for the job titles, the real "PDF" printer for a topic
// of two pages), a link clicked with the real mouse, and the key
// combination topic naming only keys the program binds.
#include "app/tools/win/Help.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "../../AppRegistryKey.h"
#include "app/documents/win/MainForm.h"
#include "editor/KeyStrokes.h"
#include "platform/RecordingCanvas.h"
#include "platform/ShortCuts.h"
#include "platform/win/Actions.h"
#include "platform/win/PrintDevice.h"
#include "platform/win/Shell.h"
#include "platform/win/PdfSupport.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WindowCapture.h"
#include "platform/win/WinTestSupport.h"
#include "../../../kit/win/MouseInput.h"

TQ_TEST_APPLICATION();

namespace {

// Keeps every job's title and page count.
class TJobRecorder : public IktPrintDevice {
public:
  explicit TJobRecorder(std::vector<std::string>& jobs) : FJobs(jobs) {}
  ICanvas& Canvas() override { return FCanvas; }
  int PageWidth() const override { return 2400; }
  int PageHeight() const override { return 3200; }
  int PixelsPerInchX() const override { return 300; }
  int PixelsPerInchY() const override { return 300; }
  void SetCopies(int) override {}
  void SetTitle(const std::string& title) override { FTitle = title; }
  void BeginDoc() override { FJobs.push_back(FTitle); }
  void NewPage() override {}
  void EndDoc() override {}
  void Abort() override {}

private:
  std::vector<std::string>& FJobs;
  std::string FTitle;
  TRecordingCanvas FCanvas{TRect(0, 0, 2400, 3200), 20, 40};
};

// A field of pdfinfo's report.
std::string PdfField(const std::string& info, const std::string& field) {
  const std::string text = "\n" + info;
  const size_t at = text.find("\n" + field + ":");
  if (at == std::string::npos) return std::string();
  const size_t start = text.find_first_not_of(' ', at + field.size() + 2);
  return text.substr(start, text.find('\n', start) - start);
}

struct HelpWindow : TAppKeyCase {
  HelpWindow() {
    help = new THelp(Application);
    THelp::SetPrinterFactory([this] { return std::make_unique<TJobRecorder>(jobs); });
  }
  ~HelpWindow() override {
    THelp::SetPrinterFactory(nullptr);
    SetShellOpenFunc(nullptr);
    delete help;
  }
  std::string ViewText() { return help->Memo->GetTextRange(0, help->Memo->GetTextLength()); }
  std::string TextOf(const std::string& document) {
    help->LoadRtf(document);
    return ViewText();
  }

  THelp* help = nullptr;
  std::vector<std::string> jobs;
};

TEST_F(HelpWindow, EveryTopicLoadsInItsOwnFontNotTheControlsBoldDefault) {
  help->Show();
  ASSERT_EQ(help->Tree->GetAllNodes().size(), 28u);
  for (int i = 0; i < kHelpNodeCount; ++i) {
    help->Tree->SetSelected(help->Node(i));
    const std::string text = ViewText();
    EXPECT_GT(text.size(), 20u) << kHelpNodes[i].Title;
    int plain = 0;
    for (const auto& p : help->Memo->ReadParagraphs())
      for (const auto& run : p.Runs) {
        EXPECT_EQ(run.Font.Face, "Arial") << kHelpNodes[i].Title << ": " << run.Text;
        if (!run.Font.Style.Contains(fsBold)) plain += static_cast<int>(run.Text.size());
      }
    EXPECT_GT(plain, 10) << kHelpNodes[i].Title;
  }
  // The about text carries the version (this test program has none: zeros).
  EXPECT_NE(TextOf(AboutText()).find("Version 0.0.0, build 0"), std::string::npos);
}

TEST_F(HelpWindow, ItsWindowsWaitForTheFirstShowingWhichShowsTheAboutText) {
  EXPECT_FALSE(help->HandleAllocated());
  EXPECT_FALSE(help->Memo->HandleAllocated());
  help->Show();
  EXPECT_NE(ViewText().find("Version 0.0.0, build 0"), std::string::npos);
}

// The tree tells of a selection through its window: the help window made
// at start-up has its windows once it is shown.
TEST_F(HelpWindow, InstallationShowsTheDocumentOfInstalling) {
  help->Show();
  help->Tree->SetSelected(help->Node(HelpNodeOfTitle("Installing")));
  const std::string installing = ViewText();
  help->Tree->SetSelected(help->Node(HelpNodeOfTitle("Installation")));
  EXPECT_EQ(ViewText(), installing);
  EXPECT_NE(installing.find("installer"), std::string::npos);
}

TEST_F(HelpWindow, ShowTopicKeepsTheGivenDocumentAndSelectsTheNode) {
  help->ShowTopic(LocaleHelpText(), kHelpLocaleNode);
  ASSERT_EQ(help->Tree->GetSelected(), help->Node(kHelpLocaleNode));
  EXPECT_EQ(help->Tree->GetSelected()->GetText(), "Locale");
  EXPECT_EQ(ViewText(), TextOf(LocaleHelpText()));
  EXPECT_TRUE(help->GetVisible());
  // Another document for the same node stays: the node's own does not
  // replace it.
  help->ShowTopic("{\\rtf1 Only this text\\par}", kHelpLocaleNode);
  EXPECT_EQ(ViewText(), "Only this text");
  // The settings node, as the options dialog opens it.
  ShowHelpNode(kHelpSettingsNode);
  EXPECT_EQ(help->Tree->GetSelected()->GetText(), "Settings");
  EXPECT_NE(ViewText().find("options dialog"), std::string::npos);
}

TEST_F(HelpWindow, WithoutASelectedNodeKeysLoadNothingAndPrintingTakesTheCaption) {
  help->Show();
  // Shown, the window focuses its tree, which takes its first node as the
  // selected one, as a tree does: this case is about a tree with none.
  help->Tree->SetSelected(nullptr);
  help->LoadRtf(AboutText());
  ASSERT_EQ(help->Tree->GetSelected(), nullptr);
  const std::string about = ViewText();
  PostKey(help->Tree->GetHandle(), VK_DOWN);
  PumpFor(100);
  if (help->Tree->GetSelected() == nullptr) EXPECT_EQ(ViewText(), about);
  help->Tree->SetSelected(nullptr);
  help->LoadRtf(AboutText());
  help->PrintSection();
  EXPECT_EQ(jobs, (std::vector<std::string>{"Tarnquill Help"}));
}

TEST_F(HelpWindow, PrintAllMakesSixteenJobsInOrderAndShowsTheTopicAgain) {
  help->Show();
  help->Tree->SetSelected(help->Node(HelpNodeOfTitle("Macros")));
  const std::string macros = ViewText();
  help->PrintAll();
  ASSERT_EQ(jobs.size(), 16u);
  for (int i = 0; i < kHelpPrintAllCount; ++i) EXPECT_EQ(jobs[i], kHelpPrintAll[i].Title);
  EXPECT_EQ(ViewText(), macros);
  jobs.clear();
  help->PrintKeyCombinations();
  EXPECT_EQ(jobs, (std::vector<std::string>{"Key Combinations"}));
  EXPECT_EQ(ViewText(), macros);
}

TEST_F(HelpWindow, ATopicOfTwoPagesPrintsToThePdfPrinter) {
  THelp::SetPrinterFactory([] { return std::make_unique<TktPrinterDevice>("PDF"); });
  try {
    TktPrinterDevice probe("PDF");
  } catch (const EPrinter& e) {
    FAIL() << "Wine sees no printer \"PDF\" (" << e.Message() << "): run scripts/printer-setup.sh";
  }
  // Longer than any topic: 120 paragraphs, a bold word in each.
  std::string topic = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  for (int i = 1; i <= 120; ++i)
    topic += "Paragraph " + std::to_string(i) + " of the long topic, with a {\\b bold} word.\\par ";
  topic += "}";
  help->ShowTopic(topic, HelpNodeOfTitle("Key Combinations"));
  help->PrintSection();
  EXPECT_FALSE(help->Memo->LastPrintUsedEngine());  // Wine's control formats no pages
  const int pages = help->Memo->LastPrintPages();
  EXPECT_GE(pages, 2);
  const TPrintedPdf pdf = ReadPrintedPdf("Key_Combinations");
  ASSERT_EQ(pdf.Error, "");
  EXPECT_EQ(PdfField(pdf.Info, "Title"), "Key Combinations") << pdf.Info;
  EXPECT_EQ(PdfField(pdf.Info, "Pages"), std::to_string(pages)) << pdf.Info << pdf.Text;
  EXPECT_NE(pdf.Text.find("Paragraph 1 of the long topic, with a bold word."), std::string::npos) << pdf.Text;
  EXPECT_NE(pdf.Text.find("Paragraph 120 of the long topic"), std::string::npos);
  EXPECT_EQ(std::count(pdf.Text.begin(), pdf.Text.end(), '\f'), pages);
  EXPECT_NE(pdf.Fonts.find("Bold"), std::string::npos) << pdf.Fonts;
}

TEST_F(HelpWindow, AClickedLinkOpensThroughTheShell) {
  std::vector<std::string> opened;
  SetShellOpenFunc([&](const std::string& target, const std::string&, const std::string&, int,
                       const std::string& verb) {
    opened.push_back(verb + " " + target);
    return true;
  });
  help->SetBounds(80, 80, 600, 400);
  help->Show();
  ASSERT_TRUE(ActivateForInput(help->GetHandle()));
  help->LoadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Read http://docs.invalid/topic now\\par}");
  PumpFor(100);
  POINTL p{};
  ::SendMessageA(help->Memo->GetHandle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 8);
  const TPoint at = help->Memo->ClientToScreen(TPoint(p.x + 4, p.y + 6));
  MousePress(at.X, at.Y);
  MouseRelease();
  ASSERT_TRUE(PumpUntil([&] { return !opened.empty(); }));
  EXPECT_EQ(opened, (std::vector<std::string>{"Open http://docs.invalid/topic"}));
  // A picture for a person to look at.
  help->LoadRtf(AboutText());
  help->Tree->SetSelected(help->Node(HelpNodeOfTitle("Key Combinations")));
  PumpFor(200);
  SaveBitmap(*Capture(help->GetHandle()), "help_window.bmp");
}

TEST_F(HelpWindow, TheKeyTopicNamesOnlyKeysTheProgramBinds) {
  // The editor's key map and the main window's actions.
  TktKeyStrokes keys(nullptr);
  keys.ResetDefaults();
  std::set<TShortCut> actions;
  auto* form = new TMainForm(Application);
  std::vector<TComponent*> todo{form};
  while (!todo.empty()) {
    TComponent* c = todo.back();
    todo.pop_back();
    for (int i = 0; i < c->GetComponentCount(); ++i) todo.push_back(c->GetComponent(i));
    if (auto* a = dynamic_cast<TCustomAction*>(c); a && a->GetShortCut() != scNone) actions.insert(a->GetShortCut());
  }
  delete form;
  ASSERT_FALSE(actions.empty());

  const std::string topic = HelpDocument("keys");
  const std::regex name(R"(\{\\b ([^}]+)\})");
  int checked = 0;
  for (auto it = std::sregex_iterator(topic.begin(), topic.end(), name); it != std::sregex_iterator(); ++it) {
    const std::string key = (*it)[1];
    const TShortCut sc = TextToShortCut(key);
    ASSERT_NE(sc, scNone) << key << " is not a key name";
    EXPECT_TRUE(keys.FindShortcut2(sc, scNone) >= 0 || actions.count(sc)) << key << " is not bound";
    ++checked;
  }
  EXPECT_GT(checked, 60);
}

}  // namespace

namespace {

TEST_F(HelpWindow, TheTopicTreeIsItsOwnColourAndAClickOnAParentExpandsIt) {
  help->SetBounds(80, 80, 600, 400);
  help->Show();
  ASSERT_TRUE(ActivateForInput(help->GetHandle()));
  EXPECT_EQ(::SendMessageA(help->Tree->GetHandle(), TVM_GETBKCOLOR, 0, 0), 0xFFFFEE);
  TTreeNode* parent = nullptr;
  for (int i = 0; i < help->Tree->GetTopCount() && !parent; ++i)
    if (help->Tree->GetTopItem(i)->GetCount() > 0) parent = help->Tree->GetTopItem(i);
  ASSERT_NE(parent, nullptr) << "no topic with sub-topics";
  parent->Collapse(false);
  PumpFor(50);
  RECT r{};
  *reinterpret_cast<HTREEITEM*>(&r) = static_cast<HTREEITEM>(parent->GetItemId());
  ASSERT_TRUE(::SendMessageA(help->Tree->GetHandle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  const TPoint at = help->Tree->ClientToScreen(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  // Press and release in one go: the tree waits for the release inside its
  // own loop as soon as it sees the press.
  MouseMoveTo(at.X, at.Y);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, click, sizeof(INPUT));
  const auto expanded = [&] {
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = static_cast<HTREEITEM>(parent->GetItemId());
    item.stateMask = TVIS_EXPANDED;
    ::SendMessageA(help->Tree->GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return (item.state & TVIS_EXPANDED) != 0;
  };
  EXPECT_TRUE(PumpUntil(expanded));
  EXPECT_TRUE(parent->GetExpanded());
  SaveWindowCapture(help->GetHandle(), "help_tree");
}

}  // namespace
