// The preview's browser: the embedded web browser, or a test's stand-in.
#include "app/output/win/PreviewBrowser.h"

#include <utility>

#include "kit/win/EmbeddedWB.h"

namespace {

class TRealPreview : public IPreviewBrowser {
public:
  TRealPreview(TWinControl* parent, TNotifyEvent focusTaken) {
    FBrowser = new TEmbeddedWB(parent);
    FBrowser->OnFocusTaken = std::move(focusTaken);
    FBrowser->SetParent(parent);
  }
  TWinControl* Control() override { return FBrowser; }
  void Open(const std::string& fileName) override { FBrowser->NavigateAndWait(fileName); }
  void Show(const TStrings& lines) override { FBrowser->LoadFromStrings(lines); }

private:
  TEmbeddedWB* FBrowser;  // owned by the panel
};

TPreviewBrowserFactory& Factory() {
  static TPreviewBrowserFactory factory;
  return factory;
}

}  // namespace

TPreviewBrowserFactory SetPreviewBrowserFactory(TPreviewBrowserFactory factory) {
  return std::exchange(Factory(), std::move(factory));
}

std::unique_ptr<IPreviewBrowser> MakePreviewBrowser(TWinControl* parent, TNotifyEvent focusTaken) {
  if (Factory()) return Factory()(parent, std::move(focusTaken));
  return std::make_unique<TRealPreview>(parent, std::move(focusTaken));
}
