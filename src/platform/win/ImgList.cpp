// Image lists over the common controls' image list API.
#include "platform/win/ImgList.h"

#include <commctrl.h>

#include "platform/win/ComCtrls.h"

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() { FreeHandle(); }

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) ::ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

void TCustomImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  FreeHandle();
  Changed();
}

void TCustomImageList::SetMasked(bool value) {
  if (value == FMasked) return;
  FMasked = value;
  FreeHandle();
  Changed();
}

HIMAGELIST TCustomImageList::GetHandle() {
  if (!FHandle) {
    InitCommonControlClasses();
    FHandle = ::ImageList_Create(FWidth, FHeight, ILC_COLOR24 | (FMasked ? ILC_MASK : 0), 4, 4);
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST handle) {
  if (handle == FHandle) return;
  FreeHandle();
  FHandle = handle;
  if (FHandle) {
    int w = 0, h = 0;
    ::ImageList_GetIconSize(FHandle, &w, &h);
    FWidth = w;
    FHeight = h;
  }
  Changed();
}

int TCustomImageList::GetCount() const { return FHandle ? ::ImageList_GetImageCount(FHandle) : 0; }

int TCustomImageList::Add(HBITMAP image, HBITMAP mask) {
  int i = ::ImageList_Add(GetHandle(), image, mask);
  if (i >= 0) Changed();
  return i;
}

int TCustomImageList::AddMasked(HBITMAP image, COLORREF maskColor) {
  int i = ::ImageList_AddMasked(GetHandle(), image, maskColor);
  if (i >= 0) Changed();
  return i;
}

int TCustomImageList::AddIcon(HICON icon) {
  int i = ::ImageList_ReplaceIcon(GetHandle(), -1, icon);
  if (i >= 0) Changed();
  return i;
}

void TCustomImageList::Delete(int index) {
  if (FHandle && ::ImageList_Remove(FHandle, index)) Changed();
}

void TCustomImageList::Clear() { Delete(-1); }

void TCustomImageList::Draw(HDC dc, int x, int y, int index) const {
  if (FHandle) ::ImageList_Draw(FHandle, index, dc, x, y, ILD_NORMAL);
}
