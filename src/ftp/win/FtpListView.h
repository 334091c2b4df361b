// The remote list: the folders and files a TMFtp client has listed, in a
// virtual (owner-data) report list with the shell's icons and type names.
#pragma once

#include "ftp/Ftp.h"
#include "ftp/FtpViewData.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ImgList.h"

class TMFtpListView : public TListView {
public:
  explicit TMFtpListView(TComponent* owner);
  ~TMFtpListView() override;

  TMFtp* GetClient() const { return FClient; }
  void SetClient(TMFtp* client);
  bool GetAccept() const { return FAccept; }
  void SetAccept(bool value);
  bool GetAscending() const { return FAscending; }
  void SetAscending(bool value) { FAscending = value; }
  bool GetWebStyle() const { return FWebStyle; }
  void SetWebStyle(bool value);
  TMFtpSortBase GetSortType() const { return FSortType; }
  void SetSortType(TMFtpSortBase value) { FSortType = value; }
  // File masks; an empty list shows every file.
  TStrings* GetFilter() const { return FFilter.get(); }
  void SetFilter(TStrings* masks);
  // The paths of the last drop, whole.
  TStrings* GetDroppedFiles() const { return FDroppedFiles.get(); }

  // Takes the client's lists again (filtered and sorted) and redraws.
  void RefreshFromClient();
  // The rows as the view holds them: folders first, then files.
  const TMFtpFileInfoList& GetDirectories() const { return FDirectories; }
  const TMFtpFileInfoList& GetFiles() const { return FFileList; }

  TNotifyEvent OnFileDropped;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ReleaseClient();
  void ToggleSort(TListColumn& column);
  void OwnerDataFetch(TListItem& item);
  void MakeImages();
  void OwnerDataFind(TItemFind find, const std::string& text, int start, bool wrap, int& index);

  TMFtp* FClient = nullptr;
  bool FAccept = false;
  bool FAscending = true;
  bool FWebStyle = false;
  TMFtpSortBase FSortType = TMFtpSortBase::stName;
  std::unique_ptr<TStringList> FFilter, FDroppedFiles;
  TMFtpFileInfoList FDirectories, FFileList;
  std::vector<std::string> FSearch;  // upper-cased names, folders first
  TCustomImageList* FLargeList;      // both share the system's image lists
  TCustomImageList* FSmallList;
  int FFolderImage = -1;
  bool FImagesMade = false;
  int FInfoSlot = -1, FListingSlot = -1, FIndexSlot = -1;
};
