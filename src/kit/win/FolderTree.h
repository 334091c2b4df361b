// TFolderTree: the shell's folders as a tree view, the desktop at the top,
// loaded as nodes are expanded and kept current through the shell's change
// notifications. The rules live in kit/FolderNodes; this class gives them
// the shell and a tree-view window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "kit/FolderNodes.h"
#include "platform/win/ComCtrls.h"

class TUtilityWindow;
class TCustomImageList;

class TFolderTree : public TTreeView, public TFolderView {
public:
  explicit TFolderTree(TComponent* owner);
  ~TFolderTree() override;

  // The change-notification register call (by ordinal 2 of shell32);
  // tests replace it to see a failed registration.
  using TRegisterFunction = ULONG(WINAPI*)(HWND, int, LONG, UINT, int, const void*);
  static TRegisterFunction& RegisterFunction();

  TTreeNode* SelectPath(const std::string& path);
  std::string GetNodePath(TTreeNode* node) const;
  TDisplayMode GetDisplayMode() const { return FModel ? FModel->GetDisplayMode() : FDisplayMode; }
  void SetDisplayMode(TDisplayMode mode);
  int GetFolderOptions() const { return FFolderOptions; }
  void SetFolderOptions(int options);
  // Clears the tree and builds it again from the shell.
  void Rebuild();
  // False when the change notifications could not be registered: the
  // tree then follows changes only through a refresh.
  bool GetLiveUpdates() const { return FRegistration != 0; }
  TFolderModel* GetModel() const { return FModel.get(); }
  static TFolderNode* ModelNode(TTreeNode* node) { return node ? static_cast<TFolderNode*>(node->GetData()) : nullptr; }

protected:
  void CreateWnd() override;
  void DblClick() override;

private:
  // The shell work waits for the first window: the program makes the open
  // dialog at start-up, and COM, the system image list and the top of the
  // tree would otherwise cost every start.
  void StartShell();
  bool ChangeMessage(TMessage& msg);
  void SortPending();
  TTreeNode* ViewNode(TFolderNode* node) const { return node ? static_cast<TTreeNode*>(node->ViewData) : nullptr; }

  void NodeAdded(TFolderNode* node, int index) override;
  void NodeDeleting(TFolderNode* node) override;
  void NodeChanged(TFolderNode* node) override;
  void ChildrenSorted(TFolderNode* node) override;
  void ExpandNode(TFolderNode* node, bool expand) override;
  void SelectionChanged(TFolderNode* node) override;
  void LockUpdate() override;
  void UnlockUpdate() override;

  std::unique_ptr<TNamespaceSource> FSource;
  std::unique_ptr<TFolderModel> FModel;
  std::unique_ptr<TUtilityWindow> FNotifyWindow;
  TCustomImageList* FSystemImages = nullptr;
  ULONG FRegistration = 0;
  bool FComStarted = false;
  int FLockDepth = 0;
  bool FSortPending = false;
  bool FSelecting = false;
  int FFolderOptions = 0;
  TDisplayMode FDisplayMode = dmAsis;
};
