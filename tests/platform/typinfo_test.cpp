// The published-property table: registration, inheritance, typed access and
// the text forms stored settings use.
#include <gtest/gtest.h>

#include "platform/TypInfo.h"
#include "platform/Font.h"

namespace {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TStyle { stBold, stItalic, stUnderline };
using TStyles = TSet<TStyle, uint8_t>;

class TFontLike : public TPersistent {
public:
  const std::string& GetFontName() const { return FName; }
  void SetFontName(const std::string& v) { FName = v; }
  int GetSize() const { return FSize; }
  void SetSize(int v) { FSize = v; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TFontLike", &TPersistent::StaticClassInfo())
                                       .String("Name", &TFontLike::GetFontName, &TFontLike::SetFontName)
                                       .Integer("Size", &TFontLike::GetSize, &TFontLike::SetSize);
    return info;
  }

private:
  std::string FName = "Courier New";
  int FSize = 10;
};

class TWidget : public TComponent {
public:
  using TComponent::TComponent;
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool v) { FChecked = v; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) { FAlignment = v; }
  TStyles GetStyles() const { return FStyles; }
  void SetStyles(TStyles v) { FStyles = v; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  float GetSingle() const { return FSingle; }
  void SetSingle(float v) { FSingle = v; }
  char GetSep() const { return FSep; }
  void SetSep(char v) { FSep = v; }
  int64_t GetBig() const { return FBig; }
  void SetBig(int64_t v) { FBig = v; }
  std::string GetCaption() const { return FCaption; }
  TFontLike* GetFont() { return &FFont; }
  TComponent* GetBuddy() const { return FBuddy; }
  void SetBuddy(TWidget* w) { FBuddy = w; }

  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TWidget", &TComponent::StaticClassInfo())
            .Bool("Checked", &TWidget::GetChecked, &TWidget::SetChecked)
            .Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TWidget::GetAlignment,
                  &TWidget::SetAlignment)
            .Set("Styles", {"stBold", "stItalic", "stUnderline"}, &TWidget::GetStyles, &TWidget::SetStyles)
            .Float("Ratio", ftDouble, &TWidget::GetRatio, &TWidget::SetRatio)
            .Float("Single", ftSingle, &TWidget::GetSingle, &TWidget::SetSingle)
            .Char("Sep", &TWidget::GetSep, &TWidget::SetSep)
            .Int64("Big", &TWidget::GetBig, &TWidget::SetBig)
            .String("Caption", &TWidget::GetCaption)  // read-only
            .Object("Font", &TWidget::GetFont)
            .Object("Buddy", &TWidget::GetBuddy, &TWidget::SetBuddy);
    return info;
  }

private:
  bool FChecked = false;
  TAlignment FAlignment = taLeftJustify;
  TStyles FStyles;
  double FRatio = 0;
  float FSingle = 0;
  char FSep = ',';
  int64_t FBig = 0;
  std::string FCaption = "cap";
  TFontLike FFont;
  TComponent* FBuddy = nullptr;
};

class TSpecialWidget : public TWidget {
public:
  using TWidget::TWidget;
  int GetExtra() const { return 5; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TSpecialWidget", &TWidget::StaticClassInfo()).Integer("Extra", &TSpecialWidget::GetExtra);
    return info;
  }
};

std::vector<std::string> PropNames(const TObject* o) {
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(o)) names.push_back(p->Name);
  return names;
}

TEST(TypInfoTest, PropertiesListAncestorsFirstAndLookUpWithoutCase) {
  TSpecialWidget w(nullptr);
  EXPECT_EQ(PropNames(&w),
            (std::vector<std::string>{"Name", "Tag", "Checked", "Alignment", "Styles", "Ratio", "Single",
                                      "Sep", "Big", "Caption", "Font", "Buddy", "Extra"}));
  EXPECT_TRUE(IsPublishedProp(&w, "extra"));
  EXPECT_TRUE(IsPublishedProp(&w, "NAME"));
  EXPECT_FALSE(IsPublishedProp(&w, "Missing"));
  EXPECT_EQ(GetPropInfo(&w, "styles")->Kind, tkSet);
  TObject plain;
  EXPECT_TRUE(GetPropList(&plain).empty());
  try {
    GetPropText(&w, "Missing");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), "Property Missing does not exist");
  }
}

TEST(TypInfoTest, TextFormsOfEveryKind) {
  TWidget w(nullptr);
  struct Case {
    const char* Prop;
    const char* In;
    const char* Out;
  };
  const Case cases[] = {
      {"Name", "Edit1", "Edit1"},
      {"Tag", " -12 ", "-12"},
      {"Checked", "true", "True"},
      {"Alignment", "TACENTER", "taCenter"},
      {"Styles", "[stUnderline, stBold]", "[stBold,stUnderline]"},
      {"Styles", "[]", "[]"},
      {"Ratio", "0.1", "0.1"},
      {"Ratio", "-1234.5", "-1234.5"},
      {"Ratio", "1e20", "1E20"},
      {"Ratio", "0.0001", "0.0001"},
      {"Ratio", "0.00001", "1E-5"},
      {"Ratio", "123456789012345", "123456789012345"},
      {"Ratio", "1234567890123456", "1.23456789012346E15"},
      {"Single", "0.1", "0.1"},
      {"Single", "3.14159274", "3.141593"},
      {"Sep", ";", ";"},
      {"Big", "9000000000", "9000000000"},
  };
  for (const Case& c : cases) {
    SetPropText(&w, c.Prop, c.In);
    EXPECT_EQ(GetPropText(&w, c.Prop), c.Out) << c.Prop << " " << c.In;
  }
  EXPECT_EQ(w.GetName(), "Edit1");
  EXPECT_EQ(w.GetAlignment(), taCenter);
}

TEST(TypInfoTest, BadTextLeavesThePropertyAlone) {
  TWidget w(nullptr);
  SetPropText(&w, "Styles", "[stItalic]");
  SetPropText(&w, "Ratio", "2.5");
  SetPropText(&w, "Tag", "7");
  const std::pair<const char*, const char*> bad[] = {
      {"Tag", "12abc"},          {"Tag", ""},           {"Alignment", "taNowhere"},
      {"Checked", "1"},          {"Styles", "stBold"},  {"Styles", "[stBold,stNone]"},
      {"Styles", "[stBold,,]"},  {"Ratio", "0,1"},      {"Ratio", "1.2.3"},
      {"Ratio", ""},             {"Sep", ""},
  };
  for (const auto& [prop, text] : bad)
    EXPECT_THROW(SetPropText(&w, prop, text), EPropertyConvertError) << prop << " " << text;
  EXPECT_EQ(GetPropText(&w, "Styles"), "[stItalic]");
  EXPECT_EQ(GetPropText(&w, "Ratio"), "2.5");
  EXPECT_EQ(w.GetTag(), 7);
  // Names are checked by the component itself.
  EXPECT_THROW(SetPropText(&w, "Name", "1bad"), EComponentError);
}

TEST(TypInfoTest, ReadOnlyAndObjectProperties) {
  TComponent form(nullptr);
  auto* a = new TWidget(&form);
  auto* b = new TWidget(&form);
  EXPECT_EQ(GetPropText(a, "Caption"), "cap");
  EXPECT_THROW(SetPropText(a, "Caption", "x"), EPropertyError);
  EXPECT_THROW(GetPropText(a, "Font"), EPropertyError);  // objects have no text

  const TPropInfo& font = GetPropInfoOrError(a, "Font");
  EXPECT_FALSE(font.IsWritable());
  TObject* f = GetObjectProp(a, font);
  ASSERT_NE(f, nullptr);
  // An owned persistent's own properties are reached the same way.
  EXPECT_EQ(PropNames(f), (std::vector<std::string>{"Name", "Size"}));
  SetPropText(f, "Size", "12");
  EXPECT_EQ(a->GetFont()->GetSize(), 12);

  const TPropInfo& buddy = GetPropInfoOrError(a, "Buddy");
  SetObjectProp(a, buddy, b);
  EXPECT_EQ(a->GetBuddy(), b);
  SetObjectProp(a, buddy, nullptr);
  EXPECT_EQ(a->GetBuddy(), nullptr);
  TComponent notAWidget(nullptr);
  EXPECT_THROW(SetObjectProp(a, buddy, &notAWidget), EPropertyError);
  EXPECT_THROW(GetOrdProp(a, buddy), EPropertyError);  // wrong kind

  const TPropInfo& styles = GetPropInfoOrError(a, "Styles");
  SetOrdProp(a, styles, 0b101);
  EXPECT_TRUE(a->GetStyles().Contains(stBold));
  EXPECT_TRUE(a->GetStyles().Contains(stUnderline));
  EXPECT_EQ(GetEnumName(GetPropInfoOrError(a, "Alignment"), 1), "taRightJustify");
  EXPECT_EQ(GetEnumName(GetPropInfoOrError(a, "Alignment"), 9), "");
}

TEST(TypInfoTest, AccessorOfAnotherClassIsRefused) {
  // A property entry used on an object of the wrong class must not cast
  // blindly.
  TComponent c(nullptr);
  TWidget w(nullptr);
  const TPropInfo& checked = GetPropInfoOrError(&w, "Checked");
  EXPECT_THROW(GetOrdProp(&c, checked), EPropertyError);
}

// A component with a list and a font, as the controls publish them.
class TListHolder : public TComponent {
public:
  using TComponent::TComponent;
  TStringList* GetItems() { return &FItems; }
  TFont* GetFont() { return &FFont; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TListHolder", &TComponent::StaticClassInfo())
                                       .Object("Items", &TListHolder::GetItems)
                                       .Object("Font", &TListHolder::GetFont);
    return info;
  }

private:
  TStringList FItems;
  TFont FFont;
};

TEST(TypInfoTest, PathsReachOwnedComponentsAndObjectProperties) {
  TComponent app(nullptr);
  auto* form = new TComponent(&app);
  form->SetName("Find");
  auto* holder = new TListHolder(form);
  holder->SetName("FindText");

  // A string list's text form is its lines, and setting it replaces them.
  SetPropPathText(&app, "Find.FindText.Items", "one\r\ntwo\r\n");
  EXPECT_EQ(holder->GetItems()->GetCount(), 2);
  EXPECT_EQ(GetPropPathText(&app, "find.findtext.items"), "one\r\ntwo\r\n");
  SetPropText(holder, "Items", "");
  EXPECT_EQ(holder->GetItems()->GetCount(), 0);

  // Font is an object: its properties are reached through it.
  SetPropPathText(form, "FindText.Font.Name", "Arial");
  SetPropPathText(form, "FindText.Font.Style", "[fsBold,fsItalic]");
  EXPECT_EQ(holder->GetFont()->GetName(), "Arial");
  EXPECT_EQ(GetPropPathText(holder, "Font.Style"), "[fsBold,fsItalic]");
  EXPECT_THROW(GetPropText(holder, "Font"), EPropertyError);

  // Components come before properties of the same name; misses resolve to nothing.
  EXPECT_EQ(FindPropPath(&app, "Find.Name").Object, form);
  EXPECT_EQ(FindPropPath(&app, "Find.Missing.Name").Object, nullptr);
  EXPECT_EQ(FindPropPath(&app, "Find.FindText.Tag.Name").Object, nullptr);  // not an object
  EXPECT_EQ(FindPropPath(&app, "Find.FindText.Font.Nope").Object, nullptr);
  EXPECT_THROW(SetPropPathText(&app, "Nope.X", "1"), EPropertyError);
}

TEST(TypInfoTest, FontPropertiesRoundTripAndReportChanges) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"Charset", "204"}, {"Color", "255"},        {"Height", "-13"}, {"Name", "Courier New"},
      {"Pitch", "fpFixed"}, {"Size", "12"},        {"Style", "[fsUnderline]"}};
  for (const auto& [name, text] : cases) {
    SetPropText(&font, name, text);
    EXPECT_EQ(GetPropText(&font, name), text) << name;
  }
  EXPECT_EQ(font.GetHeight(), -16);  // 12 points at 96 pixels per inch
  EXPECT_EQ(changes, 7);
  SetPropText(&font, "Name", "Courier New");  // the same value: no change
  EXPECT_EQ(changes, 7);
  TFont copy;
  copy.Assign(&font);
  EXPECT_EQ(copy.GetData(), font.GetData());
}

}  // namespace
