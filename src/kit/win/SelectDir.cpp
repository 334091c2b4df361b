#include "kit/win/SelectDir.h"

#include <memory>

#include "kit/FileUtil.h"
#include "kit/win/FolderTree.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/DialogForm.h"
#include "platform/win/Dialogs.h"
#include "platform/win/StdCtrls.h"

namespace {

class TSelectDirForm : public TDialogForm {
public:
  explicit TSelectDirForm(TSelectDirOpts options)
      : TDialogForm(nullptr, mrNone, mrCancel), FOptions(options) {
    SetName("SelectDirDlg");
    SetCaption("Select Directory");
    const int margin = 8, width = 300, treeH = 260, editH = 21, buttonW = 75, buttonH = 25;
    const int clientW = width + 2 * margin;
    const int clientH = margin + treeH + margin + editH + margin + buttonH + margin;
    RECT frame{0, 0, clientW, clientH};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE, WS_EX_DLGMODALFRAME);
    SetBounds(0, 0, frame.right - frame.left, frame.bottom - frame.top);

    Tree = new TFolderTree(this);
    Tree->SetName("DirTree");
    Tree->SetBounds(margin, margin, width, treeH);
    Tree->SetParent(this);
    Tree->OnChange = [this](TObject*, TTreeNode* node) { FolderSelected(node); };

    // The path can be typed only where a new folder may be named.
    Path = new TEdit(this);
    Path->SetName("DirEdit");
    Path->SetBounds(margin, margin + treeH + margin, width, editH);
    Path->SetReadOnly(!options.Contains(sdAllowCreate));
    Path->SetParent(this);

    const int top = margin + treeH + margin + editH + margin;
    auto* ok = new TButton(this);
    ok->SetName("OKButton");
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetBounds(clientW - margin - 2 * buttonW - margin, top, buttonW, buttonH);
    ok->SetParent(this);
    ok->OnClick = [this](TObject*) { Confirm(); };
    auto* cancel = new TButton(this);
    cancel->SetName("CancelButton");
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetBounds(clientW - margin - buttonW, top, buttonW, buttonH);
    cancel->SetParent(this);
  }

  TFolderTree* Tree;
  TEdit* Path;

  // Enter confirms as OK does, from the tree as from the edit.
  void KeyDown(uint16_t& key, TShiftState shift) override {
    if (key == VK_RETURN) {
      key = 0;
      Confirm();
      return;
    }
    TDialogForm::KeyDown(key, shift);
  }

private:
  void FolderSelected(TTreeNode* node) {
    // Virtual folders (the desktop's own items) have no path to take.
    const std::string path = node ? Tree->GetNodePath(node) : std::string();
    if (!path.empty()) Path->SetText(path);
  }

  void Confirm() {
    const std::string folder = Trim(Path->GetText());
    const bool accepted = AcceptChosenFolder(
        folder, FOptions, [](const std::string& f) { return DirectoryExists(f); },
        [](const std::string& f) {
          return MessageDlg("The folder " + f + " does not exist. Create it?", mtConfirmation,
                            TMsgDlgButtons{mbYes, mbNo}) == mrYes;
        },
        [](const std::string& f) {
          if (ForceDirectories(f)) return true;
          MessageDlg("Cannot create the folder " + f, mtError, TMsgDlgButtons{mbOK});
          return false;
        });
    if (accepted) SetModalResult(mrOk);
  }

  TSelectDirOpts FOptions;
};

}  // namespace

bool SelectDirectory(std::string& folder, TSelectDirOpts options) {
  if (!Application) throw EInvalidOperation("No application to show a dialog");
  TDialogErrorMode errorMode;
  auto form = std::make_unique<TSelectDirForm>(options);
  form->Path->SetText(folder);
  form->SetActiveControl(options.Contains(sdAllowCreate) ? static_cast<TWinControl*>(form->Path) : form->Tree);
  form->HandleNeeded();
  form->Tree->HandleNeeded();  // the tree reads the shell once it has its window
  if (!folder.empty() && DirectoryExists(folder)) {
    form->Tree->SelectPath(folder);
    form->Path->SetText(folder);  // as typed, whatever the tree's spelling
  }
  if (form->ShowModal() != mrOk) return false;
  folder = Trim(form->Path->GetText());
  return true;
}
