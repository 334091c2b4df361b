// Combo boxes drawn by their owner: TOwnerDrawComboBox fixes the item
// height to its font; TFontComboBox lists the installed font families with
// a TrueType or device-font mark, optionally each in its own face.
#pragma once

#include "kit/FontList.h"
#include "platform/win/StdCtrls.h"

#include <functional>
#include <string>
#include <vector>

enum TOwnerDrawComboStyle { ocsDropDown, ocsDropDownList };

class TOwnerDrawComboBox : public TComboBox {
public:
  explicit TOwnerDrawComboBox(TComponent* owner);
  TOwnerDrawComboStyle GetComboStyle() const { return FComboStyle; }
  void SetComboStyle(TOwnerDrawComboStyle style);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  // Paints one item (index -1: the empty edit part).
  virtual void DrawListItem(HDC dc, int index, const TRect& rect, bool selected);
  // The larger of 9 and the font's text height + 1; a derived box may ask more.
  virtual int MinItemHeight();
  void UpdateItemHeight();

private:
  TOwnerDrawComboStyle FComboStyle = ocsDropDownList;
};

enum TFontDevice { fdScreen, fdPrinter, fdBoth };

class TFontComboBox : public TOwnerDrawComboBox {
public:
  explicit TFontComboBox(TComponent* owner);
  ~TFontComboBox() override;

  TFontDevice GetDevice() const { return FDevice; }
  void SetDevice(TFontDevice device);
  TFontListOptions GetOptions() const { return FOptions; }
  void SetOptions(TFontListOptions options);
  bool GetTrueTypeOnly() const { return FOptions.Contains(foTrueTypeOnly); }
  void SetTrueTypeOnly(bool value);
  bool GetUseFonts() const { return FUseFonts; }
  void SetUseFonts(bool value);
  const std::string& GetFontName() const { return GetText(); }
  void SetFontName(const std::string& name);
  // The item's font type flags (plus 0x100 for a font that is not a symbol font).
  int GetItemFlags(int index) const;

  // Fills the list again from the devices.
  void Reload();

  // Where the printer's families come from: the current printer's
  // information context by default, null for no printer. Tests replace it.
  using TPrinterDCFunc = std::function<HDC()>;
  static TPrinterDCFunc SetPrinterDCFunc(TPrinterDCFunc func);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateWnd() override;
  void DrawListItem(HDC dc, int index, const TRect& rect, bool selected) override;
  int MinItemHeight() override;

private:
  void SelectName(const std::string& name);

  TFontDevice FDevice = fdScreen;
  TFontListOptions FOptions;
  bool FUseFonts = false;
  std::vector<TFontFamily> FFamilies;  // what the list shows
  HBITMAP FTrueTypeBmp = nullptr;
  HBITMAP FDeviceBmp = nullptr;
};
