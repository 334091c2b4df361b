// Marks: objects that stand on a line of an editing control and show a glyph
// in its gutter. The ten numbered bookmarks are marks too. TMarkList owns the
// marks of one control; a mark repaints its gutter row when it changes.
#pragma once

#include <memory>
#include <vector>

#include "platform/Classes.h"

class TktCustomEdit;

class TMark : public TObject {
public:
  explicit TMark(TktCustomEdit* owner) : FEdit(owner) {}

  // The owning control while its mark list holds this mark; otherwise the
  // mark forgets its control and answers nullptr.
  virtual TktCustomEdit* GetEdit();
  int GetColumn() const { return FColumn; }
  virtual void SetColumn(int value) { FColumn = value; }
  int GetImageIndex() const { return FImageIndex; }
  // Repaints the mark's row (when visible and owned).
  virtual void SetImage(int value);
  int GetLine() const { return FLine; }
  // Repaints the old row (when it was above 0) and the new one.
  virtual void SetLine(int value);

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool value);
  // Draw from the built-in glyph strip even when an image list is set.
  bool GetInternalImage() const { return FInternalImage; }
  void SetInternalImage(bool value);
  int GetBookmarkNumber() const { return FBookmarkNumber; }
  void SetBookmarkNumber(int value) { FBookmarkNumber = value; }
  bool IsBookmark() const { return FBookmarkNumber >= 0; }

protected:
  void InvalidateRow(int line);

  int FLine = 0;
  int FColumn = 0;
  int FImageIndex = 0;
  TktCustomEdit* FEdit;
  bool FVisible = false;
  bool FInternalImage = false;
  int FBookmarkNumber = -1;  // a plain mark, not one of the ten bookmarks
};

class TMarkList : public TObject {
public:
  explicit TMarkList(TktCustomEdit* owner) : FEdit(owner) {}
  ~TMarkList() override;
  TMarkList(const TMarkList&) = delete;
  TMarkList& operator=(const TMarkList&) = delete;

  // Takes the mark; fires OnChange. Returns it.
  TMark* Add(std::unique_ptr<TMark> mark);
  // Gives the mark back (nullptr when the list does not hold it); fires
  // OnChange. The control forgets it as a bookmark.
  std::unique_ptr<TMark> Remove(TMark* mark);
  int GetCount() const { return int(FItems.size()); }
  TMark* GetItem(int index) const;  // EListError outside the list
  int IndexOf(const TMark* mark) const;
  TktCustomEdit* GetEdit() const { return FEdit; }

  TNotifyEvent OnChange;

private:
  TktCustomEdit* FEdit;
  std::vector<std::unique_ptr<TMark>> FItems;
};
