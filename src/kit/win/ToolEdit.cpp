#include "kit/win/ToolEdit.h"

#include "kit/EditNames.h"
#include "kit/FileUtil.h"
#include "kit/win/BrowseFolder.h"
#include "kit/win/SelectDir.h"
#include "kit/win/VclUtils.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/Dialogs.h"
#include "platform/win/Forms.h"
#include "platform/win/Shell.h"

#include <algorithm>

namespace {

constexpr int kObmCombo = 32738;  // the system's combo-box arrow bitmap

// The browse glyph, loaded once and shared by every edit until the program ends.
HBITMAP DefaultGlyph() {
  struct THolder {
    HBITMAP Bitmap = LoadResourceBitmap("FEDITBMP");
    ~THolder() { ::DeleteObject(Bitmap); }
  };
  static THolder holder;
  return holder.Bitmap;
}

// Three dots, black on white (white is the lower-left, transparent colour).
HBITMAP EllipsisBitmap(int buttonWidth) {
  const TEllipsisGlyph g = EllipsisGlyph(buttonWidth);
  HBITMAP b = ::CreateBitmap(g.Width, g.Height, 1, 1, nullptr);
  TMemoryDC dc(nullptr);
  TSelectObject sel(dc.Get(), b);
  ::PatBlt(dc.Get(), 0, 0, g.Width, g.Height, WHITENESS);
  for (int x : g.Dots) ::PatBlt(dc.Get(), x, 1, 2, 2, BLACKNESS);
  return b;
}

// The borderless window that holds the button inside the edit.
class TButtonHolder : public TWinControl {
public:
  explicit TButtonHolder(TComponent* owner) : TWinControl(owner) {}

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPSIBLINGS;
  }
};

}  // namespace

// ---------------------------------------------------------------------------
// TEditButton
// ---------------------------------------------------------------------------
TEditButton::TEditButton(TComponent* owner) : TRxSpeedButton(owner) {
  SetParentShowHint(true);
}

void TEditButton::PaintOver(HDC dc, const TRect& client) {
  if (GetState() == rbsDown || GetState() == rbsExclusive) return;
  // The edge that joins the button to the text area.
  TBrushObject outer(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
  TBrushObject inner(::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT)));
  RECT a{client.Left, client.Top, client.Left + 1, client.Bottom};
  RECT b{client.Left + 1, client.Top, client.Left + 2, client.Bottom};
  ::FillRect(dc, &a, outer.Get());
  ::FillRect(dc, &b, inner.Get());
}

// ---------------------------------------------------------------------------
// TCustomComboEdit
// ---------------------------------------------------------------------------
TCustomComboEdit::TCustomComboEdit(TComponent* owner)
    : TCustomEdit(owner), FClickKey(ShortCut(VK_DOWN, TShiftState{ssAlt})) {
  FHeight = 21;
  FBtnControl = new TButtonHolder(this);
  FBtnControl->SetParent(this);
  FBtnControl->SetBounds(0, 0, FButtonWidth, 17);
  FButton = new TEditButton(this);
  FButton->SetParent(FBtnControl);
  FButton->SetBounds(0, 0, FButtonWidth, 17);
  FButton->OnClick = [this](TObject*) { DoClick(); };
}

TCustomComboEdit::~TCustomComboEdit() = default;

void TCustomComboEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  // Multi-line only so the text rectangle can be set; see WndProc for the
  // single line it keeps.
  params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  params.Style &= ~(ES_AUTOVSCROLL | ES_WANTRETURN);
  if (FAlignment == taRightJustify) params.Style |= ES_RIGHT;
  if (FAlignment == taCenter) params.Style |= ES_CENTER;
}

void TCustomComboEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  UpdateWindowReadOnly();
  UpdateLayout();
}

void TCustomComboEdit::UpdateWindowReadOnly() {
  TCustomEdit::SetReadOnly(FEditReadOnly || !FDirectInput);
}

const std::string& TCustomComboEdit::GetButtonHint() const { return FButton->GetHint(); }
void TCustomComboEdit::SetButtonHint(const std::string& hint) { FButton->SetHint(hint); }

HBITMAP TCustomComboEdit::GetGlyph() const { return FButton->GetGlyph(); }
int TCustomComboEdit::GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
void TCustomComboEdit::SetNumGlyphs(int n) {
  FButton->SetNumGlyphs(n);
  if (FGlyphKind == gkDefault) RecreateGlyph();
}

void TCustomComboEdit::SetGlyph(HBITMAP glyph) {
  FGlyphKind = gkCustom;
  FButton->SetGlyph(glyph);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind) {
  if (kind == FGlyphKind) return;
  FGlyphKind = kind;
  RecreateGlyph();
}

void TCustomComboEdit::RecreateGlyph() {
  switch (FGlyphKind) {
    case gkDefault: {
      FButton->SetNumGlyphs(1);
      FButton->SetGlyph(DefaultGlyph());
      const int wanted = BitmapSize(DefaultGlyph()).cx / FButton->GetNumGlyphs() + 6;
      if (wanted > FButtonWidth) SetButtonWidth(wanted);
      break;
    }
    case gkDropDown: {
      HBITMAP arrow = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(kObmCombo));
      FButton->SetNumGlyphs(1);
      FButton->SetGlyph(arrow);
      if (arrow) ::DeleteObject(arrow);
      SetButtonWidth(::GetSystemMetrics(SM_CXVSCROLL));
      break;
    }
    case gkEllipsis: {
      HBITMAP dots = EllipsisBitmap(FButtonWidth);
      FButton->SetNumGlyphs(1);
      FButton->SetGlyph(dots);
      ::DeleteObject(dots);
      break;
    }
    case gkCustom:
      break;
  }
}

void TCustomComboEdit::SetButtonWidth(int width) {
  if (width == FButtonWidth) return;
  // A button as wide as the edit would leave no text.
  if (HandleAllocated() && width >= GetClientWidth()) return;
  FButtonWidth = width;
  if (FGlyphKind == gkEllipsis) RecreateGlyph();
  UpdateLayout();
}

void TCustomComboEdit::SetDirectInput(bool v) {
  FDirectInput = v;
  UpdateWindowReadOnly();
}

void TCustomComboEdit::SetReadOnly(bool v) {
  FEditReadOnly = v;
  UpdateWindowReadOnly();
}

void TCustomComboEdit::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  RecreateWnd();
}

TRect TCustomComboEdit::GetEditRect() const {
  if (!FHandle) return TRect();
  RECT r{};
  ::SendMessageA(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  return TRect(r.left, r.top, r.right, r.bottom);
}

void TCustomComboEdit::UpdateLayout() {
  if (!FHandle) return;
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const bool shown = FButtonWidth >= 2;
  const int bw = shown ? FButtonWidth : 0;
  FBtnControl->SetVisible(shown);
  if (shown) {
    FBtnControl->SetBounds(client.right - bw, 0, bw, client.bottom);
    FButton->SetBounds(0, 0, bw, client.bottom);
  }
  RECT text{0, 0, client.right - bw - 2, client.bottom + 1};
  ::SendMessageA(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
  ::InvalidateRect(FHandle, nullptr, TRUE);
}

int TCustomComboEdit::MinHeight() {
  TWindowDC dc(nullptr);
  TEXTMETRICA sys{}, own{};
  {
    TSelectObject sel(dc.Get(), ::GetStockObject(SYSTEM_FONT));
    ::GetTextMetricsA(dc.Get(), &sys);
  }
  auto font = AcquireFont(GetFont());
  {
    TSelectObject sel(dc.Get(), font->Get());
    ::GetTextMetricsA(dc.Get(), &own);
  }
  return std::min(sys.tmHeight, own.tmHeight) + 4 * ::GetSystemMetrics(SM_CYBORDER) + 1;
}

void TCustomComboEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, std::max(height, MinHeight()));
}

void TCustomComboEdit::BoundsChanged(bool sized) {
  TCustomEdit::BoundsChanged(sized);
  if (sized) UpdateLayout();
}

void TCustomComboEdit::DoClick() {
  if (FEditReadOnly) return;
  if (OnButtonClick) OnButtonClick(this);
  ButtonClick();
}

bool TCustomComboEdit::WantsKey(uint16_t key) {
  // Enter and Esc belong to the form (default and cancel buttons), and Tab
  // moves on as from any one-line edit: the multi-line style would keep them.
  if (key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB) return false;
  return TCustomEdit::WantsKey(key);
}

void TCustomComboEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key != 0 && FButtonWidth > 0 && ShortCut(key, shift) == FClickKey) {
    key = 0;
    DoClick();
  }
}

void TCustomComboEdit::Paste() {
  std::string text = Clipboard().GetAsText();
  // One line: what follows the first line break stays out.
  const size_t br = text.find_first_of("\r\n");
  if (br != std::string::npos) text.erase(br);
  ::SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomComboEdit::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_CHAR:
      // A line break never goes in (Enter, Ctrl+Enter).
      if (msg.WParam == '\r' || msg.WParam == '\n') {
        msg.Result = 0;
        return;
      }
      break;
    case WM_PASTE:
      if (FDirectInput && !FEditReadOnly) Paste();
      msg.Result = 0;
      return;
    case WM_CUT:
    case WM_CLEAR:
      if (!FDirectInput || FEditReadOnly) {
        msg.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS:
      TCustomEdit::WndProc(msg);
      // Entering by keyboard selects the text; a mouse press places the caret.
      if (FAutoSelect && FDirectInput && !(::GetKeyState(VK_LBUTTON) & 0x8000))
        ::SendMessageA(FHandle, EM_SETSEL, 0, -1);
      return;
    case WM_SIZE:
      TCustomEdit::WndProc(msg);
      UpdateLayout();
      return;
    case WM_SETTEXT:
      // A multi-line edit reports no EN_CHANGE for text set from outside
      // (another program, a test driving the window): take it here.
      TCustomEdit::WndProc(msg);
      TextChangedInWindow();
      return;
    default:
      break;
  }
  TCustomEdit::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TFileDirEdit
// ---------------------------------------------------------------------------
TFileDirEdit::TFileDirEdit(TComponent* owner) : TCustomComboEdit(owner) {
  SetGlyphKind(gkDefault);
}

void TFileDirEdit::SetAcceptFiles(bool v) {
  if (v == FAcceptFiles) return;
  FAcceptFiles = v;
  if (HandleAllocated()) ::DragAcceptFiles(FHandle, v);
}

void TFileDirEdit::CreateWnd() {
  TCustomComboEdit::CreateWnd();
  if (FAcceptFiles) ::DragAcceptFiles(FHandle, TRUE);
}

void TFileDirEdit::DoBeforeDialog(std::string& name, bool& action) {
  if (OnBeforeDialog) OnBeforeDialog(this, name, action);
}

void TFileDirEdit::DoAfterDialog(std::string& name, bool& action) {
  if (OnAfterDialog) OnAfterDialog(this, name, action);
}

void TFileDirEdit::WndProc(TMessage& msg) {
  if (msg.Msg == WM_DROPFILES) {
    // Every name whole; a name the edit refuses is skipped, the rest go on,
    // and the drop is finished whatever happens.
    AcceptDroppedFiles(reinterpret_cast<HDROP>(msg.WParam), [this](TStrings& files, TPoint) {
      ClearFileList();
      bool taken = false;
      for (int i = 0; i < files.GetCount(); ++i) {
        if (taken && !TakesMany()) break;
        if (ReceptFileDir(files.Get(i))) taken = true;
      }
      if (OnDropFiles) OnDropFiles(this);
    });
    msg.Result = 0;
    return;
  }
  TCustomComboEdit::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TFilenameEdit
// ---------------------------------------------------------------------------
namespace {
TOpenDialog* NewFileDialog(TComponent* owner, TFileDialogKind kind) {
  if (kind == dkSave || kind == dkSavePictured) return new TSaveDialog(owner);
  return new TOpenDialog(owner);
}

bool IsPictureKind(TFileDialogKind kind) { return kind == dkOpenPicture || kind == dkSavePictured; }

// The files a picture reads (TPicture: bitmaps, icons, enhanced metafiles).
constexpr const char* kPictureFilter =
    "All (*.bmp;*.ico;*.emf)|*.bmp;*.ico;*.emf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
    "Enhanced Metafiles (*.emf)|*.emf";
}  // namespace

TFilenameEdit::TFilenameEdit(TComponent* owner) : TFileDirEdit(owner) {
  FDialog = NewFileDialog(this, FDialogKind);
  FDialog->SetFilter("All files (*.*)|*.*");
  FDialog->SetTitle("Browse");
  FDialog->SetOptions({ofHideReadOnly});
}

TFilenameEdit::~TFilenameEdit() = default;

void TFilenameEdit::SetDialogKind(TFileDialogKind kind) {
  if (kind == FDialogKind) return;
  FDialogKind = kind;
  TOpenDialog* old = FDialog;
  FDialog = NewFileDialog(this, kind);
  FDialog->SetFileName(old->GetFileName());
  FDialog->SetFilter(old->GetFilter());
  FDialog->SetFilterIndex(old->GetFilterIndex());
  FDialog->SetInitialDir(old->GetInitialDir());
  FDialog->SetDefaultExt(old->GetDefaultExt());
  FDialog->SetTitle(old->GetTitle());
  FDialog->SetOptions(old->GetOptions());
  FDialog->GetFiles()->Assign(old->GetFiles());
  // A picture kind lists the files a picture reads.
  if (IsPictureKind(kind)) {
    FDialog->SetFilter(kPictureFilter);
    FDialog->SetFilterIndex(1);
  }
  delete old;
}

std::string TFilenameEdit::GetFileName() const {
  return FileNameFromText(GetText(), [](const std::string& n) { return FileExists(n); });
}

void TFilenameEdit::SetFileName(const std::string& name) {
  if (!name.empty() && !ValidFileName(name)) throw EComboEditError("Invalid file name - " + name);
  SetText(QuoteFileName(name));
  ClearFileList();
}

std::string TFilenameEdit::GetLongName() const { return ShortToLongFileName(GetFileName()); }
std::string TFilenameEdit::GetShortName() const { return LongToShortFileName(GetFileName()); }

const std::string& TFilenameEdit::GetDefaultExt() const { return FDialog->GetDefaultExt(); }
void TFilenameEdit::SetDefaultExt(const std::string& v) { FDialog->SetDefaultExt(v); }
const std::string& TFilenameEdit::GetFilter() const { return FDialog->GetFilter(); }
void TFilenameEdit::SetFilter(const std::string& v) { FDialog->SetFilter(v); }
int TFilenameEdit::GetFilterIndex() const { return FDialog->GetFilterIndex(); }
void TFilenameEdit::SetFilterIndex(int v) { FDialog->SetFilterIndex(v); }
const std::string& TFilenameEdit::GetInitialDir() const { return FDialog->GetInitialDir(); }
void TFilenameEdit::SetInitialDir(const std::string& v) { FDialog->SetInitialDir(v); }
const std::string& TFilenameEdit::GetDialogTitle() const { return FDialog->GetTitle(); }
void TFilenameEdit::SetDialogTitle(const std::string& v) { FDialog->SetTitle(v); }
TStrings* TFilenameEdit::GetDialogFiles() const { return FDialog->GetFiles(); }

bool TFilenameEdit::TakesMany() const { return FDialog->GetOptions().Contains(ofAllowMultiSelect); }

void TFilenameEdit::ClearFileList() { FDialog->GetFiles()->Clear(); }

void TFilenameEdit::ButtonClick() {
  std::string name = GetFileName();
  bool action = true;
  DoBeforeDialog(name, action);
  if (action) {
    if (ValidFileName(name)) {
      const std::string dir = ExtractFileDir(name);
      if (!dir.empty() && DirectoryExists(dir)) FDialog->SetInitialDir(dir);
      const std::string part = ExtractFileName(name);
      FDialog->SetFileName(ValidFileName(part) ? part : std::string());
    }
    action = FDialog->Execute();
    if (action) name = FDialog->GetFileName();
  }
  if (CanFocus()) SetFocus();
  DoAfterDialog(name, action);
  if (action) {
    SetText(QuoteFileName(name));
    FDialog->SetInitialDir(ExtractFilePath(FDialog->GetFileName()));
  }
}

bool TFilenameEdit::ReceptFileDir(const std::string& name) {
  // What FileName refuses is skipped.
  if (!ValidFileName(name)) return false;
  TStrings* files = FDialog->GetFiles();
  if (!TakesMany() || files->GetCount() == 0) SetFileName(name);
  if (TakesMany()) files->Add(name);
  return true;
}

const TClassInfo& TFilenameEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TFilenameEdit", &TCustomEdit::StaticClassInfo())
          .String("FileName", &TFilenameEdit::GetFileName, &TFilenameEdit::SetFileName)
          .String("Filter", &TFilenameEdit::GetFilter, &TFilenameEdit::SetFilter)
          .String("InitialDir", &TFilenameEdit::GetInitialDir, &TFilenameEdit::SetInitialDir)
          .String("DialogTitle", &TFilenameEdit::GetDialogTitle, &TFilenameEdit::SetDialogTitle);
  return info;
}
const TClassInfo* TFilenameEdit::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TDirectoryEdit
// ---------------------------------------------------------------------------
TDirectoryEdit::TDirectoryEdit(TComponent* owner) : TFileDirEdit(owner) {}

namespace {
std::string MapFolders(const std::string& text, std::string (*convert)(const std::string&)) {
  std::string out;
  for (const auto& f : SplitFolders(text)) out = AppendFolder(out, convert(f), true);
  return out;
}
}  // namespace

std::string TDirectoryEdit::GetLongName() const { return MapFolders(GetText(), &ShortToLongPath); }
std::string TDirectoryEdit::GetShortName() const { return MapFolders(GetText(), &LongToShortPath); }

void TDirectoryEdit::ButtonClick() {
  std::string name = GetText();
  bool action = true;
  DoBeforeDialog(name, action);
  if (action) {
    if (name.empty())
      name = FInitialDir.empty() ? "\\" : FInitialDir;
    else if (!DirectoryExists(name))
      name = "\\";
    TForm* form = GetParentForm(this);
    action = FDialogKind == dkWin32 ? BrowseDirectory(name, FDialogText, form ? form->GetHandle() : nullptr)
                                    : SelectDirectory(name, FDialogOptions);
  }
  if (CanFocus()) SetFocus();
  DoAfterDialog(name, action);
  if (action) {
    SetText(AppendFolder(GetText(), name, FMultipleDirs));
    if (DirectoryExists(name)) FInitialDir = name;
  }
}

bool TDirectoryEdit::ReceptFileDir(const std::string& name) {
  const std::string folder = FileExists(name) ? ExtractFileDir(name) : name;
  SetText(AppendFolder(GetText(), folder, FMultipleDirs));
  return true;
}

const TClassInfo& TDirectoryEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TDirectoryEdit", &TCustomEdit::StaticClassInfo())
          .String("DialogText", &TDirectoryEdit::GetDialogText, &TDirectoryEdit::SetDialogText)
          .String("InitialDir", &TDirectoryEdit::GetInitialDir, &TDirectoryEdit::SetInitialDir)
          .Bool("MultipleDirs", &TDirectoryEdit::GetMultipleDirs, &TDirectoryEdit::SetMultipleDirs);
  return info;
}
const TClassInfo* TDirectoryEdit::ClassInfo() const { return &StaticClassInfo(); }
