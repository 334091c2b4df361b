// Writing and reading settings scripts.
#include "app/settings/SettingsScript.h"

#include "platform/Registry.h"
#include "platform/StrHelpers.h"
#include "platform/Streams.h"
#include "platform/TextLines.h"
#include "platform/SysUtils.h"

const char* const kScriptSections[11] = {"Data",        "FileTypes",     "Find",  "Main",
                                         "OpenFileDialog", "PrintDialog", "ReplaceDialog",
                                         "Setup",       "TAscii",        "TCalc", "Rollup"};

namespace {

// The escapes in the order the decoder tries them; "%25" is the escaped "%".
struct TEscape {
  const char* Code;
  char Plain;
};
const TEscape kEscapes[] = {{"%0D", '\r'}, {"%0A", '\n'}, {"%3D", '='}, {"%25", '%'}};

bool StartsEscape(std::string_view text, size_t i) {
  for (const TEscape& e : kEscapes)
    if (text.substr(i, 3) == e.Code) return true;
  return false;
}

// FileTypes keeps its table in subkeys: the script carries nothing of it,
// and a script must not write into it (its run commands start programs).
bool IsValueSection(std::string_view section) {
  for (const char* s : kScriptSections)
    if (SameText(section, s) && !SameText(section, "FileTypes")) return true;
  return false;
}

std::string SectionKey(const std::string& base, const std::string& section) {
  return base + "\\" + section;
}

}  // namespace

std::string EncodeScriptText(std::string_view text, bool isName) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r')
      out += "%0D";
    else if (c == '\n')
      out += "%0A";
    else if (c == '=' && isName)
      out += "%3D";
    else if (c == '%' && StartsEscape(text, i))
      out += "%25";
    else
      out += c;
  }
  return out;
}

std::string DecodeScriptText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const TEscape* hit = nullptr;
    if (text[i] == '%')
      for (const TEscape& e : kEscapes)
        if (text.substr(i, 3) == e.Code) hit = &e;
    if (hit) {
      out += hit->Plain;
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

void SaveRegistrySection(const std::string& base, const std::string& section, std::string& script) {
  TRegistry reg;
  if (!reg.OpenKey(SectionKey(base, section), true)) return;
  TStringList names;
  reg.GetValueNames(&names);
  for (int i = 0; i < names.GetCount(); ++i) {
    std::string value;
    // Binary values have no line form; everything the sections hold is
    // text or a number.
    if (!reg.ReadValueText(names.Get(i), value)) continue;
    script += Format("%s.%s=%s", section.c_str(), EncodeScriptText(names.Get(i), true).c_str(),
                     EncodeScriptText(value, false).c_str());
    script += "\r\n";
  }
}

std::string WriteSettingsScript(const std::string& base) {
  std::string script;
  for (const char* section : kScriptSections) SaveRegistrySection(base, section, script);
  return script;
}

int ReadSettingsScript(const std::string& base, std::string_view script) {
  int written = 0;
  SplitTextLines(script, [&](size_t start, size_t length) {
    const std::string_view line = script.substr(start, length);
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return;
    const size_t eq = line.find('=', dot + 1);
    if (eq == std::string_view::npos) return;
    const std::string section(line.substr(0, dot));
    if (!IsValueSection(section)) return;
    const std::string name = DecodeScriptText(line.substr(dot + 1, eq - dot - 1));
    const std::string value = DecodeScriptText(line.substr(eq + 1));
    TRegistry reg;
    if (!reg.OpenKey(SectionKey(base, section), true)) return;
    reg.WriteString(name, value);
    ++written;
  });
  return written;
}

void SaveSettingsScriptFile(const std::string& base, const std::string& fileName) {
  const std::string script = WriteSettingsScript(base);
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(script.data(), static_cast<int64_t>(script.size()));
}

int LoadSettingsScriptFile(const std::string& base, const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  return ReadSettingsScript(base, file.ReadRemaining());
}
