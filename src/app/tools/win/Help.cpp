#include "app/tools/win/Help.h"

#include <map>
#include <utility>

#include "kit/win/VerInfo.h"
#include "platform/Registry.h"
#include "platform/ShortCuts.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/PrintDevice.h"
#include "platform/win/Shell.h"

THelp* Help = nullptr;

namespace {

std::string ResourceText(const std::string& name) {
  HRSRC info = ::FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!info) return std::string();
  HGLOBAL data = ::LoadResource(nullptr, info);
  const void* bytes = data ? ::LockResource(data) : nullptr;
  if (!bytes) return std::string();
  return std::string(static_cast<const char*>(bytes), ::SizeofResource(nullptr, info));
}

std::string ProgramFileName() {
  char path[MAX_PATH + 1] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

THelp::TPrinterFactory& PrinterFactory() {
  static THelp::TPrinterFactory factory;
  return factory;
}

}  // namespace

const std::string& HelpDocument(const std::string& id, bool printable) {
  static std::map<std::string, std::string> documents;
  const std::string key = (printable ? "HELPPRINT_" : "HELPTOPIC_") + UpperCase(id);
  auto it = documents.find(key);
  if (it != documents.end()) return it->second;
  std::string text = ResourceText(key);
  if (id == "about") {
    // The version places are filled once, from the running file.
    uint32_t ms = 0, ls = 0;
    TVersionInfo info(ProgramFileName());
    if (info.GetValid()) info.GetFileLongVersion(ms, ls);
    text = FillAboutText(text, int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16), int(ls & 0xFFFF));
  }
  return documents[key] = std::move(text);
}

const std::string& AboutText() { return HelpDocument("about"); }
const std::string& LocaleHelpText() { return HelpDocument("locale"); }

THelp::TPrinterFactory THelp::SetPrinterFactory(TPrinterFactory factory) {
  return std::exchange(PrinterFactory(), std::move(factory));
}

THelp::THelp(TComponent* owner) : TForm(owner) {
  SetName("Help");
  SetCaption("Tarnquill Help");
  SetBounds(120, 80, 640, 480);
  SetFormStyle(fsStayOnTop);
  Tree = Make<TTreeView>(this).Parent(this).Name("Tree").Align(alLeft).Bounds(0, 0, 190, 400).With(
      [](TTreeView* t) {
        t->SetColor(static_cast<TColor>(0xFFFFEE));
        t->SetReadOnly(true);
      });
  Splitter = Make<TRxSplitter>(this).Parent(this).Name("Splitter").With([this](TRxSplitter* s) {
    s->SetControlFirst(Tree);
    s->SetAlign(alLeft);
    s->SetLeft(Tree->GetWidth());
  });
  Memo = Make<TRxRichEdit>(this).Parent(this).Name("Memo").Align(alClient).With([](TRxRichEdit* m) {
    m->SetColor(static_cast<TColor>(15663086));  // EEFFEE
    m->SetReadOnly(true);
    m->SetScrollBars(ssVertical);
    m->SetUndoLimit(0);
    m->SetWordSelection(false);
    m->SetFont(TFontData{"Arial", -13, {}, clWindowText});
  });
  Splitter->SetControlSecond(Memo);
  Memo->OnURLClick = Bind(this, &THelp::MemoURLClick);
  Tree->OnChange = Bind(this, &THelp::TreeChange);
  Tree->OnClick = Bind(this, &THelp::TreeClick);
  Tree->OnKeyUp = Bind(this, &THelp::TreeKeyUp);
  BuildMenu();
  FillTree();
  Placement = Make<TFormPlacement>(this).Name("Placement");
  Placement->SetUseRegistry(true);
  Placement->SetIniFileName(ProgramRegistryKey());
  Placement->SetIniSection("Help");
  // Made hidden at start-up: its windows, and the about text the view
  // starts with, wait for its first showing.
  Placement->SetHookWhenWindowMade(true);
  Placement->Loaded();
  FShown = AboutText();
  FShownPending = true;
  if (!::Help) ::Help = this;
}

void THelp::CreateWnd() {
  TForm::CreateWnd();
  if (Placement) Placement->FormWindowCreated();
}

void THelp::SetVisible(bool visible) {
  if (visible && FShownPending) {
    HandleNeeded();
    LoadRtf(FShown);
  }
  TForm::SetVisible(visible);
}

THelp::~THelp() {
  if (::Help == this) ::Help = nullptr;
  DoDestroy();
}

void THelp::BuildMenu() {
  MainMenu = Make<TMainMenu>(this).Name("MainMenu");
  auto item = [this](TMenuItem* parent, const char* name, const char* caption, const char* key,
                     std::function<void(TObject*)> click) {
    auto* i = new TMenuItem(this);
    i->SetName(name);
    i->SetCaption(caption);
    if (*key) i->SetShortCut(TextToShortCut(key));
    if (click) i->OnClick = std::move(click);
    parent->Add(i);
    return i;
  };
  FileMenu = item(MainMenu->GetItems(), "FileMenu", "&File", "", nullptr);
  PrintSectionItem = item(FileMenu, "PrintSectionItem", "&Print Section", "Ctrl+P", [this](TObject*) { PrintSection(); });
  PrintAllItem = item(FileMenu, "PrintAllItem", "P&rint All", "", [this](TObject*) { PrintAll(); });
  PrintKeysItem =
      item(FileMenu, "PrintKeysItem", "Print &Key Combinations", "", [this](TObject*) { PrintKeyCombinations(); });
  CloseItem = item(FileMenu, "CloseItem", "&Close", "Escape", [this](TObject*) { Close(); });
  EditMenu = item(MainMenu->GetItems(), "EditMenu", "&Edit", "", nullptr);
  CopyItem = item(EditMenu, "CopyItem", "&Copy", "Ctrl+C", [this](TObject*) { Memo->CopyToClipboard(); });
  SelectAllItem = item(EditMenu, "SelectAllItem", "Select &All", "Ctrl+A", [this](TObject*) { Memo->SelectAll(); });
  HelpMenu = item(MainMenu->GetItems(), "HelpMenu", "&Help", "", nullptr);
  HelpOnHelpItem = item(HelpMenu, "HelpOnHelpItem", "He&lp on help", "F1", Bind(this, &THelp::HelpOnHelp));
  SetMenu(MainMenu);
}

void THelp::FillTree() {
  TTreeNode* parent = nullptr;
  for (const auto& n : kHelpNodes) {
    TTreeNode* node = Tree->AddChild(n.Level == 0 ? nullptr : parent, n.Title);
    if (n.Level == 0) parent = node;
    FNodes.push_back(node);
  }
}

TTreeNode* THelp::Node(int index) const {
  return index >= 0 && index < static_cast<int>(FNodes.size()) ? FNodes[static_cast<size_t>(index)] : nullptr;
}

void THelp::LoadRtf(const std::string& document) {
  TMemoryStream stream;
  stream.WriteBuffer(document.data(), static_cast<int64_t>(document.size()));
  stream.SetPosition(0);
  Memo->SetStreamFormat(sfRichText);
  Memo->GetLines()->LoadFromStream(stream);
  FShown = document;
  FShownPending = false;
}

void THelp::ShowSelectedTopic() {
  TTreeNode* node = Tree->GetSelected();
  if (!node) return;
  const int index = HelpNodeOfTitle(node->GetText());
  if (index < 0) return;
  LoadRtf(HelpDocument(kHelpNodes[index].Document));
}

void THelp::ShowTopic(const std::string& document, int nodeIndex) {
  LoadRtf(document);
  if (TTreeNode* node = Node(nodeIndex)) {
    // Selecting from here must not load the node's own document over the
    // one given.
    FSelecting = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } reset{FSelecting};
    Tree->SetSelected(node);
    node->MakeVisible();
  }
  Show();
}

void THelp::TreeChange(TObject*, TTreeNode*) {
  if (FSelecting) return;
  ShowSelectedTopic();
}

void THelp::TreeClick(TObject*) {
  POINT p{};
  ::GetCursorPos(&p);
  const TPoint at = Tree->ScreenToClient(TPoint(p.x, p.y));
  TTreeNode* node = Tree->GetNodeAt(at.X, at.Y);
  if (!node) return;
  node->Expand(false);
  ShowSelectedTopic();
}

void THelp::TreeKeyUp(TObject*, uint16_t&, TShiftState) { ShowSelectedTopic(); }

void THelp::MemoURLClick(TObject*, const std::string& url, TMouseButton) {
  ShellOpen(url, std::string(), std::string(), SW_SHOWNORMAL, "Open");
}

void THelp::HelpOnHelp(TObject*) {
  ShowMessage(Format("Tarnquill Help shows its topics in the rich-text control TRxRichEdit "
                     "(rich-edit library version %d).",
                     RichEditVersion()));
}

void THelp::PrintView(const std::string& title) {
  try {
    if (PrinterFactory()) {
      std::unique_ptr<IktPrintDevice> printer = PrinterFactory()();
      Memo->PrintOn(*printer, title);
    } else {
      Memo->Print(title);
    }
  } catch (const Exception& e) {
    if (Application)
      Application->ShowException(e);
    else
      throw;
  }
}

void THelp::PrintSection() {
  TTreeNode* node = Tree->GetSelected();
  PrintView(node ? node->GetText() : GetCaption());
}

void THelp::PrintKeyCombinations() {
  const std::string shown = FShown;
  LoadRtf(HelpDocument(kHelpKeysDocument, true));
  PrintView("Key Combinations");
  // Back to what the view showed (the selected topic, or what was given).
  LoadRtf(shown);
}

void THelp::PrintAll() {
  const std::string shown = FShown;
  for (const auto& item : kHelpPrintAll) {
    LoadRtf(HelpDocument(item.Document, true));
    PrintView(item.Title);
  }
  LoadRtf(shown);
}

void ShowHelpNode(int nodeIndex) {
  if (!Help || nodeIndex < 0 || nodeIndex >= kHelpNodeCount) return;
  Help->ShowTopic(HelpDocument(kHelpNodes[nodeIndex].Document), nodeIndex);
}
