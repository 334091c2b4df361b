// The progress adapter's class list.
#include "kit/Progress.h"

#include <vector>

namespace {

struct TProgressProps {
  std::string ClassName;
  std::string Min, Max, Progress;
};

std::vector<TProgressProps>& ProgressClasses() {
  static std::vector<TProgressProps> list = {
      {"TProgressBar", "Min", "Max", "Position"},
      {"TGauge", "MinValue", "MaxValue", "Progress"},
  };
  return list;
}

const TProgressProps* Find(TObject* control) {
  auto* persistent = dynamic_cast<TPersistent*>(control);
  if (!persistent || !persistent->ClassInfo()) return nullptr;
  const auto& list = ProgressClasses();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    for (const TClassInfo* c = persistent->ClassInfo(); c; c = c->GetParent())
      if (SameText(c->GetTypeName(), it->ClassName)) return &*it;
  return nullptr;
}

void SetInt(TObject* control, std::string TProgressProps::*which, int value) {
  const TProgressProps* props = Find(control);
  if (!props) return;
  if (const TPropInfo* p = GetPropInfo(control, props->*which))
    if (p->Kind == tkInteger && p->SetOrd) p->SetOrd(control, value);
}

}  // namespace

void RegisterProgressControl(const std::string& className, const std::string& minProp,
                             const std::string& maxProp, const std::string& progressProp) {
  ProgressClasses().push_back({className, minProp, maxProp, progressProp});
}

void RegisterProgressControl(const TClassInfo& info, const std::string& minProp,
                             const std::string& maxProp, const std::string& progressProp) {
  RegisterProgressControl(info.GetTypeName(), minProp, maxProp, progressProp);
}

bool SupportsProgressControl(TObject* control) { return Find(control) != nullptr; }

void SetProgressMin(TObject* control, int value) { SetInt(control, &TProgressProps::Min, value); }
void SetProgressMax(TObject* control, int value) { SetInt(control, &TProgressProps::Max, value); }
void SetProgressValue(TObject* control, int value) { SetInt(control, &TProgressProps::Progress, value); }
