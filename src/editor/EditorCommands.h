// Editor command numbers: every action of the editing control is one of
// these. Numbers below ecUserFirst belong to the control; from ecUserFirst up
// they are the application's own. The name table lets stored key lists use
// identifiers ("ecUp") in place of numbers.
#pragma once

#include <cstdint>
#include <string>

using TktEditorCommand = uint16_t;

constexpr TktEditorCommand ecNone = 0;

// Caret movement; the selecting twin of each is the number + ecSelection.
constexpr TktEditorCommand ecLeft = 1;
constexpr TktEditorCommand ecRight = 2;
constexpr TktEditorCommand ecUp = 3;
constexpr TktEditorCommand ecDown = 4;
constexpr TktEditorCommand ecWordLeft = 5;
constexpr TktEditorCommand ecWordRight = 6;
constexpr TktEditorCommand ecLineStart = 7;
constexpr TktEditorCommand ecLineEnd = 8;
constexpr TktEditorCommand ecPageUp = 9;
constexpr TktEditorCommand ecPageDown = 10;
constexpr TktEditorCommand ecPageLeft = 11;
constexpr TktEditorCommand ecPageRight = 12;
constexpr TktEditorCommand ecPageTop = 13;
constexpr TktEditorCommand ecPageBottom = 14;
constexpr TktEditorCommand ecEditorTop = 15;
constexpr TktEditorCommand ecEditorBottom = 16;
constexpr TktEditorCommand ecGotoXY = 17;  // data: the target point

constexpr TktEditorCommand ecSelection = 100;
constexpr TktEditorCommand ecSelLeft = ecLeft + ecSelection;
constexpr TktEditorCommand ecSelRight = ecRight + ecSelection;
constexpr TktEditorCommand ecSelUp = ecUp + ecSelection;
constexpr TktEditorCommand ecSelDown = ecDown + ecSelection;
constexpr TktEditorCommand ecSelWordLeft = ecWordLeft + ecSelection;
constexpr TktEditorCommand ecSelWordRight = ecWordRight + ecSelection;
constexpr TktEditorCommand ecSelLineStart = ecLineStart + ecSelection;
constexpr TktEditorCommand ecSelLineEnd = ecLineEnd + ecSelection;
constexpr TktEditorCommand ecSelPageUp = ecPageUp + ecSelection;
constexpr TktEditorCommand ecSelPageDown = ecPageDown + ecSelection;
constexpr TktEditorCommand ecSelPageLeft = ecPageLeft + ecSelection;
constexpr TktEditorCommand ecSelPageRight = ecPageRight + ecSelection;
constexpr TktEditorCommand ecSelPageTop = ecPageTop + ecSelection;
constexpr TktEditorCommand ecSelPageBottom = ecPageBottom + ecSelection;
constexpr TktEditorCommand ecSelEditorTop = ecEditorTop + ecSelection;
constexpr TktEditorCommand ecSelEditorBottom = ecEditorBottom + ecSelection;
constexpr TktEditorCommand ecSelGotoXY = ecGotoXY + ecSelection;  // data: the target point

constexpr TktEditorCommand ecSelectAll = 199;

constexpr TktEditorCommand ecDeleteLastChar = 401;
constexpr TktEditorCommand ecDeleteChar = 402;
constexpr TktEditorCommand ecDeleteWord = 403;
constexpr TktEditorCommand ecDeleteLastWord = 404;
constexpr TktEditorCommand ecDeleteBOL = 405;
constexpr TktEditorCommand ecDeleteEOL = 406;
constexpr TktEditorCommand ecDeleteLine = 407;
constexpr TktEditorCommand ecClearAll = 408;
constexpr TktEditorCommand ecLineBreak = 409;
constexpr TktEditorCommand ecInsertLine = 410;
constexpr TktEditorCommand ecChar = 411;  // data: the character

constexpr TktEditorCommand ecImeStr = 500;  // data: the string

constexpr TktEditorCommand ecUndo = 601;
constexpr TktEditorCommand ecRedo = 602;
constexpr TktEditorCommand ecCut = 603;
constexpr TktEditorCommand ecCopy = 604;
constexpr TktEditorCommand ecPaste = 605;
constexpr TktEditorCommand ecScrollUp = 606;
constexpr TktEditorCommand ecScrollDown = 607;
constexpr TktEditorCommand ecScrollLeft = 608;
constexpr TktEditorCommand ecScrollRight = 609;
constexpr TktEditorCommand ecInsertMode = 610;
constexpr TktEditorCommand ecOverwriteMode = 611;
constexpr TktEditorCommand ecToggleMode = 612;
constexpr TktEditorCommand ecBlockIndent = 613;
constexpr TktEditorCommand ecBlockUnindent = 614;
constexpr TktEditorCommand ecNormalSelect = 615;
constexpr TktEditorCommand ecColumnSelect = 616;
constexpr TktEditorCommand ecLineSelect = 617;
constexpr TktEditorCommand ecTab = 618;
constexpr TktEditorCommand ecShiftTab = 619;
constexpr TktEditorCommand ecMatchBracket = 620;

constexpr TktEditorCommand ecGotoMarker0 = 701;  // ... ecGotoMarker0 + 9
constexpr TktEditorCommand ecGotoMarker1 = 702;
constexpr TktEditorCommand ecGotoMarker2 = 703;
constexpr TktEditorCommand ecGotoMarker3 = 704;
constexpr TktEditorCommand ecGotoMarker4 = 705;
constexpr TktEditorCommand ecGotoMarker5 = 706;
constexpr TktEditorCommand ecGotoMarker6 = 707;
constexpr TktEditorCommand ecGotoMarker7 = 708;
constexpr TktEditorCommand ecGotoMarker8 = 709;
constexpr TktEditorCommand ecGotoMarker9 = 710;
constexpr TktEditorCommand ecSetMarker0 = 751;  // ... ecSetMarker0 + 9
constexpr TktEditorCommand ecSetMarker1 = 752;
constexpr TktEditorCommand ecSetMarker2 = 753;
constexpr TktEditorCommand ecSetMarker3 = 754;
constexpr TktEditorCommand ecSetMarker4 = 755;
constexpr TktEditorCommand ecSetMarker5 = 756;
constexpr TktEditorCommand ecSetMarker6 = 757;
constexpr TktEditorCommand ecSetMarker7 = 758;
constexpr TktEditorCommand ecSetMarker8 = 759;
constexpr TktEditorCommand ecSetMarker9 = 760;

// The control's wrap-at-right-edge command; it has no name and streams as "761".
constexpr TktEditorCommand ecWrapAtRightEdge = 761;

constexpr TktEditorCommand ecUserFirst = 1001;

// Number to identifier; false when the table has no row for it.
bool EditorCommandToIdent(TktEditorCommand command, std::string& ident);
// The identifier, or the number as decimal text when it has none.
std::string EditorCommandToCodeString(TktEditorCommand command);
// Identifier to number (letters compared without regard to case); false when
// the table has no such name.
bool IdentToEditorCommand(const std::string& ident, TktEditorCommand& command);
