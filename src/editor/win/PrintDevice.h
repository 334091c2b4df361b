// The editor's printing on the real printer (platform/win/PrintDevice.h),
// and the system's short date and time formats for the $DATE$ and $TIME$
// macros.
#pragma once

#include <string>

#include "editor/Print.h"
#include "platform/win/PrintDevice.h"

// The system's short date and time formats (GetDateFormat, GetTimeFormat);
// install with SetDateTimeTextSource(&SystemDateTimeText).
void SystemDateTimeText(std::string& date, std::string& time);
