// The editing control on a headless window (400 x 300 pixels, focused),
// with its status reports collected. Cells are 8 x 16 pixels (the portable
// text drawer's), the gutter 30 pixels: 46 columns and 18 rows show.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/CustomEdit.h"
#include "editor/RecordingEditHost.h"

// Opens the protected operations the tests drive directly.
class TTestEdit : public TktCustomEdit {
public:
  using TktCustomEdit::TktCustomEdit;
  using TktCustomEdit::DeleteSelection;
  using TktCustomEdit::DoProcessCommand;
  using TktCustomEdit::InsertText;
  using TktCustomEdit::SetSelTextPrimitive;
  using TktCustomEdit::StatusChanged;
};

class EditFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Edit = std::make_unique<TTestEdit>(nullptr);
    Edit->SetHost(&Host);
    Host.ClearLog();
    Edit->OnStatusChange = [this](TObject*, TktStatusChanges changes) {
      Statuses.push_back(changes.ToMask());
    };
  }
  void TearDown() override { Edit.reset(); }

  // Lines joined by CR LF; the undo lists are empty afterwards.
  void SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    Edit->SetText(text);
    Host.ClearLog();
    Statuses.clear();
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> r;
    for (int i = 1; i <= Edit->GetLineCount(); ++i) r.emplace_back(Edit->LineText(i));
    return r;
  }
  void Select(TPoint anchor, TPoint end, TSelectionMode mode = smNormal) {
    Edit->SetSelectionMode(mode);
    Edit->SetBlockBegin(anchor);
    Edit->SetBlockEnd(end);
  }

  TktRecordingEditHost Host;
  std::unique_ptr<TTestEdit> Edit;
  std::vector<int> Statuses;  // masks of OnStatusChange, in order
};

using V = std::vector<std::string>;

inline std::ostream& operator<<(std::ostream& os, const TPoint& p) {
  return os << "(" << p.X << ", " << p.Y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "[" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << "]";
}
