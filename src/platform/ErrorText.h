// The text the program shows when a command fails unexpectedly: the place
// (a unit's name and a number that tells its places apart) and the error.
#pragma once

#include <string>
#include <string_view>

// "Unexpected error at <place>.<number>: <message>" CR LF
// "Would you send me whole this message to solve that problem?"
std::string UnexpectedErrorText(std::string_view place, int number, std::string_view message);
