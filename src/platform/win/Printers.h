// The printer object: the system's printers, the one the program prints on
// (the system's default until chosen) and that printer's device mode, which
// the printer setup dialog fills (paper, orientation, copies).
#pragma once

#include "platform/Classes.h"
#include "platform/win/WinApi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

TQ_DECLARE_EXCEPTION(EPrinterError, Exception)

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The names of the system's printers, read on first use and by Refresh.
  TStrings* GetPrinters();
  void Refresh();

  // The current printer's place in GetPrinters; -1 when there is no printer.
  int GetPrinterIndex();
  // Makes printer index current with its default device mode; -1 chooses
  // the system's default printer. EPrinterError for an index out of range.
  void SetPrinterIndex(int index);
  // The current printer's name; empty when there is none.
  std::string GetPrinterName();
  // Makes the printer of that name current with the given device mode (a
  // DEVMODE as the system returned it; empty: the printer's default).
  // False when there is no such printer.
  bool SelectPrinter(const std::string& name, const std::vector<uint8_t>& devMode = {});

  // The device mode of the current printer. Setters change it for the
  // next device context and raise EPrinterError without a printer.
  const std::vector<uint8_t>& GetDevMode();
  TPrinterOrientation GetOrientation();
  void SetOrientation(TPrinterOrientation orientation);
  int GetCopies();
  void SetCopies(int copies);
  // A DMPAPER_ value (DMPAPER_A4, DMPAPER_LETTER, ...).
  int GetPaperSize();
  void SetPaperSize(int paper);

  // An information context of the current printer with its device mode:
  // fonts and metrics; kept until the printer or its mode changes. Null
  // without a printer.
  HDC GetHandle();

private:
  DEVMODEA* Mode();
  void LoadDefaultMode();
  void ModeChanged();

  std::unique_ptr<TStringList> FPrinters;
  std::string FName;
  bool FChosen = false;  // FName/FDevMode hold the current printer
  std::vector<uint8_t> FDevMode;
  HDC FHandle = nullptr;
};

// The program's one printer object.
TPrinter* Printer();
