// Writing and reading the per-document registry record.
#include "editor/EditFilesState.h"

#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

std::string DocumentsKey() { return ProgramRegistryKey() + "\\Documents\\"; }
std::string OptionsKey(const std::string& fileName) { return ProgramRegistryKey() + "\\Options\\" + fileName; }

std::string MarkName(int number, char axis) { return "Mark" + IntToStr(number) + axis; }

void OpenOrRaise(TRegistry& registry, const std::string& key, bool create) {
  const bool opened = create ? registry.OpenKey(key, true) : registry.OpenKeyReadOnly(key);
  if (!opened) throw ERegistryException(Format("Failed to open key %s", key.c_str()));
}

// One value on its own: a failure skips it.
template <class F>
void Attempt(F&& f) {
  try {
    f();
  } catch (const Exception&) {
  }
}

}  // namespace

void StampDocument(const std::string& fileName, double now) {
  TRegistry registry;
  OpenOrRaise(registry, DocumentsKey(), true);
  registry.WriteBinaryData(fileName, &now, int(sizeof now));
}

void WriteDocumentState(const std::string& fileName, const TktDocumentState& state, double now) {
  StampDocument(fileName, now);
  TRegistry registry;
  OpenOrRaise(registry, OptionsKey(fileName), true);
  if (state.Highlighter) Attempt([&] { registry.WriteString("Highlighter", *state.Highlighter); });
  if (state.CaretX) Attempt([&] { registry.WriteInteger("CursorX", *state.CaretX); });
  if (state.CaretY) Attempt([&] { registry.WriteInteger("CursorY", *state.CaretY); });
  for (int n = 0; n < int(state.BookMarks.size()); ++n) {
    const std::optional<TPoint>& mark = state.BookMarks[size_t(n)];
    Attempt([&] {
      if (mark) {
        registry.WriteInteger(MarkName(n, 'y'), mark->Y);
        registry.WriteInteger(MarkName(n, 'x'), mark->X);
      } else {
        registry.DeleteValue(MarkName(n, 'y'));
        registry.DeleteValue(MarkName(n, 'x'));
      }
    });
  }
  Attempt([&] { registry.CloseKey(); });
}

bool ReadDocumentState(const std::string& fileName, TktDocumentState& state) {
  TRegistry registry;
  const std::string key = OptionsKey(fileName);
  if (!registry.KeyExists(key)) return false;
  OpenOrRaise(registry, key, false);
  auto readInteger = [&](const std::string& name) -> std::optional<int> {
    std::optional<int> value;
    Attempt([&] {
      if (registry.ValueExists(name)) value = registry.ReadInteger(name);
    });
    return value;
  };
  Attempt([&] {
    if (registry.ValueExists("Highlighter")) state.Highlighter = registry.ReadString("Highlighter");
  });
  state.CaretX = readInteger("CursorX");
  state.CaretY = readInteger("CursorY");
  for (int n = 0; n < int(state.BookMarks.size()); ++n) {
    const std::optional<int> x = readInteger(MarkName(n, 'x'));
    const std::optional<int> y = readInteger(MarkName(n, 'y'));
    state.BookMarks[size_t(n)].reset();
    if (x && y) state.BookMarks[size_t(n)] = TPoint(*x, *y);
  }
  return true;
}
