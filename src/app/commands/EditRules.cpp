#include "app/commands/EditRules.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "app/tools/Calc.h"
#include "editor/EditFiles.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/TextLines.h"

std::vector<std::string> StatisticItems(std::string_view selection) {
  std::vector<std::string> items;
  size_t i = 0;
  auto separator = [](char c) { return static_cast<unsigned char>(c) <= 32 || c == ';'; };
  while (i < selection.size()) {
    while (i < selection.size() && separator(selection[i])) ++i;
    size_t start = i;
    while (i < selection.size() && !separator(selection[i])) ++i;
    if (i > start) items.emplace_back(selection.substr(start, i - start));
  }
  return items;
}

std::string StatisticsReport(std::string_view selection) {
  std::vector<long double> x;
  try {
    for (const std::string& item : StatisticItems(selection)) x.push_back(TCalcEngine::Evaluate(item));
  } catch (const Exception&) {
    throw Exception("Error in values");
  }
  if (x.empty()) throw Exception("Error in values");

  const long double n = static_cast<long double>(x.size());
  long double sum = 0, squares = 0, max = x[0], min = x[0];
  for (long double v : x) {
    sum += v;
    squares += v * v;
    if (v > max) max = v;
    if (v < min) min = v;
  }
  const long double mean = sum / n;
  long double m2 = 0, m3 = 0, m4 = 0;
  for (long double v : x) {
    const long double d = v - mean;
    m2 += d * d;
    m3 += d * d * d;
    m4 += d * d * d * d;
  }
  const long double total = m2;  // the sum of squared deviations
  m2 /= n;
  m3 /= n;
  m4 /= n;
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double sample = x.size() > 1 ? total / (n - 1) : nan;
  const long double skew = m2 > 0 ? m3 / std::pow(m2, 1.5L) : nan;
  const long double kurtosis = m2 > 0 ? m4 / (m2 * m2) : nan;

  const struct {
    const char* Label;
    long double Value;
  } lines[] = {
      {"Volume", n},
      {"Sum", sum},
      {"Sum of the squared values", squares},
      {"Maximum Value", max},
      {"Minimum Value", min},
      {"Average Value", mean},
      {"Standard Deviation", std::sqrt(sample)},
      {"Second Moment", m2},
      {"Third Moment", m3},
      {"Fourth Moment", m4},
      {"Skew", skew},
      {"Kurtosis", kurtosis},
      {"Euclidean 'L-2' norm", std::sqrt(squares)},
      {"Population standard deviation", std::sqrt(m2)},
      {"Population variance", m2},
      {"Statistical variance", total},
      {"Sample variance (n-1 unbiased)", sample},
  };
  std::string report;
  for (const auto& line : lines) {
    std::string label = line.Label;
    label.resize(30, ' ');
    report += label + "= ";
    // The count is a whole number; every other line a value.
    report += &line == &lines[0] ? IntToStr(static_cast<int64_t>(x.size())) : TCalcEngine::FormatValue(line.Value);
    report += "\r\n";
  }
  return report;
}

std::string SolveExpression(std::string_view lineBeforeCaret) {
  if (lineBeforeCaret.empty()) return std::string();
  size_t start = lineBeforeCaret.size() - 1;
  while (start > 0) {
    char c = lineBeforeCaret[start - 1];
    if (c == ' ' || c == '\r' || c == '\n') break;
    --start;
  }
  return std::string(lineBeforeCaret.substr(start));
}

std::optional<std::string> SolveValue(std::string_view lineBeforeCaret) {
  const std::string expression = SolveExpression(lineBeforeCaret);
  // An operator after the first character, or a name called with "(".
  bool computes = false;
  std::string compact;
  for (char c : expression)
    if (static_cast<unsigned char>(c) > 32) compact += c;
  for (size_t i = 0; i < compact.size() && !computes; ++i) {
    const char c = compact[i];
    if (i > 0 && (c == '+' || c == '-' || c == '*' || c == '/' || c == '^')) computes = true;
    if (c == '(' && i > 0 && std::isalnum(static_cast<unsigned char>(compact[i - 1]))) computes = true;
  }
  if (!computes) return std::nullopt;
  try {
    return TCalcEngine::Calculate(expression);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

bool GoToLineAnswer(std::string_view answer, int lineCount, int& caretLine, int& topLine) {
  const std::string text = Trim(std::string(answer));
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    if (n < 1000000000000LL) n = n * 10 + (text[i] - '0');  // larger is clamped anyway
  }
  if (negative) n = -n;
  const long long last = lineCount > 0 ? lineCount : 1;
  caretLine = static_cast<int>(n < 1 ? 1 : n > last ? last : n);
  topLine = caretLine - 5 < 1 ? 1 : caretLine - 5;
  return true;
}

std::string BlockReadText(std::string_view fileText) {
  std::string text;
  text.reserve(fileText.size() + fileText.size() / 32 + 2);
  SplitTextLines(fileText, [&](size_t start, size_t length) {
    text += "\r\n";
    text.append(fileText.substr(start, length));
  });
  return text;
}

std::string ReadBlockFile(const std::string& fileName) {
  TFileStream in(fileName, fmOpenRead | fmShareDenyWrite);
  std::string bytes(static_cast<size_t>(in.GetSize()), '\0');
  if (!bytes.empty()) in.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return BlockReadText(bytes);
}

void WriteBlockFile(const std::string& fileName, std::string_view text) {
  SafeSaveFile(fileName, kBackupNone, [text](TStream& stream) {
    if (!text.empty()) stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  });
}

std::string BookmarkCaption(std::string_view prefix, int number, std::string_view line) {
  return std::string(prefix) + IntToStr(number) + ":" + Trim(std::string(line.substr(0, 25)));
}

int BookmarkNumberFromCaption(std::string_view caption) {
  const size_t hash = caption.find('#');
  if (hash == std::string_view::npos || hash + 1 >= caption.size()) return 0;
  const char c = caption[hash + 1];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::string RollUpSnippetText(std::string_view memoText) {
  if (memoText.ends_with("\r\n")) memoText.remove_suffix(2);
  else if (memoText.ends_with('\r') || memoText.ends_with('\n')) memoText.remove_suffix(1);
  return std::string(memoText);
}
