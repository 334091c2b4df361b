// Exported text on the system clipboard, through the platform's clipboard.
#include "editor/win/ExportClipboardWin.h"

#include "platform/win/Clipbrd.h"

namespace {

class TSystemExportClipboard : public IktExportClipboard {
public:
  unsigned RegisterFormat(const std::string& name) override {
    return TClipboard::RegisterFormat(name);
  }
  void SetData(unsigned format, const void* data, size_t size) override {
    Clipboard().SetBuffer(format, data, size);
  }
};

}  // namespace

IktExportClipboard& SystemExportClipboard() {
  static TSystemExportClipboard clipboard;
  return clipboard;
}
