// THelp, the built-in help: the topic titles in a tree on the left, the
// selected topic in a read-only rich-text view on the right, a menu to
// print one topic, the key combinations or all printed topics, and an
// always-on-top window whose placement is kept under "Help".
//
// Other windows open the help through Help->ShowTopic(document, node), or
// more simply ShowHelpNode(node) with the node's own document (the options
// dialog: ShowHelpNode(kHelpSettingsNode) for F1 and its Help command,
// ShowHelpNode(kHelpLocaleNode) for its language link).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/tools/HelpTopics.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxRichEd.h"
#include "kit/win/RxSplit.h"
#include "platform/PrintDevice.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"

// A topic document as the program keeps it (its resource, read once): id
// as in kHelpNodes, printable for the black-on-white version. "about" has
// the program's version filled in. Empty for an unknown id.
const std::string& HelpDocument(const std::string& id, bool printable = false);
// The two documents other parts share.
const std::string& AboutText();
const std::string& LocaleHelpText();

class THelp : public TForm {
public:
  explicit THelp(TComponent* owner);
  ~THelp() override;

  // Loads document into the view, selects node index (without loading the
  // node's own document over it) and shows the window.
  void ShowTopic(const std::string& document, int nodeIndex);
  // The view's content from rich text.
  void LoadRtf(const std::string& document);
  // Loads the document of the selected node's title; nothing without one.
  void ShowSelectedTopic();
  // The tree node of an absolute index, or null.
  TTreeNode* Node(int index) const;

  // The menu's print commands.
  void PrintSection();
  void PrintAll();
  void PrintKeyCombinations();

  // Where printing goes: the system's default printer unless a test or a
  // caller gives another.
  using TPrinterFactory = std::function<std::unique_ptr<IktPrintDevice>()>;
  static TPrinterFactory SetPrinterFactory(TPrinterFactory factory);

  TTreeView* Tree = nullptr;
  TRxSplitter* Splitter = nullptr;
  TRxRichEdit* Memo = nullptr;
  TMainMenu* MainMenu = nullptr;
  TMenuItem *FileMenu = nullptr, *PrintSectionItem = nullptr, *PrintAllItem = nullptr,
            *PrintKeysItem = nullptr, *CloseItem = nullptr;
  TMenuItem *EditMenu = nullptr, *CopyItem = nullptr, *SelectAllItem = nullptr;
  TMenuItem *HelpMenu = nullptr, *HelpOnHelpItem = nullptr;
  TFormPlacement* Placement = nullptr;

  void SetVisible(bool visible) override;

protected:
  void CreateWnd() override;

private:
  void BuildMenu();
  void FillTree();
  void TreeChange(TObject* sender, TTreeNode* node);
  void TreeClick(TObject*);
  void TreeKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  void MemoURLClick(TObject* sender, const std::string& url, TMouseButton button);
  void HelpOnHelp(TObject* sender);
  // Prints the view with title; errors are shown, not passed on.
  void PrintView(const std::string& title);

  std::vector<TTreeNode*> FNodes;
  bool FSelecting = false;  // a node selected in code: no loading
  std::string FShown;       // the document the view shows
  bool FShownPending = false;  // FShown waits for the first showing to be loaded
};

// The program's help window (made at start-up), or null.
extern THelp* Help;
// Shows the node's own document in the help window, when there is one.
void ShowHelpNode(int nodeIndex);
