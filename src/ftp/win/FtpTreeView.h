// The remote folder tree: one root per site a TMFtp client logged in to,
// the folders it has visited or finds in the listing cache below it, and
// navigation by selecting or expanding a folder.
#pragma once

#include "ftp/Ftp.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ImgList.h"

class TMFtpTreeView;

// The sites the tree has shown: their addresses and root nodes, side by side.
class TMFtpSiteInfo : public TPersistent {
public:
  explicit TMFtpSiteInfo(TMFtpTreeView* tree) : FTree(tree) {}
  int GetCount() const { return FCount; }
  void Add(const std::string& url, TTreeNode* node);
  void Delete(int index);
  int IndexOf(const std::string& url) const;
  TTreeNode* Node(int index) const { return FNodes.at(static_cast<size_t>(index)); }

private:
  TMFtpTreeView* FTree;
  int FCount = 0;
  std::vector<std::string> FSites;
  std::vector<TTreeNode*> FNodes;
};

class TMFtpTreeView : public TTreeView {
public:
  // Image indices of the tree's own list.
  enum : int { imgOpenFolder = 0, imgClosedFolder = 1, imgSite = 2 };
  // The most folders one preload adds, and how deep it goes, whatever the
  // cache holds.
  static constexpr int kPreloadMaxNodes = 10000;
  static constexpr int kPreloadMaxDepth = 32;
  // How many folders deep the current path is shown. The path is the
  // server's (a reply line holds thousands of names), and the tree and the
  // system's tree control walk their nodes level by level on the stack; a
  // deeper current folder shows at its ancestor on the last level.
  static constexpr int kMaxPathDepth = 256;

  explicit TMFtpTreeView(TComponent* owner);
  ~TMFtpTreeView() override;

  TMFtp* GetClient() const { return FClient; }
  void SetClient(TMFtp* client);
  bool GetAccept() const { return FAccept; }
  void SetAccept(bool value);
  bool GetPreload() const { return FPreload; }
  void SetPreload(bool value) { FPreload = value; }
  bool GetWebStyle() const { return FWebStyle; }
  void SetWebStyle(bool value);
  TStrings* GetDroppedFiles() const { return FDroppedFiles.get(); }
  TCustomImageList* GetTreeImages() const;

  TTreeNode* GetSiteRoot() const { return FRoot; }
  TTreeNode* GetCurrentNode() const { return FCurrent; }
  // The ftp:// address of a folder node, each name encoded so the client
  // reads it back exactly.
  std::string GetNodeURL(TTreeNode* node) const;
  // Opens the selected folder unless it is the current one or the client is busy.
  void SelectionChanged();

  TNotifyEvent OnFileDropped;

protected:
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ReleaseClient();
  void SiteLoggedIn(int info);
  void DirectoryChanged();
  void ListingDone();
  // False when the path is deeper than the tree shows.
  bool EnsurePath(const std::string& path);
  // The node of a path below the site root, made where missing, at most
  // kMaxPathDepth levels down; whole tells whether the path fitted.
  TTreeNode* PathNode(const std::string& path, bool* whole = nullptr);
  TTreeNode* AddFolder(TTreeNode* parent, const std::string& name, bool hasChildren);
  TTreeNode* ChildNamed(TTreeNode* parent, const std::string& name) const;
  bool IsTopNode(TTreeNode* node) const;
  void PreloadFromCache(const std::string& path, int depth);
  void NodeExpanding(TTreeNode* node, bool& allow);
  void AttachExpanding(bool on);
  void MakeImages() const;

  TMFtp* FClient = nullptr;
  bool FAccept = true;
  bool FPreload = true;
  bool FWebStyle = true;
  bool FCollapsing = false;
  std::unique_ptr<TStringList> FDroppedFiles;
  std::unique_ptr<TMFtpSiteInfo> FSiteInfo;
  TCustomImageList* FSystemImages;
  TCustomImageList* FTreeImages;
  mutable bool FImagesMade = false;
  TTreeNode* FRoot = nullptr;
  TTreeNode* FCurrent = nullptr;
  int FInfoSlot = -1, FDirSlot = -1, FListingSlot = -1;
};
