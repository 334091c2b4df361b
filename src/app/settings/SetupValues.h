// The options dialog's values as tables: which control properties its
// form storage keeps, and what each page's default command sets. The
// dialog applies a table to its controls by name, as a user would set them.
#pragma once

#include <string>
#include <vector>

class TComponent;

struct TControlValue {
  const char* Control;
  const char* Property;
  const char* Value;
};

// "Control.Property" of every stored setting, in the dialog's order.
extern const std::vector<const char*> kSetupStoredProps;
// "Set Current Page as Default" on the General Options page: run mode,
// line ends, backups, tab width, session, save format and autosave stay.
extern const std::vector<TControlValue> kGeneralDefaults;
// The Interface page: the status bar, no tool bar, every big-bar panel.
extern const std::vector<TControlValue> kInterfaceDefaults;
// The Styles page's gutter.
extern const std::vector<TControlValue> kGutterDefaults;

// Sets each value on the component of that name owned by form, through its
// published property; a name or property form lacks raises the platform's
// property error.
void ApplyControlValues(TComponent* form, const std::vector<TControlValue>& values);
