// UnexpectedErrorText.
#include "platform/ErrorText.h"

std::string UnexpectedErrorText(std::string_view place, int number, std::string_view message) {
  std::string s = "Unexpected error at ";
  s.append(place);
  s += '.';
  s += std::to_string(number);
  s += ": ";
  s.append(message);
  s += "\r\nWould you send me whole this message to solve that problem?";
  return s;
}
