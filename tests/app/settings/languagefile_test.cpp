// Language files on a tree of components that publish their texts.
#include "app/settings/LanguageFile.h"

#include <gtest/gtest.h>

#include "platform/Classes.h"
#include "platform/TypInfo.h"

namespace {

// A form or control with the published properties a translation meets.
class TTextThing : public TComponent {
public:
  TTextThing(TComponent* owner, const char* name) : TComponent(owner) { SetName(name); }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& v) { FText = v; }
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }
  int GetWidth() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TTextThing", &TComponent::StaticClassInfo())
                                       .String("Caption", &TTextThing::GetCaption, &TTextThing::SetCaption)
                                       .String("Text", &TTextThing::GetText, &TTextThing::SetText)
                                       .String("FileName", &TTextThing::GetFileName, &TTextThing::SetFileName)
                                       .Integer("Width", &TTextThing::GetWidth, &TTextThing::SetWidth);
    return info;
  }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }

private:
  std::string FCaption, FText, FFileName;
  int FWidth = 7;
};

class LanguageFile : public ::testing::Test {
protected:
  LanguageFile() : Root(nullptr) {
    Form = new TTextThing(&Root, "Setup");
    Item = new TTextThing(Form, "FileMenu");
    Edit = new TTextThing(Form, "Language");
    Caption = new TTextThing(Form, "Caption");
    Edit->SetText("mine.lng");
  }
  TComponent Root;
  TTextThing *Form, *Item, *Edit, *Caption;
};

TEST_F(LanguageFile, SetsStringPropertiesOfNamedComponentsAndFormCaptions) {
  const char* text =
      "; a comment\r\n"
      "1Setup.FileMenu.Caption=digit\r\n"
      "\r\n"
      "   Setup.FileMenu.caption=&Datei#13zwei   \r\n"
      "Setup.caption=Einstellungen#13\r\n"
      "Setup.Caption.Text=a=b\r\n"
      "Setup.Language.Width=99\r\n"
      "Setup.Language.Name=Other\r\n"
      "Setup.Language.FileName=x.lng\r\n"
      "Setup.Language.Text=stored by the user\r\n"
      "Setup.Nonesuch.Caption=x\r\n"
      "Elsewhere.FileMenu.Caption=x\r\n"
      "Setup.FileMenu.Hint=no such property\r\n"
      "NoDot=x";
  auto userProps = [this](TComponent* form, TComponent* c, const std::string& p) {
    return form == Form && c == Edit && p == "Text";
  };
  EXPECT_EQ(ApplyLanguageText(&Root, text, userProps), 3);
  EXPECT_EQ(Item->GetCaption(), "&Datei\r\nzwei");
  EXPECT_EQ(Form->GetCaption(), "Einstellungen#13") << "a form's title keeps #13";
  EXPECT_EQ(Caption->GetText(), "a=b") << "Form.Caption.x is component Caption";
  EXPECT_EQ(Edit->GetWidth(), 7);
  EXPECT_EQ(Edit->GetName(), "Language");
  EXPECT_EQ(Edit->GetFileName(), "");
  EXPECT_EQ(Edit->GetText(), "mine.lng");
}

TEST_F(LanguageFile, AMissingFileRaises) {
  EXPECT_THROW(ApplyLanguageFile(&Root, "no-such-file.lng", nullptr), Exception);
  for (const char* p : {"Name", "FileName", "InitialDir", "DefaultFolder", "HelpFile"})
    EXPECT_TRUE(IsUntranslatableProperty(p)) << p;
  for (const char* p : {"Caption", "Hint", "Text", "Title", "Filter"}) EXPECT_FALSE(IsUntranslatableProperty(p)) << p;
}

}  // namespace
