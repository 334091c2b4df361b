// Language files ("*.lng"): lines "Form.Component.Property=Text" that give
// string properties of the program's forms new texts, and
// "Form.caption=Text" for a form's title. Lines are trimmed; a line whose
// first character is not a letter is a comment. In a component's text
// "#13" stands for a line break.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class TComponent;

struct TLanguageLine {
  std::string Form;
  std::string Component;  // empty: the form's own caption
  std::string Property;
  std::string Text;
};

// False for comments, empty lines, lines without "." and lines that name
// neither a component property nor "caption".
bool ParseLanguageLine(std::string_view line, TLanguageLine& out);

// Whether a property belongs to the user and stays as it is: form
// storages keep it (the Windows build knows which); names and properties
// that name files or folders are never translated anyway.
using TUserPropertyTest =
    std::function<bool(TComponent* form, TComponent* component, const std::string& property)>;

// Applies each line to the forms owned by root (found by name, the
// component by name on its form, the property by name without case) and
// returns the number of properties set. Lines that name nothing, a
// property that is not a string, or a protected one are skipped.
int ApplyLanguageText(TComponent* root, std::string_view text, const TUserPropertyTest& isUserProperty);
// The same for a file; a file that cannot be read raises the platform's
// file error.
int ApplyLanguageFile(TComponent* root, const std::string& fileName, const TUserPropertyTest& isUserProperty);

// Names, and properties that name files or folders (FileName, InitialDir,
// ...), which a translation must not touch.
bool IsUntranslatableProperty(const std::string& property);
