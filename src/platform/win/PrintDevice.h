// The real printer behind the page-printing interface: a printer device
// context (CreateDC on "WINSPOOL") with a canvas over it and the print job
// around it.
#pragma once

#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PrintDevice.h"
#include "platform/SysUtils.h"
#include "platform/win/WinApi.h"

TQ_DECLARE_EXCEPTION(EPrinter, Exception)

class TCanvas;

class TktPrinterDevice : public IktPrintDevice {
public:
  // The printer of that name with a device mode as the system gave it
  // (paper, orientation, copies; empty: the printer's defaults); an empty
  // name is the system's default printer. EPrinter "Printer selected is not
  // valid" when there is none.
  explicit TktPrinterDevice(const std::string& printerName = std::string(),
                            const std::vector<uint8_t>& devMode = {});
  ~TktPrinterDevice() override;
  TktPrinterDevice(const TktPrinterDevice&) = delete;
  TktPrinterDevice& operator=(const TktPrinterDevice&) = delete;

  const std::string& GetPrinterName() const { return FName; }
  // The device context, for engines that render on it themselves (the
  // rich-text control's page formatting).
  HDC Handle() const;

  ICanvas& Canvas() override;
  int PageWidth() const override;
  int PageHeight() const override;
  int PixelsPerInchX() const override;
  int PixelsPerInchY() const override;
  // Copies other than 1 replace the device mode's own; 1 leaves the
  // copies the device mode asks for.
  void SetCopies(int copies) override;
  void SetTitle(const std::string& title) override { FTitle = title; }
  // Failures of the system's job calls raise EPrinter.
  void BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  void Abort() override;

  // The name of the system's default printer; empty when there is none.
  static std::string DefaultPrinterName();

private:
  struct TState;
  std::unique_ptr<TState> FState;
  std::string FName;
  std::string FTitle;
  std::vector<uint8_t> FDevMode;
  int FCopies = 1;
};
