// The splitter's arithmetic, apart from its window: which neighbour a drag
// resizes (from the alignments), how far the bar may move, and the size the
// resized control gets on release.
#pragma once

#include "platform/ControlAlign.h"
#include "platform/Types.h"

// 0: the neighbours do not allow splitting; 1 and 2 split vertically (a
// horizontal bar, the first resp. the second control resized); 3 and 4
// split horizontally (a vertical bar).
int SplitStyle(bool hasFirst, TAlign first, bool hasSecond, TAlign second, TAlign own);
inline bool SplitIsVertical(int style) { return style == 1 || style == 2; }
// Whether the drag resizes the first control (styles 1 and 3) or the second.
inline bool SplitResizesFirst(int style) { return style == 1 || style == 3; }

// Where the bar may go, in the splitter's own coordinates: the parent's
// client area less the two limits, moved by the splitter's position.
TRect SplitLimits(const TRect& parentClient, int topLeftLimit, int bottomRightLimit,
                  TPoint splitterPos);

// The bar's prospective position (its top-left corner, splitter
// coordinates) kept inside the limits; clamped says whether it had to move
// in the direction the style moves.
TPoint ClampSplitPosition(TPoint prospective, const TRect& limits, TSize splitterSize, int style,
                          bool& clamped);

// The resized control's new height (vertical styles) or width: its size plus
// the move (negated when a neighbour sits at the right or bottom edge), at
// least 1, and never so large that the bar would be pushed out of the parent.
int SplitNewSize(int style, int currentSize, TPoint offset, bool rightAligned, bool bottomAligned,
                 int parentClientSize, int thickness);
