// Single-line edits with a browse button at their right end: the combo edit
// with its button, and its finished forms for a file name (an open or save
// dialog) and for folders (the shell's folder browser). The edit is made
// multi-line only so that its text rectangle can leave room for the button;
// it still holds exactly one line.
#pragma once

#include "kit/EditNames.h"
#include "kit/win/RxCtrls.h"
#include "platform/Sets.h"
#include "platform/win/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>

class TOpenDialog;

TQ_DECLARE_EXCEPTION(EComboEditError, Exception)

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// The button of a combo edit: a speed button with a two-pixel edge at its
// left while it is up.
class TEditButton : public TRxSpeedButton {
public:
  explicit TEditButton(TComponent* owner);

protected:
  void PaintOver(HDC dc, const TRect& client) override;
};

class TCustomComboEdit : public TCustomEdit {
public:
  explicit TCustomComboEdit(TComponent* owner);
  ~TCustomComboEdit() override;

  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int width);
  const std::string& GetButtonHint() const;
  void SetButtonHint(const std::string& hint);
  TGlyphKind GetGlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TGlyphKind kind);
  // Assigning a glyph makes the kind gkCustom.
  void SetGlyph(HBITMAP glyph);
  HBITMAP GetGlyph() const;
  int GetNumGlyphs() const;
  void SetNumGlyphs(int n);
  TShortCut GetClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut key) { FClickKey = key; }
  bool GetDirectInput() const { return FDirectInput; }
  void SetDirectInput(bool v);
  bool GetReadOnly() const { return FEditReadOnly; }
  void SetReadOnly(bool v);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);

  TEditButton* GetButton() const { return FButton; }
  // The text area, as the edit was told (client coordinates).
  TRect GetEditRect() const;
  // The button's click: OnButtonClick, then the kind's dialog. Nothing with
  // ReadOnly on.
  void DoClick();

  void SetBounds(int left, int top, int width, int height) override;
  bool WantsKey(uint16_t key) override;

  TNotifyEvent OnButtonClick;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void BoundsChanged(bool sized) override;
  // What the button opens (the finished edits' dialogs).
  virtual void ButtonClick() {}
  // The edit's window lost or got the right to be typed into.
  void UpdateWindowReadOnly();

private:
  void UpdateLayout();
  void RecreateGlyph();
  int MinHeight();
  void Paste();

  TWinControl* FBtnControl = nullptr;
  TEditButton* FButton = nullptr;
  int FButtonWidth = 21;
  TGlyphKind FGlyphKind = gkCustom;
  TShortCut FClickKey;
  bool FDirectInput = true;
  bool FEditReadOnly = false;
  bool FAutoSelect = true;
  TAlignment FAlignment = taLeftJustify;
};

using TExecOpenDialogEvent = std::function<void(TObject* sender, std::string& name, bool& action)>;

class TFileDirEdit : public TCustomComboEdit {
public:
  explicit TFileDirEdit(TComponent* owner);
  bool GetAcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool v);

  TExecOpenDialogEvent OnBeforeDialog;
  TExecOpenDialogEvent OnAfterDialog;
  TNotifyEvent OnDropFiles;

protected:
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void DoBeforeDialog(std::string& name, bool& action);
  void DoAfterDialog(std::string& name, bool& action);
  // Takes one dropped name; false when the edit refused it.
  virtual bool ReceptFileDir(const std::string& name) = 0;
  virtual void ClearFileList() {}
  // Whether a drop takes every name or only the first one it accepts.
  virtual bool TakesMany() const { return false; }

private:
  bool FAcceptFiles = false;
};

enum TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePictured };

class TFilenameEdit : public TFileDirEdit {
public:
  explicit TFilenameEdit(TComponent* owner);
  ~TFilenameEdit() override;

  TFileDialogKind GetDialogKind() const { return FDialogKind; }
  // Makes a dialog of the new kind with the old one's settings.
  void SetDialogKind(TFileDialogKind kind);
  TOpenDialog* GetDialog() const { return FDialog; }
  // The text's file: the text itself when such a file exists, else the
  // first word of it read as a command line.
  std::string GetFileName() const;
  // Raises EComboEditError "Invalid file name - %s" for an invalid name.
  void SetFileName(const std::string& name);
  std::string GetLongName() const;
  std::string GetShortName() const;

  const std::string& GetDefaultExt() const;
  void SetDefaultExt(const std::string& v);
  const std::string& GetFilter() const;
  void SetFilter(const std::string& v);
  int GetFilterIndex() const;
  void SetFilterIndex(int v);
  const std::string& GetInitialDir() const;
  void SetInitialDir(const std::string& v);
  const std::string& GetDialogTitle() const;
  void SetDialogTitle(const std::string& v);
  TStrings* GetDialogFiles() const;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void ButtonClick() override;
  bool ReceptFileDir(const std::string& name) override;
  void ClearFileList() override;
  bool TakesMany() const override;

private:
  TFileDialogKind FDialogKind = dkOpen;
  TOpenDialog* FDialog = nullptr;
};

enum TDirDialogKind { dkVCL, dkWin32 };

class TDirectoryEdit : public TFileDirEdit {
public:
  explicit TDirectoryEdit(TComponent* owner);

  TDirDialogKind GetDialogKind() const { return FDialogKind; }
  void SetDialogKind(TDirDialogKind v) { FDialogKind = v; }
  const std::string& GetDialogText() const { return FDialogText; }
  void SetDialogText(const std::string& v) { FDialogText = v; }
  TSelectDirOpts GetDialogOptions() const { return FDialogOptions; }
  void SetDialogOptions(TSelectDirOpts v) { FDialogOptions = v; }
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& v) { FInitialDir = v; }
  bool GetMultipleDirs() const { return FMultipleDirs; }
  void SetMultipleDirs(bool v) { FMultipleDirs = v; }
  // Each ";"-separated folder in its long and its short form.
  std::string GetLongName() const;
  std::string GetShortName() const;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void ButtonClick() override;
  bool ReceptFileDir(const std::string& name) override;
  bool TakesMany() const override { return FMultipleDirs; }

private:
  TDirDialogKind FDialogKind = dkVCL;
  std::string FDialogText;
  TSelectDirOpts FDialogOptions;
  std::string FInitialDir;
  bool FMultipleDirs = false;
};
