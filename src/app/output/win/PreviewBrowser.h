// The browser under an HTML document's editor, as the preview split sees
// it. The real one is the embedded web browser; tests put in a stand-in
// through the factory, which records what it was given.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win/Controls.h"

class IPreviewBrowser {
public:
  virtual ~IPreviewBrowser() = default;
  // The browser's control, owned by the panel it was made in.
  virtual TWinControl* Control() = 0;
  // Shows the file and waits for the page: raises when there is none.
  virtual void Open(const std::string& fileName) = 0;
  // Shows the lines, from memory.
  virtual void Show(const TStrings& lines) = 0;
};

// Makes the browser in parent; focusTaken runs whenever the page takes the
// focus.
using TPreviewBrowserFactory =
    std::function<std::unique_ptr<IPreviewBrowser>(TWinControl* parent, TNotifyEvent focusTaken)>;
// Replaces the factory (nullptr: the real browser); returns the previous one.
TPreviewBrowserFactory SetPreviewBrowserFactory(TPreviewBrowserFactory factory);
std::unique_ptr<IPreviewBrowser> MakePreviewBrowser(TWinControl* parent, TNotifyEvent focusTaken);
