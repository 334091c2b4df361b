// ftp:// addresses and the parts of replies the client takes apart (PASV
// numbers, the announced size, the remote name offered as a local one).
// Properties: what the splitter accepts carries no line break or NUL and a
// port in range, and re-encoding its parts splits back to the same; PASV
// numbers print back to the same address; an offered local name is one
// Windows takes and stays inside its folder.
#include "FuzzCheck.h"
#include "ftp/Ftp.h"
#include "ftp/FtpMisc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  auto clean = [](const std::string& s) { return s.find_first_of(std::string("\r\n\0", 3)) == std::string::npos; };

  TFtpURL u;
  std::string error;
  if (SplitFtpURL(text, u, error)) {
    FUZZ_CHECK(clean(u.User) && clean(u.Password) && clean(u.Path) && clean(u.Host), "line break accepted");
    FUZZ_CHECK(u.Port >= 0 && u.Port <= 65535, "port out of range");
    if (u.Host.find_first_of("@/:") == std::string::npos) {
      std::string path;
      for (size_t i = 0; i < u.Path.size(); ++i)
        path += u.Path[i] == '/' ? std::string("/") : EncodeURLComponent(std::string(1, u.Path[i]));
      std::string again = "ftp://" + (u.HasUser ? EncodeURLComponent(u.User) + ":" + EncodeURLComponent(u.Password) + "@" : "") +
                          u.Host + (u.Port ? ":" + std::to_string(u.Port) : "") + path;
      TFtpURL v;
      FUZZ_CHECK(SplitFtpURL(again, v, error), "a rebuilt address is refused: " + again);
      FUZZ_CHECK(v.User == u.User && v.Password == u.Password && v.Host == u.Host &&
                     v.Path == u.Path && v.Port == u.Port,
                 "a rebuilt address splits differently: " + again);
    }
  } else {
    FUZZ_CHECK(!error.empty(), "a refusal without its text");
  }

  TSockAddr at;
  if (ParsePasvNumbers(text, at)) {
    std::string back = "227 (" + std::to_string(at.Addr >> 24) + "," + std::to_string(at.Addr >> 16 & 255) + "," +
                       std::to_string(at.Addr >> 8 & 255) + "," + std::to_string(at.Addr & 255) + "," +
                       std::to_string(at.Port >> 8) + "," + std::to_string(at.Port & 255) + ")";
    TSockAddr again;
    FUZZ_CHECK(ParsePasvNumbers(back, again) && again.Addr == at.Addr && again.Port == at.Port,
               "PASV numbers do not print back");
  }
  FUZZ_CHECK(AnnouncedSize(text) >= -1, "negative announced size");

  std::string local = ProposedLocalName(text);
  if (!local.empty()) {
    FUZZ_CHECK(local.find_first_of(std::string("\\/:*?\"<>|\0", 10)) == std::string::npos,
               "a forbidden character in an offered name");
    for (char c : local) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32, "a control character in an offered name");
    FUZZ_CHECK(!IsDeviceName(local) && Trim(local) != "." && Trim(local) != "..", "an offered name leaves its folder");
  }
  return 0;
}
