// Which text drawer the editor makes.
#include "editor/TextDrawer.h"

#include "editor/TextDrawerCanvas.h"

namespace {
TTextDrawerMaker& CurrentMaker() {
  static TTextDrawerMaker maker = nullptr;
  return maker;
}
}  // namespace

TTextDrawerMaker SetTextDrawerMaker(TTextDrawerMaker maker) {
  TTextDrawerMaker old = CurrentMaker();
  CurrentMaker() = maker;
  return old;
}

std::unique_ptr<ITextDrawer> MakeTextDrawer(TFontStyles baseStyle, const TFontData& baseFont) {
  if (TTextDrawerMaker maker = CurrentMaker()) return maker(baseStyle, baseFont);
  return std::make_unique<TCanvasTextDrawer>(baseStyle, baseFont);
}
