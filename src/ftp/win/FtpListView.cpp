// See FtpListView.h.
#include "ftp/win/FtpListView.h"

#include "ftp/win/FtpShell.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"

#include <shellapi.h>

namespace {

struct TColumnDef {
  const char* Caption;
  int Width;
  TAlignment Alignment;
  TMFtpSortBase Base;
};

const TColumnDef kColumns[] = {
    {"Name", 128, taLeftJustify, TMFtpSortBase::stName},
    {"Size", 84, taRightJustify, TMFtpSortBase::stSize},
    {"Type", 108, taLeftJustify, TMFtpSortBase::stFileType},
    {"Modified", 108, taLeftJustify, TMFtpSortBase::stDateTime},
    {"Attributes", 80, taLeftJustify, TMFtpSortBase::stAttrib},
    {"Owner", 80, taLeftJustify, TMFtpSortBase::stOwner},
    {"Group", 80, taLeftJustify, TMFtpSortBase::stGroup},
    {"Description", 128, taLeftJustify, TMFtpSortBase::stDescription},
};

}  // namespace

TMFtpListView::TMFtpListView(TComponent* owner)
    : TListView(owner), FFilter(std::make_unique<TStringList>()),
      FDroppedFiles(std::make_unique<TStringList>()) {
  // The system's image lists are asked for when the window is made (see
  // MakeImages): the shell builds them slowly, and the view is mostly made
  // hidden at start-up and seldom shown.
  FLargeList = new TCustomImageList(this);
  FLargeList->SetShareImages(true);
  FSmallList = new TCustomImageList(this);
  FSmallList->SetShareImages(true);
  SetLargeImages(FLargeList);
  SetSmallImages(FSmallList);
  SetOwnerData(true);
  OnData = [this](TObject*, TListItem& item) { OwnerDataFetch(item); };
  OnDataFind = [this](TObject*, TItemFind find, const std::string& text, TPoint, void*, int start,
                      TSearchDirection, bool wrap, int& index) { OwnerDataFind(find, text, start, wrap, index); };
  if (!GetComponentState().Contains(csDesigning))
    OnColumnClick = [this](TObject*, TListColumn& column, int) { ToggleSort(column); };
  // The columns live in the object, so every window made for it gets them.
  for (const TColumnDef& c : kColumns) AddColumn(c.Caption, c.Width, c.Alignment, static_cast<int>(c.Base));
}

TMFtpListView::~TMFtpListView() {
  ReleaseClient();
  FClient = nullptr;
}

void TMFtpListView::CreateParams(TCreateParams& params) {
  TListView::CreateParams(params);
  params.Style |= LVS_AUTOARRANGE;
}

void TMFtpListView::MakeImages() {
  if (FImagesMade) return;
  FImagesMade = true;
  FLargeList->SetHandle(ShellImageList(false));
  FSmallList->SetHandle(ShellImageList(true));
  FFolderImage = ShellFolderIconIndex(false);
}

void TMFtpListView::CreateWnd() {
  // Before the list view's own window: it hands the lists to the window.
  MakeImages();
  TListView::CreateWnd();
  ::DragAcceptFiles(GetHandle(), FAccept);
}

void TMFtpListView::ReleaseClient() {
  if (!FClient) return;
  FClient->UnregisterInfoSink(FInfoSlot);
  FClient->UnregisterSink(ftpSinkListingDone, FListingSlot);
  FClient->UnregisterSink(ftpSinkIndexFile, FIndexSlot);
  FClient->RemoveFreeNotification(this);
  FInfoSlot = FListingSlot = FIndexSlot = -1;
}

void TMFtpListView::SetClient(TMFtp* client) {
  if (client == FClient) return;
  ReleaseClient();
  FClient = client;
  if (!FClient) {
    FDirectories.Clear();
    FFileList.Clear();
    FSearch.clear();
    SetItemCount(0);
    return;
  }
  FClient->FreeNotification(this);
  FInfoSlot = FClient->RegisterInfoSink([](TObject*, int, const std::string&) {});
  FListingSlot = FClient->RegisterSink(ftpSinkListingDone, [this](TObject*) { RefreshFromClient(); });
  FIndexSlot = FClient->RegisterSink(ftpSinkIndexFile, [this](TObject*) { Invalidate(); });
  if (FClient->GetDirectoryList().GetCount() + FClient->GetFileList().GetCount() > 0) RefreshFromClient();
}

void TMFtpListView::Notification(TComponent* component, TOperation operation) {
  TListView::Notification(component, operation);
  // A client going away takes its sink table with it: nothing to release,
  // and its entries are no longer there to show.
  if (operation == opRemove && component == FClient) {
    FClient = nullptr;
    FInfoSlot = FListingSlot = FIndexSlot = -1;
    FDirectories.Clear();
    FFileList.Clear();
    FSearch.clear();
    SetItemCount(0);
  }
}

void TMFtpListView::SetAccept(bool value) {
  FAccept = value;
  if (HandleAllocated()) ::DragAcceptFiles(GetHandle(), value);
}

void TMFtpListView::SetWebStyle(bool value) {
  FWebStyle = value;
  SetHotTrack(value);
}

void TMFtpListView::SetFilter(TStrings* masks) {
  if (masks) FFilter->Assign(masks);
  else FFilter->Clear();
}

void TMFtpListView::RefreshFromClient() {
  if (!FClient) return;
  FDirectories.CopyFrom(FClient->GetDirectoryList());
  FFileList.Clear();
  if (FFilter->GetCount() == 0) {
    FFileList.CopyFrom(FClient->GetFileList());
  } else {
    std::vector<std::string> masks;
    for (int i = 0; i < FFilter->GetCount(); ++i) masks.push_back(FFilter->Get(i));
    FilterFileList(FClient->GetFileList(), masks, FFileList, [] {
      if (Application) Application->ProcessMessages();
    });
    // The client may have gone while the messages ran.
    if (!FClient) return;
  }
  TCursor saved = Screen ? Screen->GetCursor() : crDefault;
  if (Screen) Screen->SetCursor(crAppStart);
  int key = SortKeyOf(FSortType);
  if (key >= 0) {
    FDirectories.Sort(key, FAscending);
    FFileList.Sort(key, FAscending);
  }
  FSearch.clear();
  FSearch.reserve(static_cast<size_t>(FDirectories.GetCount() + FFileList.GetCount()));
  for (int i = 0; i < FDirectories.GetCount(); ++i) FSearch.push_back(AnsiUpperCase(FDirectories.Name(i)));
  for (int i = 0; i < FFileList.GetCount(); ++i) FSearch.push_back(AnsiUpperCase(FFileList.Name(i)));
  SetItemCount(FDirectories.GetCount() + FFileList.GetCount());
  Invalidate();
  if (Screen) Screen->SetCursor(saved);
}

void TMFtpListView::ToggleSort(TListColumn& column) {
  auto base = static_cast<TMFtpSortBase>(column.Tag);
  if (base == FSortType) FAscending = !FAscending;
  else FSortType = base;
  RefreshFromClient();
}

void TMFtpListView::OwnerDataFetch(TListItem& item) {
  const int i = item.GetIndex();
  const int dirs = FDirectories.GetCount();
  const bool isDir = i < dirs;
  const TMFtpFileInfoList& list = isDir ? FDirectories : FFileList;
  const int row = isDir ? i : i - dirs;
  if (row < 0 || row >= list.GetCount()) return;
  item.SetCaption(list.Name(row));
  std::string typeName;
  if (isDir) {
    MakeImages();
    item.SetImageIndex(FFolderImage);
    typeName = "File Folder";
  } else {
    int icon = -1;
    ShellFileInfo(list.Name(row), icon, typeName);
    item.SetImageIndex(icon);
  }
  if (GetViewStyle() != vsReport) return;
  item.SubItems() = {isDir ? std::string() : FtpSizeText(list.GetColumn(row, fcSize)),
                     typeName,
                     list.GetColumn(row, fcDate),
                     list.GetColumn(row, fcAttrib),
                     list.GetColumn(row, fcOwner),
                     list.GetColumn(row, fcGroup),
                     list.GetColumn(row, fcDescription)};
}

void TMFtpListView::OwnerDataFind(TItemFind find, const std::string& text, int start, bool wrap,
                                  int& index) {
  if (find != ifPartialString && find != ifExactString) return;
  int found = FindNamePrefix(FSearch, text, start, wrap);
  if (found >= 0) index = found;
}

void TMFtpListView::WndProc(TMessage& msg) {
  if (HandleFileDrop(msg, *FDroppedFiles, OnFileDropped, this)) return;
  TListView::WndProc(msg);
}
