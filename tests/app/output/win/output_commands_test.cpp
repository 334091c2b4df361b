// The main window's export and preview commands on real windows: exports
// equal to the exporters' own output, refused exports that write nothing,
// and the preview split with a stand-in browser and with the real one
// (which has no engine here).
#include "OutputFixture.h"

#include "app/output/win/PreviewBrowser.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "platform/win/ExtCtrls.h"

TQ_TEST_APPLICATION();

namespace {

using OutputCommands = OutputCommandsCase;

const char kPascal[] = "program P;\r\nbegin\r\n  Writeln('<&>'); { note }\r\nend.\r\n";
const char kHtml[] = "<html>\r\n<body><p>Hi</p></body>\r\n</html>\r\n";

// A browser that records what it is given, in lists that outlive it.
struct TStandIn : IPreviewBrowser {
  TStandIn(TWinControl* parent, std::vector<std::string>& opened, std::vector<std::string>& shown)
      : Opened(opened), Shown(shown) {
    Panel = new TPanel(parent);
    Panel->SetParent(parent);
  }
  TWinControl* Control() override { return Panel; }
  void Open(const std::string& fileName) override { Opened.push_back(fileName); }
  void Show(const TStrings& lines) override { Shown.push_back(lines.GetTextStr()); }
  TPanel* Panel;
  std::vector<std::string>& Opened;
  std::vector<std::string>& Shown;
};

TEST_F(OutputCommands, ExportsEqualTheExportersOutputForSelectionAndWhole) {
  OpenWithData();
  TktCustomEdit* edit = OpenDoc("a.pas", kPascal);
  ASSERT_TRUE(edit && edit->GetHighLighter());
  for (const bool html : {true, false}) {
    for (const bool selection : {false, true}) {
      SCOPED_TRACE(std::string(html ? "html" : "rtf") + (selection ? " selection" : " whole"));
      if (selection) {
        edit->SetBlockBegin(TPoint(3, 3));
        edit->SetBlockEnd(TPoint(18, 3));
      } else {
        edit->SetCaretXY(TPoint(1, 1));
        edit->SetBlockBegin(TPoint(1, 1));
        edit->SetBlockEnd(TPoint(1, 1));
      }
      TComponent* exporter = html ? static_cast<TComponent*>(DataModule->HtmlExport) : DataModule->RtfExport;
      const std::string expected = Dir + "expected.out";
      Files.push_back(expected);
      edit->ExportToFile(true, expected, exporter);
      Target = Dir + (html ? "out.html" : "out.rtf");
      Files.push_back(Target);
      EXPECT_TRUE(Form->FindAction(html ? "aFileExportToHTML" : "aFileExportToRTF")->GetEnabled());
      Form->FindAction(html ? "aFileExportToHTML" : "aFileExportToRTF")->Execute();
      EXPECT_EQ(Read(Target), Read(expected)) << DialogRuns;
      EXPECT_NE(Read(Target).find(selection ? "Writeln" : "program"), std::string::npos);
      if (selection) EXPECT_EQ(Read(Target).find("program"), std::string::npos);
    }
  }
  EXPECT_TRUE(Messages.empty());
}

TEST_F(OutputCommands, AnHtmlDocumentFailsBeforeTheDialogAndLaterExportsWork) {
  OpenWithData();
  OpenDoc("page.html", kHtml);
  Target = Dir + "page-out.html";
  Files.push_back(Target);
  Form->FindAction("aFileExportToHTML")->Execute();
  EXPECT_EQ(DialogRuns, 0);
  EXPECT_EQ(Messages, std::vector<std::string>{"Abstract Error"});
  EXPECT_FALSE(FileExists(Target));

  OpenDoc("b.pas", kPascal);
  Form->FindAction("aFileExportToRTF")->Execute();
  EXPECT_EQ(DialogRuns, 1);
  EXPECT_NE(Read(Target).find("{\\rtf"), std::string::npos);
}

TEST_F(OutputCommands, AnOpenDocumentsOwnFileIsRefusedAndKept) {
  OpenWithData();
  TktCustomEdit* first = OpenDoc("own.pas", kPascal);
  const std::string own = first->FileName;
  OpenDoc("other.pas", "x := 1;\r\n");
  // The other document's file, named in another case: still refused.
  Target = UpperCase(own);
  Form->FindAction("aFileExportToHTML")->Execute();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("open as a document"), std::string::npos);
  EXPECT_EQ(Read(own), kPascal);
}

TEST_F(OutputCommands, PreviewWithAStandInFollowsTheTextAndGoesCleanly) {
  std::vector<std::string> opened, shown;
  SetPreviewBrowserFactory([&](TWinControl* parent, TNotifyEvent) {
    return std::make_unique<TStandIn>(parent, opened, shown);
  });
  OpenWithData();
  TktCustomEdit* edit = OpenDoc("p.html", kHtml);
  const std::string name = edit->FileName;
  const int n = Number();
  const std::string m = "m" + std::to_string(n);
  const int editorHeight = Form->EditWindow(n)->GetHeight();

  Form->FindAction("aViewBrowser")->Execute();
  EXPECT_EQ(edit->GetTag(), 1);
  TPanel* panel = Form->PreviewPanel(n);
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->GetName(), m + "t");
  EXPECT_EQ(panel->GetAlign(), alBottom);
  EXPECT_EQ(panel->GetParent(), Form->EditWindow(n)->GetParent());
  auto* splitter = dynamic_cast<TControl*>(Form->FindComponent(m + "r"));
  ASSERT_TRUE(splitter);
  EXPECT_EQ(splitter->GetAlign(), alBottom);
  // Half the editor's height once a new panel and the splitter took theirs.
  const int newPanel = TPanel(nullptr).GetHeight();
  EXPECT_EQ(panel->GetHeight(), (editorHeight - newPanel - splitter->GetHeight()) / 2);
  EXPECT_EQ(Form->EditWindow(n)->GetHeight() + panel->GetHeight() + splitter->GetHeight(), editorHeight);
  // The preview file holds the lines alone; the document is untouched.
  const std::string file = SystemTempPath() + m + ".html";
  Files.push_back(file);
  EXPECT_EQ(opened, std::vector<std::string>{file});
  EXPECT_EQ(Read(file), kHtml);
  EXPECT_FALSE(FileExists(file + ".bak"));
  EXPECT_FALSE(FileExists(SystemTempPath() + m + ".bak"));
  EXPECT_EQ(edit->FileName, name);
  EXPECT_FALSE(edit->GetModified());

  // Typing: the text reaches the browser, the focus stays in the editor.
  ::SetFocus(EditorWnd());
  PostText(EditorWnd(), "ab");
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().substr(0, 2), "ab");
  EXPECT_EQ(::GetFocus(), EditorWnd());

  // A split left on after another highlighter keeps its switch.
  Docs().HighlightAs("aViewPascal");
  EXPECT_TRUE(Form->FindAction("aViewBrowser")->GetEnabled());
  Form->FindAction("aViewBrowser")->Execute();
  EXPECT_EQ(edit->GetTag(), 0);
  EXPECT_FALSE(Named(m + "t"));
  EXPECT_FALSE(Named(m + "r"));
  const size_t shownBefore = shown.size();
  PostText(EditorWnd(), "c");
  EXPECT_EQ(shown.size(), shownBefore);  // no browser to reach now

  // On again, then the tab closes: nothing of the split stays.
  Docs().HighlightAs("aViewHTML");
  Form->FindAction("aViewBrowser")->Execute();
  ASSERT_TRUE(Named(m + "t"));
  Answers.push_back(mrNo);  // do not save the typed text
  Docs().FileClose();
  EXPECT_FALSE(Named(m + "t"));
  EXPECT_FALSE(Named(m + "r"));
}

TEST_F(OutputCommands, PreviewWithoutABrowserEngineFailsVisiblyAndLeavesNothing) {
  OpenWithData();
  TktCustomEdit* edit = OpenDoc("q.html", kHtml);
  const std::string m = "m" + std::to_string(Number());
  Files.push_back(SystemTempPath() + m + ".html");
  ::SetFocus(EditorWnd());
  Form->FindAction("aViewBrowser")->Execute();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("web browser engine"), std::string::npos) << Messages[0];
  EXPECT_EQ(edit->GetTag(), 0);
  EXPECT_FALSE(Named(m + "t"));
  EXPECT_FALSE(Named(m + "r"));
  EXPECT_EQ(edit->GetLines()->GetTextStr(), kHtml);
  EXPECT_FALSE(edit->GetModified());
  PumpFor(50);
  EXPECT_EQ(::GetFocus(), EditorWnd());
  // A second try meets no name left behind.
  Form->FindAction("aViewBrowser")->Execute();
  ASSERT_EQ(Messages.size(), 2u);
  EXPECT_EQ(Messages[1], Messages[0]);
}

}  // namespace
