// The download window.
#include "app/tools/win/FtpForm.h"

#include "ftp/Ftp.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxSplit.h"
#include "platform/win/FormBuilder.h"

TFFtp* FFtp = nullptr;

TFFtp::TFFtp(TComponent* owner) : TForm(owner) {
  SetName("FFtp");
  SetCaption("Download");
  SetKeyPreview(true);
  SetBounds(0, 0, 600, 480);
  // Over the main window until the storage has a place of the user's own.
  SetPosition(poMainFormCenter);
  Ftp = new TMFtp(this);
  Ftp->SetName("Ftp");

  Tabs = Make<TPageControl>(this).Parent(this).Name("Tabs").Align(alClient).Get();
  TTabSheet* sheets[3] = {};
  const char* names[3] = {"FTP", "HTTP", "SMTP"};
  for (int i = 0; i < 3; ++i)
    sheets[i] = Make<TTabSheet>(this).Name(std::string("Tab") + names[i]).Caption(names[i])
                    .With([this](TTabSheet* s) { s->SetPageControl(Tabs); }).Get();
  TTabSheet* ftp = sheets[0];

  // The upper panel: sites, login and the log.
  auto* top = Make<TPanel>(this).Parent(ftp).Name("TopPanel").Align(alTop).Bounds(0, 0, 590, 150).Get();
  FTPList = Make<TListBox>(this).Parent(top).Name("FTPList").Bounds(4, 4, 150, 140).Get();
  Make<TLabel>(this).Parent(top).Name("LoginLabel").Bounds(162, 6, 70, 16).Caption("Login:");
  Edit1 = Make<TEdit>(this).Parent(top).Name("Edit1").Bounds(236, 4, 120, 21).Text("Anonymous").Get();
  Make<TLabel>(this).Parent(top).Name("PasswordLabel").Bounds(162, 32, 70, 16).Caption("Password:");
  Edit2 = Make<TEdit>(this).Parent(top).Name("Edit2").Bounds(236, 30, 120, 21).Get();
  RememberPassword = Make<TCheckBox>(this).Parent(top).Name("RememberPassword").Bounds(162, 56, 194, 20)
                         .Caption("Remember Password").Get();
  Connect = Make<TButton>(this).Parent(top).Name("Connect").Bounds(162, 84, 90, 25).Caption("Connect").Get();
  Disconnect = Make<TButton>(this).Parent(top).Name("Disconnect").Bounds(266, 84, 90, 25).Caption("Disconnect")
                   .Get();
  NewSite = Make<TButton>(this).Parent(top).Name("NewSite").Bounds(162, 116, 90, 25).Caption("New ").Get();
  DeleteSite = Make<TButton>(this).Parent(top).Name("DeleteSite").Bounds(266, 116, 90, 25).Caption("Delete")
                   .Get();
  FTPLog = Make<TMemo>(this).Parent(top).Name("FTPLog").Bounds(364, 4, 216, 140).Get();
  FTPLog->SetReadOnly(true);
  FTPLog->SetScrollBars(ssVertical);

  auto* upper = Make<TRxSplitter>(this).Parent(ftp).Name("Splitter1").Align(alTop).Bounds(0, 150, 590, 4).Get();
  FtpTree = Make<TMFtpTreeView>(this).Parent(ftp).Name("FtpTree").Align(alLeft).Bounds(0, 154, 200, 250).Get();
  FtpTree->SetClient(Ftp);
  FtpTree->SetAccept(true);
  FtpTree->SetPreload(true);
  FtpTree->SetWebStyle(true);
  FtpTree->SetSortType(stText);
  FtpTree->SetShowRoot(false);
  auto* middle = Make<TRxSplitter>(this).Parent(ftp).Name("Splitter2").Align(alLeft).Bounds(200, 154, 4, 250)
                     .Get();
  FtpFiles = Make<TMFtpListView>(this).Parent(ftp).Name("FtpFiles").Align(alClient).Get();
  FtpFiles->SetClient(Ftp);
  FtpFiles->SetViewStyle(vsReport);
  FtpFiles->SetSortType(TMFtpSortBase::stName);
  FtpFiles->SetAccept(false);
  FtpFiles->SetWebStyle(false);
  upper->SetControlFirst(top);
  upper->SetControlSecond(FtpTree);
  middle->SetControlFirst(FtpTree);
  middle->SetControlSecond(FtpFiles);

  // Kept in the INI file beside the program, in the section of the class.
  FormStorage = new TFormStorage(this);
  FormStorage->SetName("FormStorage");
  FormStorage->SetUseRegistry(false);
  FormStorage->SetIniSection("TFFtp");
  // The stored place is put on the window when it is made (see CreateWnd):
  // the window is made hidden at start-up and is seldom shown, and placing
  // it now would make it and all its child windows at once.
  if (!::FFtp) ::FFtp = this;
}

void TFFtp::CreateWnd() {
  TForm::CreateWnd();
  if (FPlaced) return;
  FPlaced = true;
  FormStorage->RestoreFormPlacement();
}

TFFtp::~TFFtp() {
  if (::FFtp == this) ::FFtp = nullptr;
}

// Esc closes it, as it closes the other tool windows.
void TFFtp::KeyDown(uint16_t& key, TShiftState shift) {
  if (TakeCloseKey(key, shift)) {
    Close();
    return;
  }
  TForm::KeyDown(key, shift);
}
