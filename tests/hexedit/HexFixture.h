// A hex view on a recording window, with its working copies and test files
// in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hexedit/HexEditor.h"
#include "hexedit/HexRecordingHost.h"
#include "platform/RecordingCanvas.h"

// What the recorded calls leave on the cell that starts at a point: the
// background last laid under it, and the character last drawn from there
// (0 when none) with its colour and font. Painting draws a row's texts in
// calls of many characters, so cells are found through the advances.
struct TCellLook {
  TColor Back = clNone;
  char Ch = 0;
  TColor Text = clNone;
  std::string Font;
};
TCellLook LookAt(const TRecordingCanvas& canvas, TPoint p);
// Where a text call puts each of its characters.
std::vector<std::pair<TPoint, char>> DrawnChars(const TRecordingCanvas& canvas, const TCanvasOp& op);
// The characters drawn from a cell's corner on, one character width apart
// (a blank where none is).
std::string TextAt(const TRecordingCanvas& canvas, const TRect& cell, int count);

class THexTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  std::string Path(const std::string& name) const;
  void WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;
  // The system's temporary folder, for the rest of the case, at name in
  // the test's folder (which need not exist).
  void PointTempAt(const std::string& name) const;
  // Files in the test's folder whose names end in ext.
  int CountFiles(const std::string& ext) const;

  // A new view on Host, loaded with bytes from the file "data.bin".
  THexEditor& Load(const std::string& bytes);
  std::string Data() { return Hex->GetBytes(0, Hex->GetDataSize()); }
  // Puts the caret on the byte's cell (second: the second hex cell).
  void CaretTo(int offset, bool charPane = false, bool second = false);
  void Type(const std::string& keys);

  std::string Dir;
  THexRecordingHost Host;
  std::unique_ptr<THexEditor> Hex;
};
