// A main window for the data module's handlers in tests: it keeps the
// status text and computes in-text expressions with the kit's evaluator.
#pragma once

#include <string>
#include <vector>

#include "app/Data.h"
#include "kit/MathParser.h"
#include "platform/SysUtils.h"

class TCalcMainWindow : public IDataMainWindow {
public:
  void SetCaretStatus(const std::string& text) override { Status = text; }
  bool EvaluateInText(const std::string& expression, std::string& value) override {
    Asked.push_back(expression);
    try {
      value = Format("%g", static_cast<double>(TRxMathParser().Exec(expression)));
      return true;
    } catch (const Exception&) {
      return false;
    }
  }
  std::string Status;
  std::vector<std::string> Asked;
};
