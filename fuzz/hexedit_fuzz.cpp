// The hex view's data model against a plain byte array: a file of the
// input's first bytes is loaded, then the rest of the input is a list of
// edits (bytes changed, inserted, appended, replaced, deleted, converted,
// nibbles inserted and deleted, keys typed, undos) applied to both. After
// every step the view holds exactly the array's bytes and finds what the
// array holds; at the end every record is undone, each giving back the
// state it was made in, down to the loaded file.
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "editor/KeyCodes.h"
#include "hexedit/HexEditor.h"
#include "hexedit/HexRecordingHost.h"
#include "platform/SysUtils.h"

namespace {

// The input's bytes, read in turn; 0 once they run out.
class TReader {
public:
  TReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  bool AtEnd() const { return FPos >= FSize; }
  uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  std::string Bytes(size_t n) {
    std::string s;
    while (n-- > 0 && !AtEnd()) s += char(Byte());
    return s;
  }

private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

// The working copies and the loaded file live in a folder of the run's own.
const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/tq-hexfuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    setenv("TMPDIR", made, 1);
    return std::string(made) + "/";
  }();
  return folder;
}

// Nibbles of the bytes, high first.
std::vector<uint8_t> Nibbles(const std::string& bytes) {
  std::vector<uint8_t> n;
  for (char c : bytes) {
    n.push_back(uint8_t(c) >> 4);
    n.push_back(uint8_t(c) & 0x0F);
  }
  return n;
}

std::string FromNibbles(const std::vector<uint8_t>& n) {
  std::string bytes;
  for (size_t i = 0; i + 1 < n.size(); i += 2) bytes += char(n[i] << 4 | n[i + 1]);
  return bytes;
}

// The array's bytes after a nibble goes in before the high (or the low)
// nibble of the byte at p: the rest moves on by half a byte and the last
// byte ends in a zero nibble.
std::string InsertedNibble(const std::string& data, int p, bool beforeHigh) {
  std::vector<uint8_t> n = Nibbles(data);
  n.insert(n.begin() + 2 * p + (beforeHigh ? 0 : 1), 0);
  n.push_back(0);
  return FromNibbles(n);
}

std::string DeletedNibble(const std::string& data, int p, bool high) {
  std::vector<uint8_t> n = Nibbles(data);
  n.erase(n.begin() + 2 * p + (high ? 0 : 1));
  n.push_back(0);
  return FromNibbles(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 2048) return 0;
  TReader in(data, size);
  const std::string initial = in.Bytes(in.Byte());
  const std::string file = Folder() + "data.bin";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << initial;
  }
  THexRecordingHost host;
  THexEditor hex(nullptr);
  hex.SetHost(&host);
  FUZZ_CHECK(hex.LoadFromFile(file), "the file loads");
  hex.SetAllowInsertMode(true);

  std::string ref = initial;
  // The data as it stood when the undo stream held k records; unknown for
  // the state between two records of one keystroke.
  std::vector<std::optional<std::string>> states{ref};
  auto check = [&](const char* what) {
    FUZZ_CHECK(hex.GetDataSize() == int(ref.size()), std::string(what) + ": the size");
    FUZZ_CHECK(hex.GetBytes(0, hex.GetDataSize()) == ref, std::string(what) + ": the bytes");
  };
  // Well below the stream's 500 records, so every one can be undone.
  for (int step = 0; step < 200 && !in.AtEnd() && hex.GetUndoCount() < 450; ++step) {
    const int count = hex.GetUndoCount();
    const int n = int(ref.size());
    const uint8_t op = in.Byte();
    const int p = n > 0 ? in.Byte() % n : 0;
    // Now and then no temporary file can be made for a step: a nibble
    // operation, or the undo of one, then refuses and changes nothing.
    const bool noTemp = (op & 0xF0) == 0xF0;
    if (noTemp) setenv("TMPDIR", (Folder() + "missing").c_str(), 1);
    struct TRestoreTemp {
      bool On;
      ~TRestoreTemp() {
        if (On) setenv("TMPDIR", Folder().c_str(), 1);
      }
    } restoreTemp{noTemp};
    switch (op % 12) {
      case 0: {
        const uint8_t b = in.Byte();
        if (n == 0) break;
        hex.ChangeByte(p, hex.GetByte(p), b);
        ref[size_t(p)] = char(b);
        break;
      }
      case 1: {
        const std::string bytes = in.Bytes(1 + in.Byte() % 8);
        const int at = n > 0 ? in.Byte() % (n + 1) : 0;
        hex.InsertBuffer(bytes.data(), int(bytes.size()), at);
        if (!bytes.empty()) ref.insert(size_t(at), bytes);
        break;
      }
      case 2: {
        const std::string bytes = in.Bytes(1 + in.Byte() % 8);
        hex.AppendBuffer(bytes.data(), int(bytes.size()));
        ref += bytes;
        break;
      }
      case 3:
      case 4: {
        const int last = n > 0 ? std::min(n - 1, p + in.Byte() % 16) : 0;
        const std::string bytes = in.Bytes(1 + in.Byte() % 8);
        if (n == 0 || bytes.empty()) break;
        hex.SetSelStart(p);
        hex.SetSelEnd(last);
        if (op % 12 == 3) {
          hex.ReplaceSelection(bytes.data(), int(bytes.size()));
          ref.replace(size_t(p), size_t(last - p + 1), bytes);
        } else {
          hex.DeleteSelection();
          ref.erase(size_t(p), size_t(last - p + 1));
        }
        break;
      }
      case 5: {
        const int len = 1 + in.Byte() % 32;
        const uint8_t x = in.Byte();
        if (n == 0) break;
        THexByteTable table;
        for (int i = 0; i < 256; ++i) table[size_t(i)] = uint8_t(i ^ x);
        hex.ConvertRange(p, len, table);
        for (int i = p; i < std::min(n, p + len); ++i) ref[size_t(i)] = char(uint8_t(ref[size_t(i)]) ^ x);
        break;
      }
      case 6:
      case 7: {
        const bool high = in.Byte() & 1;
        if (n == 0) break;
        const bool done = op % 12 == 6 ? hex.InsertNibble(p, high) : hex.DeleteNibble(p, high);
        FUZZ_CHECK(done == !noTemp, "a nibble operation fails only without a temporary file");
        if (done) ref = op % 12 == 6 ? InsertedNibble(ref, p, high) : DeletedNibble(ref, p, high);
        break;
      }
      case 8: {
        // Keys as a user types them, in either pane and mode: the array
        // takes the result, and the undo stream must take it back.
        hex.SetInsertMode(in.Byte() & 1);
        const uint8_t how = in.Byte();
        if (n > 0) hex.Seek(p, 0, true);
        if (how & 1) hex.KeyDown(vkTab, TShiftState{});
        if (how & 2) {
          hex.KeyDown(vkShift, TShiftState{ssShift});
          for (int i = 0; i < (how >> 4); ++i) hex.KeyDown(how & 4 ? vkRight : vkLeft, TShiftState{ssShift});
          hex.KeyUp(vkShift, TShiftState{});
        }
        const std::string keys = in.Bytes(1 + in.Byte() % 4);
        for (char c : keys) {
          if (c == '\b')
            hex.KeyDown(vkBack, TShiftState{});
          else if (c == 0x7F)
            hex.KeyDown(vkDelete, TShiftState{});
          else
            hex.KeyPress(c);
        }
        ref = hex.GetBytes(0, hex.GetDataSize());
        break;
      }
      case 9: {
        // The find of a stretch the array holds, from a point before it.
        const int len = 1 + in.Byte() % 6;
        const int start = n > 0 ? in.Byte() % n : 0;
        if (n == 0 || p + len > n) break;
        const std::string pattern = ref.substr(size_t(p), size_t(len));
        const size_t expected = ref.find(pattern, size_t(start));
        FUZZ_CHECK(hex.Find(pattern.data(), len, start, n - 1, false, false) ==
                       (expected == std::string::npos ? -1 : int(expected)),
                   "the find agrees with the array");
        break;
      }
      case 10:
        hex.SetBytesPerLine(1 + in.Byte() % 40);
        break;
      case 11: {
        if (count == 0) break;
        const std::string& kind = hex.GetUndoDescription();
        if (noTemp && (kind == "Insert nibble" || kind == "Delete nibble")) {
          FUZZ_CHECK(!hex.Undo(), "a nibble undo fails without a temporary file");
          FUZZ_CHECK(hex.GetUndoCount() == count, "the failed undo keeps its record");
          break;
        }
        FUZZ_CHECK(hex.Undo(), "an undo with records undoes");
        states.pop_back();
        if (states.back()) ref = *states.back();
        else ref = hex.GetBytes(0, hex.GetDataSize());
        check("after an undo");
        continue;
      }
    }
    check("after an edit");
    for (int i = count + 1; i < hex.GetUndoCount(); ++i) states.push_back(std::nullopt);
    if (hex.GetUndoCount() > count) states.push_back(ref);
    FUZZ_CHECK(hex.GetUndoCount() >= count, "an edit takes no record away");
    FUZZ_CHECK(states.size() == size_t(hex.GetUndoCount()) + 1, "a state for every record");
  }
  while (hex.GetUndoCount() > 0) {
    FUZZ_CHECK(hex.Undo(), "an undo with records undoes");
    states.pop_back();
    if (states.back())
      FUZZ_CHECK(hex.GetBytes(0, hex.GetDataSize()) == *states.back(), "undo gives back the state of its record");
  }
  FUZZ_CHECK(hex.GetBytes(0, hex.GetDataSize()) == initial, "undo goes back to the loaded file");
  FUZZ_CHECK(!hex.GetCanUndo(), "nothing left to undo");
  return 0;
}
