// Reading and applying language files.
#include "app/settings/LanguageFile.h"

#include <cctype>

#include "platform/Classes.h"
#include "platform/StrHelpers.h"
#include "platform/Streams.h"
#include "platform/TextLines.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

bool EndsWithText(const std::string& s, const char* suffix) {
  const std::string_view x(suffix);
  return s.size() >= x.size() && SameText(std::string_view(s).substr(s.size() - x.size()), x);
}

const TPropInfo* StringProperty(TPersistent* obj, const std::string& name) {
  if (!obj->ClassInfo()) return nullptr;
  const TPropInfo* p = obj->ClassInfo()->FindProp(name);
  return p && p->Kind == tkString && p->SetStr ? p : nullptr;
}

}  // namespace

bool IsUntranslatableProperty(const std::string& property) {
  if (SameText(property, "Name")) return true;
  for (const char* suffix : {"FileName", "File", "Dir", "Directory", "Folder", "Path"})
    if (EndsWithText(property, suffix)) return true;
  return false;
}

bool ParseLanguageLine(std::string_view raw, TLanguageLine& out) {
  const std::string line = Trim(raw);
  if (line.empty() || !std::isalpha(static_cast<unsigned char>(line[0]))) return false;
  const size_t dot = line.find('.');
  if (dot == std::string::npos) return false;
  out = TLanguageLine();
  out.Form = line.substr(0, dot);
  const std::string rest = line.substr(dot + 1);
  if (rest.find('.') != std::string::npos) {
    out.Component = StrBefore(".", rest);
    const std::string afterComponent = StrAfter(".", rest);
    out.Property = afterComponent.find('=') == std::string::npos ? afterComponent
                                                                  : StrBefore("=", afterComponent);
    out.Text = StrAfter("=", afterComponent);
    StrReplaceAll("#13", out.Text, "\r\n");
    return true;
  }
  const std::string property = rest.find('=') == std::string::npos ? rest : StrBefore("=", rest);
  if (!SameText(property, "caption")) return false;
  out.Property = "Caption";
  out.Text = StrAfter("=", rest);
  return true;
}

int ApplyLanguageText(TComponent* root, std::string_view text, const TUserPropertyTest& isUserProperty) {
  int applied = 0;
  SplitTextLines(text, [&](size_t start, size_t length) {
    TLanguageLine l;
    if (!ParseLanguageLine(text.substr(start, length), l)) return;
    TComponent* form = root ? root->FindComponent(l.Form) : nullptr;
    if (!form) return;
    TComponent* target = l.Component.empty() ? form : form->FindComponent(l.Component);
    if (!target || IsUntranslatableProperty(l.Property)) return;
    const TPropInfo* p = StringProperty(target, l.Property);
    if (!p) return;
    if (isUserProperty && isUserProperty(form, target, p->Name)) return;
    p->SetStr(target, l.Text);
    ++applied;
  });
  return applied;
}

int ApplyLanguageFile(TComponent* root, const std::string& fileName, const TUserPropertyTest& isUserProperty) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  return ApplyLanguageText(root, file.ReadRemaining(), isUserProperty);
}
