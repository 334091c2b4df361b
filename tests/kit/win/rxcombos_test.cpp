// The font combo box on Wine's real fonts: the families of the screen and
// the printer, the filters, FontName, the marks and the own-face drawing.
#include "kit/win/RxCombos.h"

#include "kit/win/VclUtils.h"
#include "platform/win/Forms.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/Printers.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TQ_TEST_APPLICATION();

namespace {

// Wine's symbol and raster fonts, added for this program only.
class TWineFonts : public ::testing::Environment {
public:
  void SetUp() override {
    for (const char* f : {"Z:\\usr\\share\\wine\\fonts\\marlett.ttf",
                          "Z:\\usr\\share\\wine\\fonts\\sserife.fon"})
      ::AddFontResourceExA(f, FR_PRIVATE, nullptr);
  }
};
::testing::Environment* const gFonts = ::testing::AddGlobalTestEnvironment(new TWineFonts);

class TTestFontBox : public TFontComboBox {
public:
  using TFontComboBox::TFontComboBox;
  using TFontComboBox::DrawListItem;
};

struct FontComboBox : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(50, 50, 300, 200);
    box = new TTestFontBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 10, 250, 24);
    box->OnChange = [this](TObject*) { ++changes; };
  }
  void TearDown() override { TFontComboBox::SetPrinterDCFunc(nullptr); }
  int IndexOf(const std::string& name) { return box->GetItems()->IndexOf(name); }

  std::unique_ptr<TForm> form;
  TTestFontBox* box = nullptr;
  int changes = 0;
};

TEST_F(FontComboBox, ListsTheScreenFamiliesWithTheirKinds) {
  box->HandleNeeded();
  TStrings* items = box->GetItems();
  ASSERT_GT(items->GetCount(), 3);
  EXPECT_EQ(items->GetCount(),
            static_cast<int>(::SendMessageA(box->GetHandle(), CB_GETCOUNT, 0, 0)));
  for (int i = 1; i < items->GetCount(); ++i)
    EXPECT_LE(AnsiCompareText(items->Get(i - 1), items->Get(i)), 0) << "sorted";
  const int sans = IndexOf("Liberation Sans");
  ASSERT_GE(sans, 0);
  EXPECT_EQ(box->GetItemFlags(sans), TRUETYPE_FONTTYPE | kNotSymbolFontFlag);
  const int marlett = IndexOf("Marlett");
  ASSERT_GE(marlett, 0);
  EXPECT_EQ(box->GetItemFlags(marlett) & kNotSymbolFontFlag, 0);
  const int raster = IndexOf("MS Sans Serif");
  ASSERT_GE(raster, 0);
  EXPECT_EQ(box->GetItemFlags(raster) & TRUETYPE_FONTTYPE, 0);
  // The item height fits the mark and the font.
  const int h = static_cast<int>(::SendMessageA(box->GetHandle(), CB_GETITEMHEIGHT, 0, 0));
  HBITMAP mark = LoadResourceBitmap("TRUETYPE_FNT");
  EXPECT_GE(h, BitmapSize(mark).cy - 1);
  EXPECT_GE(h, 9);
  ::DeleteObject(mark);
}

TEST_F(FontComboBox, TrueTypeOnlyRefillsAndKeepsTheChosenName) {
  box->HandleNeeded();
  box->SetFontName("liberation mono");  // found without case
  EXPECT_EQ(box->GetFontName(), "Liberation Mono");
  EXPECT_EQ(changes, 1);
  box->SetTrueTypeOnly(true);
  for (int i = 0; i < box->GetItems()->GetCount(); ++i)
    EXPECT_TRUE(box->GetItemFlags(i) & TRUETYPE_FONTTYPE) << box->GetItems()->Get(i);
  EXPECT_LT(IndexOf("MS Sans Serif"), 0);
  EXPECT_EQ(box->GetFontName(), "Liberation Mono");
  box->SetTrueTypeOnly(false);
  EXPECT_GE(IndexOf("MS Sans Serif"), 0);
  EXPECT_EQ(box->GetFontName(), "Liberation Mono");
  EXPECT_EQ(box->GetItemIndex(), IndexOf("Liberation Mono"));
  EXPECT_EQ(changes, 1) << "the refills kept the name";

  // A refill that loses the name reports the change.
  box->SetFontName("MS Sans Serif");
  changes = 0;
  box->SetOptions({foScalableOnly});
  EXPECT_EQ(box->GetFontName(), "");
  EXPECT_EQ(changes, 1);
}

TEST_F(FontComboBox, OptionsFilterTheRealFonts) {
  box->HandleNeeded();
  box->SetOptions({foNoSymbolFonts, foFixedPitchOnly});
  EXPECT_LT(IndexOf("Marlett"), 0);
  EXPECT_LT(IndexOf("Liberation Sans"), 0);
  EXPECT_GE(IndexOf("Liberation Mono"), 0);
}

TEST_F(FontComboBox, AnUnknownNameSelectsNothingInAList) {
  box->HandleNeeded();
  box->SetFontName("Liberation Serif");
  ASSERT_GE(box->GetItemIndex(), 0);
  box->SetFontName("No Such Font");
  EXPECT_EQ(box->GetItemIndex(), -1);
  EXPECT_EQ(box->GetFontName(), "");
  EXPECT_EQ(::SendMessageA(box->GetHandle(), CB_GETCURSEL, 0, 0), CB_ERR);

  // A box with an edit keeps the typed name.
  box->SetComboStyle(ocsDropDown);
  box->SetFontName("No Such Font");
  EXPECT_EQ(box->GetFontName(), "No Such Font");
  EXPECT_EQ(box->GetItemIndex(), -1);
}

TEST_F(FontComboBox, WithoutAPrinterThePrinterAddsNothing) {
  TFontComboBox::SetPrinterDCFunc([] { return HDC(nullptr); });
  box->SetDevice(fdPrinter);
  EXPECT_NO_THROW(box->HandleNeeded());
  EXPECT_EQ(box->GetItems()->GetCount(), 0);
  box->SetDevice(fdBoth);
  EXPECT_GE(IndexOf("Liberation Sans"), 0);
}

TEST_F(FontComboBox, ThePrinterListsItsFamilies) {
  if (Printer()->GetPrinterIndex() < 0) GTEST_SKIP() << "no printer";
  box->SetDevice(fdPrinter);
  box->HandleNeeded();
  EXPECT_GT(box->GetItems()->GetCount(), 0);
}

// An item drawn on a bitmap, white face, for pixel checks.
std::unique_ptr<TBitmap> DrawItem(TTestFontBox* box, const std::string& name) {
  auto bmp = std::make_unique<TBitmap>(200, 20);
  box->SetColor(clWhite);
  box->DrawListItem(bmp->DC(), box->GetItems()->IndexOf(name), TRect(0, 0, 200, 20), false);
  return bmp;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

TEST_F(FontComboBox, MarksAndOwnFaces) {
  box->HandleNeeded();
  box->SetFont(TFontData{"Liberation Sans", -11});
  auto tt = DrawItem(box, "Liberation Mono");
  SaveBitmap(*tt, "fontcombo_truetype_item.bmp");
  // The TrueType mark: its gray T starts 2 pixels from the left, its
  // transparent corners stay white.
  const int top = (20 - BitmapSize(LoadResourceBitmap("TRUETYPE_FNT")).cy) / 2;
  EXPECT_EQ(tt->Pixel(2, top + 1), 0x808080);
  EXPECT_EQ(tt->Pixel(2, top), clWhite);
  auto raster = DrawItem(box, "MS Sans Serif");
  EXPECT_EQ(raster->Pixel(2, top + 1), clWhite) << "no mark for a raster font";

  // Own faces: a text font changes its look, a symbol font never does.
  auto plainMono = DrawItem(box, "Liberation Mono");
  auto plainMarlett = DrawItem(box, "Marlett");
  box->SetUseFonts(true);
  auto ownMono = DrawItem(box, "Liberation Mono");
  auto ownMarlett = DrawItem(box, "Marlett");
  SaveBitmap(*ownMono, "fontcombo_own_face.bmp");
  EXPECT_FALSE(SamePixels(*plainMono, *ownMono));
  EXPECT_TRUE(SamePixels(*plainMarlett, *ownMarlett));
}

}  // namespace
