// The printer as page-printing code sees it: a canvas per page, the page's
// size and resolution, and the job around the pages. The editor's printing
// and the rich-text control's both print through it; the Win32 half
// (win/PrintDevice.h) is the real printer, tests record.
#pragma once

#include <string>

#include "platform/Canvas.h"

// What the printing sees of a printer: a canvas per page and the job.
class IktPrintDevice {
public:
  virtual ~IktPrintDevice() = default;
  virtual ICanvas& Canvas() = 0;
  // The printable area in device pixels and the device's resolution.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  virtual int PixelsPerInchX() const = 0;
  virtual int PixelsPerInchY() const = 0;
  virtual void SetCopies(int copies) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The job: BeginDoc starts it with its first page, NewPage ends a page and
  // starts the next, EndDoc ends the last page and the job, Abort cancels it.
  virtual void BeginDoc() = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
};
