// TktHighLightAttributes: the colours and font style of one kind of token.
// Its Name is its identity inside a highlighter and its registry subkey.
// Colours default to clNone, which the painter reads as "use the editor's own".
#pragma once

#include <string>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/RegistryBackend.h"

class TRegistry;

class TktHighLightAttributes : public TPersistent {
public:
  explicit TktHighLightAttributes(std::string name) : FName(std::move(name)) {}

  // From another attribute: copies Name, Background, Foreground and Style;
  // fires OnChange once when a colour or the style changed.
  void Assign(TPersistent* source) override;

  const std::string& GetName() const { return FName; }
  TColor GetBackground() const { return FBackground; }
  void SetBackground(TColor value);
  TColor GetForeground() const { return FForeground; }
  void SetForeground(TColor value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles value);

  // Registry form: the subkey named after the attribute below the registry
  // object's current key, with the integers "Background", "Foreground" and
  // "Style" (1 bold, 2 italic, 4 underline, 8 strikeout). Loading reads the
  // values that exist; both return false (never raise) when the subkey
  // cannot be opened or a value cannot be read or written. The registry's
  // current key is the same afterwards.
  bool LoadFromRegistry(TRegistry& reg);
  bool SaveToRegistry(TRegistry& reg);

  // Colours of another IDE's editor settings. Old format: the string value
  // named attrName under key, seven comma-separated fields; new format: the
  // subkey key\attrName with its colour indexes and flags. False when the
  // data is missing or malformed (an index outside the 16-colour palette, a
  // bad number); the attribute is then unchanged.
  bool LoadFromIdeRegistry(TRegRootKey rootKey, const std::string& key,
                           const std::string& attrName, bool oldFormat);

  // Publishes Background, Foreground and Style, so stored settings name
  // them after the highlighter's attribute property (Pascal_CommentAttriStyle).
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // The registry's numeric style form.
  static int StyleToInt(TFontStyles style) { return style.ToMask(); }
  static TFontStyles IntToStyle(int value);

  TNotifyEvent OnChange;

private:
  void Change();
  bool LoadOldFormat(TRegRootKey rootKey, const std::string& key, const std::string& attrName);
  bool LoadNewFormat(TRegRootKey rootKey, const std::string& key, const std::string& attrName);

  std::string FName;
  TColor FBackground = clNone;
  TColor FForeground = clNone;
  TFontStyles FStyle;
};
