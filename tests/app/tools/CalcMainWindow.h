// A main window for the data module's handlers in tests: it keeps the
// status text the handlers show.
#pragma once

#include <string>

#include "app/Data.h"

class TCalcMainWindow : public IDataMainWindow {
public:
  void SetCaretStatus(const std::string& text) override { Status = text; }
  std::string Status;
};
