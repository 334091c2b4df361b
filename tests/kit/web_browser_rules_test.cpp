// The embedded browser's portable rules: the download-control mask, the
// key routing decision and the stream text a page is loaded from.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kit/WebBrowserRules.h"
#include "platform/Classes.h"

namespace {

TEST(DlOptions, DefaultIsImagesVideosAndSounds) {
  EXPECT_EQ(DlOptionsToMask(kDefaultDlOptions), 0x70u);
  EXPECT_EQ(DlOptionsFromMask(0x70), kDefaultDlOptions);
  EXPECT_EQ(DlOptionsToMask(TDlOptions()), 0u);
}

TEST(DlOptions, EachOptionHasTheSystemsBit) {
  const uint32_t bits[] = {0x10,     0x20,     0x40,     0x80,       0x100,      0x200,      0x400,
                           0x800,    0x1000,   0x2000,   0x4000,     0x8000,     0x10000,    0x20000,
                           0x40000,  0x10000000, 0x20000000, 0x40000000, 0x80000000};
  uint32_t all = 0;
  for (int i = 0; i <= int(DLCTL_OFFLINE); ++i) {
    SCOPED_TRACE(i);
    const TDlOptions one{TDlControlOptions(i)};
    EXPECT_EQ(DlOptionsToMask(one), bits[i]);
    EXPECT_EQ(DlOptionsFromMask(bits[i]), one);
    all |= bits[i];
  }
  // The high four round-trip together; bits with no option are dropped.
  const TDlOptions high{DLCTL_FORCEOFFLINE, DLCTL_NO_CLIENTPULL, DLCTL_SILENT, DLCTL_OFFLINE};
  EXPECT_EQ(DlOptionsToMask(high), 0xF0000000u);
  EXPECT_EQ(DlOptionsFromMask(0xF000000Fu | 0x0FF80000u), high);
  EXPECT_EQ(DlOptionsToMask(DlOptionsFromMask(0xFFFFFFFFu)), all);
}

TEST(BrowserKeys, RoutingDecision) {
  constexpr uint32_t down = 0x100, up = 0x101, chr = 0x102, sysDown = 0x104, mouse = 0x201;
  const struct {
    uint32_t Message;
    uintptr_t Key;
    bool InBrowser, Busy;
    bool UIActivate, Translate;
  } cases[] = {
      {down, 'A', true, false, false, true},
      {chr, 'a', true, false, false, true},
      {sysDown, 'F', true, false, false, true},
      {down, 0x09, true, false, true, true},   // Tab activates first
      {up, 0x09, true, false, true, true},
      {chr, 0x09, true, false, false, true},   // the typed tab is no key press
      {down, 0x08, true, false, false, false}, // Backspace, Left, Right: left alone
      {up, 0x25, true, false, false, false},
      {down, 0x27, true, false, false, false},
      {down, 0x26, true, false, false, true},  // Up is offered
      {down, 'A', false, false, false, false}, // another window's key
      {down, 0x09, true, true, false, false},  // a busy browser gets nothing
      {mouse, 0, true, false, false, false},   // only keys
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(&c - cases));
    const TBrowserKeyRoute r = RouteBrowserKey(c.Message, c.Key, c.InBrowser, c.Busy);
    EXPECT_EQ(r.UIActivate, c.UIActivate);
    EXPECT_EQ(r.Translate, c.Translate);
  }
}

TEST(BrowserText, LinesWithCrLfReadAndSeek) {
  TStringList lines;
  lines.Add("<p>a</p>");
  lines.Add("");
  lines.Add("b");
  TBrowserText text = TBrowserText::FromLines(lines);
  EXPECT_EQ(text.Text(), "<p>a</p>\r\n\r\nb\r\n");
  EXPECT_EQ(text.Size(), 15u);

  char buf[32] = {};
  EXPECT_EQ(text.Read(buf, 4), 4u);
  EXPECT_EQ(std::string(buf, 4), "<p>a");
  uint64_t pos = 99;
  EXPECT_TRUE(text.Seek(-3, 2, pos));
  EXPECT_EQ(pos, 12u);
  EXPECT_EQ(text.Read(buf, 32), 3u);  // only what is left
  EXPECT_EQ(std::string(buf, 3), "b\r\n");
  EXPECT_EQ(text.Read(buf, 32), 0u);

  EXPECT_FALSE(text.Seek(-1, 0, pos));  // before the start: refused, unmoved
  EXPECT_EQ(text.Position(), 15u);
  EXPECT_TRUE(text.Seek(-15, 1, pos));
  EXPECT_EQ(pos, 0u);
  EXPECT_TRUE(text.Seek(100, 0, pos));  // past the end reads nothing
  EXPECT_EQ(text.Read(buf, 8), 0u);
  EXPECT_FALSE(text.Seek(0, 3, pos));

  EXPECT_EQ(TBrowserText::FromLines(TStringList()).Size(), 0u);
}

}  // namespace
