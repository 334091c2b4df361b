// The progress adapter: sets the lower bound, upper bound and position of any
// progress-showing control through its published integer properties, so the
// kit's file routines work with whichever control the caller has. Classes
// are matched by their published-property table: the newest registration
// for a class the control inherits from wins.
#pragma once

#include <string>

#include "platform/TypInfo.h"

// Adds a class with the names of its three properties. The platform's
// progress bar ("Min", "Max", "Position") and gauge ("MinValue", "MaxValue",
// "Progress") are known from the start, by their class names.
void RegisterProgressControl(const TClassInfo& info, const std::string& minProp,
                             const std::string& maxProp, const std::string& progressProp);
// Registers by class name, for controls whose table is not at hand; matched
// against the names of the control's class and its ancestors.
void RegisterProgressControl(const std::string& className, const std::string& minProp,
                             const std::string& maxProp, const std::string& progressProp);
bool SupportsProgressControl(TObject* control);

// Each leaves a control of an unregistered class alone.
void SetProgressMin(TObject* control, int value);
void SetProgressMax(TObject* control, int value);
void SetProgressValue(TObject* control, int value);
