// TStrings: everything a string list can do on top of its subclass's storage.
#include "platform/Classes.h"
#include "platform/Streams.h"
#include "platform/TextLines.h"

#include <cstring>

TStrings::~TStrings() = default;

std::string_view TStrings::GetView(int i) const {
  throw EAbstractError("Abstract Error");
}

void TStrings::Error(const char* fmt, int data) const {
  throw EStringListError(Format(fmt, data));
}

int TStrings::Add(const std::string& s) {
  int i = GetCount();
  Insert(i, s);
  return i;
}

int TStrings::AddObject(const std::string& s, TObject* o) {
  int i = Add(s);
  PutObject(i, o);
  return i;
}

void TStrings::InsertObject(int i, const std::string& s, TObject* o) {
  Insert(i, s);
  PutObject(i, o);
}

void TStrings::AddStrings(TStrings* list) {
  if (!list) return;
  BeginUpdate();
  try {
    int n = list->GetCount();
    SetCapacity(GetCount() + n);
    for (int i = 0; i < n; ++i) AddObject(list->Get(i), list->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* source) {
  if (auto* list = dynamic_cast<TStrings*>(source)) {
    if (list == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(list);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  try {
    std::string s = Get(index1);
    TObject* o = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, s);
    PutObject(index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  BeginUpdate();
  try {
    std::string s = Get(curIndex);
    TObject* o = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStrings::Equals(TStrings* other) const {
  if (!other) return false;
  int n = GetCount();
  if (n != other->GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != other->Get(i)) return false;
  return true;
}

std::string TStrings::GetTextStr() const {
  int n = GetCount();
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(n));
  size_t total = 0;
  for (int i = 0; i < n; ++i) {
    lines.push_back(Get(i));
    total += lines.back().size() + 2;
  }
  std::string text;
  text.reserve(total);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}


void TStrings::SetTextStr(std::string_view text) {
  BeginUpdate();
  try {
    Clear();
    SplitTextLines(text, [this, text](size_t start, size_t len) {
      Add(std::string(text.substr(start, len)));
    });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (AnsiSameText(Get(i), s)) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    size_t eq = s.find('=');
    if (eq != std::string::npos && AnsiSameText(std::string_view(s).substr(0, eq), name)) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* o) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == o) return i;
  return -1;
}

std::string TStrings::GetName(int i) const {
  std::string s = Get(i);
  size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::GetValueFromIndex(int i) const {
  std::string s = Get(i);
  size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

std::string TStrings::GetValue(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : GetValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (!value.empty()) {
    if (i < 0)
      Add(name + "=" + value);
    else
      Put(i, name + "=" + value);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::string TStrings::GetCommaText() const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return "\"\"";
  std::string r;
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') {
        quote = true;
        break;
      }
    if (i > 0) r += ',';
    r += quote ? QuotedStr(s, '"') : s;
  }
  return r;
}

void TStrings::SetCommaText(const std::string& text) {
  auto blank = [&text](size_t p) {
    return p < text.size() && text[p] != '\0' && static_cast<unsigned char>(text[p]) <= ' ';
  };
  BeginUpdate();
  try {
    Clear();
    size_t p = 0;
    while (blank(p)) ++p;
    while (p < text.size()) {
      std::string item;
      if (text[p] == '"') {
        item = ExtractQuotedStr(text, p, '"');
      } else {
        size_t start = p;
        while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') ++p;
        item = text.substr(start, p - start);
      }
      Add(item);
      while (blank(p)) ++p;
      if (p < text.size() && text[p] == ',') {
        do ++p;
        while (blank(p));
      } else if (p < text.size() && text[p] != ',' && !blank(p) && text[p] != '"' &&
                 static_cast<unsigned char>(text[p]) <= ' ') {
        ++p;  // a NUL: skip it rather than loop on it
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream) {
  std::string text = stream.ReadRemaining();
  BeginUpdate();
  try {
    SetTextStr(text);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string text = GetTextStr();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}
