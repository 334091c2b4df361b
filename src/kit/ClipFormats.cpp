// The clipboard viewer's choice of format.
#include "kit/ClipFormats.h"

unsigned FormatId(TClipboardViewFormat format, const TClipFormatIds& ids) {
  switch (format) {
    case cvText: return kCfText;
    case cvBitmap: return kCfBitmap;
    case cvMetafile: return kCfMetafilePict;
    case cvPalette: return kCfPalette;
    case cvOemText: return kCfOemText;
    case cvPicture: return ids.Picture;
    case cvComponent: return ids.Component;
    case cvIcon: return ids.Icon;
    default: return 0;
  }
}

bool ValidFormat(IClipboardQuery& clipboard, TClipboardViewFormat format, const TClipFormatIds& ids) {
  const unsigned id = FormatId(format, ids);
  if (id == 0) return false;
  // A metafile view takes either kind of metafile.
  if (format == cvMetafile) return clipboard.HasFormat(kCfMetafilePict) || clipboard.HasFormat(kCfEnhMetafile);
  return clipboard.HasFormat(id);
}

TClipboardViewFormat GetDrawFormat(IClipboardQuery& clipboard, TClipboardViewFormat current,
                                   const TClipFormatIds& ids) {
  if (clipboard.IsEmpty()) return cvEmpty;
  if (current != cvDefault) return current;
  static const TClipboardViewFormat kOrder[] = {cvText, cvOemText, cvBitmap, cvMetafile,
                                                cvIcon, cvPicture, cvComponent, cvPalette};
  for (TClipboardViewFormat format : kOrder)
    if (ValidFormat(clipboard, format, ids)) return format;
  return cvUnknown;
}

TClipboardViewFormat ShownFormat(IClipboardQuery& clipboard, TClipboardViewFormat current,
                                 const TClipFormatIds& ids) {
  const TClipboardViewFormat format = GetDrawFormat(clipboard, current, ids);
  if (format == cvEmpty) return cvEmpty;
  return ValidFormat(clipboard, format, ids) ? format : cvUnknown;
}

TClipboardViewFormat FormatAfterChange(IClipboardQuery& clipboard, TClipboardViewFormat current,
                                       const TClipFormatIds& ids) {
  if (clipboard.IsEmpty()) return cvEmpty;
  if (current == cvDefault || !ValidFormat(clipboard, current, ids)) return cvDefault;
  return current;
}

TClipboardViewFormat RequestedFormat(IClipboardQuery& clipboard, TClipboardViewFormat requested,
                                     const TClipFormatIds& ids) {
  return ValidFormat(clipboard, requested, ids) ? requested : cvDefault;
}
