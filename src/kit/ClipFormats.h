// Which view the clipboard viewer shows: the view formats, the clipboard
// format behind each, and the rules for choosing one, over a small query
// interface so they hold without a clipboard.
#pragma once

#include <cstdint>

enum TClipboardViewFormat {
  cvDefault, cvEmpty, cvUnknown, cvText, cvBitmap, cvMetafile, cvPalette, cvOemText, cvPicture, cvComponent, cvIcon
};

// The system's standard formats the viewer knows.
constexpr unsigned kCfText = 1, kCfBitmap = 2, kCfMetafilePict = 3, kCfOemText = 7, kCfPalette = 9,
                   kCfEnhMetafile = 14;

// Formats registered at run time: the picture and component formats of our
// platform layer and the icon format.
struct TClipFormatIds {
  unsigned Picture = 0;
  unsigned Component = 0;
  unsigned Icon = 0;
};

class IClipboardQuery {
public:
  virtual ~IClipboardQuery() = default;
  virtual bool IsEmpty() = 0;
  virtual bool HasFormat(unsigned format) = 0;
};

// 0 for cvDefault, cvEmpty and cvUnknown.
unsigned FormatId(TClipboardViewFormat format, const TClipFormatIds& ids);
// Whether the clipboard holds the format's clipboard format.
bool ValidFormat(IClipboardQuery& clipboard, TClipboardViewFormat format, const TClipFormatIds& ids);
// The format to draw: cvEmpty for an empty clipboard, a chosen format as it
// is, else the first the clipboard holds in the viewer's order of
// preference, or cvUnknown.
TClipboardViewFormat GetDrawFormat(IClipboardQuery& clipboard, TClipboardViewFormat current,
                                   const TClipFormatIds& ids);
// What a rebuilt view shows: the draw format, or cvUnknown when the
// clipboard does not hold it.
TClipboardViewFormat ShownFormat(IClipboardQuery& clipboard, TClipboardViewFormat current,
                                 const TClipFormatIds& ids);
// The view format after the clipboard changed: cvEmpty when it is empty,
// cvDefault when it no longer holds the chosen format.
TClipboardViewFormat FormatAfterChange(IClipboardQuery& clipboard, TClipboardViewFormat current,
                                       const TClipFormatIds& ids);
// The view format a request leaves: the requested one when the clipboard
// holds it, else cvDefault.
TClipboardViewFormat RequestedFormat(IClipboardQuery& clipboard, TClipboardViewFormat requested,
                                     const TClipFormatIds& ids);
