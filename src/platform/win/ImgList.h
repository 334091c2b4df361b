// Image lists: bitmaps with masks and icons of one size, drawn by the tab,
// tree, list and tool controls. A list that shares a system image list
// (ShareImages, as the shell's file icons are) never destroys it.
#pragma once

#include <string>

#include "platform/Classes.h"
#include "platform/win/WinApi.h"

#include <commctrl.h>

class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // A new size empties the list.
  void SetSize(int width, int height);
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool value);

  // The list, made on first use.
  HIMAGELIST GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Takes over a list made elsewhere; with ShareImages it is never destroyed.
  void SetHandle(HIMAGELIST handle);
  bool GetShareImages() const { return FShareImages; }
  void SetShareImages(bool value) { FShareImages = value; }

  int GetCount() const;
  // Each returns the new image's index, -1 when the list refused it. The
  // bitmaps are copied; the caller keeps its own.
  int Add(HBITMAP image, HBITMAP mask);
  int AddMasked(HBITMAP image, COLORREF maskColor);
  int AddIcon(HICON icon);
  void Delete(int index);
  void Clear();
  // Draws an image at (x, y) of a device context.
  void Draw(HDC dc, int x, int y, int index) const;

  TNotifyEvent OnChange;

private:
  void FreeHandle();
  void Changed();

  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  bool FShareImages = false;
};

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
};
