// TRxMathParser: evaluates an arithmetic expression typed by the user (the
// calculator window, the editor's in-text calculator) to an 80-bit float.
// It reads the text directly, by recursive descent, and computes as it goes;
// no state survives a call, so one instance serves any number of them.
#pragma once

#include <string>

#include "platform/Classes.h"

// The parser's own failures. Code is the kit's message number (61150 to
// 61155); the text is what the user sees.
class ERxParserError : public Exception {
public:
  ERxParserError(int code, std::string msg) : Exception(std::move(msg)), Code(code) {}
  int Code;
};

// One extended argument, extended result.
using TRxUserFunction = long double (*)(long double);

class TRxMathParser : public TObject {
public:
  // Evaluates the whole text. Parser errors raise ERxParserError; a result
  // that leaves the float range raises the platform's math errors
  // (EZeroDivide for 0 to a negative power, EOverflow, EInvalidOp).
  long double Exec(const std::string& text);

  // How deep parentheses and function arguments may nest. Each level costs
  // a few stack frames; past this an expression raises 61155 instead of
  // running the program out of stack (a pasted text can nest thousands).
  static constexpr int MaxDepth = 1000;

  // Adds a function of the program to every parser. The name must start with
  // a letter or "_" (else 61155); a name already registered keeps its first
  // function, and a null function removes the name.
  static void RegisterUserFunction(const std::string& name, TRxUserFunction function);

private:
  long double Expression();
  long double Term();
  long double Factor();
  bool Number(long double& value);
  bool Constant(long double& value);
  bool UserFunction(long double& value);
  bool BuiltInFunction(long double& value);
  long double Argument();
  bool IsDelimiter(char c) const;
  char C() const { return FText[FPos]; }

  std::string FText;
  size_t FPos = 0;
  int FDepth = 0;
};
