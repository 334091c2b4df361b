// Stored properties and values through both stores (the registry, in-memory
// natively and real under Wine; an INI file in a temporary folder): the value
// names and texts of every property kind, reading them back, and texts that
// do not convert.
#include "kit/PropsStorage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "kit/StrUtils.h"
#include "platform/Collections.h"
#include "platform/DataModule.h"
#include "platform/Graphics.h"
#include "platform/Registry.h"

namespace {

class TInner : public TPersistent {
public:
  int GetDepth() const { return FDepth; }
  void SetDepth(int v) { FDepth = v; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TInner", &TPersistent::StaticClassInfo()).Integer("Depth", &TInner::GetDepth, &TInner::SetDepth);
    return info;
  }

private:
  int FDepth = 0;
};

class TPart : public TPersistent {
public:
  int GetSize() const { return FSize; }
  void SetSize(int v) { FSize = v; }
  TInner* GetInner() const { return FInner.get(); }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TPart", &TPersistent::StaticClassInfo())
                                       .Integer("Size", &TPart::GetSize, &TPart::SetSize)
                                       .Object("Inner", &TPart::GetInner);
    return info;
  }

private:
  int FSize = 0;
  std::unique_ptr<TInner> FInner = std::make_unique<TInner>();
};

enum TShade { shRed, shGreen, shBlue };

// A component with one published property of every kind that is stored.
class TSample : public TComponent {
public:
  explicit TSample(TComponent* owner) : TComponent(owner) {}
  int Int = 0;
  int64_t Big = 0;
  char Ch = 'a';
  TShade Shade = shRed;
  TFontStyles Styles;
  float Single = 0;
  double Double = 0;
  long double Extended = 0;
  std::string Text;
  TStringList Lines;
  TComponent* Ref = nullptr;
  TPart Part;

  int GetInt() const { return Int; }
  void SetInt(int v) { Int = v; }
  int64_t GetBig() const { return Big; }
  void SetBig(int64_t v) { Big = v; }
  char GetCh() const { return Ch; }
  void SetCh(char v) { Ch = v; }
  TShade GetShade() const { return Shade; }
  void SetShade(TShade v) { Shade = v; }
  TFontStyles GetStyles() const { return Styles; }
  void SetStyles(TFontStyles v) { Styles = v; }
  float GetSingle() const { return Single; }
  void SetSingle(float v) { Single = v; }
  double GetDouble() const { return Double; }
  void SetDouble(double v) { Double = v; }
  long double GetExtended() const { return Extended; }
  void SetExtended(long double v) { Extended = v; }
  const std::string& GetText() const { return Text; }
  void SetText(const std::string& v) { Text = v; }
  TStringList* GetLines() { return &Lines; }
  TComponent* GetRef() const { return Ref; }
  void SetRef(TComponent* v) { Ref = v; }
  TPart* GetPart() { return &Part; }

  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TSample", &TComponent::StaticClassInfo())
            .Integer("Int", &TSample::GetInt, &TSample::SetInt)
            .Int64("Big", &TSample::GetBig, &TSample::SetBig)
            .Char("Ch", &TSample::GetCh, &TSample::SetCh)
            .Enum("Shade", {"shRed", "shGreen", "shBlue"}, &TSample::GetShade, &TSample::SetShade)
            .Set("Styles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TSample::GetStyles,
                 &TSample::SetStyles)
            .Float("Single", ftSingle, &TSample::GetSingle, &TSample::SetSingle)
            .Float("Double", ftDouble, &TSample::GetDouble, &TSample::SetDouble)
            .Float("Extended", ftExtended, &TSample::GetExtended, &TSample::SetExtended)
            .String("Text", &TSample::GetText, &TSample::SetText)
            .Object("Lines", &TSample::GetLines)
            .Object("Ref", &TSample::GetRef, &TSample::SetRef)
            .Object("Part", &TSample::GetPart);
    return info;
  }
};

const char* const kAllProps[] = {"Int", "Big", "Ch", "Shade", "Styles", "Single", "Double",
                                 "Extended", "Text", "Lines", "Ref", "Part"};

// Both stores behind one interface; each case gets its own key or file.
class PropsStorage : public ::testing::TestWithParam<bool> {
protected:
  PropsStorage() {
    const std::string name = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string clean;
    for (char c : name) clean += (c == '/' ? '_' : c);
    if (GetParam()) {
      Key = "Software\\Tarnquill\\Test\\propsstorage\\" + clean;
      TRegistry().DeleteKey("\\" + Key);
      Ini = std::make_unique<TRegIniFile>(Key);
    } else {
      File = SystemTempPath() + "tq_propsstorage_" + clean + ".ini";
      FileDelete(File);
      Ini = std::make_unique<TIniFile>(File);
    }
    Form.SetName("Form1");
    Sample = new TSample(&Form);
    Sample->SetName("Sample");
    Other = new TComponent(&Form);
    Other->SetName("Other");
    for (const char* p : kAllProps) Props.Add(std::string("Sample.") + p);
  }
  ~PropsStorage() override {
    Ini.reset();
    if (GetParam())
      TRegistry().DeleteKey("\\" + Key);
    else
      FileDelete(File);
  }
  std::string Read(const std::string& section, const std::string& name) {
    return Ini->ReadString(section, name, "<none>");
  }

  std::string Key, File;
  std::unique_ptr<TCustomIniFile> Ini;
  TComponent Form{nullptr};
  TSample* Sample = nullptr;
  TComponent* Other = nullptr;
  TStringList Props;
};

TEST_P(PropsStorage, EveryKindIsWrittenUnderItsNameAndReadBack) {
  TSample& s = *Sample;
  s.Int = -42;
  s.Big = -9000000000LL;
  s.Ch = 'x';
  s.Shade = shBlue;
  s.Styles = TFontStyles{fsBold, fsItalic};
  s.Single = 0.1f;
  s.Double = 0.1;
  s.Extended = -0.375L;
  s.Text = "'quoted'";
  s.Lines.Add("first");
  s.Lines.Add("\"second\"");
  s.Ref = Other;
  s.Part.SetSize(7);
  s.Part.GetInner()->SetDepth(3);
  const char old = GetDecimalSeparator();
  SetDecimalSeparator(',');  // stored floats use "." whatever the locale
  StoreComponentProps(*Ini, "Sec", &Form, &Props);
  SetDecimalSeparator(old);

  struct {
    const char* Name;
    const char* Text;
  } expected[] = {
      {"Sample_Int", "-42"},        {"Sample_Big", "-9000000000"},      {"Sample_Ch", "x"},
      {"Sample_Shade", "shBlue"},   {"Sample_Styles", "[fsBold,fsItalic]"}, {"Sample_Single", "0.1"},
      {"Sample_Double", "0.1"},     {"Sample_Extended", "-0.375"},   {"Sample_Text", "'quoted'"},
      {"Sample_Ref", "Other"},      {"Sample_PartSize", "7"},          {"Sample_PartInnerDepth", "3"},
      {"Sample_Lines", "<none>"},   {"Sample_Part", "<none>"},
  };
  for (const auto& e : expected) EXPECT_EQ(Read("Sec", e.Name), e.Text) << e.Name;
  EXPECT_EQ(Read("Sec.Sample_Lines", "Count"), "2");
  EXPECT_EQ(Read("Sec.Sample_Lines", "Item0"), "first");
  EXPECT_EQ(Read("Sec.Sample_Lines", "Item1"), "\"second\"");

  TSample fresh(nullptr);
  fresh.SetName("Sample");
  Form.RemoveComponent(Sample);
  Form.InsertComponent(&fresh);
  TStringList props;
  props.Assign(&Props);
  LoadComponentProps(*Ini, "Sec", &Form, &props);
  Form.RemoveComponent(&fresh);
  Form.InsertComponent(Sample);
  EXPECT_EQ(fresh.Int, -42);
  EXPECT_EQ(fresh.Big, -9000000000LL);
  EXPECT_EQ(fresh.Ch, 'x');
  EXPECT_EQ(fresh.Shade, shBlue);
  EXPECT_EQ(fresh.Styles, (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(fresh.Single, 0.1f);
  EXPECT_EQ(fresh.Double, 0.1);
  EXPECT_EQ(fresh.Extended, -0.375L);
  EXPECT_EQ(fresh.Text, "'quoted'");
  ASSERT_EQ(fresh.Lines.GetCount(), 2);
  EXPECT_EQ(fresh.Lines.Get(1), "\"second\"");
  EXPECT_EQ(fresh.Ref, Other);
  EXPECT_EQ(fresh.Part.GetSize(), 7);
  EXPECT_EQ(fresh.Part.GetInner()->GetDepth(), 3);
}

TEST_P(PropsStorage, TextsThatDoNotConvertLeaveTheProperty) {
  TSample& s = *Sample;
  s.Int = 5;
  s.Big = 6;
  s.Shade = shGreen;
  s.Styles = TFontStyles{fsUnderline};
  s.Double = 2.5;
  s.Ref = Other;
  s.Ch = 'q';
  struct {
    const char* Name;
    const char* Text;
  } bad[] = {
      {"Sample_Int", "abc"},        {"Sample_Int", "12abc"}, {"Sample_Big", "1e5"},
      {"Sample_Shade", "shPurple"}, {"Sample_Styles", "[fsBold,fsNone]"}, {"Sample_Double", "2,5x"},
      {"Sample_Ref", "Missing"},    {"Sample_Ref", "Nowhere.Other"},     {"Sample_Ch", ""},
  };
  for (const auto& b : bad) {
    Ini->WriteString("Sec", b.Name, b.Text);
    LoadComponentProps(*Ini, "Sec", &Form, &Props);
    EXPECT_EQ(s.Int, 5) << b.Name << "=" << b.Text;
    EXPECT_EQ(s.Big, 6) << b.Name << "=" << b.Text;
    EXPECT_EQ(s.Shade, shGreen) << b.Name << "=" << b.Text;
    EXPECT_EQ(s.Styles, TFontStyles{fsUnderline}) << b.Name << "=" << b.Text;
    EXPECT_EQ(s.Double, 2.5) << b.Name << "=" << b.Text;
    EXPECT_EQ(s.Ref, Other) << b.Name << "=" << b.Text;
    EXPECT_EQ(s.Ch, 'q') << b.Name << "=" << b.Text;
    Ini->DeleteKey("Sec", b.Name);
  }
  // Good texts in other spellings: an enumeration name in any case, the
  // locale's decimal separator, "(null)".
  Ini->WriteString("Sec", "Sample_Shade", "SHBLUE");
  Ini->WriteString("Sec", "Sample_Ref", "(null)");
  Ini->WriteString("Sec", "Sample_Styles", "[]");
  const char old = GetDecimalSeparator();
  SetDecimalSeparator(',');
  Ini->WriteString("Sec", "Sample_Double", "0,75");
  LoadComponentProps(*Ini, "Sec", &Form, &Props);
  SetDecimalSeparator(old);
  EXPECT_EQ(s.Shade, shBlue);
  EXPECT_EQ(s.Ref, nullptr);
  EXPECT_EQ(s.Styles, TFontStyles{});
  EXPECT_EQ(s.Double, 0.75);
}

TEST_P(PropsStorage, StringListsAndReferences) {
  // A count larger than the items there: only the items present are taken.
  Ini->WriteString("Sec.Sample_Lines", "Count", "5");
  Ini->WriteString("Sec.Sample_Lines", "Item0", "a");
  Ini->WriteString("Sec.Sample_Lines", "Item1", "b");
  Sample->Lines.Add("old");
  LoadComponentProps(*Ini, "Sec", &Form, &Props);
  ASSERT_EQ(Sample->Lines.GetCount(), 2);
  EXPECT_EQ(Sample->Lines.Get(1), "b");

  // An empty list leaves only an erased sub-section, and no reference "(null)".
  Sample->Lines.Clear();
  Sample->Ref = nullptr;
  StoreComponentProps(*Ini, "Sec", &Form, &Props);
  TStringList names;
  Ini->ReadSection("Sec.Sample_Lines", &names);
  EXPECT_EQ(names.GetCount(), 0);
  EXPECT_EQ(Read("Sec", "Sample_Ref"), "(null)");

  // A component of another owner is named with it; an owner without a name
  // by its class name without the "T".
  TComponent data(nullptr);
  data.SetName("Data");
  auto* thing = new TComponent(&data);
  thing->SetName("Thing");
  Sample->Ref = thing;
  StoreComponentProps(*Ini, "Sec", &Form, &Props);
  EXPECT_EQ(Read("Sec", "Sample_Ref"), "Data.Thing");
  TPropsStorage::SetGlobalComponentFinder(
      [&data](const std::string& name) { return SameText(name, "data") ? &data : nullptr; });
  Sample->Ref = nullptr;
  LoadComponentProps(*Ini, "Sec", &Form, &Props);
  EXPECT_EQ(Sample->Ref, thing);
  TPropsStorage::SetGlobalComponentFinder(nullptr);
  data.SetName("");
  StoreComponentProps(*Ini, "Sec", &Form, &Props);
  EXPECT_EQ(Read("Sec", "Sample_Ref"), "Component.Thing");

  // A data module is found by its name with no finder: a reference into the
  // program's data module comes back, and one into a module gone does not.
  auto module = std::make_unique<TDataModule>(nullptr);
  module->SetName("Data");
  auto* style = new TComponent(module.get());
  style->SetName("PasSyn");
  Sample->Ref = style;
  StoreComponentProps(*Ini, "Sec", &Form, &Props);
  EXPECT_EQ(Read("Sec", "Sample_Ref"), "Data.PasSyn");
  Sample->Ref = nullptr;
  LoadComponentProps(*Ini, "Sec", &Form, &Props);
  EXPECT_EQ(Sample->Ref, style);
  Sample->Ref = nullptr;
  module.reset();
  LoadComponentProps(*Ini, "Sec", &Form, &Props);
  EXPECT_EQ(Sample->Ref, nullptr);
}

TEST_P(PropsStorage, StoredValuesWithEventsAndAKey) {
  TStoredValues values;
  TStoredValue* plain = values.Add("FontName");
  plain->SetValue(std::string("Courier New"));
  TStoredValue* secret = values.Add("Password");
  secret->SetKeyString("k3y");
  secret->SetValue(std::string("open sesame"));
  TStoredValue* number = values.Add("Count");
  number->SetValue(12);
  number->OnSave = [](TStoredValue*, TVariant& v) { v = TVariant(v.ToInt() + 1); };
  EXPECT_THROW(values.Add("fontname"), EStringListError);
  EXPECT_THROW(number->SetName("PASSWORD"), EStringListError);
  number->SetName("count");  // its own name in other case is fine
  EXPECT_EQ(values.GetStoredValue("COUNT"), number);
  EXPECT_EQ(values.GetStoredValue("none"), nullptr);

  values.SaveValues(*Ini, "Vals");
  EXPECT_EQ(Read("Vals", "FontName"), "Courier New");
  EXPECT_EQ(Read("Vals", "Password"), XorEncode("k3y", "open sesame"));
  EXPECT_EQ(Read("Vals", "count"), "13");

  plain->SetValue(TVariant());
  secret->SetValue(TVariant());
  number->OnRestore = [](TStoredValue*, TVariant& v) { v = TVariant(v.ToInt() * 2); };
  values.RestoreValues(*Ini, "Vals");
  EXPECT_EQ(plain->GetValue().ToString(), "Courier New");
  EXPECT_TRUE(plain->GetValue().IsString());
  EXPECT_EQ(secret->GetValue().ToString(), "open sesame");
  EXPECT_EQ(number->GetValue().ToInt(), 26);
}

TEST_P(PropsStorage, EntriesResolveOnTheOwnerAndFollowRenames) {
  TStringList props;
  for (const char* e : {"Sample.Int", " Sample . Text ", "Nobody.Int", "NoDot", ".Int", "Sample.", "Other.Tag"})
    props.Add(e);
  ResolveStoredProps(&Form, &props);
  ASSERT_EQ(props.GetCount(), 3);
  EXPECT_EQ(props.Get(0), "Sample.Int");
  EXPECT_EQ(props.Get(1), "Sample.Text");
  EXPECT_EQ(props.GetObject(1), Sample);
  Sample->SetName("Renamed");
  Sample->Int = 9;
  StoreComponentProps(*Ini, "Sec", &Form, &props);
  EXPECT_EQ(props.Get(0), "Renamed.Int");
  EXPECT_EQ(Read("Sec", "Renamed_Int"), "9");
  EXPECT_EQ(Read("Sec", "Other_Tag"), "0");
  RemoveStoredPropsOf(Sample, &props);
  ASSERT_EQ(props.GetCount(), 1);
  EXPECT_EQ(props.Get(0), "Other.Tag");
}

class TColumn : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  std::string Title;
  int Width = 0;
  const std::string& GetTitle() const { return Title; }
  void SetTitle(const std::string& v) { Title = v; }
  int GetWidth() const { return Width; }
  void SetWidth(int v) { Width = v; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TColumn", &TPersistent::StaticClassInfo())
                                       .String("Title", &TColumn::GetTitle, &TColumn::SetTitle)
                                       .Integer("Width", &TColumn::GetWidth, &TColumn::SetWidth);
    return info;
  }
};

class TColumned : public TComponent {
public:
  explicit TColumned(TComponent* owner) : TComponent(owner) {}
  TCollection Columns{[](TCollection* c) { return std::make_unique<TColumn>(c); }};
  TCollection* GetColumns() { return &Columns; }
  TColumn* Column(int i) { return static_cast<TColumn*>(Columns.GetItem(i)); }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TColumned", &TComponent::StaticClassInfo()).Object("Columns", &TColumned::GetColumns);
    return info;
  }
};

TEST_P(PropsStorage, CollectionsKeepTheirItemsInASubSection) {
  auto* grid = new TColumned(&Form);
  grid->SetName("Grid");
  for (auto [title, width] : {std::pair{"Name", 120}, std::pair{"Size", 60}}) {
    auto* c = static_cast<TColumn*>(grid->Columns.Add());
    c->Title = title;
    c->Width = width;
  }
  TStringList props;
  props.Add("Grid.Columns");
  StoreComponentProps(*Ini, "Sec", &Form, &props);
  EXPECT_EQ(Read("Sec.Grid_Columns", "Count"), "2");
  EXPECT_EQ(Read("Sec.Grid_Columns", "Item1_Title"), "Size");
  EXPECT_EQ(Read("Sec.Grid_Columns", "Item1_Width"), "60");

  // Read back over a collection of another length; a count larger than the
  // items there takes only those.
  Ini->WriteString("Sec.Grid_Columns", "Count", "7");
  grid->Columns.Clear();
  grid->Columns.Add();
  grid->Columns.Add();
  grid->Columns.Add();
  LoadComponentProps(*Ini, "Sec", &Form, &props);
  ASSERT_EQ(grid->Columns.GetCount(), 2);
  EXPECT_EQ(grid->Column(0)->Title, "Name");
  EXPECT_EQ(grid->Column(1)->Width, 60);

  // An empty collection leaves an erased sub-section, and reading that
  // changes nothing.
  grid->Columns.Clear();
  StoreComponentProps(*Ini, "Sec", &Form, &props);
  TStringList names;
  Ini->ReadSection("Sec.Grid_Columns", &names);
  EXPECT_EQ(names.GetCount(), 0);
  grid->Columns.Add();
  LoadComponentProps(*Ini, "Sec", &Form, &props);
  EXPECT_EQ(grid->Columns.GetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Stores, PropsStorage, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Registry" : "IniFile");
                         });

}  // namespace
