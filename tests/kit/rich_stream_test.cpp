// The rich-text control's rules without a window: the library choice, the
// stream flags, what plain text hands the control, line insertion, link
// clicks and the conversion formats.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "kit/RichStream.h"
#include "platform/Streams.h"

namespace {

// Everything the reader gives for the whole stream, offered buffers of size.
std::string Drain(TRichStreamReader& reader, int size) {
  std::string out;
  std::string buffer(static_cast<size_t>(size) + 8, '#');
  for (int guard = 0; guard < 100000; ++guard) {
    const int n = reader.Read(buffer.data(), size);
    // Nothing past the offered buffer is touched.
    for (size_t i = static_cast<size_t>(size); i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '#');
    if (n == 0) return out;
    EXPECT_LE(n, size);
    out.append(buffer.data(), static_cast<size_t>(n));
  }
  ADD_FAILURE() << "the reader never ended";
  return out;
}

std::string Feed(const std::string& text, TRichStreamReader::TKind kind, int size) {
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  stream.SetPosition(0);
  TRichStreamReader reader(stream, kind);
  return Drain(reader, size);
}

std::string Wide(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

TEST(RichStreamReader, PlainTextLineEndsBecomeCrLf) {
  struct TCase {
    const char* Name;
    std::string In;
    std::string Out;
  };
  // The control offers 4096; half of it is a piece of 2048 bytes.
  const std::string a2047(2047, 'a');
  const std::string a2046(2046, 'a');
  const TCase cases[] = {
      {"mixed", "a\nb\rc", "a\r\nb\r\nc"},
      {"crlf kept", "a\r\nb", "a\r\nb"},
      {"cr cr lf", "a\r\r\nb", "a\r\n\r\nb"},
      {"final cr", "abc\r", "abc\r\n"},
      {"final lf", "abc\n", "abc\r\n"},
      {"lone cr ends a piece", a2047 + "\rb", a2047 + "\r\nb"},
      {"crlf split by the border", a2047 + "\r\nb", a2047 + "\r\nb"},
      {"cr cr lf across the border", a2046 + "\r\r\nb", a2046 + "\r\n\r\nb"},
      {"cr ends piece and stream", a2047 + "\r", a2047 + "\r\n"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Feed(c.In, TRichStreamReader::rkAnsi, 4096), c.Out) << c.Name;
    // Small buffers put the borders everywhere.
    for (int size : {1, 2, 3, 7}) EXPECT_EQ(Feed(c.In, TRichStreamReader::rkAnsi, size), c.Out) << c.Name << " " << size;
  }
}

TEST(RichStreamReader, UnicodeConvertsUnitsNotBytes) {
  // U+010D has the byte 0x0D in it; U+0A0D both 0x0A and 0x0D.
  const std::string in = Wide(u"\u010D\n\u0A0Dx\r");
  const std::string expected = Wide(u"\u010D\r\n\u0A0Dx\r\n");
  for (int size : {4096, 4, 6, 10}) {
    const std::string out = Feed(in, TRichStreamReader::rkUnicode, size);
    EXPECT_EQ(out, expected) << size;
  }
  // As bytes the same text would have gained breaks.
  EXPECT_NE(Feed(in, TRichStreamReader::rkAnsi, 4096), expected);
}

TEST(RichStreamReader, RichTextPassesUnchanged) {
  std::string rtf = "{\\rtf1 a\\par\nb\r\\bin3 \r\n\r}";
  rtf += std::string(5000, '\n');
  EXPECT_EQ(Feed(rtf, TRichStreamReader::rkRich, 4096), rtf);
}

TEST(RichStreamReader, RestartReadsAgainFromTheStartInTheOtherKind) {
  TMemoryStream stream;
  const std::string text = "xx{a\nb}";
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  stream.SetPosition(2);
  TRichStreamReader reader(stream, TRichStreamReader::rkRich);
  EXPECT_EQ(Drain(reader, 4096), "{a\nb}");
  reader.Restart(TRichStreamReader::rkAnsi);
  EXPECT_EQ(Drain(reader, 4096), "{a\r\nb}");
}

TEST(RichStreamFlags, FormatModesAndVersion) {
  EXPECT_TRUE(StreamsPlainText(sfPlainText, false));
  EXPECT_TRUE(StreamsPlainText(sfDefault, true));
  EXPECT_FALSE(StreamsPlainText(sfRichText, true));
  EXPECT_FALSE(StreamsPlainText(sfDefault, false));

  EXPECT_EQ(RichStreamFlags(false, {}, 3, false), kSfRtf);
  EXPECT_EQ(RichStreamFlags(false, {smPlainRtf, smSelection}, 3, false), kSfRtf | kSffPlainRtf | kSffSelection);
  // Objects are left out only on saving.
  EXPECT_EQ(RichStreamFlags(false, {smNoObjects}, 3, true), kSfRtfNoObjs);
  EXPECT_EQ(RichStreamFlags(false, {smNoObjects}, 3, false), kSfRtf);
  EXPECT_EQ(RichStreamFlags(true, {smUnicode}, 2, false), kSfText | kSfUnicode);
  EXPECT_EQ(RichStreamFlags(true, {smUnicode}, 1, false), kSfText);
}

TEST(RichEditLibrary, LoadsByFullPathAndFallsBack) {
  std::map<std::string, void*> present;
  std::vector<std::string> asked;
  int handle = 0;
  TRichEditSystem system;
  system.SystemFolder = "C:\\windows\\system32";
  system.Load = [&](const std::string& path) -> void* {
    asked.push_back(path);
    auto it = present.find(path);
    return it == present.end() ? nullptr : it->second;
  };
  TRichEditLibraryNames names;
  present["C:\\windows\\system32\\RICHED20.DLL"] = &handle;
  present["C:\\windows\\system32\\RICHED32.DLL"] = &handle;

  TRichEditLibrary lib = ChooseRichEditLibrary(system, names);
  EXPECT_EQ(lib.Version, 3);
  EXPECT_EQ(lib.Path, "C:\\windows\\system32\\RICHED20.DLL");
  EXPECT_STREQ(RichEditClassName(lib.Version), "RichEdit20A");

  system.MajorVersion = 4;
  EXPECT_EQ(ChooseRichEditLibrary(system, names).Version, 2);
  system.PlatformId = 1;
  system.MajorVersion = 6;
  EXPECT_EQ(ChooseRichEditLibrary(system, names).Version, 2);

  // Another current name that is not there: the old library, version 1.
  names.Current = "NOSUCH20.DLL";
  asked.clear();
  lib = ChooseRichEditLibrary(system, names);
  EXPECT_EQ(lib.Version, 1);
  EXPECT_EQ(lib.Handle, &handle);
  EXPECT_EQ(asked, (std::vector<std::string>{"C:\\windows\\system32\\NOSUCH20.DLL",
                                             "C:\\windows\\system32\\RICHED32.DLL"}));
  EXPECT_STREQ(RichEditClassName(1), "RICHEDIT");

  names.Old = "NOSUCH32.DLL";
  lib = ChooseRichEditLibrary(system, names);
  EXPECT_EQ(lib.Version, 0);
  EXPECT_EQ(lib.Handle, nullptr);
}

TEST(RichEditLibrary, FreedOnlyAfterTheEndAndTheLastWindow) {
  TRichEditLibraryUse use;
  use.WindowCreated();
  use.WindowCreated();
  EXPECT_FALSE(use.WindowDestroyed());  // the program still runs
  EXPECT_FALSE(use.ProgramEnded());     // a window is left
  EXPECT_TRUE(use.WindowDestroyed());
  TRichEditLibraryUse idle;
  EXPECT_TRUE(idle.ProgramEnded());
}

TEST(RichInsertLine, TextsByVersion) {
  EXPECT_EQ(RichInsertLineText(1, "x", false), "x\r\n");
  EXPECT_EQ(RichInsertLineText(1, "x", true), "\r\nx");
  EXPECT_EQ(RichInsertLineText(3, "x", false), "x\r");
  EXPECT_EQ(RichInsertLineText(2, "x", true), "\rx");
}

TEST(RichLinkPress, OnlyTheSameButtonOverTheSameLinkClicks) {
  TRichLinkPress press;
  EXPECT_FALSE(press.Release(1, 5, mbLeft));  // no press
  press.Press(1, 5, mbLeft);
  EXPECT_FALSE(press.Release(7, 12, mbLeft));  // released over another link
  EXPECT_EQ(press.Start(), -1);
  EXPECT_FALSE(press.Release(1, 5, mbLeft));  // the release ended the press
  press.Press(1, 5, mbRight);
  EXPECT_FALSE(press.Release(1, 5, mbLeft));
  press.Press(1, 5, mbRight);
  EXPECT_TRUE(press.Release(1, 5, mbRight));
  EXPECT_EQ(press.End(), -1);
}

TEST(RichConversionFormats, ByExtensionWithoutCase) {
  TRichConversionFormat f;
  ASSERT_TRUE(FindConversionFormat("C:\\a\\Topic.RTF", f));
  EXPECT_FALSE(f.PlainText);
  ASSERT_TRUE(FindConversionFormat("notes.txt", f));
  EXPECT_TRUE(f.PlainText);
  EXPECT_FALSE(FindConversionFormat("page.htm", f));
  EXPECT_FALSE(FindConversionFormat("noext", f));
  RegisterConversionFormat("LOG", true);
  ASSERT_TRUE(FindConversionFormat("x.log", f));
  EXPECT_TRUE(f.PlainText);
}

}  // namespace
