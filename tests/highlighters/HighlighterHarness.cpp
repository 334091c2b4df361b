// HighlighterHarness: token dumps, golden files and invariants for every
// highlighter's tests.
#include "HighlighterHarness.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "editor/Export.h"

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
      for (size_t k = 0; same && k < tokens.size(); ++k)
        same = exporter.Calls[k].Text == tokens[k].Text &&
               AttributeName(exporter.Calls[k].Attribute) == tokens[k].Attribute;
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
