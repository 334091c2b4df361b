#include "kit/win/RxRichEd.h"

#include <richedit.h>
#include <richole.h>

#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "kit/win/RxRichFormats.h"
#include "kit/win/RxRichOle.h"
#include "platform/win/Application.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/PrintDevice.h"

// --- The library -------------------------------------------------------------

namespace {

struct TLibraryState {
  bool Chosen = false;
  TRichEditLibraryNames Names;
  TRichEditLibrary Library;
  TRichEditLibraryUse Use;
  TRichClipboardFormats Formats;
  int MajorVersion = 6;

  void Free() {
    if (Library.Handle) ::FreeLibrary(static_cast<HMODULE>(Library.Handle));
    Library.Handle = nullptr;
  }
  // The program ends: the library goes now, or with the last window.
  ~TLibraryState() {
    if (Use.ProgramEnded()) Free();
  }
};

TLibraryState& Lib() {
  static TLibraryState state;
  return state;
}

void ChooseLibrary() {
  TLibraryState& s = Lib();
  if (s.Chosen) return;
  s.Chosen = true;
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ::GetVersionExA(&info);
  char folder[MAX_PATH + 1] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  TRichEditSystem system;
  system.SystemFolder = folder;
  system.PlatformId = static_cast<int>(info.dwPlatformId);
  system.MajorVersion = static_cast<int>(info.dwMajorVersion);
  s.MajorVersion = system.MajorVersion;
  system.Load = [](const std::string& path) -> void* {
    HMODULE module = ::LoadLibraryA(path.c_str());
    return reinterpret_cast<uintptr_t>(module) < 32 ? nullptr : module;
  };
  // No "file not found" box from the system while looking.
  const UINT oldMode = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
  s.Library = ChooseRichEditLibrary(system, s.Names);
  ::SetErrorMode(oldMode);
  s.Formats.EmbeddedObject = ::RegisterClipboardFormatA("Embedded Object");
  s.Formats.LinkSource = ::RegisterClipboardFormatA("Link Source");
  s.Formats.RichText = ::RegisterClipboardFormatA("Rich Text Format");
  s.Formats.RichTextNoObjects = ::RegisterClipboardFormatA("Rich Text Format Without Objects");
}

}  // namespace

int RichEditVersion() {
  ChooseLibrary();
  return Lib().Library.Version;
}

void SetRichEditLibraryNames(const TRichEditLibraryNames& names) { Lib().Names = names; }

std::string RichEditLibraryPath() {
  ChooseLibrary();
  return Lib().Library.Path;
}

const TRichClipboardFormats& RichClipboardFormats() {
  ChooseLibrary();
  return Lib().Formats;
}

namespace {

// Stream callbacks: no exception may cross into the control.
struct TStreamContext {
  TRichStreamReader* Reader = nullptr;
  TStream* Out = nullptr;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* context = reinterpret_cast<TStreamContext*>(cookie);
  try {
    *done = context->Reader->Read(reinterpret_cast<char*>(buffer), size);
    return 0;
  } catch (...) {
    *done = 0;
    return 1;
  }
}

DWORD CALLBACK StreamOutCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* context = reinterpret_cast<TStreamContext*>(cookie);
  try {
    *done = static_cast<LONG>(context->Out->Write(buffer, size));
    return 0;
  } catch (...) {
    *done = 0;
    return 1;
  }
}

}  // namespace

// --- The line list -----------------------------------------------------------

int TRichEditStrings::GetCount() const {
  auto* e = FRichEdit;
  int count = static_cast<int>(e->Send(EM_GETLINECOUNT));
  // The control counts the empty line after a final line end.
  if (count > 0) {
    const int start = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(count - 1)));
    if (e->Send(EM_LINELENGTH, static_cast<WPARAM>(start)) == 0) --count;
  }
  return count;
}

std::string TRichEditStrings::Get(int i) const {
  auto* e = FRichEdit;
  const int start = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(i)));
  if (start < 0) return std::string();
  const int length = static_cast<int>(e->Send(EM_LINELENGTH, static_cast<WPARAM>(start)));
  std::string line = e->GetTextRange(start, start + length);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

void TRichEditStrings::Put(int i, const std::string& s) {
  auto* e = FRichEdit;
  const int start = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(i)));
  if (start < 0) return;
  const int length = static_cast<int>(e->Send(EM_LINELENGTH, static_cast<WPARAM>(start)));
  CHARRANGE r{start, start + length};
  e->Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  e->Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TRichEditStrings::Insert(int i, const std::string& s) {
  auto* e = FRichEdit;
  const int version = RichEditVersion();
  int start = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(i)));
  bool afterLast = false;
  if (start < 0) {
    // Past the last line: at the end of the line before, if there is one.
    start = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(i - 1)));
    if (start < 0) return;
    start += static_cast<int>(e->Send(EM_LINELENGTH, static_cast<WPARAM>(start)));
    afterLast = true;
  }
  CHARRANGE r{start, start};
  e->Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  const std::string text = RichInsertLineText(version, s, afterLast);
  FInserting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FInserting};
  const int before = e->GetTextLength();
  e->SetSelText(text);
  if (version == 1 && e->GetTextLength() != before + static_cast<int>(text.size()))
    throw EOutOfResources("RichEdit line insertion error");
}

void TRichEditStrings::Delete(int i) {
  auto* e = FRichEdit;
  const int start = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(i)));
  if (start < 0) return;
  int end = static_cast<int>(e->Send(EM_LINEINDEX, static_cast<WPARAM>(i + 1)));
  if (end < 0) end = start + static_cast<int>(e->Send(EM_LINELENGTH, static_cast<WPARAM>(start)));
  CHARRANGE r{start, end};
  e->Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  e->Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
}

void TRichEditStrings::Clear() { FRichEdit->SetText(""); }

std::string TRichEditStrings::GetTextStr() const {
  // Line ends as CR LF, as every other list gives them.
  std::string text = FRichEdit->GetTextRange(0, FRichEdit->GetTextLength());
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

void TRichEditStrings::SetTextStr(std::string_view text) {
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  stream.SetPosition(0);
  Load(stream, true);
}

void TRichEditStrings::Load(TStream& stream, bool plain) {
  auto* e = FRichEdit;
  e->HandleNeeded();
  const int version = RichEditVersion();
  const TRichStreamModes modes = e->FStreamMode;
  auto kindOf = [&](bool p) {
    if (!p) return TRichStreamReader::rkRich;
    return modes.Contains(smUnicode) && version >= 2 ? TRichStreamReader::rkUnicode : TRichStreamReader::rkAnsi;
  };
  const bool selection = modes.Contains(smSelection);
  CHARRANGE before{};
  e->Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&before));
  const int lengthBefore = e->GetTextLength();

  TRichStreamReader reader(stream, kindOf(plain));
  TStreamContext context{&reader, nullptr};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&context);
  es.pfnCallback = StreamInCallback;
  e->Send(EM_STREAMIN, RichStreamFlags(plain, modes, version, false), reinterpret_cast<LPARAM>(&es));
  if (es.dwError != 0) {
    // A truncated rich text loads what it could and then reports the error:
    // with a selection, take out what the first attempt put in.
    if (selection) {
      const int inserted = e->GetTextLength() - (lengthBefore - (before.cpMax - before.cpMin));
      if (inserted > 0) {
        CHARRANGE r{before.cpMin, before.cpMin + inserted};
        e->Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
        e->Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
      }
    }
    plain = !plain;
    reader.Restart(kindOf(plain));
    es.dwError = 0;
    e->Send(EM_STREAMIN, RichStreamFlags(plain, modes, version, false), reinterpret_cast<LPARAM>(&es));
    if (es.dwError != 0) throw EOutOfResources("Failed to Load Stream");
  }
  CHARRANGE start{0, 0};
  e->Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  e->Send(EM_SCROLLCARET);
}

void TRichEditStrings::Save(TStream& stream, bool plain) const {
  auto* e = FRichEdit;
  e->HandleNeeded();
  TStreamContext context{nullptr, &stream};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&context);
  es.pfnCallback = StreamOutCallback;
  e->Send(EM_STREAMOUT, RichStreamFlags(plain, e->FStreamMode, RichEditVersion(), true),
          reinterpret_cast<LPARAM>(&es));
  if (es.dwError != 0) throw EOutOfResources("Failed to Save Stream");
}

void TRichEditStrings::LoadFromStream(TStream& stream) {
  Load(stream, StreamsPlainText(FRichEdit->FStreamFormat, FRichEdit->FPlainText));
}

void TRichEditStrings::SaveToStream(TStream& stream) const {
  Save(stream, StreamsPlainText(FRichEdit->FStreamFormat, FRichEdit->FPlainText));
}

void TRichEditStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  TRichConversionFormat format;
  if (FindConversionFormat(fileName, format))
    Load(stream, format.PlainText);
  else
    LoadFromStream(stream);
}

void TRichEditStrings::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, fmCreate);
  TRichConversionFormat format;
  if (FindConversionFormat(fileName, format))
    Save(stream, format.PlainText);
  else
    SaveToStream(stream);
}

// --- The control -------------------------------------------------------------

// The control's answers to the object callback.
class TRxCustomRichEdit::TOleHost final : public IRichOleHost {
public:
  explicit TOleHost(TRxCustomRichEdit& edit) : FEdit(edit) {}
  bool OleAllowObjects() const override { return FEdit.FAllowObjects; }
  bool OleAllowInPlace() const override { return FEdit.FAllowInPlace; }
  bool OleAutoVerbMenu() const override { return FEdit.FAutoVerbMenu; }
  HWND OleWindow() const override { return FEdit.FHandle; }
  std::string OleContainerName() const override { return FEdit.ContainerName(); }
  IOleObject* OleSelectedObject() const override {
    if (!FEdit.FRichEditOle) return nullptr;
    REOBJECT obj{};
    obj.cbStruct = sizeof obj;
    if (FAILED(FEdit.FRichEditOle->GetObject(REO_IOB_SELECTION, &obj, REO_GETOBJ_POLEOBJ))) return nullptr;
    return obj.poleobj;
  }
  POINT OleMenuPoint() const override { return FEdit.FContextPoint; }

private:
  TRxCustomRichEdit& FEdit;
};

TRxCustomRichEdit::TRxCustomRichEdit(TComponent* owner)
    : TCustomMemo(owner), FOleHost(std::make_unique<TOleHost>(*this)) {
  RichEditVersion();
  SetScrollBars(ssBoth);
  FWidth = 185;
  FHeight = 89;
  HDC dc = ::GetDC(nullptr);
  FScreenLogPixels = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
}

TRxCustomRichEdit::~TRxCustomRichEdit() {
  // Our DestroyWnd must run while this object is whole: it gives back the
  // library use.
  FDestroying = true;
  DestroyHandle();
}

LRESULT TRxCustomRichEdit::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  auto* self = const_cast<TRxCustomRichEdit*>(this);
  return ::SendMessageA(self->GetHandle(), msg, wParam, lParam);
}

void TRxCustomRichEdit::CreateParams(TCreateParams& p) {
  TCustomMemo::CreateParams(p);
  const int version = RichEditVersion();
  if (version == 0) throw EComponentError("Error creating window class");
  p.SysClassName = RichEditClassName(version);
  // The content comes by stream, never as the window's text.
  p.Caption.clear();
  if (!FHideScrollBars) p.Style |= ES_DISABLENOSCROLL;
  if (!FHideSelection) p.Style |= ES_NOHIDESEL;
  if (FSelectionBar) p.Style |= ES_SELECTIONBAR;
  p.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TRxCustomRichEdit::CreateWnd() {
  TCustomMemo::CreateWnd();
  Lib().Use.WindowCreated();
  FCounted = true;
  const int version = RichEditVersion();
  // 1. What the control reports to us.
  Send(EM_SETEVENTMASK, 0, version == 1 ? 0x2C0001 : 0x42C0001);
  // 2. Background.
  Send(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FColor)));
  // 3. Length limit and word selection.
  Send(EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0xFFFFFF);
  Send(EM_SETOPTIONS, FWordSelection ? ECOOP_OR : ECOOP_AND,
       FWordSelection ? ECO_AUTOWORDSELECTION : ~static_cast<LPARAM>(ECO_AUTOWORDSELECTION));
  // 4. Links, undo, text mode and language options.
  if (version >= 2) {
    Send(EM_AUTOURLDETECT, FAutoURLDetect ? TRUE : FALSE);
    FUndoLimit = static_cast<int>(Send(EM_SETUNDOLIMIT, static_cast<WPARAM>(std::max(0, FUndoLimit))));
    Send(EM_SETTEXTMODE, FPlainText ? TM_PLAINTEXT : TM_RICHTEXT);
    LPARAM lang = 0;
    if (FLangOptions.Contains(rlAutoKeyboard)) lang |= IMF_AUTOKEYBOARD;
    if (FLangOptions.Contains(rlAutoFont)) lang |= IMF_AUTOFONT;
    if (FLangOptions.Contains(rlImeCancelComplete)) lang |= IMF_IMECANCELCOMPLETE;
    if (FLangOptions.Contains(rlImeAlwaysSendNotify)) lang |= IMF_IMEALWAYSSENDNOTIFY;
    Send(EM_SETLANGOPTIONS, 0, lang);
  }
  // 5. Embedded objects.
  if (FAllowObjects) InstallOleCallback();
  // The control starts in its own bold system font: the default text takes
  // ours.
  ApplyDefaultFont();
  // 6. The content kept across a re-creation.
  if (FSavedContent) {
    std::unique_ptr<TMemoryStream> saved = std::move(FSavedContent);
    saved->SetPosition(0);
    char plain = 0;
    saved->ReadBuffer(&plain, 1);
    FLines.Load(*saved, plain != 0);
    SetModified(FSavedModified);
  }
}

void TRxCustomRichEdit::DestroyWnd() {
  if (!FDestroying && FHandle) {
    // Kept for the next window (a style change makes a new one).
    FSavedModified = GetModified();
    auto saved = std::make_unique<TMemoryStream>();
    const char plain = FPlainText ? 1 : 0;
    saved->WriteBuffer(&plain, 1);
    try {
      FLines.Save(*saved, plain != 0);
      FSavedContent = std::move(saved);
    } catch (const Exception&) {
      FSavedContent.reset();
    }
  }
  TCustomMemo::DestroyWnd();
  // The window went (WM_NCDESTROY counted it); after the program's end the
  // last one takes the library with it, now that its code no longer runs.
  if (Lib().Use.Ended() && Lib().Use.Windows() == 0) Lib().Free();
}

void TRxCustomRichEdit::InstallOleCallback() {
  // Objects need OLE on this thread (the control's clipboard and drops go
  // through it); once, for the program's life.
  static const bool oleReady = SUCCEEDED(::OleInitialize(nullptr));
  (void)oleReady;
  FOleCallback = new TRichEditOleCallback(FOleHost.get());
  Send(EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(FOleCallback)));
  IRichEditOle* ole = nullptr;
  Send(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
  FRichEditOle = ole;
  SetHostNames();
}

void TRxCustomRichEdit::SetHostNames() {
  if (!FRichEditOle) return;
  std::string app = Application ? Application->GetTitle() : std::string();
  std::string container = ContainerName();
  FRichEditOle->SetHostNames(app.data(), container.data());
}

std::string TRxCustomRichEdit::ContainerName() const {
  return RichContainerName(FTitle, Application ? Application->GetTitle() : std::string());
}

void TRxCustomRichEdit::SetTitle(const std::string& v) {
  if (v == FTitle) return;
  FTitle = v;
  SetHostNames();
}

void TRxCustomRichEdit::CloseObjects() {
  if (FRichEditOle) {
    const LONG count = FRichEditOle->GetObjectCount();
    for (LONG i = 0; i < count; ++i) {
      REOBJECT obj{};
      obj.cbStruct = sizeof obj;
      if (SUCCEEDED(FRichEditOle->GetObject(i, &obj, REO_GETOBJ_POLEOBJ)) && obj.poleobj) {
        obj.poleobj->Close(OLECLOSE_NOSAVE);
        obj.poleobj->Release();
      }
    }
    FRichEditOle->Release();
    FRichEditOle = nullptr;
  }
  if (FOleCallback) {
    if (FHandle) Send(EM_SETOLECALLBACK, 0, 0);
    FOleCallback->Detach();
    FOleCallback->Release();
    FOleCallback = nullptr;
  }
}

void TRxCustomRichEdit::ApplyDefaultFont() {
  if (!FHandle) return;
  FDefAttributes.AssignFont(GetFont());
}

void TRxCustomRichEdit::SetColor(TColor color) {
  TCustomMemo::SetColor(color);
  if (FHandle) Send(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(color)));
}

void TRxCustomRichEdit::SetAutoURLDetect(bool v) {
  FAutoURLDetect = v;
  if (FHandle && RichEditVersion() >= 2) Send(EM_AUTOURLDETECT, v ? TRUE : FALSE);
}

void TRxCustomRichEdit::SetHideScrollBars(bool v) {
  if (v == FHideScrollBars) return;
  FHideScrollBars = v;
  RecreateWnd();
}

void TRxCustomRichEdit::SetHideSelection(bool v) {
  if (v == FHideSelection) return;
  FHideSelection = v;
  if (FHandle) Send(EM_HIDESELECTION, v ? TRUE : FALSE, FALSE);
}

void TRxCustomRichEdit::SetSelectionBar(bool v) {
  if (v == FSelectionBar) return;
  FSelectionBar = v;
  RecreateWnd();
}

void TRxCustomRichEdit::SetLangOptions(TRichLangOptions v) {
  FLangOptions = v;
  if (FHandle) RecreateWnd();
}

void TRxCustomRichEdit::SetUndoLimit(int v) {
  FUndoLimit = std::max(0, v);
  if (FHandle && RichEditVersion() >= 2)
    FUndoLimit = static_cast<int>(Send(EM_SETUNDOLIMIT, static_cast<WPARAM>(FUndoLimit)));
}

void TRxCustomRichEdit::SetWordSelection(bool v) {
  FWordSelection = v;
  if (FHandle)
    Send(EM_SETOPTIONS, v ? ECOOP_OR : ECOOP_AND, v ? ECO_AUTOWORDSELECTION : ~static_cast<LPARAM>(ECO_AUTOWORDSELECTION));
}

void TRxCustomRichEdit::SetMaxLength(int v) {
  FMaxLength = std::max(0, v);
  if (FHandle) Send(EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0xFFFFFF);
}

bool TRxCustomRichEdit::GetModified() const { return FHandle && Send(EM_GETMODIFY) != 0; }

void TRxCustomRichEdit::SetModified(bool v) {
  if (FHandle) Send(EM_SETMODIFY, v ? TRUE : FALSE);
}

void TRxCustomRichEdit::SetPlainText(bool v) {
  if (v == FPlainText) return;
  if (!FHandle || RichEditVersion() < 2) {
    FPlainText = v;
    return;
  }
  SetPlainTextMode(v);
}

void TRxCustomRichEdit::SetPlainTextMode(bool plain) {
  // The control switches modes only while empty: save, clear, switch, load.
  TMemoryStream saved;
  FLines.Save(saved, plain);
  SetText("");
  // Wine refuses or ignores the switch; the content goes back all the same.
  Send(EM_SETTEXTMODE, plain ? TM_PLAINTEXT : TM_RICHTEXT);
  FPlainText = plain;
  saved.SetPosition(0);
  FLines.Load(saved, plain);
}

std::string TRxCustomRichEdit::GetTextRange(int startPos, int endPos) const {
  if (endPos <= startPos) return std::string();
  std::string text(static_cast<size_t>(endPos - startPos) * 2 + 1, '\0');
  TEXTRANGEA range{};
  range.chrg.cpMin = startPos;
  range.chrg.cpMax = endPos;
  range.lpstrText = text.data();
  const int n = static_cast<int>(Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
  text.resize(static_cast<size_t>(std::max(0, n)));
  return text;
}

int TRxCustomRichEdit::GetTextLength() const {
  if (RichEditVersion() == 1) return static_cast<int>(Send(WM_GETTEXTLENGTH));
  GETTEXTLENGTHEX info{};
  info.flags = GTL_NUMCHARS | GTL_PRECISE;
  info.codepage = CP_ACP;
  return static_cast<int>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&info)));
}

int TRxCustomRichEdit::GetSelStart() const {
  CHARRANGE r{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMin;
}

void TRxCustomRichEdit::SetSelStart(int v) {
  CHARRANGE r{v, v};
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int TRxCustomRichEdit::GetSelLength() const {
  CHARRANGE r{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMax - r.cpMin;
}

void TRxCustomRichEdit::SetSelLength(int v) {
  CHARRANGE r{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  r.cpMax = r.cpMin + v;
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

std::string TRxCustomRichEdit::GetSelText() const {
  CHARRANGE r{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return GetTextRange(r.cpMin, r.cpMax);
}

void TRxCustomRichEdit::SetSelText(const std::string& text) {
  const int start = GetSelStart();
  const bool undoable = RichEditVersion() >= 2 && FUndoLimit >= 2;
  Send(EM_REPLACESEL, undoable ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  if (!FLines.FInserting && undoable) {
    const int end = GetSelStart();
    CHARRANGE r{start, end};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    Send(EM_SCROLLCARET);
  }
}

TPoint TRxCustomRichEdit::GetCaretPos() const {
  CHARRANGE r{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  const int line = static_cast<int>(Send(EM_EXLINEFROMCHAR, 0, r.cpMax));
  const int start = static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(line)));
  return TPoint(r.cpMax - start, line);
}

void TRxCustomRichEdit::CopyToClipboard() { Send(WM_COPY); }

void TRxCustomRichEdit::SelectAll() {
  CHARRANGE r{0, -1};
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

// --- Notifications -----------------------------------------------------------

void TRxCustomRichEdit::TextNotFound(const std::string& findText) {
  if (OnTextNotFound) OnTextNotFound(this, findText);
}

void TRxCustomRichEdit::RequestSize(const TRect& rect) {
  if (OnResizeRequest) OnResizeRequest(this, rect);
}

void TRxCustomRichEdit::CloseFindDialog() {
  if (OnCloseFindDialog) OnCloseFindDialog(this);
}

void TRxCustomRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

bool TRxCustomRichEdit::ProtectChange(UINT msg, WPARAM wParam, LPARAM lParam, int startPos, int endPos) {
  bool allow = false;
  if (OnProtectChange) OnProtectChange(this, startPos, endPos, allow);
  if (OnProtectChangeEx) OnProtectChangeEx(this, msg, wParam, lParam, startPos, endPos, allow);
  return allow;
}

bool TRxCustomRichEdit::SaveClipboard(int numObjects, int numChars) {
  bool save = true;
  if (OnSaveClipboard) OnSaveClipboard(this, numObjects, numChars, save);
  return save;
}

void TRxCustomRichEdit::URLClick(const std::string& url, TMouseButton button) {
  if (OnURLClick) OnURLClick(this, url, button);
}

bool TRxCustomRichEdit::Notify(LPARAM lParam, LRESULT& result) {
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  switch (hdr->code) {
    case EN_SELCHANGE:
      if (!FQuiet) SelectionChange();
      return true;
    case EN_REQUESTRESIZE: {
      auto* r = reinterpret_cast<REQRESIZE*>(lParam);
      RequestSize(TRect(r->rc.left, r->rc.top, r->rc.right, r->rc.bottom));
      return true;
    }
    case EN_PROTECTED: {
      auto* p = reinterpret_cast<ENPROTECTED*>(lParam);
      result = ProtectChange(p->msg, p->wParam, p->lParam, p->chrg.cpMin, p->chrg.cpMax) ? 0 : 1;
      return true;
    }
    case EN_SAVECLIPBOARD: {
      auto* s = reinterpret_cast<ENSAVECLIPBOARD*>(lParam);
      result = SaveClipboard(static_cast<int>(s->cObjectCount), static_cast<int>(s->cch)) ? 0 : 1;
      return true;
    }
    case EN_LINK: {
      auto* link = reinterpret_cast<ENLINK*>(lParam);
      switch (link->msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
          FLinkPress.Press(link->chrg.cpMin, link->chrg.cpMax, link->msg == WM_LBUTTONDOWN ? mbLeft : mbRight);
          break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
          const TMouseButton button = link->msg == WM_LBUTTONUP ? mbLeft : mbRight;
          if (FLinkPress.Release(link->chrg.cpMin, link->chrg.cpMax, button))
            URLClick(GetTextRange(link->chrg.cpMin, link->chrg.cpMax), button);
          break;
        }
        default:
          break;
      }
      return true;
    }
    default:
      return false;
  }
}

void TRxCustomRichEdit::SetText(const std::string& text) {
  if (!FHandle) {
    TCustomMemo::SetText(text);
    return;
  }
  ::SetWindowTextA(FHandle, text.c_str());
}

void TRxCustomRichEdit::WndProc(TMessage& msg) {
  if (msg.Msg == WM_NCDESTROY && FCounted) {
    // Also when a parent's window takes this one with it.
    FCounted = false;
    Lib().Use.WindowDestroyed();
  }
  if (msg.Msg == WM_DESTROY) {
    // Also when a parent's window takes this one with it: the objects close
    // while the control can still name them.
    CloseObjects();
  }
  if (msg.Msg == WM_CONTEXTMENU) {
    // Where the object menu goes; from the keyboard, at the control's
    // corner.
    FContextPoint = POINT{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
    if (LOWORD(msg.LParam) == 0xFFFF && HIWORD(msg.LParam) == 0xFFFF) {
      FContextPoint = POINT{0, 0};
      ::ClientToScreen(FHandle, &FContextPoint);
    }
  }
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == EN_CHANGE) {
    // The text stays in the window: copying all of it on every change would
    // cost as much as the change itself on a long text.
    Change();
    return;
  }
  if (msg.Msg == CN_NOTIFY) {
    LRESULT result = 0;
    if (Notify(msg.LParam, result)) {
      msg.Result = result;
      return;
    }
  }
  if (msg.Msg == WM_SETFONT) {
    // The control takes the face and size from the font handle; the colour
    // and the rest come with the default format.
    TCustomMemo::WndProc(msg);
    ApplyDefaultFont();
    return;
  }
  if (msg.Msg == WM_RBUTTONUP && Lib().MajorVersion < 5) {
    TCustomMemo::WndProc(msg);
    // Older systems' controls never send the context menu themselves.
    ::SendMessageA(FHandle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle),
                   static_cast<LPARAM>(::GetMessagePos()));
    return;
  }
  TCustomMemo::WndProc(msg);
}

// --- Printing ----------------------------------------------------------------

namespace {

// The control's own page formatting on a printer's device context.
class TControlPageEngine : public IRichPageEngine {
public:
  TControlPageEngine(TRxCustomRichEdit& edit, HWND wnd, HDC dc, const RECT& rc, const RECT& page)
      : FEdit(edit), FWnd(wnd), FDC(dc), FRect(rc), FPage(page) {}
  int TextLength() override { return FEdit.GetTextLength(); }
  int FormatPage(int first, bool render) override {
    FORMATRANGE range{};
    range.hdc = FDC;
    range.hdcTarget = FDC;
    range.rc = FRect;
    range.rcPage = FPage;
    range.chrg.cpMin = first;
    range.chrg.cpMax = -1;
    return static_cast<int>(::SendMessageA(FWnd, EM_FORMATRANGE, render ? TRUE : FALSE,
                                           reinterpret_cast<LPARAM>(&range)));
  }
  void ClearFormatting() override { ::SendMessageA(FWnd, EM_FORMATRANGE, FALSE, 0); }

private:
  TRxCustomRichEdit& FEdit;
  HWND FWnd;
  HDC FDC;
  RECT FRect, FPage;
};

}  // namespace

void TRxCustomRichEdit::Print(const std::string& title) {
  TktPrinterDevice printer;
  PrintOn(printer, title);
}

void TRxCustomRichEdit::PrintOn(IktPrintDevice& printer, const std::string& title) {
  HandleNeeded();
  const TRect whole(0, 0, printer.PageWidth(), printer.PageHeight());
  const TRect pixels = FPageRect.Width() > 0 && FPageRect.Height() > 0 ? FPageRect : whole;
  FLastPrintEngine = false;
  FLastPrintPages = 0;
  if (auto* device = dynamic_cast<TktPrinterDevice*>(&printer)) {
    HDC dc = device->Handle();
    const TRect rcTwips = PixelsToTwips(pixels, printer.PixelsPerInchX(), printer.PixelsPerInchY());
    const TRect pageTwips = PixelsToTwips(whole, printer.PixelsPerInchX(), printer.PixelsPerInchY());
    const RECT rc{rcTwips.Left, rcTwips.Top, rcTwips.Right, rcTwips.Bottom};
    const RECT page{pageTwips.Left, pageTwips.Top, pageTwips.Right, pageTwips.Bottom};
    const int oldMode = ::SetMapMode(dc, MM_TEXT);
    TControlPageEngine engine(*this, FHandle, dc, rc, page);
    int pages = 0;
    bool printed = false;
    try {
      printed = PrintWithEngine(printer, engine, title, pages);
    } catch (...) {
      ::SetMapMode(dc, oldMode);
      throw;
    }
    ::SetMapMode(dc, oldMode);
    if (printed) {
      FLastPrintEngine = true;
      FLastPrintPages = pages;
      return;
    }
  }
  // The control cannot format a page: our own layout of its text.
  FLastPrintPages = PrintRichLayout(printer, ReadParagraphs(), pixels, title);
}

std::vector<TRichParagraph> TRxCustomRichEdit::ReadParagraphs() {
  HandleNeeded();
  std::vector<TRichParagraph> paragraphs;
  const int length = GetTextLength();
  const std::string text = GetTextRange(0, length);
  // Reading formats needs selections: hide them and their notices, and put
  // the user's selection back afterwards.
  CHARRANGE saved{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  const LRESULT mask = Send(EM_GETEVENTMASK);
  Send(EM_SETEVENTMASK, 0, 0);
  Send(WM_SETREDRAW, FALSE);
  FQuiet = true;
  const DWORD wanted = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR;
  auto formatOf = [&](int from, int to, CHARFORMAT2A& f) {
    CHARRANGE r{from, to};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    f = NewCharFormat();
    f.dwMask = wanted;
    Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
    return (f.dwMask & wanted) == wanted;
  };
  auto fontOf = [](const CHARFORMAT2A& f) {
    TRichFont font;
    font.Face = f.szFaceName;
    font.Size = std::max(1, static_cast<int>(f.yHeight / 20));
    if (f.dwEffects & CFE_BOLD) font.Style.Include(fsBold);
    if (f.dwEffects & CFE_ITALIC) font.Style.Include(fsItalic);
    if (f.dwEffects & CFE_UNDERLINE) font.Style.Include(fsUnderline);
    font.Color = (f.dwEffects & CFE_AUTOCOLOR) ? clBlack : static_cast<TColor>(f.crTextColor);
    return font;
  };
  try {
    int pos = 0;
    const int size = static_cast<int>(text.size());
    while (pos <= size) {
      int end = pos;
      while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
      TRichParagraph p;
      CHARRANGE at{pos, pos};
      Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
      PARAFORMAT2 pf = NewParaFormat();
      pf.dwMask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT;
      Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
      p.Align = pf.wAlignment == PFA_RIGHT ? raRight : pf.wAlignment == PFA_CENTER ? raCenter : raLeft;
      p.FirstIndent = std::max(0L, static_cast<long>(pf.dxStartIndent));
      p.LeftIndent = std::max(0L, static_cast<long>(pf.dxStartIndent + pf.dxOffset));
      p.RightIndent = std::max(0L, static_cast<long>(pf.dxRightIndent));
      CHARFORMAT2A f;
      formatOf(end, end + 1, f);
      p.EndFont = fontOf(f);
      // Runs: the longest range from pos with one format, found by doubling
      // its length and then halving back.
      int runStart = pos;
      while (runStart < end) {
        int good = runStart + 1;
        formatOf(runStart, good, f);
        CHARFORMAT2A runFormat = f;
        int step = 1;
        int bad = -1;
        while (good < end) {
          const int probe = std::min(end, good + step);
          if (formatOf(runStart, probe, f)) {
            good = probe;
            step *= 2;
          } else {
            bad = probe;
            break;
          }
        }
        if (bad > 0) {
          while (bad - good > 1) {
            const int mid = good + (bad - good) / 2;
            if (formatOf(runStart, mid, f))
              good = mid;
            else
              bad = mid;
          }
        }
        p.Runs.push_back({text.substr(static_cast<size_t>(runStart), static_cast<size_t>(good - runStart)),
                          fontOf(runFormat)});
        runStart = good;
      }
      paragraphs.push_back(std::move(p));
      if (end >= size) break;
      pos = end + 1;
      if (text[end] == '\r' && pos < size && text[pos] == '\n') ++pos;
      if (pos >= size) break;
    }
  } catch (...) {
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    Send(WM_SETREDRAW, TRUE);
    Send(EM_SETEVENTMASK, 0, mask);
    FQuiet = false;
    throw;
  }
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  Send(WM_SETREDRAW, TRUE);
  Send(EM_SETEVENTMASK, 0, mask);
  FQuiet = false;
  ::InvalidateRect(FHandle, nullptr, FALSE);
  return paragraphs;
}

// --- Published properties ----------------------------------------------------

const TClassInfo& TRxCustomRichEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TRxCustomRichEdit", &TCustomMemo::StaticClassInfo())
          .Object("Lines", &TRxCustomRichEdit::GetLines)
          .Bool("AutoURLDetect", &TRxCustomRichEdit::GetAutoURLDetect, &TRxCustomRichEdit::SetAutoURLDetect)
          .Bool("AllowObjects", &TRxCustomRichEdit::GetAllowObjects, &TRxCustomRichEdit::SetAllowObjects)
          .Bool("AllowInPlace", &TRxCustomRichEdit::GetAllowInPlace, &TRxCustomRichEdit::SetAllowInPlace)
          .Bool("AutoVerbMenu", &TRxCustomRichEdit::GetAutoVerbMenu, &TRxCustomRichEdit::SetAutoVerbMenu)
          .Bool("HideScrollBars", &TRxCustomRichEdit::GetHideScrollBars, &TRxCustomRichEdit::SetHideScrollBars)
          .Bool("HideSelection", &TRxCustomRichEdit::GetHideSelection, &TRxCustomRichEdit::SetHideSelection)
          .Bool("PlainText", &TRxCustomRichEdit::GetPlainText, &TRxCustomRichEdit::SetPlainText)
          .Bool("SelectionBar", &TRxCustomRichEdit::GetSelectionBar, &TRxCustomRichEdit::SetSelectionBar)
          .String("Title", &TRxCustomRichEdit::GetTitle, &TRxCustomRichEdit::SetTitle)
          .Integer("UndoLimit", &TRxCustomRichEdit::GetUndoLimit, &TRxCustomRichEdit::SetUndoLimit)
          .Bool("WordSelection", &TRxCustomRichEdit::GetWordSelection, &TRxCustomRichEdit::SetWordSelection);
  return info;
}
const TClassInfo* TRxCustomRichEdit::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TRxRichEdit::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TRxRichEdit", &TRxCustomRichEdit::StaticClassInfo());
  return info;
}
const TClassInfo* TRxRichEdit::ClassInfo() const { return &StaticClassInfo(); }
