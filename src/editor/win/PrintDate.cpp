// The system's date and time texts for printed headers and footers.
#include "editor/win/PrintDevice.h"

void SystemDateTimeText(std::string& date, std::string& time) {
  char text[128];
  date = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text) > 0
             ? text
             : "";
  time = ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, sizeof text) > 0
             ? text
             : "";
}
