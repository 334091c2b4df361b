// A printer device context and its print job.
#include "platform/win/PrintDevice.h"

#include <cstddef>

#include "platform/win/GdiCanvas.h"
#include "platform/win/WinApi.h"

struct TktPrinterDevice::TState {
  HDC DC = nullptr;
  std::unique_ptr<TCanvas> Canvas;
  bool Printing = false;
  ~TState() {
    Canvas.reset();
    if (DC) ::DeleteDC(DC);
  }
};

namespace {

[[noreturn]] void Fail(const char* what) {
  throw EPrinter(Format("Printing failed (%s, error %lu)", what, ::GetLastError()));
}

}  // namespace

std::string TktPrinterDevice::DefaultPrinterName() {
  // "name,driver,port" in the profile's [windows] device entry.
  char device[512] = {};
  ::GetProfileStringA("windows", "device", "", device, sizeof device);
  std::string name = device;
  return name.substr(0, name.find(','));
}

TktPrinterDevice::TktPrinterDevice(const std::string& printerName, const std::vector<uint8_t>& devMode)
    : FState(std::make_unique<TState>()),
      FName(printerName.empty() ? DefaultPrinterName() : printerName) {
  // Only a whole device mode that reaches as far as the copies is used.
  if (devMode.size() >= offsetof(DEVMODEA, dmCopies) + sizeof(short)) {
    const auto* given = reinterpret_cast<const DEVMODEA*>(devMode.data());
    if (given->dmSize >= offsetof(DEVMODEA, dmCopies) + sizeof(short) &&
        size_t(given->dmSize) + given->dmDriverExtra <= devMode.size())
      FDevMode = devMode;
  }
  auto* mode = FDevMode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(FDevMode.data());
  if (!FName.empty()) FState->DC = ::CreateDCA("WINSPOOL", FName.c_str(), nullptr, mode);
  if (!FState->DC) throw EPrinter("Printer selected is not valid");
  FState->Canvas = std::make_unique<TCanvas>(FState->DC);
}

TktPrinterDevice::~TktPrinterDevice() {
  if (FState->Printing) ::AbortDoc(FState->DC);
}

HDC TktPrinterDevice::Handle() const { return FState->DC; }
ICanvas& TktPrinterDevice::Canvas() { return *FState->Canvas; }
int TktPrinterDevice::PageWidth() const { return ::GetDeviceCaps(FState->DC, HORZRES); }
int TktPrinterDevice::PageHeight() const { return ::GetDeviceCaps(FState->DC, VERTRES); }
int TktPrinterDevice::PixelsPerInchX() const { return ::GetDeviceCaps(FState->DC, LOGPIXELSX); }
int TktPrinterDevice::PixelsPerInchY() const { return ::GetDeviceCaps(FState->DC, LOGPIXELSY); }

void TktPrinterDevice::SetCopies(int copies) {
  if (copies < 1) copies = 1;
  if (copies == FCopies || FState->Printing) return;
  // The copies go to the driver in the device mode; the context keeps
  // everything else the printer's defaults give it.
  DEVMODEA plain{};
  plain.dmSize = sizeof plain;
  DEVMODEA* mode = &plain;
  if (!FDevMode.empty()) mode = reinterpret_cast<DEVMODEA*>(FDevMode.data());
  mode->dmFields |= DM_COPIES;
  mode->dmCopies = short(copies);
  FState->Canvas.reset();  // the canvas restores the context's state first
  ::ResetDCA(FState->DC, mode);
  FState->Canvas = std::make_unique<TCanvas>(FState->DC);
  FCopies = copies;
}

void TktPrinterDevice::BeginDoc() {
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = FTitle.c_str();
  if (::StartDocA(FState->DC, &info) <= 0) Fail("StartDoc");
  FState->Printing = true;
  if (::StartPage(FState->DC) <= 0) Fail("StartPage");
}

void TktPrinterDevice::NewPage() {
  if (::EndPage(FState->DC) <= 0) Fail("EndPage");
  if (::StartPage(FState->DC) <= 0) Fail("StartPage");
}

void TktPrinterDevice::EndDoc() {
  if (!FState->Printing) return;
  const bool pageEnded = ::EndPage(FState->DC) > 0;
  const bool docEnded = ::EndDoc(FState->DC) > 0;
  FState->Printing = false;
  if (!pageEnded) Fail("EndPage");
  if (!docEnded) Fail("EndDoc");
}

void TktPrinterDevice::Abort() {
  if (!FState->Printing) return;
  ::AbortDoc(FState->DC);
  FState->Printing = false;
}
