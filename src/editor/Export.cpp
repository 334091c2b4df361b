// The exporter base: title, filter and the buffer the tokens go to.
#include "editor/Export.h"

TktCustomExport::TktCustomExport(TComponent* owner) : TComponent(owner) {}

TktCustomExport::~TktCustomExport() = default;

std::string TktCustomExport::GetBufferString() const {
  return std::string(static_cast<const char*>(FBuffer.GetMemory()), size_t(FBuffer.GetSize()));
}

std::string TktCustomExport::GetHeader() const { return std::string(); }
std::string TktCustomExport::GetFooter() const { return std::string(); }
unsigned TktCustomExport::GetClipboardFormat() const { return 1; }
std::string TktCustomExport::GetDefaultFilter() const { return FDefaultFilter; }

void TktCustomExport::SetDefaultFilter(const std::string& value) {
  if (FDefaultFilter != value) FDefaultFilter = value;
}

void TktCustomExport::Clear() {
  FBuffer.Clear();
  FClipboardFormatInProgress = 0;
  ForgetLastAttribute();
}

void TktCustomExport::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(FBuffer.GetMemory(), FBuffer.GetSize());
}

void TktCustomExport::SetTitle(const std::string& value) {
  FTitle = value.empty() ? "(Untitled)" : value;
}

void TktCustomExport::AppendToBuffer(std::string_view text) {
  FBuffer.WriteBuffer(text.data(), int64_t(text.size()));
}
