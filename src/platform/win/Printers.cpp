// TPrinter over the print spooler.
#include "platform/win/Printers.h"

#include <winspool.h>

#include <cstring>

namespace {

std::string DefaultPrinterName() {
  DWORD size = 0;
  ::GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return std::string();
  std::string name(size, '\0');
  if (!::GetDefaultPrinterA(name.data(), &size)) return std::string();
  name.resize(std::strlen(name.c_str()));
  return name;
}

// The printer's own default device mode; empty when it cannot be read.
std::vector<uint8_t> DefaultDevMode(const std::string& name) {
  std::vector<uint8_t> mode;
  HANDLE printer = nullptr;
  if (!::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return mode;
  LONG size = ::DocumentPropertiesA(nullptr, printer, const_cast<char*>(name.c_str()), nullptr, nullptr, 0);
  if (size >= LONG(sizeof(DEVMODEA))) {
    mode.resize(size_t(size));
    if (::DocumentPropertiesA(nullptr, printer, const_cast<char*>(name.c_str()),
                              reinterpret_cast<DEVMODEA*>(mode.data()), nullptr, DM_OUT_BUFFER) != IDOK)
      mode.clear();
  }
  ::ClosePrinter(printer);
  return mode;
}

}  // namespace

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (FHandle) ::DeleteDC(FHandle);
}

TStrings* TPrinter::GetPrinters() {
  if (!FPrinters) Refresh();
  return FPrinters.get();
}

void TPrinter::Refresh() {
  auto list = std::make_unique<TStringList>();
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  ::EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed > 0) {
    std::vector<uint8_t> buffer(needed);
    if (::EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) {
      auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buffer.data());
      for (DWORD i = 0; i < count; ++i)
        if (info[i].pPrinterName) list->Add(info[i].pPrinterName);
    }
  }
  FPrinters = std::move(list);
}

int TPrinter::GetPrinterIndex() {
  std::string name = GetPrinterName();
  return name.empty() ? -1 : GetPrinters()->IndexOf(name);
}

void TPrinter::SetPrinterIndex(int index) {
  TStrings* printers = GetPrinters();
  if (index < -1 || index >= printers->GetCount()) throw EPrinterError("Printer index out of range");
  std::string name = index < 0 ? DefaultPrinterName() : printers->Get(index);
  if (name.empty() && printers->GetCount() > 0) name = printers->Get(0);
  FName = name;
  FChosen = true;
  LoadDefaultMode();
}

std::string TPrinter::GetPrinterName() {
  if (!FChosen) SetPrinterIndex(-1);
  return FName;
}

bool TPrinter::SelectPrinter(const std::string& name, const std::vector<uint8_t>& devMode) {
  if (GetPrinters()->IndexOf(name) < 0) {
    Refresh();
    if (GetPrinters()->IndexOf(name) < 0) return false;
  }
  FName = name;
  FChosen = true;
  if (devMode.size() >= sizeof(DEVMODEA)) {
    FDevMode = devMode;
    ModeChanged();
  } else {
    LoadDefaultMode();
  }
  return true;
}

void TPrinter::LoadDefaultMode() {
  FDevMode = FName.empty() ? std::vector<uint8_t>() : DefaultDevMode(FName);
  ModeChanged();
}

void TPrinter::ModeChanged() {
  if (FHandle) ::DeleteDC(FHandle);
  FHandle = nullptr;
}

const std::vector<uint8_t>& TPrinter::GetDevMode() {
  GetPrinterName();
  return FDevMode;
}

DEVMODEA* TPrinter::Mode() {
  if (GetDevMode().size() < sizeof(DEVMODEA)) throw EPrinterError("There is no default printer currently selected");
  return reinterpret_cast<DEVMODEA*>(FDevMode.data());
}

TPrinterOrientation TPrinter::GetOrientation() {
  DEVMODEA* mode = Mode();
  return (mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape
                                                                                       : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
  DEVMODEA* mode = Mode();
  mode->dmFields |= DM_ORIENTATION;
  mode->dmOrientation = orientation == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  ModeChanged();
}

int TPrinter::GetCopies() {
  DEVMODEA* mode = Mode();
  return (mode->dmFields & DM_COPIES) && mode->dmCopies > 0 ? mode->dmCopies : 1;
}

void TPrinter::SetCopies(int copies) {
  DEVMODEA* mode = Mode();
  mode->dmFields |= DM_COPIES;
  mode->dmCopies = short(copies < 1 ? 1 : copies);
  ModeChanged();
}

int TPrinter::GetPaperSize() {
  DEVMODEA* mode = Mode();
  return (mode->dmFields & DM_PAPERSIZE) ? mode->dmPaperSize : 0;
}

void TPrinter::SetPaperSize(int paper) {
  DEVMODEA* mode = Mode();
  mode->dmFields |= DM_PAPERSIZE;
  mode->dmPaperSize = short(paper);
  ModeChanged();
}

HDC TPrinter::GetHandle() {
  if (!FHandle && !GetPrinterName().empty()) {
    const DEVMODEA* mode = FDevMode.size() >= sizeof(DEVMODEA)
                               ? reinterpret_cast<const DEVMODEA*>(FDevMode.data())
                               : nullptr;
    FHandle = ::CreateICA("WINSPOOL", FName.c_str(), nullptr, mode);
  }
  return FHandle;
}

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}
