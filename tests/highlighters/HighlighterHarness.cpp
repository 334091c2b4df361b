// HighlighterHarness: token dumps, golden files and invariants for every
// highlighter's tests.
#include "HighlighterHarness.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>

#include "editor/CodePage.h"
#include "editor/EditList.h"
#include "editor/Export.h"
#include "editor/HighlightAttributes.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "highlighters/KeywordTable.h"
#include "platform/TypInfo.h"

namespace {

std::string AttributeName(TktHighLightAttributes* attr) { return attr ? attr->GetName() : "-"; }

std::string TokenLine(int line, const TTokenRecord& t) {
  return std::to_string(line) + "," + std::to_string(t.Pos) + "," + std::to_string(t.Kind) + "," +
         t.Attribute + "," + QuoteText(t.Text);
}

std::string Describe(const TLineScan& s) {
  std::string r;
  for (const TTokenRecord& t : s.Tokens) r += "  " + TokenLine(0, t) + "\n";
  r += "  end at " + std::to_string(s.EndPos) + ", range " + std::to_string(s.EndRange) +
       (s.Ended ? "" : " (did not end)") + "\n";
  return r;
}

std::string Shorten(const std::string& s) {
  const std::string q = QuoteText(s);
  return q.size() > 120 ? q.substr(0, 120) + "..." : q;
}

}  // namespace

TLineScan ScanLine(TktCustomHighLighter& hl, std::string_view line, int lineNumber,
                   TktRange startRange, bool setRange) {
  TLineScan scan;
  if (setRange) hl.SetRange(startRange);
  hl.SetLine(line, lineNumber);
  size_t steps = 0;
  while (!hl.AtLineEnd()) {
    if (++steps > line.size() + 1) {
      scan.Ended = false;
      break;
    }
    TTokenRecord t;
    t.Pos = hl.GetTokenPos();
    t.Kind = hl.GetTokenKind();
    t.Attribute = AttributeName(hl.GetTokenAttribute());
    t.Text = std::string(hl.GetToken());
    scan.Tokens.push_back(std::move(t));
    hl.Next();
  }
  scan.EndPos = hl.GetTokenPos();
  scan.EndRange = hl.GetRange();
  return scan;
}

std::vector<TLineScan> ScanText(TktCustomHighLighter& hl, const std::vector<std::string>& lines,
                                TktRange startRange, std::vector<TktRange>* starts) {
  std::vector<TLineScan> scans;
  TktRange range = startRange;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (starts) starts->push_back(range);
    scans.push_back(ScanLine(hl, lines[i], static_cast<int>(i + 1), range, i == 0));
    range = scans.back().EndRange;
  }
  return scans;
}

std::string QuoteText(std::string_view text) {
  std::string r = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      r += '\\';
      r += c;
    } else if (u >= 32 && u < 127) {
      r += c;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      r += buf;
    }
  }
  return r + "\"";
}

std::string UnquoteText(std::string_view q) {
  if (q.size() < 2 || q.front() != '"' || q.back() != '"')
    throw std::runtime_error("not a quoted text: " + std::string(q));
  std::string r;
  for (size_t i = 1; i + 1 < q.size(); ++i) {
    if (q[i] != '\\') {
      r += q[i];
      continue;
    }
    if (i + 2 >= q.size()) throw std::runtime_error("dangling escape: " + std::string(q));
    const char e = q[++i];
    if (e == 'x') {
      if (i + 3 > q.size() - 1) throw std::runtime_error("short \\x escape: " + std::string(q));
      r += static_cast<char>(std::stoi(std::string(q.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      r += e;
    }
  }
  return r;
}

std::string FormatDump(const std::vector<std::string>& lines, const std::vector<TLineScan>& scans) {
  std::string r;
  for (size_t i = 0; i < lines.size() && i < scans.size(); ++i) {
    const int n = static_cast<int>(i + 1);
    r += "> " + QuoteText(lines[i]) + "\n";
    for (const TTokenRecord& t : scans[i].Tokens) r += TokenLine(n, t) + "\n";
    if (!scans[i].Ended) r += std::to_string(n) + ",did not end\n";
    r += std::to_string(n) + ",range," + std::to_string(scans[i].EndRange) + "\n";
  }
  return r;
}

TGoldenFile ReadGoldenFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read golden file " + path);
  TGoldenFile g;
  g.Path = path;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("range ", 0) == 0 && g.Lines.empty()) {
      g.HasStartRange = true;
      g.StartRange = std::stol(line.substr(6));
      continue;
    }
    if (line.rfind("> ", 0) == 0) g.Lines.push_back(UnquoteText(line.substr(2)));
    g.Dump.push_back(line);
  }
  return g;
}

std::string CheckGolden(const THighlighterFactory& factory, const TGoldenFile& golden) {
  auto hl = factory();
  TktRange start = 0;
  if (golden.HasStartRange) {
    start = golden.StartRange;
  } else {
    hl->ResetRange();
    start = hl->GetRange();
  }
  std::vector<TktRange> starts;
  const std::vector<TLineScan> scans = ScanText(*hl, golden.Lines, start, &starts);
  std::vector<std::string> actual;
  {
    std::istringstream ss(FormatDump(golden.Lines, scans));
    std::string l;
    while (std::getline(ss, l)) actual.push_back(l);
  }
  std::string report;
  const size_t n = std::max(actual.size(), golden.Dump.size());
  for (size_t i = 0; i < n; ++i) {
    const std::string want = i < golden.Dump.size() ? golden.Dump[i] : "(nothing)";
    const std::string got = i < actual.size() ? actual[i] : "(nothing)";
    if (want == got) continue;
    report = golden.Path + ": first difference at dump line " + std::to_string(i + 1) +
             "\n  expected: " + want + "\n  actual:   " + got + "\nwhole actual dump:\n";
    for (const std::string& l : actual) report += "  " + l + "\n";
    return report;
  }
  // Lexed again line by line from the stored ranges, in a fresh instance.
  auto fresh = factory();
  for (size_t i = golden.Lines.size(); i-- > 0;) {
    const TLineScan again = ScanLine(*fresh, golden.Lines[i], static_cast<int>(i + 1), starts[i]);
    if (!(again == scans[i]))
      return golden.Path + ": per-line is different at line " + std::to_string(i + 1) +
             "\n whole:\n" + Describe(scans[i]) + " per line:\n" + Describe(again);
  }
  return "";
}

std::vector<std::string> CheckInvariants(const THighlighterFactory& factory,
                                         const std::vector<std::string>& lines,
                                         const std::set<TktRange>& declaredRanges) {
  std::vector<std::string> faults;
  auto fault = [&](size_t i, const std::string& what) {
    if (faults.size() < 20)
      faults.push_back("line " + std::to_string(i + 1) + " " + Shorten(lines[i]) + ": " + what);
  };
  auto hl = factory();
  hl->ResetRange();
  const TktRange reset = hl->GetRange();
  if (!declaredRanges.count(reset)) faults.push_back("the reset range is not a declared value");
  std::vector<TktRange> starts;
  const std::vector<TLineScan> scans = ScanText(*hl, lines, reset, &starts);

  for (size_t i = 0; i < lines.size(); ++i) {
    const TLineScan& s = scans[i];
    if (!s.Ended) {
      fault(i, "the scan does not reach the line end");
      continue;
    }
    std::string joined;
    int expectPos = 0;
    for (const TTokenRecord& t : s.Tokens) {
      if (t.Pos != expectPos) {
        fault(i, "token at " + std::to_string(t.Pos) + " where " + std::to_string(expectPos) +
                     " was expected");
        break;
      }
      if (t.Text.empty()) {
        fault(i, "empty token at " + std::to_string(t.Pos));
        break;
      }
      expectPos += static_cast<int>(t.Text.size());
      joined += t.Text;
    }
    if (joined != lines[i]) fault(i, "the tokens do not make up the line");
    if (s.EndPos != static_cast<int>(lines[i].size()))
      fault(i, "the line-end token is at " + std::to_string(s.EndPos));
    if (!declaredRanges.count(s.EndRange))
      fault(i, "end range " + std::to_string(s.EndRange) + " is not a declared value");
  }

  // Rescan from the stored ranges: the same instance in order, and a fresh
  // one from the last line to the first, so no state outside the range
  // (left by the previous line) can change a token.
  for (size_t i = 0; i < lines.size(); ++i)
    if (!(ScanLine(*hl, lines[i], static_cast<int>(i + 1), starts[i]) == scans[i]))
      fault(i, "rescan from the stored range differs");
  auto fresh = factory();
  for (size_t i = lines.size(); i-- > 0;)
    if (!(ScanLine(*fresh, lines[i], static_cast<int>(i + 1), starts[i]) == scans[i]))
      fault(i, "rescan in a fresh instance differs");

  // The export path sees the same tokens and then one line end.
  if (fresh->GetCapability() & hcExport) {
    TRecordingExport exporter;
    fresh->SetExporter(&exporter);
    for (size_t i = 0; i < lines.size(); ++i) {
      exporter.Calls.clear();
      fresh->SetRange(starts[i]);
      fresh->SetLineForExport(lines[i]);
      size_t guard = 0;
      while (!fresh->AtLineEnd() && ++guard <= lines[i].size() + 1) fresh->ExportNextToken();
      const std::vector<TTokenRecord>& tokens = scans[i].Tokens;
      bool same = exporter.Calls.size() == tokens.size() + 1;
      // A token's attribute in an export may differ from the one on screen
      // (each highlighter's tests check which), but it is never missing:
      // the exporter would read a line end.
      for (size_t k = 0; same && k < tokens.size(); ++k)
        same = exporter.Calls[k].Text == tokens[k].Text && exporter.Calls[k].Attribute != nullptr;
      if (same) {
        const auto& end = exporter.Calls.back();
        same = end.Text.empty() && end.Attribute == nullptr && !end.Escape && !end.Space;
      }
      if (!same) fault(i, "the export differs from the scan");
      if (fresh->GetRange() != scans[i].EndRange) fault(i, "the export ends in another range");
    }
    fresh->SetExporter(nullptr);
  }
  return faults;
}

std::vector<std::string> CheckStandardInvariants(const THighlighterFactory& factory,
                                                 const std::set<TktRange>& declaredRanges,
                                                 const std::vector<std::string>& fragments,
                                                 const std::vector<std::string>& openers) {
  std::vector<std::string> faults;
  auto run = [&](const char* what, const std::vector<std::string>& lines) {
    for (const std::string& f : CheckInvariants(factory, lines, declaredRanges))
      faults.push_back(std::string(what) + ": " + f);
  };
  run("random bytes", RandomLines(1, 400, 120));
  for (uint32_t seed : {2u, 3u, 4u}) run("random pieces", RandomLines(seed, 500, 80, fragments));
  std::vector<std::string> hostile = HostileLines();
  for (const std::string& opener : openers) {
    hostile.push_back(opener);
    const auto again = HostileLines();
    hostile.insert(hostile.end(), again.begin(), again.end());
  }
  run("hostile lines", hostile);
  return faults;
}

std::vector<std::string> RandomLines(uint32_t seed, int count, int maxLength,
                                     const std::vector<std::string>& fragments) {
  std::mt19937 rng(seed);
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const int target = static_cast<int>(rng() % static_cast<uint32_t>(maxLength + 1));
    std::string line;
    while (static_cast<int>(line.size()) < target) {
      if (!fragments.empty() && rng() % 4 != 0) {
        line += fragments[rng() % fragments.size()];
      } else {
        line += static_cast<char>(rng() % 256);
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> HostileLines() {
  std::vector<std::string> lines;
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  lines.push_back(all);
  lines.push_back(std::string(all.rbegin(), all.rend()));
  lines.push_back(std::string(1, '\0'));
  lines.push_back(std::string("a\0b", 3));
  lines.push_back(std::string("\0\0\0", 3));
  lines.push_back(std::string(100000, 'z'));                   // a word whose hash is huge
  lines.push_back(std::string(100000, '_'));
  lines.push_back(std::string(50000, 'a') + "1");
  lines.push_back(std::string(100000, '9'));
  lines.push_back(std::string(100000, ' '));
  lines.push_back(std::string(100000, '\xff'));
  lines.push_back(std::string(100000, '\''));
  lines.push_back("'");
  lines.push_back("\"");
  lines.push_back("\r");
  lines.push_back("\n");
  lines.push_back("\r\n\r\n");
  lines.push_back("");
  lines.push_back(std::string("x\0y\0", 4) + std::string(1000, '\x80'));
  return lines;
}

// ---------------------------------------------------------------------------
// Edit check: the line store's rescans against a whole-text scan.
// ---------------------------------------------------------------------------

namespace {

// Hostile lines short enough to be edited hundreds of times.
std::vector<std::string> ShortHostileLines() {
  std::vector<std::string> lines;
  for (const std::string& l : HostileLines())
    if (l.size() <= 300) lines.push_back(l);
  return lines;
}

// The first difference between the list's state and a fresh whole scan.
std::string CompareWithWholeScan(const THighlighterFactory& factory, TktCustomHighLighter& listHl,
                                 const TktEditList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
  auto fresh = factory();
  fresh->ResetRange();
  std::vector<TktRange> starts;
  const std::vector<TLineScan> whole = ScanText(*fresh, lines, fresh->GetRange(), &starts);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int index = static_cast<int>(i);
    if (list.GetRange(index) != starts[i])
      return "line " + std::to_string(i + 1) + " " + Shorten(lines[i]) + ": stored range " +
             std::to_string(list.GetRange(index)) + ", a whole scan starts it in " +
             std::to_string(starts[i]);
    const TLineScan again = ScanLine(listHl, lines[i], index, list.GetRange(index));
    if (!(again.Tokens == whole[i].Tokens) || again.EndRange != whole[i].EndRange)
      return "line " + std::to_string(i + 1) + " " + Shorten(lines[i]) +
             ": tokens from the stored range differ\n whole:\n" + Describe(whole[i]) +
             " from the stored range:\n" + Describe(again);
  }
  return "";
}

}  // namespace

std::vector<std::string> CheckEditedRanges(const THighlighterFactory& factory,
                                           const std::vector<std::string>& fragments,
                                           const std::vector<std::string>& openers,
                                           uint32_t seed, int edits) {
  std::vector<std::string> faults;
  std::mt19937 rng(seed);
  // New lines: pieces of the language, openers alone and after code, and
  // the short hostile lines.
  std::vector<std::string> pool = RandomLines(seed + 100, 60, 40, fragments);
  for (const std::string& o : openers) {
    pool.push_back(o);
    pool.push_back("x " + o);
  }
  const std::vector<std::string> hostile = ShortHostileLines();
  pool.insert(pool.end(), hostile.begin(), hostile.end());
  auto pick = [&]() -> const std::string& { return pool[rng() % pool.size()]; };

  auto hl = factory();
  TktEditList list;
  for (int i = 0; i < 30; ++i) list.Add(pick());
  list.RescanAll(*hl);
  // As the editing control answers the list's notices.
  list.OnLinePut = [&](int index) { list.RescanAfterPut(*hl, index); };
  list.OnLineInserted = [&](int index) {
    if (list.GetCount() >= 1) list.RescanAfterInsert(*hl, index);
  };
  list.OnLineDeleted = [&](int index) {
    if (list.GetCount() >= 1) list.RescanAfterDelete(*hl, index);
  };
  std::string report = CompareWithWholeScan(factory, *hl, list);
  if (!report.empty()) faults.push_back("after loading: " + report);
  for (int e = 0; e < edits && faults.size() < 5; ++e) {
    const int count = list.GetCount();
    const unsigned op = rng() % 3;
    std::string what;
    if (op == 0 || count > 60) {
      if (op == 0 && count > 0) {
        const int i = static_cast<int>(rng() % static_cast<unsigned>(count));
        list.Put(i, pick());
        what = "Put(" + std::to_string(i) + ")";
      } else {
        const int i = static_cast<int>(rng() % static_cast<unsigned>(std::max(count, 1)));
        list.Delete(i);
        what = "Delete(" + std::to_string(i) + ")";
      }
    } else if (op == 1 || count < 2) {
      const int i = static_cast<int>(rng() % static_cast<unsigned>(count + 1));
      list.Insert(i, pick());
      what = "Insert(" + std::to_string(i) + ")";
    } else {
      const int i = static_cast<int>(rng() % static_cast<unsigned>(count));
      list.Delete(i);
      what = "Delete(" + std::to_string(i) + ")";
    }
    report = CompareWithWholeScan(factory, *hl, list);
    if (!report.empty())
      faults.push_back("edit " + std::to_string(e + 1) + " " + what + ": " + report);
  }
  list.OnLinePut = nullptr;
  list.OnLineInserted = nullptr;
  list.OnLineDeleted = nullptr;
  return faults;
}

// ---------------------------------------------------------------------------
// Export check: the text read back from HTML and RTF output.
// ---------------------------------------------------------------------------

namespace {

// The byte each Unicode character stands for in the ANSI code page; the
// exporter writes NUL as the replacement character.
std::map<char32_t, int> BytesOfCodes() {
  std::map<char32_t, int> bytes;
  const TAnsiCodePage& cp = AnsiCodePage();
  for (int b = 255; b >= 0; --b) bytes[cp.Unicode[b]] = b;
  bytes.emplace(0xFFFD, 0);
  return bytes;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string HtmlBodyText(std::string_view body) {
  static const struct {
    const char* Name;
    char32_t Code;
  } kNames[] = {{"lt", U'<'},      {"gt", U'>'},      {"amp", U'&'},      {"quot", U'"'},
                {"copy", 0xA9},    {"Agrave", 0xC0},  {"agrave", 0xE0},   {"Ccedil", 0xC7},
                {"ccedil", 0xE7},  {"Egrave", 0xC8},  {"egrave", 0xE8},   {"Eacute", 0xC9},
                {"eacute", 0xE9},  {"Ecirc", 0xCA},   {"ecirc", 0xEA},    {"Euml", 0xCB},
                {"euml", 0xEB},    {"Icirc", 0xCE},   {"icirc", 0xEE},    {"Iuml", 0xCF},
                {"iuml", 0xEF},    {"Ucirc", 0xDB},   {"ucirc", 0xFB},    {"Uuml", 0xDC},
                {"uuml", 0xFC}};
  const std::map<char32_t, int> bytes = BytesOfCodes();
  std::string text;
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '<') {  // markup: every '<' of the text itself is a reference
      const size_t close = body.find('>', i);
      if (close == std::string_view::npos) throw std::runtime_error("unclosed tag");
      i = close;
      continue;
    }
    if (c != '&') {
      text += c;
      continue;
    }
    const size_t semi = body.find(';', i);
    if (semi == std::string_view::npos) throw std::runtime_error("unclosed reference");
    const std::string name(body.substr(i + 1, semi - i - 1));
    char32_t code = 0;
    bool known = false;
    if (!name.empty() && name[0] == '#') {
      code = static_cast<char32_t>(std::stoul(name.substr(1)));
      known = true;
    } else {
      for (const auto& n : kNames)
        if (name == n.Name) {
          code = n.Code;
          known = true;
        }
    }
    const auto found = known ? bytes.find(code) : bytes.end();
    const int b = found == bytes.end() ? -1 : found->second;
    if (b < 0) throw std::runtime_error("reference &" + name + "; stands for no byte");
    text += static_cast<char>(b);
    i = semi;
  }
  return text;
}

std::string RtfBodyText(std::string_view body) {
  std::string text;
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '\r' || c == '\n' || c == '{' || c == '}') continue;  // no text in RTF
    if (c != '\\') {
      text += c;
      continue;
    }
    if (i + 1 >= body.size()) throw std::runtime_error("backslash at the end");
    const char n = body[i + 1];
    if (n == '\\' || n == '{' || n == '}') {
      text += n;
      ++i;
    } else if (n == '\'') {
      if (i + 3 >= body.size()) throw std::runtime_error("short \\' escape");
      const int hi = HexDigit(body[i + 2]), lo = HexDigit(body[i + 3]);
      if (hi < 0 || lo < 0) throw std::runtime_error("bad \\' escape");
      text += static_cast<char>(hi * 16 + lo);
      i += 3;
    } else if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
      size_t j = i + 1;
      while (j < body.size() && std::isalpha(static_cast<unsigned char>(body[j]))) ++j;
      const std::string_view word = body.substr(i + 1, j - i - 1);
      if (j < body.size() && body[j] == '-') ++j;
      while (j < body.size() && std::isdigit(static_cast<unsigned char>(body[j]))) ++j;
      if (j < body.size() && body[j] == ' ') ++j;  // the delimiter belongs to the word
      if (word == "par") text += "\r\n";
      i = j - 1;
    } else {
      throw std::runtime_error(std::string("unknown control symbol \\") + n);
    }
  }
  return text;
}

std::vector<std::string> CheckExportText(const THighlighterFactory& factory,
                                         const std::vector<std::string>& lines) {
  std::vector<std::string> faults;
  if (lines.empty()) return faults;
  auto hl = factory();
  if (!(hl->GetCapability() & hcExport)) return {"the highlighter cannot export"};
  TktEditList list;
  for (const std::string& l : lines) list.Add(l);
  list.RescanAll(*hl);
  std::string expected;
  for (const std::string& l : lines) expected += l + "\r\n";
  TktExportDocument document;
  document.Lines = &list;

  auto compare = [&](const std::string& what, const std::string& got) {
    if (got == expected) return;
    size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
    // The line the first difference falls in.
    size_t line = 0, offset = 0;
    while (line < lines.size() && offset + lines[line].size() + 2 <= at) {
      offset += lines[line].size() + 2;
      ++line;
    }
    faults.push_back(what + ": the text read back differs at byte " + std::to_string(at) +
                     " (line " + std::to_string(line + 1) + " " +
                     (line < lines.size() ? Shorten(lines[line]) : std::string("(past the end)")) +
                     "), read " + Shorten(got.substr(at, 40)) + ", expected " +
                     Shorten(expected.substr(at, 40)));
  };
  auto body = [&](const std::string& what, TktCustomExport& exporter) -> std::string {
    const std::string all = exporter.GetBufferString();
    const std::string header = exporter.GetHeader(), footer = exporter.GetFooter();
    if (all.size() < header.size() + footer.size() || all.compare(0, header.size(), header) != 0 ||
        all.compare(all.size() - footer.size(), footer.size(), footer) != 0) {
      faults.push_back(what + ": the output is not header, body and footer");
      return std::string();
    }
    return all.substr(header.size(), all.size() - header.size() - footer.size());
  };

  for (int pass = 0; pass < 2; ++pass) {
    const bool styled = pass == 1;
    if (styled) {
      // Colours and styles of every kind, so each token is wrapped in tags.
      static const TColor kColors[] = {clRed, clNavy, clGreen, clPurple, clTeal, clMaroon};
      for (int i = 0; i < hl->GetAttribCount(); ++i) {
        TktHighLightAttributes* a = hl->GetAttribute(i);
        a->SetForeground(kColors[static_cast<size_t>(i) % 6]);
        a->SetBackground(i % 2 ? clYellow : clNone);
        TFontStyles style;
        if (i % 2) style.Include(fsBold);
        if (i % 3 == 0) style.Include(fsItalic);
        if (i % 4 == 1) style.Include(fsUnderline);
        if (i % 5 == 2) style.Include(fsStrikeOut);
        a->SetStyle(style);
      }
    }
    const std::string suffix = styled ? " (styled, with backgrounds)" : "";
    try {
      TktHtmlExport html(nullptr);
      html.SetUseBackground(styled);
      html.ExportLines(1, list.GetCount(), hl.get(), document);
      compare("HTML" + suffix, HtmlBodyText(body("HTML" + suffix, html)));
    } catch (const std::exception& e) {
      faults.push_back("HTML" + suffix + ": " + e.what());
    }
    try {
      TktRtfExport rtf(nullptr);
      rtf.SetUseBackground(styled);
      rtf.ExportLines(1, list.GetCount(), hl.get(), document);
      compare("RTF" + suffix, RtfBodyText(body("RTF" + suffix, rtf)));
    } catch (const std::exception& e) {
      faults.push_back("RTF" + suffix + ": " + e.what());
    }
  }
  return faults;
}

std::vector<std::string> CheckStandardExport(const THighlighterFactory& factory,
                                             const std::vector<std::string>& fragments,
                                             const std::vector<std::string>& openers) {
  std::vector<std::string> lines = RandomLines(11, 300, 120);
  const std::vector<std::string> pieces = RandomLines(12, 500, 80, fragments);
  lines.insert(lines.end(), pieces.begin(), pieces.end());
  const std::vector<std::string> hostile = HostileLines();
  lines.insert(lines.end(), hostile.begin(), hostile.end());
  const std::vector<std::string> shortHostile = ShortHostileLines();
  for (const std::string& opener : openers) {
    lines.push_back(opener);
    lines.insert(lines.end(), shortHostile.begin(), shortHostile.end());
  }
  return CheckExportText(factory, lines);
}

std::vector<std::string> CheckKeywordData(const TKeywordTable& table,
                                          const std::vector<std::string>& words) {
  std::vector<std::string> faults;
  if (table.WordCount() != static_cast<int>(words.size()))
    faults.push_back("the table holds " + std::to_string(table.WordCount()) + " words, not " +
                     std::to_string(words.size()));
  std::multiset<std::string> listed(words.begin(), words.end()), stored;
  for (int h = 0; h < table.TableSize(); ++h)
    for (const TKeywordDef& k : table.Entry(h)) stored.insert(std::string(k.Word));
  if (listed != stored) faults.push_back("the stored words are not the listed ones");
  for (const std::string& w : words) {
    const int h = table.HashOf(w);
    if (h < 0 || h >= table.TableSize()) {
      faults.push_back(w + " hashes to " + std::to_string(h) + ", outside the table");
      continue;
    }
    bool inEntry = false;
    for (const TKeywordDef& k : table.Entry(h)) inEntry = inEntry || k.Word == w;
    if (!inEntry) faults.push_back(w + " is not in the entry of its hash " + std::to_string(h));
    if (!table.Find(h, w.data(), w.size())) faults.push_back(w + " is not found by a lookup");
  }
  return faults;
}

std::string CheckExportCalls(TktCustomHighLighter& hl, std::string_view line,
                             const std::vector<TExpectedCall>& expected) {
  TRecordingExport exporter;
  TktCustomExport* previous = hl.GetExporter();
  hl.SetExporter(&exporter);
  hl.ResetRange();
  hl.SetLineForExport(line);
  size_t guard = 0;
  while (!hl.AtLineEnd() && ++guard <= line.size() + 1) hl.ExportNextToken();
  hl.SetExporter(previous);
  for (size_t i = 0; i < std::max(expected.size(), exporter.Calls.size()); ++i) {
    if (i >= expected.size()) return "an extra call " + QuoteText(exporter.Calls[i].Text);
    if (i >= exporter.Calls.size()) return "no call for " + QuoteText(expected[i].Text);
    const TExpectedCall& w = expected[i];
    const TRecordingExport::TCall& c = exporter.Calls[i];
    if (c.Text != w.Text || c.Attribute != w.Attribute || c.Escape != w.Escape || c.Space != w.Space)
      return "call " + std::to_string(i) + ": " + QuoteText(c.Text) + " " +
             AttributeName(c.Attribute) + (c.Escape ? " escape" : "") + (c.Space ? " space" : "") +
             ", expected " + QuoteText(w.Text) + " " + AttributeName(w.Attribute) +
             (w.Escape ? " escape" : "") + (w.Space ? " space" : "");
  }
  return "";
}

std::vector<std::string> PublishedAttributeNames(TComponent* component) {
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(component))
    if (p->Name.size() > 5 && p->Name.compare(p->Name.size() - 5, 5, "Attri") == 0)
      names.push_back(p->Name);
  return names;
}

std::vector<std::string> AttributeNames(TktCustomHighLighter& hl) {
  std::vector<std::string> names;
  for (int i = 0; i < hl.GetAttribCount(); ++i) names.push_back(hl.GetAttribute(i)->GetName());
  return names;
}
