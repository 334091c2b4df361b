// Text of hostile bytes streamed into the rich-text control as plain text:
// the first byte picks the kind (ANSI or 16-bit units) and the buffer size
// the control offers. Whatever the pieces, no byte is written past the
// buffer, the stream ends, every line end comes out as CR LF, and the text
// between the line ends is the input's.
#include "FuzzCheck.h"
#include "kit/RichStream.h"
#include "platform/Streams.h"

namespace {

// Units of 1 or 2 bytes, line ends (CR LF, lone CR, lone LF) made one mark.
std::vector<uint32_t> Normalised(const std::string& bytes, int unit, bool& allCrLf) {
  std::vector<uint32_t> units;
  for (size_t i = 0; i + unit <= bytes.size(); i += unit)
    units.push_back(unit == 1 ? uint8_t(bytes[i]) : uint32_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
  std::vector<uint32_t> out;
  allCrLf = true;
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i] == 13 && i + 1 < units.size() && units[i + 1] == 10) {
      out.push_back(0x110000);
      ++i;
    } else if (units[i] == 13 || units[i] == 10) {
      out.push_back(0x110000);
      allCrLf = false;
    } else {
      out.push_back(units[i]);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 20000) return 0;
  const bool unicode = data[0] & 1;
  const int bufferSize = 1 + (data[0] >> 1) * 37;
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  if (unicode && input.size() % 2) input.pop_back();
  TMemoryStream stream;
  stream.WriteBuffer(input.data(), static_cast<int64_t>(input.size()));
  stream.SetPosition(0);
  TRichStreamReader reader(stream, unicode ? TRichStreamReader::rkUnicode : TRichStreamReader::rkAnsi);
  std::string out, buffer(static_cast<size_t>(bufferSize) + 16, '\x5A');
  for (int calls = 0;; ++calls) {
    FUZZ_CHECK(calls <= 4 * int(input.size()) + 8, "the stream ends");
    const int n = reader.Read(buffer.data(), bufferSize);
    for (size_t i = static_cast<size_t>(bufferSize); i < buffer.size(); ++i)
      FUZZ_CHECK(buffer[i] == '\x5A', "nothing past the buffer");
    FUZZ_CHECK(n >= 0 && n <= bufferSize, "a piece fits the buffer");
    if (n == 0) break;
    out.append(buffer.data(), static_cast<size_t>(n));
  }
  const int unit = unicode ? 2 : 1;
  bool inCrLf = false, outCrLf = false;
  const auto in = Normalised(input, unit, inCrLf);
  const auto converted = Normalised(out, unit, outCrLf);
  FUZZ_CHECK(outCrLf, "every line end is CR LF");
  FUZZ_CHECK(in == converted, "the text between the line ends is the input's");
  return 0;
}
