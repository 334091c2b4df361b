// TRxRichEdit: the system's rich-edit control on our memo. It picks the
// newest rich-edit library present (once, by full path from the system
// folder), streams rich and plain text in and out through its line list,
// reports clicks on detected links, and prints -- through the control's own
// page formatting, or through our layout where the control cannot format a
// page (Wine's). With AllowObjects it hosts embedded objects through the
// callback in RxRichOle.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kit/RichPrint.h"
#include "kit/RichStream.h"
#include "platform/PrintDevice.h"
#include "platform/Streams.h"
#include "platform/win/StdCtrls.h"

// --- The library -------------------------------------------------------------

// The library version in use (1, 2 or 3), chosen on the first call; 0 when
// no rich-edit library could be loaded.
int RichEditVersion();
// The names to try; for tests, before anything chose the library.
void SetRichEditLibraryNames(const TRichEditLibraryNames& names);
// The full path of the library loaded ("" when none).
std::string RichEditLibraryPath();

// The program-wide clipboard formats, registered with the library choice.
struct TRichClipboardFormats {
  UINT EmbeddedObject = 0;    // "Embedded Object"
  UINT LinkSource = 0;        // "Link Source"
  UINT RichText = 0;          // "Rich Text Format"
  UINT RichTextNoObjects = 0; // "Rich Text Format Without Objects"
};
const TRichClipboardFormats& RichClipboardFormats();

class TRxCustomRichEdit;
class TRichEditOleCallback;
struct IRichEditOle;

// --- Character and paragraph formats -----------------------------------------

enum TRxAttributeType { atDefaultText, atSelected, atWord };

// The character format of the default text, the selection or the word at
// the selection, read and written through the control.
class TRxTextAttributes : public TPersistent {
public:
  TRxTextAttributes(TRxCustomRichEdit* richEdit, TRxAttributeType type);
  std::string GetName() const;
  void SetName(const std::string& name);
  int GetCharset() const;
  void SetCharset(int charset);
  TColor GetColor() const;  // clWindowText for the automatic colour
  void SetColor(TColor color);
  int GetSize() const;  // points
  void SetSize(int size);
  TFontPitch GetPitch() const;
  void SetPitch(TFontPitch pitch);
  TFontStyles GetStyle() const;
  void SetStyle(TFontStyles style);
  // Everything of a font at once.
  void AssignFont(const TFontData& font);
  void Assign(TPersistent* source) override;

private:
  friend class TRxCustomRichEdit;
  void Get(void* format) const;
  void Set(void* format, unsigned mask);
  TRxCustomRichEdit* FRichEdit;
  TRxAttributeType FType;
};

enum TRxNumberingStyle { nsNone, nsBullet };

// The paragraph format at the selection. Indents are in points.
class TRxParaAttributes : public TPersistent {
public:
  explicit TRxParaAttributes(TRxCustomRichEdit* richEdit) : FRichEdit(richEdit) {}
  TAlignment GetAlignment() const;
  void SetAlignment(TAlignment alignment);
  int GetFirstIndent() const;
  void SetFirstIndent(int value);
  int GetLeftIndent() const;  // of the lines after the first, from the first's
  void SetLeftIndent(int value);
  int GetRightIndent() const;
  void SetRightIndent(int value);
  TRxNumberingStyle GetNumbering() const;
  void SetNumbering(TRxNumberingStyle value);
  int GetTabCount() const;
  int GetTab(int index) const;  // points
  void SetTab(int index, int value);
  void Assign(TPersistent* source) override;

private:
  void Get(void* format) const;
  void Set(void* format, unsigned mask);
  TRxCustomRichEdit* FRichEdit;
};

// --- The line list -----------------------------------------------------------

class TRichEditStrings : public TStrings {
public:
  explicit TRichEditStrings(TRxCustomRichEdit* richEdit) : FRichEdit(richEdit) {}
  int GetCount() const override;
  std::string Get(int i) const override;
  TObject* GetObject(int) const override { return nullptr; }
  void Put(int i, const std::string& s) override;
  void PutObject(int, TObject*) override {}
  // Sends the line as the replacement of an empty selection at the start of
  // line i (after the last line: at its end). i with no line before it
  // does nothing.
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  std::string GetTextStr() const override;
  void SetTextStr(std::string_view text) override;
  // In the control's StreamFormat and StreamMode. A load that the control
  // refuses is read again in the other format (rich <-> plain);
  // EOutOfResources "Failed to Load Stream" when both fail, "Failed to Save
  // Stream" for a save.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  // A registered extension (rtf, txt) decides the format for the one call.
  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) const override;

private:
  friend class TRxCustomRichEdit;
  void Load(TStream& stream, bool plain);
  void Save(TStream& stream, bool plain) const;
  TRxCustomRichEdit* FRichEdit;
  bool FInserting = false;
};

// --- The control -------------------------------------------------------------

enum TRichLangOption { rlAutoKeyboard, rlAutoFont, rlImeCancelComplete, rlImeAlwaysSendNotify };
using TRichLangOptions = TSet<TRichLangOption, uint8_t>;

using TRichEditURLClickEvent = std::function<void(TObject* sender, const std::string& url, TMouseButton button)>;
using TRichEditResizeEvent = std::function<void(TObject* sender, const TRect& rect)>;
using TRichEditProtectChange = std::function<void(TObject* sender, int startPos, int endPos, bool& allowChange)>;
using TRichEditProtectChangeEx =
    std::function<void(TObject* sender, UINT msg, WPARAM wParam, LPARAM lParam, int startPos, int endPos,
                       bool& allowChange)>;
using TRichEditSaveClipboard = std::function<void(TObject* sender, int numObjects, int numChars, bool& saveClipboard)>;
using TRichEditFindEvent = std::function<void(TObject* sender, const std::string& findText)>;

class TRxCustomRichEdit : public TCustomMemo {
public:
  explicit TRxCustomRichEdit(TComponent* owner);
  ~TRxCustomRichEdit() override;

  TRichEditStrings* GetLines() { return &FLines; }
  // While the window exists the text lives only there (read it with
  // GetTextRange or the line list); setting it replaces the content.
  void SetText(const std::string& text) override;
  TRxTextAttributes* GetDefAttributes() { return &FDefAttributes; }
  TRxTextAttributes* GetSelAttributes() { return &FSelAttributes; }
  TRxTextAttributes* GetWordAttributes() { return &FWordAttributes; }
  TRxParaAttributes* GetParagraph() { return &FParagraph; }

  bool GetAutoURLDetect() const { return FAutoURLDetect; }
  void SetAutoURLDetect(bool v);
  bool GetAllowObjects() const { return FAllowObjects; }
  void SetAllowObjects(bool v) { FAllowObjects = v; }
  bool GetAllowInPlace() const { return FAllowInPlace; }
  void SetAllowInPlace(bool v) { FAllowInPlace = v; }
  bool GetAutoVerbMenu() const { return FAutoVerbMenu; }
  void SetAutoVerbMenu(bool v) { FAutoVerbMenu = v; }
  bool GetHideScrollBars() const { return FHideScrollBars; }
  void SetHideScrollBars(bool v);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  bool GetSelectionBar() const { return FSelectionBar; }
  void SetSelectionBar(bool v);
  TRichLangOptions GetLangOptions() const { return FLangOptions; }
  void SetLangOptions(TRichLangOptions v);
  bool GetPlainText() const { return FPlainText; }
  // With a window (library 2 or 3) the content is saved, the control's text
  // mode switched and the content loaded back; the content comes back also
  // when the control refuses the switch.
  void SetPlainText(bool v);
  TRichStreamFormat GetStreamFormat() const { return FStreamFormat; }
  void SetStreamFormat(TRichStreamFormat v) { FStreamFormat = v; }
  TRichStreamModes GetStreamMode() const { return FStreamMode; }
  void SetStreamMode(TRichStreamModes v) { FStreamMode = v; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& v);
  // The limit the control took (it may answer less than asked).
  int GetUndoLimit() const { return FUndoLimit; }
  void SetUndoLimit(int v);
  bool GetWordSelection() const { return FWordSelection; }
  void SetWordSelection(bool v);
  void SetMaxLength(int v);
  void SetColor(TColor color) override;
  bool GetModified() const;
  void SetModified(bool v);

  // The printing rectangle in printer pixels; empty: the whole page.
  const TRect& GetPageRect() const { return FPageRect; }
  void SetPageRect(const TRect& r) { FPageRect = r; }

  // The text between two character positions.
  std::string GetTextRange(int startPos, int endPos) const;
  int GetTextLength() const;
  int GetSelStart() const;
  void SetSelStart(int v);
  int GetSelLength() const;
  void SetSelLength(int v);
  std::string GetSelText() const;
  // Undoable when UndoLimit is at least 2; unless a line insertion sends
  // it, the new text is selected and scrolled into view.
  void SetSelText(const std::string& text);
  // The caret as line (y) and column (x), from 0.
  TPoint GetCaretPos() const;
  void CopyToClipboard();
  void SelectAll();

  // Prints the whole text on the system's default printer, the job titled
  // title; EPrinter when there is no printer.
  virtual void Print(const std::string& title);
  // The same on a printer of the caller's.
  void PrintOn(IktPrintDevice& printer, const std::string& title);
  // The text as paragraphs of runs, for our own layout. Read without moving
  // the visible selection and without selection notices.
  std::vector<TRichParagraph> ReadParagraphs();
  // How the last print went: through the control's page formatting (true)
  // or our layout; and its page count.
  // The control's object interface (null without AllowObjects or window)
  // and the callback it asks about objects.
  IRichEditOle* GetRichEditOle() const { return FRichEditOle; }
  TRichEditOleCallback* GetOleCallback() const { return FOleCallback; }
  // The name in-place servers show for their container.
  std::string ContainerName() const;

  bool LastPrintUsedEngine() const { return FLastPrintEngine; }
  int LastPrintPages() const { return FLastPrintPages; }

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TNotifyEvent OnSelectionChange;
  TRichEditResizeEvent OnResizeRequest;
  TRichEditProtectChange OnProtectChange;
  TRichEditProtectChangeEx OnProtectChangeEx;
  TRichEditSaveClipboard OnSaveClipboard;
  TRichEditURLClickEvent OnURLClick;
  TRichEditFindEvent OnTextNotFound;
  TNotifyEvent OnCloseFindDialog;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  virtual void TextNotFound(const std::string& findText);
  virtual void RequestSize(const TRect& rect);
  virtual void SetPlainTextMode(bool plain);
  virtual void CloseFindDialog();
  virtual void SelectionChange();
  virtual bool ProtectChange(UINT msg, WPARAM wParam, LPARAM lParam, int startPos, int endPos);
  virtual bool SaveClipboard(int numObjects, int numChars);
  virtual void URLClick(const std::string& url, TMouseButton button);

private:
  friend class TRichEditStrings;
  friend class TRxTextAttributes;
  friend class TRxParaAttributes;
  bool Notify(LPARAM lParam, LRESULT& result);
  void ApplyDefaultFont();
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void InstallOleCallback();
  void CloseObjects();
  void SetHostNames();
  class TOleHost;
  std::unique_ptr<TOleHost> FOleHost;
  TRichEditOleCallback* FOleCallback = nullptr;  // one reference of ours
  IRichEditOle* FRichEditOle = nullptr;
  POINT FContextPoint{0, 0};

  TRichEditStrings FLines{this};
  TRxTextAttributes FDefAttributes{this, atDefaultText};
  TRxTextAttributes FSelAttributes{this, atSelected};
  TRxTextAttributes FWordAttributes{this, atWord};
  TRxParaAttributes FParagraph{this};
  bool FAutoURLDetect = true;
  bool FAllowObjects = true;
  bool FAllowInPlace = true;
  bool FAutoVerbMenu = true;
  bool FHideScrollBars = true;
  bool FHideSelection = true;
  bool FSelectionBar = false;
  TRichLangOptions FLangOptions{rlAutoFont};
  bool FPlainText = false;
  TRichStreamFormat FStreamFormat = sfDefault;
  TRichStreamModes FStreamMode;
  std::string FTitle;
  int FUndoLimit = 100;
  bool FWordSelection = true;
  TRect FPageRect;
  TRichLinkPress FLinkPress;
  int FScreenLogPixels = 96;
  // The content kept while the window is made again: a byte telling
  // whether it was saved as plain text, then the text.
  std::unique_ptr<TMemoryStream> FSavedContent;
  bool FSavedModified = false;
  bool FDestroying = false;
  bool FQuiet = false;  // reading runs: no selection notices
  bool FCounted = false;
  bool FLastPrintEngine = false;
  int FLastPrintPages = 0;
};

class TRxRichEdit : public TRxCustomRichEdit {
public:
  explicit TRxRichEdit(TComponent* owner) : TRxCustomRichEdit(owner) {}
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
};
