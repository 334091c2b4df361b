// The hex view tests' folder and view.
#include "HexFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
void SetTempEnv(const std::string& dir) {
#ifdef _WIN32
  _putenv_s("TMP", dir.c_str());
  _putenv_s("TEMP", dir.c_str());
#else
  setenv("TMPDIR", dir.c_str(), 1);
#endif
}

bool Covers(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
}  // namespace

std::vector<std::pair<TPoint, char>> DrawnChars(const TRecordingCanvas& canvas, const TCanvasOp& op) {
  std::vector<std::pair<TPoint, char>> chars;
  TPoint at = op.Pos;
  for (size_t i = 0; i < op.Text.size(); ++i) {
    chars.emplace_back(at, op.Text[i]);
    at.X += op.Advances.empty() ? canvas.CharWidth() : op.Advances[i];
  }
  return chars;
}

TCellLook LookAt(const TRecordingCanvas& canvas, TPoint p) {
  TCellLook look;
  for (const TCanvasOp& op : canvas.Ops()) {
    if (op.Kind == coFillRect && op.BrushStyle == bsSolid && Covers(op.Rect, p)) {
      look.Back = op.BrushColor;
      look.Ch = 0;
    }
    if (op.Kind != coExtTextOut) continue;
    if ((op.Options & etoOpaque) && op.HasRect && Covers(op.Rect, p)) {
      look.Back = op.BrushColor;
      look.Ch = 0;
    }
    if (op.HasRect && (op.Options & etoClipped) && !Covers(op.Rect, p)) continue;
    for (const auto& [at, ch] : DrawnChars(canvas, op)) {
      if (at.X == p.X && at.Y == p.Y) {
        look.Ch = ch;
        look.Text = op.Font.Color;
        look.Font = op.Font.Name;
        if (op.BrushStyle == bsSolid) look.Back = op.BrushColor;
      }
    }
  }
  return look;
}

std::string TextAt(const TRecordingCanvas& canvas, const TRect& cell, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    const char ch = LookAt(canvas, TPoint(cell.Left + i * canvas.CharWidth(), cell.Top)).Ch;
    text += ch ? ch : ' ';
  }
  return text;
}

void THexTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  // The system's folder as it was before any test pointed it elsewhere.
  static const fs::path base = fs::temp_directory_path();
  fs::path dir = base /
                 (std::string("tqhex-") + info->test_suite_name() + "-" + info->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  Dir = dir.string();
  SetTempEnv(Dir);
}

void THexTest::TearDown() {
  Hex.reset();
  std::error_code ec;
  fs::remove_all(Dir, ec);
}

std::string THexTest::Path(const std::string& name) const { return (fs::path(Dir) / name).string(); }

void THexTest::PointTempAt(const std::string& name) const { SetTempEnv(Path(name)); }

void THexTest::WriteFile(const std::string& name, const std::string& bytes) const {
  std::ofstream out(Path(name), std::ios::binary);
  out << bytes;
}

std::string THexTest::ReadFile(const std::string& name) const {
  std::ifstream in(Path(name), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int THexTest::CountFiles(const std::string& ext) const {
  int n = 0;
  for (const auto& e : fs::directory_iterator(Dir)) {
    const std::string name = e.path().filename().string();
    if (name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0) ++n;
  }
  return n;
}

THexEditor& THexTest::Load(const std::string& bytes) {
  WriteFile("data.bin", bytes);
  Hex = std::make_unique<THexEditor>(nullptr);
  Hex->SetHost(&Host);
  Hex->HandleCreated();
  EXPECT_TRUE(Hex->LoadFromFile(Path("data.bin")));
  return *Hex;
}

void THexTest::CaretTo(int offset, bool charPane, bool second) {
  int col, row;
  Hex->OffsetToCell(offset, charPane, col, row);
  Hex->MoveToCell(col + (second ? 1 : 0), row);
}

void THexTest::Type(const std::string& keys) {
  for (char c : keys) Hex->KeyPress(c);
}
