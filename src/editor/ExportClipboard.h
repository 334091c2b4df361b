// Where exporters put their text for the clipboard. The portable half only
// formats; the Win32 half installs the real clipboard (see
// win/ExportClipboardWin.h). Without one, a process-wide in-memory clipboard
// takes the data, so exports to the clipboard can be checked anywhere.
#pragma once

#include <cstddef>
#include <string>

class IktExportClipboard {
public:
  virtual ~IktExportClipboard() = default;
  // The number of a format registered under name (the same name gives the
  // same number).
  virtual unsigned RegisterFormat(const std::string& name) = 0;
  // Replaces the clipboard's contents with size bytes of data under format.
  // Raises an Exception when the data cannot be placed.
  virtual void SetData(unsigned format, const void* data, size_t size) = 0;
};

// The installed clipboard (never nullptr).
IktExportClipboard& ExportClipboard();
// Installs another (nullptr: the in-memory one) and returns the previous one;
// the caller keeps ownership.
IktExportClipboard* SetExportClipboard(IktExportClipboard* clipboard);

// The in-memory clipboard: registered formats are numbered from 0xC000 up,
// as the system numbers them; it holds one format's data at a time.
class TktMemoryExportClipboard : public IktExportClipboard {
public:
  unsigned RegisterFormat(const std::string& name) override;
  void SetData(unsigned format, const void* data, size_t size) override;
  unsigned GetFormat() const { return FFormat; }
  const std::string& GetData() const { return FData; }

private:
  std::string FNames;  // registered names, each followed by NUL, in order
  unsigned FFormat = 0;
  std::string FData;
};

// The process's in-memory clipboard (what ExportClipboard() is without another).
TktMemoryExportClipboard& MemoryExportClipboard();
