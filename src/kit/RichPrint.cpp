#include "kit/RichPrint.h"

#include <algorithm>
#include <map>

#include "platform/SysUtils.h"

TRect PixelsToTwips(const TRect& r, int dpiX, int dpiY) {
  auto tw = [](int v, int dpi) { return dpi > 0 ? static_cast<int>(static_cast<int64_t>(v) * 1440 / dpi) : 0; };
  return TRect(tw(r.Left, dpiX), tw(r.Top, dpiY), tw(r.Right, dpiX), tw(r.Bottom, dpiY));
}

bool PrintWithEngine(IktPrintDevice& device, IRichPageEngine& engine, const std::string& title, int& pages) {
  pages = 0;
  const int length = engine.TextLength();
  engine.ClearFormatting();
  if (length > 0 && engine.FormatPage(0, false) <= 0) {
    engine.ClearFormatting();
    return false;
  }
  engine.ClearFormatting();
  device.SetTitle(title);
  device.BeginDoc();
  try {
    int first = 0;
    for (;;) {
      const int next = engine.FormatPage(first, true);
      ++pages;
      if (next <= first || next >= length) break;
      first = next;
      device.NewPage();
    }
    device.EndDoc();
  } catch (...) {
    engine.ClearFormatting();
    device.Abort();
    throw;
  }
  engine.ClearFormatting();
  return true;
}

// --- Our own layout ---------------------------------------------------------

TFontData RichFontData(const TRichFont& font, int pixelsPerInchY) {
  TFontData data;
  data.Name = font.Face;
  data.Height = FontSizeToHeight(font.Size > 0 ? font.Size : 10, pixelsPerInchY);
  data.Style = font.Style;
  data.Color = font.Color;
  data.CharSet = DEFAULT_CHARSET_ID;
  return data;
}

namespace {

struct TSegment {
  std::string Text;
  const TRichFont* Font;
  int Width = 0;
};

// A word: segments without a blank between them, possibly in several fonts.
struct TWord {
  std::vector<TSegment> Parts;
  int Width = 0;
};

struct TLineItem {
  TSegment Segment;
  bool Blank = false;
};

class TLayouter {
public:
  TLayouter(ICanvas& canvas, const TRect& rect, int dpiX, int dpiY)
      : FCanvas(canvas), FRect(rect), FDpiX(dpiX), FDpiY(dpiY) {
    FPages.emplace_back();
    FY = rect.Top;
  }

  void Paragraph(const TRichParagraph& p);
  std::vector<TRichPage> Take() { return std::move(FPages); }

private:
  const TTextMetrics& Metrics(const TRichFont& font) {
    auto it = FMetrics.find(Key(font));
    if (it != FMetrics.end()) return it->second;
    Select(font);
    return FMetrics[Key(font)] = FCanvas.GetTextMetrics();
  }
  static std::string Key(const TRichFont& f) {
    return f.Face + '\x01' + IntToStr(f.Size) + '\x01' + IntToStr(f.Style.ToMask());
  }
  void Select(const TRichFont& font) { FCanvas.SetFont(RichFontData(font, FDpiY)); }
  int Width(const std::string& text, const TRichFont& font) {
    Select(font);
    return FCanvas.TextWidth(text);
  }
  int Px(int twips) const { return static_cast<int>(static_cast<int64_t>(twips) * FDpiX / 1440); }
  void EmitLine(const TRichParagraph& p, bool first, const TRichFont& emptyFont);
  void PlaceWord(const TRichParagraph& p, TWord word);
  int Available(const TRichParagraph& p) const {
    const int indent = Px(FFirstLine ? p.FirstIndent : p.LeftIndent);
    return std::max(1, FRect.Width() - indent - Px(p.RightIndent));
  }
  int LineWidth(bool withTrailingBlanks) const {
    int w = 0, trailing = 0;
    for (const auto& item : FLine) {
      w += item.Segment.Width;
      trailing = item.Blank ? trailing + item.Segment.Width : 0;
    }
    return withTrailingBlanks ? w : w - trailing;
  }
  bool LineHasWord() const {
    return std::any_of(FLine.begin(), FLine.end(), [](const TLineItem& i) { return !i.Blank; });
  }

  ICanvas& FCanvas;
  TRect FRect;
  int FDpiX, FDpiY;
  std::map<std::string, TTextMetrics> FMetrics;
  std::vector<TRichPage> FPages;
  std::vector<TLineItem> FLine;
  bool FFirstLine = true;
  int FY = 0;
};

void TLayouter::EmitLine(const TRichParagraph& p, bool first, const TRichFont& emptyFont) {
  // Blanks that end a wrapped line take no room.
  while (!FLine.empty() && FLine.back().Blank) FLine.pop_back();
  int ascent = 0, height = 0;
  if (FLine.empty()) {
    const TTextMetrics& m = Metrics(emptyFont);
    ascent = m.Ascent;
    height = m.Height;
  }
  for (const auto& item : FLine) {
    const TTextMetrics& m = Metrics(*item.Segment.Font);
    ascent = std::max(ascent, m.Ascent);
    height = std::max(height, m.Height);
  }
  int descent = 0;
  for (const auto& item : FLine) {
    const TTextMetrics& m = Metrics(*item.Segment.Font);
    descent = std::max(descent, m.Height - m.Ascent);
  }
  height = std::max(height, ascent + descent);
  if (FY + height > FRect.Bottom && FPages.back().Lines > 0) {
    FPages.emplace_back();
    FY = FRect.Top;
  }
  const int indent = Px(first ? p.FirstIndent : p.LeftIndent);
  const int room = std::max(1, FRect.Width() - indent - Px(p.RightIndent));
  const int used = LineWidth(false);
  int x = FRect.Left + indent;
  if (p.Align == raRight) x += std::max(0, room - used);
  if (p.Align == raCenter) x += std::max(0, room - used) / 2;
  TRichPage& page = FPages.back();
  for (const auto& item : FLine) {
    if (!item.Blank) {
      const TTextMetrics& m = Metrics(*item.Segment.Font);
      page.Fragments.push_back({x, FY + ascent - m.Ascent, item.Segment.Text, *item.Segment.Font});
    }
    x += item.Segment.Width;
  }
  ++page.Lines;
  FY += height;
  FLine.clear();
}

void TLayouter::PlaceWord(const TRichParagraph& p, TWord word) {
  if (LineWidth(true) + word.Width <= Available(p)) {
    for (auto& s : word.Parts) FLine.push_back({std::move(s), false});
    return;
  }
  if (LineHasWord()) {
    EmitLine(p, FFirstLine, p.EndFont);
    FFirstLine = false;
  } else {
    // Blanks alone before a word that does not fit: the word starts the line.
    FLine.clear();
  }
  // The word on a line of its own, broken where it fills the line.
  while (word.Width > Available(p)) {
    const int room = Available(p);
    TWord rest;
    int used = 0;
    size_t part = 0;
    bool broken = false;
    for (; part < word.Parts.size() && !broken; ++part) {
      TSegment& s = word.Parts[part];
      if (used + s.Width <= room) {
        FLine.push_back({s, false});
        used += s.Width;
        continue;
      }
      // The longest head of this segment that still fits; at least one
      // character when the line holds nothing yet.
      size_t n = 0;
      while (n < s.Text.size() && used + Width(s.Text.substr(0, n + 1), *s.Font) <= room) ++n;
      if (n == 0 && used == 0) n = 1;
      if (n > 0) {
        TSegment head{s.Text.substr(0, n), s.Font, Width(s.Text.substr(0, n), *s.Font)};
        FLine.push_back({head, false});
      }
      if (n < s.Text.size()) {
        TSegment tail{s.Text.substr(n), s.Font, Width(s.Text.substr(n), *s.Font)};
        rest.Parts.push_back(tail);
        rest.Width += tail.Width;
      }
      broken = true;
    }
    for (; part < word.Parts.size(); ++part) {
      rest.Width += word.Parts[part].Width;
      rest.Parts.push_back(word.Parts[part]);
    }
    EmitLine(p, FFirstLine, p.EndFont);
    FFirstLine = false;
    word = std::move(rest);
  }
  for (auto& s : word.Parts) FLine.push_back({std::move(s), false});
}

void TLayouter::Paragraph(const TRichParagraph& p) {
  FFirstLine = true;
  FLine.clear();
  TWord word;
  auto flushWord = [&] {
    if (word.Parts.empty()) return;
    PlaceWord(p, std::move(word));
    word = TWord();
  };
  for (const auto& run : p.Runs) {
    size_t i = 0;
    const std::string& t = run.Text;
    while (i < t.size()) {
      const bool blank = t[i] == ' ' || t[i] == '\t';
      size_t j = i;
      while (j < t.size() && (t[j] == ' ' || t[j] == '\t') == blank) ++j;
      std::string text = t.substr(i, j - i);
      if (blank) {
        flushWord();
        for (char& c : text) c = ' ';
        // Blanks at the start of a wrapped line are dropped.
        if (!FLine.empty() || FFirstLine) FLine.push_back({{text, &run.Font, Width(text, run.Font)}, true});
      } else {
        TSegment s{text, &run.Font, Width(text, run.Font)};
        word.Width += s.Width;
        word.Parts.push_back(std::move(s));
      }
      i = j;
    }
  }
  flushWord();
  EmitLine(p, FFirstLine, p.Runs.empty() ? p.EndFont : p.Runs.back().Font);
}

}  // namespace

std::vector<TRichPage> LayoutRichText(ICanvas& canvas, const std::vector<TRichParagraph>& paragraphs,
                                      const TRect& rect, int pixelsPerInchX, int pixelsPerInchY) {
  TLayouter layouter(canvas, rect, pixelsPerInchX, pixelsPerInchY);
  for (const auto& p : paragraphs) layouter.Paragraph(p);
  return layouter.Take();
}

int PrintRichLayout(IktPrintDevice& device, const std::vector<TRichParagraph>& paragraphs, const TRect& rect,
                    const std::string& title) {
  ICanvas& canvas = device.Canvas();
  const int dpiY = device.PixelsPerInchY();
  std::vector<TRichPage> pages =
      LayoutRichText(canvas, paragraphs, rect, device.PixelsPerInchX(), dpiY);
  device.SetTitle(title);
  device.BeginDoc();
  try {
    for (size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) device.NewPage();
      ICanvas& page = device.Canvas();
      page.SetBrushStyle(bsClear);
      for (const auto& f : pages[i].Fragments) {
        page.SetFont(RichFontData(f.Font, dpiY));
        page.TextOut(f.X, f.Y, f.Text);
      }
    }
    device.EndDoc();
  } catch (...) {
    device.Abort();
    throw;
  }
  return static_cast<int>(pages.size());
}
