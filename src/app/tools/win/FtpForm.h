// TFFtp, the "Download" window: a site list, the login and the log above the
// remote folder tree and file list of the FTP client it owns. It has no
// handlers of its own, so showing it never connects anywhere.
#pragma once

#include "ftp/win/FtpListView.h"
#include "ftp/win/FtpTreeView.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/StdCtrls.h"

class TFormStorage;
class TMFtp;

class TFFtp : public TForm {
public:
  explicit TFFtp(TComponent* owner);
  ~TFFtp() override;

  TPageControl* Tabs;
  TListBox* FTPList;
  TEdit* Edit1;
  TEdit* Edit2;
  TCheckBox* RememberPassword;
  TButton *Connect, *Disconnect, *NewSite, *DeleteSite;
  TMemo* FTPLog;
  TMFtpTreeView* FtpTree;
  TMFtpListView* FtpFiles;
  TMFtp* Ftp;
  TFormStorage* FormStorage;

protected:
  void CreateWnd() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

private:
  bool FPlaced = false;
};

extern TFFtp* FFtp;
