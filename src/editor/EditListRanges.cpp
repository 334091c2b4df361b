// The forward range rescan: after an edit only the lines whose start state
// really changed are scanned again, and the stored ranges always equal what
// a scan of the whole text from its first line would give.
#include "editor/EditList.h"

int TktEditList::ScanFrom(TktCustomHighLighter& hl, int index) {
  return ScanForced(hl, index, index);
}

// As ScanFrom, but lines up to forceThrough are stored and scanned whatever
// their stored range says (a freshly inserted line's slot means nothing).
int TktEditList::ScanForced(TktCustomHighLighter& hl, int index, int forceThrough) {
  const int count = GetCount();
  if (index >= count - 1) return index;
  TGapVector<TktRange>& ranges = EnsureRanges();
  hl.SetLine(GetView(index), index);
  hl.NextToEol();
  int i = index + 1;
  for (;;) {
    const TktRange range = hl.GetRange();
    TktRange& stored = ranges[size_t(i)];
    if (i > forceThrough && stored == range) break;
    stored = range;
    hl.SetLine(GetView(i), i);
    hl.NextToEol();
    if (++i == count) break;
  }
  return i - 1;
}

int TktEditList::RescanAfterAdd(TktCustomHighLighter& hl) {
  const int count = GetCount();
  if (count < 2) {
    hl.ResetRange();
    if (count == 1) SetRange(0, hl.GetRange());
    return 0;
  }
  const int n = count - 1;
  hl.SetRange(GetRange(n - 1));
  hl.SetLine(GetView(n - 1), n - 1);
  hl.NextToEol();
  SetRange(n, hl.GetRange());
  return n;
}

// A change at the first line: its start state is the highlighter's reset
// state, and the following lines are scanned from there.
int TktEditList::RescanFromFirst(TktCustomHighLighter& hl) {
  hl.ResetRange();
  SetRange(0, hl.GetRange());
  return GetCount() > 1 ? ScanFrom(hl, 0) : 0;
}

int TktEditList::RescanAfterDelete(TktCustomHighLighter& hl, int index) {
  const int count = GetCount();
  if (count < 1) return 0;
  if (index < 1) return RescanFromFirst(hl);
  if (index > count) index = count;
  hl.SetRange(GetRange(index - 1));
  return ScanFrom(hl, index - 1);
}

int TktEditList::RescanAfterInsert(TktCustomHighLighter& hl, int index) {
  const int count = GetCount();
  if (count < 1) return 0;
  if (index < 1) return RescanFromFirst(hl);
  hl.SetRange(GetRange(index - 1));
  // The new line's slot holds nothing yet: store and scan it whatever the
  // stop test says, then go on as usual.
  return ScanForced(hl, index - 1, index);
}

int TktEditList::RescanAfterPut(TktCustomHighLighter& hl, int index) {
  hl.SetRange(GetRange(index));
  return ScanFrom(hl, index);
}

void TktEditList::RescanAll(TktCustomHighLighter& hl) {
  const int count = GetCount();
  if (count == 0) return;
  TGapVector<TktRange>& ranges = EnsureRanges();
  hl.ResetRange();
  ranges[0] = hl.GetRange();
  for (int i = 1; i < count; ++i) {
    hl.SetRange(ranges[size_t(i - 1)]);
    hl.SetLine(GetView(i - 1), i - 1);
    hl.NextToEol();
    ranges[size_t(i)] = hl.GetRange();
  }
}
