// Stored values in an INI file read back by the system's profile API: what
// the program writes (quoted texts included) is what Windows reads.
#include <windows.h>

#include <gtest/gtest.h>

#include "kit/PropsStorage.h"

TEST(StoredIni, TheProfileApiReadsWhatWasStored) {
  const std::string file = SystemTempPath() + "tq_storedini_api.ini";
  FileDelete(file);
  {
    TIniFile ini(file);
    TStoredValues values;
    const char* texts[] = {"plain", "\"double quoted\"", "'single quoted'", "'mixed\"", ""};
    for (int i = 0; i < 5; ++i) values.Add("V" + IntToStr(i))->SetValue(std::string(texts[i]));
    values.SaveValues(ini, "Form");
    for (int i = 0; i < 5; ++i) {
      char buffer[256] = {};
      ::GetPrivateProfileStringA("Form", ("V" + IntToStr(i)).c_str(), "<none>", buffer, sizeof buffer,
                                 file.c_str());
      EXPECT_EQ(std::string(buffer), texts[i]) << i;
    }
    values.GetItem(1)->SetValue(TVariant());
    values.RestoreValues(ini, "Form");
    EXPECT_EQ(values.GetItem(1)->GetValue().ToString(), "\"double quoted\"");
  }
  FileDelete(file);
}
