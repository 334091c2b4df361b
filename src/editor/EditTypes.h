// The small types of the editing control's face: options, status changes,
// selection modes, caret shapes, event signatures, and the portable forms of
// what the window half hands in (scroll-bar codes, drag states, cursors).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/EditorCommands.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "platform/SysUtils.h"

class ICanvas;
class TMark;

TQ_DECLARE_EXCEPTION(EktEditError, Exception)

enum TSelectionMode : uint8_t { smNormal, smColumn, smLine };

enum TCaretType : uint8_t { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };

enum TktEditorOption {
  kteoAutoIndent,        // a line break indents the new line like the previous one
  kteoDragDropEditing,   // a press inside the selection can drag the text
  kteoDropFiles,         // the window accepts dropped files
  kteoHalfPageScroll,    // Ctrl + wheel and page moves go half a window
  kteoNoCaret,           // the caret is never shown
  kteoNoSelection,       // BlockEnd cannot be set
  kteoScrollPastEol,     // the caret may stand past the line end
  kteoShowScrollHint,    // "TopLine: %d" while the vertical thumb is dragged
  kteoTabsToSpaces,      // kept in the set; Tab always inserts blanks
  kteoSmartTabs,         // Tab moves to the next word start of the line above
};
using TktEditorOptions = TSet<TktEditorOption, uint16_t>;
// AutoIndent, DragDropEditing, ScrollPastEol, ShowScrollHint, TabsToSpaces, SmartTabs.
constexpr TktEditorOptions kDefaultEditorOptions = TktEditorOptions::FromMask(963);

// What changed since the last OnStatusChange; the set's mask gives the
// documented values (2 caret column, 4 caret line, ... 128 selection).
enum TktStatusChange {
  scCaretX = 1,
  scCaretY,
  scLeftChar,
  scTopLine,
  scInsertMode,
  scModified,
  scSelection,
};
using TktStatusChanges = TSet<TktStatusChange, uint8_t>;

enum TktReplaceAction : uint8_t { raCancel, raSkip, raReplace, raReplaceAll };

enum TktPrintStatus : uint8_t { psBegin, psNewPage, psEnd };

// Frame and scroll bars of the window; the window half turns them into styles.
enum TktBorderStyle : uint8_t { kbsNone, kbsSingle };
enum TktScrollStyle : uint8_t { kssNone, kssHorizontal, kssVertical, kssBoth };

enum TktScrollBar : uint8_t { ksbHorizontal, ksbVertical };
// A scroll-bar message's code; the values are the window system's SB_ codes,
// so the window half can pass them through.
enum TktScrollCode : uint8_t {
  kscLineUp,
  kscLineDown,
  kscPageUp,
  kscPageDown,
  kscThumbPosition,
  kscThumbTrack,
  kscTop,
  kscBottom,
  kscEndScroll,
};

enum TktDragState : uint8_t { kdsDragEnter, kdsDragLeave, kdsDragMove };

// The mouse cursor the control wants at a point; kcGutter means the gutter's
// own Cursor setting.
enum TktCursorKind : uint8_t { kcIBeam, kcArrow, kcGutter, kcDrag, kcMultiDrag };

using TktProcessCommandEvent =
    std::function<void(TObject* sender, TktEditorCommand& command, char& aChar, void* data)>;
using TktStatusChangeEvent = std::function<void(TObject* sender, TktStatusChanges changes)>;
using TktGutterClickEvent =
    std::function<void(TObject* sender, int x, int y, int line, TMark* mark, TShiftState shift)>;
// The handler may change the mark, replace it, or reset the pointer to refuse.
using TktPlaceMarkEvent = std::function<void(TObject* sender, std::unique_ptr<TMark>& mark)>;
using TktPaintEvent = std::function<void(TObject* sender, ICanvas& canvas)>;
using TktSpecialLineColorsEvent =
    std::function<void(TObject* sender, int line, bool& special, TColor& fg, TColor& bg)>;
using TktReplaceTextEvent =
    std::function<void(TObject* sender, const std::string& search, const std::string& replace,
                       int line, int column, TktReplaceAction& action)>;
using TktDropFilesEvent = std::function<void(TObject* sender, int x, int y, TStrings* files)>;
using TktPrintStatusEvent =
    std::function<void(TObject* sender, TktPrintStatus status, int pageNumber, bool& abort)>;
