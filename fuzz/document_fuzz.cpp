// A document's bytes through the line store: loaded from a stream, every
// line holds exactly the bytes between the line ends (CR LF, CR or LF; NUL
// and high bytes kept), and written back with CR LF and loaded again, the
// lines are the same.
#include "FuzzCheck.h"
#include "editor/EditFiles.h"
#include "editor/EditList.h"
#include "platform/Streams.h"

namespace {

std::vector<std::string> LinesOf(const TktEditList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.emplace_back(list.GetView(i));
  return lines;
}

void Load(TktEditList& list, std::string_view bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.Seek(0, soBeginning);
  list.LoadFromStream(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TktEditList list;
  Load(list, bytes);
  std::vector<std::string> expected = SplitFuzzLines(bytes);
  // The store never holds zero lines.
  if (expected.empty()) expected.emplace_back();
  FUZZ_CHECK(LinesOf(list) == expected, "loaded lines differ from the bytes");

  TMemoryStream saved;
  WriteLines(saved, list, "\r\n");
  const std::string written(static_cast<const char*>(saved.GetMemory()), size_t(saved.GetSize()));
  TktEditList again;
  Load(again, written);
  FUZZ_CHECK(LinesOf(again) == expected, "saved and loaded again, the lines differ");
  return 0;
}
