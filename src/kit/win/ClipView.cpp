// The clipboard viewer and its palette grid.
#include "kit/win/ClipView.h"

#include <cstring>
#include <vector>

#include "kit/PictureBlock.h"
#include "kit/win/ClipIcon.h"
#include "platform/win/Clipbrd.h"

TClipFormatIds ClipboardFormatIds() {
  static const TClipFormatIds ids{PictureClipboardFormat(), ComponentClipboardFormat(), IconClipboardFormat()};
  return ids;
}

namespace {

class TSystemClipboardQuery : public IClipboardQuery {
public:
  bool IsEmpty() override { return ::CountClipboardFormats() == 0; }
  bool HasFormat(unsigned format) override { return format && ::IsClipboardFormatAvailable(format); }
};

// The memo view: no border of its own, the viewer has one.
class TViewMemo : public TMemo {
public:
  explicit TViewMemo(TComponent* owner) : TMemo(owner) {}

protected:
  void CreateParams(TCreateParams& p) override {
    TMemo::CreateParams(p);
    p.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    p.Style &= ~DWORD(WS_BORDER);
  }
};

struct TGlobalLock {
  explicit TGlobalLock(HANDLE h) : Handle(h), Data(h ? ::GlobalLock(h) : nullptr) {}
  ~TGlobalLock() {
    if (Data) ::GlobalUnlock(Handle);
  }
  HANDLE Handle;
  void* Data;
};

// The picture format's block: a bitmap, icon or enhanced metafile file's
// bytes, loaded only once they passed the checks.
void LoadPictureBlock(TPicture& picture, HANDLE h) {
  TGlobalLock lock(h);
  if (!lock.Data) return;
  const size_t size = ::GlobalSize(h);
  const auto* p = static_cast<const BYTE*>(lock.Data);
  switch (PictureBlockKind(p, size)) {
    case pbkBitmap: {
      DWORD bitsOffset = 0;
      std::memcpy(&bitsOffset, p + 10, sizeof bitsOffset);
      // The headers and colour table, aligned as GDI reads them.
      std::vector<DWORD> info((bitsOffset - 14 + sizeof(DWORD) - 1) / sizeof(DWORD));
      std::memcpy(info.data(), p + 14, bitsOffset - 14);
      const auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
      HDC screen = ::GetDC(nullptr);
      HBITMAP bitmap = ::CreateDIBitmap(screen, &bmi->bmiHeader, CBM_INIT, p + bitsOffset, bmi, DIB_RGB_COLORS);
      ::ReleaseDC(nullptr, screen);
      if (bitmap) picture.SetBitmap(bitmap);
      break;
    }
    case pbkIcon:
      if (HICON icon = CreateIconFromBlock(p, size)) picture.SetIcon(icon);
      break;
    case pbkMetafile:
      if (HENHMETAFILE mf = ::SetEnhMetaFileBits(UINT(size), p)) picture.SetMetafile(mf);
      break;
    case pbkNone:
      break;
  }
}

const char* const kEmptyText = "Clipboard is empty";
const char* const kUnknownText = "Cannot display. Data in Clipboard is in an unknown format.";

}  // namespace

// --- TPaletteGrid -------------------------------------------------------------------

TPaletteGrid::TPaletteGrid(TComponent* owner) : TDrawGridWindow(owner) {
  TDrawGrid* grid = GetDrawGrid();
  grid->SetOptions(TGridOptions());
  grid->SetDefaultColWidth(kPaletteCellSize);
  grid->SetDefaultRowHeight(kPaletteCellSize);
  grid->SetFixedCols(0);
  grid->SetFixedRows(0);
  grid->SetDefaultDrawing(false);
  grid->OnDrawCell = [this](ICanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) {
    DrawCell(canvas, col, row, rect, state);
  };
}

void TPaletteGrid::SetPalette(HPALETTE palette) {
  FEntries.clear();
  if (palette) {
    const int count = ClampPaletteCount(int(::GetPaletteEntries(palette, 0, 0, nullptr)));
    FEntries.resize(size_t(count));
    if (count) ::GetPaletteEntries(palette, 0, UINT(count), FEntries.data());
  }
  Layout();
  Invalidate();
}

void TPaletteGrid::Layout() {
  FGeometry = PaletteLayout(int(FEntries.size()), GetClientWidth(), ::GetSystemMetrics(SM_CXVSCROLL),
                            kPaletteCellSize);
  TDrawGrid* grid = GetDrawGrid();
  grid->SetColCount(FGeometry.Columns);
  grid->SetRowCount(FGeometry.Rows);
}

void TPaletteGrid::WndProc(TMessage& msg) {
  TDrawGridWindow::WndProc(msg);
  if (msg.Msg == WM_SIZE) Layout();
}

void TPaletteGrid::DrawCell(ICanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) {
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(rect);
  const int entry = FGeometry.EntryAt(col, row);
  if (entry >= 0) {
    const PALETTEENTRY& e = FEntries[size_t(entry)];
    canvas.SetBrushColor(TColor(e.peRed | e.peGreen << 8 | e.peBlue << 16));
    canvas.FillRect(TRect(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2));
  }
  if (state.Contains(gdSelected) || state.Contains(gdFocused)) canvas.DrawFocusRect(rect);
}

// --- TCustomClipboardViewer -----------------------------------------------------------

TCustomClipboardViewer::TCustomClipboardViewer(TComponent* owner) : TScrollBox(owner) {
  SetColor(clWindow);
}

TCustomClipboardViewer::~TCustomClipboardViewer() { Leave(); }

void TCustomClipboardViewer::CreateWnd() {
  TScrollBox::CreateWnd();
  Join();
}

void TCustomClipboardViewer::DestroyWnd() {
  Leave();
  TScrollBox::DestroyWnd();
}

void TCustomClipboardViewer::Join() {
  if (FChained) return;
  // Joining sends the first notice at once.
  FChained = true;
  FNextWindow = ::SetClipboardViewer(GetHandle());
}

void TCustomClipboardViewer::Leave() {
  if (!FChained) return;
  if (HandleAllocated()) ::ChangeClipboardChain(GetHandle(), FNextWindow);
  FChained = false;
  FNextWindow = nullptr;
}

// Another program's viewer that stopped pumping must not hold ours: chain
// messages go on without waiting for it.
void TCustomClipboardViewer::Forward(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FNextWindow || (HandleAllocated() && FNextWindow == GetHandle()) || !::IsWindow(FNextWindow)) return;
  ::SendNotifyMessageA(FNextWindow, msg, wParam, lParam);
}

void TCustomClipboardViewer::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(msg.WParam) == FNextWindow) {
        FNextWindow = reinterpret_cast<HWND>(msg.LParam);
      } else {
        Forward(WM_CHANGECBCHAIN, msg.WParam, msg.LParam);
      }
      msg.Result = 0;
      return;
    case WM_DRAWCLIPBOARD:
      Forward(WM_DRAWCLIPBOARD, msg.WParam, msg.LParam);
      DrawClipboard();
      msg.Result = 0;
      return;
    case WM_DESTROYCLIPBOARD:
      FViewFormat = cvEmpty;
      if (OnChange) OnChange(this);
      Rebuild();
      return;
    case WM_NCDESTROY:
      Leave();
      break;
    default:
      break;
  }
  TScrollBox::WndProc(msg);
  if (msg.Msg == WM_SIZE) CentreView();
}

void TCustomClipboardViewer::DrawClipboard() {
  // A notice that comes while one is handled (a second announcement of the
  // same copy arrives while the first reads the clipboard) does not run
  // inside it: the running one looks once more when it is done.
  if (FInNotice) {
    FLookAgain = true;
    return;
  }
  FInNotice = true;
  try {
    do {
      FLookAgain = false;
      Changed();
    } while (FLookAgain);
  } catch (...) {
    FInNotice = false;
    throw;
  }
  FInNotice = false;
}

void TCustomClipboardViewer::Changed() {
  TSystemClipboardQuery query;
  FViewFormat = FormatAfterChange(query, FViewFormat, ClipboardFormatIds());
  if (OnChange) OnChange(this);
  if (Showing()) {
    Rebuild();
  } else {
    FStale = true;
  }
}

bool TCustomClipboardViewer::Showing() { return HandleAllocated() && ::IsWindowVisible(GetHandle()); }

bool TCustomClipboardViewer::ValidFormat(TClipboardViewFormat format) {
  TSystemClipboardQuery query;
  return ::ValidFormat(query, format, ClipboardFormatIds());
}

void TCustomClipboardViewer::SetViewFormat(TClipboardViewFormat format) {
  if (format == FViewFormat) return;
  TSystemClipboardQuery query;
  FViewFormat = RequestedFormat(query, format, ClipboardFormatIds());
  if (Showing()) {
    Rebuild();
  } else {
    FStale = true;
  }
}

void TCustomClipboardViewer::UpdateView() {
  if (FStale) Rebuild();
}

void TCustomClipboardViewer::Rebuild() {
  FStale = false;
  delete FView;
  FView = nullptr;
  TSystemClipboardQuery query;
  const bool empty = query.IsEmpty();
  const TClipboardViewFormat format = empty ? cvEmpty : ShownFormat(query, FViewFormat, ClipboardFormatIds());
  FShownFormat = format;
  switch (format) {
    case cvBitmap:
    case cvMetafile:
    case cvPicture:
    case cvIcon:
      ShowImage(format);
      break;
    case cvPalette:
      ShowPalette();
      break;
    default:
      ShowMemo(format, empty);
      break;
  }
}

void TCustomClipboardViewer::ShowMemo(TClipboardViewFormat format, bool empty) {
  auto* memo = new TViewMemo(this);
  memo->SetParent(this);
  memo->SetAlign(alClient);
  memo->SetScrollBars(ssBoth);
  // Text shows in the viewer's own font (a program may give it a
  // fixed-pitch one, so columns line up).
  memo->SetFont(GetFont());
  if (format == cvOemText) {
    TFontData font = memo->GetFont();
    font.Name = "Terminal";
    memo->SetFont(font);
  }
  FView = memo;
  const bool text = format == cvText || format == cvOemText;
  if (!empty && text && ::IsClipboardFormatAvailable(CF_TEXT)) {
    // Filled before it turns read-only: a read-only edit refuses a paste.
    ::SendMessageA(memo->GetHandle(), WM_PASTE, 0, 0);
  } else {
    memo->SetText(empty ? kEmptyText : kUnknownText);
  }
  memo->SetReadOnly(true);
}

void TCustomClipboardViewer::ShowImage(TClipboardViewFormat format) {
  auto* image = new TImage(this);
  TPicture& picture = image->GetPicture();
  if (format == cvIcon) {
    if (HICON icon = CreateIconFromClipboard()) picture.SetIcon(icon);
  } else {
    TOpenedClipboard clipboard(GetHandle());
    if (clipboard) {
      if (format == cvBitmap) {
        if (HANDLE h = ::GetClipboardData(CF_BITMAP))
          picture.SetBitmap(static_cast<HBITMAP>(::CopyImage(h, IMAGE_BITMAP, 0, 0, 0)));
      } else if (format == cvPicture) {
        if (HANDLE h = ::GetClipboardData(ClipboardFormatIds().Picture)) LoadPictureBlock(picture, h);
      } else if (HANDLE h = ::GetClipboardData(CF_ENHMETAFILE)) {
        // The system makes the enhanced kind of an old-style metafile picture.
        picture.SetMetafile(::CopyEnhMetaFile(static_cast<HENHMETAFILE>(h), nullptr));
      }
    }
  }
  if (picture.Empty()) {
    // A block that fails its checks, or data that could not be had.
    delete image;
    FShownFormat = cvUnknown;
    ShowMemo(cvUnknown, false);
    return;
  }
  image->SetBounds(0, 0, picture.GetWidth(), picture.GetHeight());
  image->SetParent(this);
  FView = image;
  CentreView();
}

void TCustomClipboardViewer::ShowPalette() {
  auto* grid = new TPaletteGrid(this);
  grid->SetBorder(false);
  grid->SetParent(this);
  grid->SetAlign(alClient);
  FView = grid;
  TOpenedClipboard clipboard(GetHandle());
  grid->SetPalette(clipboard ? static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE)) : nullptr);
}

void TCustomClipboardViewer::CentreView() {
  if (!FView || FView->GetAlign() != alNone) return;
  const int left = std::max(0, (GetClientWidth() - FView->GetWidth()) / 2);
  const int top = std::max(0, (GetClientHeight() - FView->GetHeight()) / 2);
  FView->SetBounds(left, top, FView->GetWidth(), FView->GetHeight());
}
