// ShellOpen and dropped files.
#include "platform/win/Shell.h"

#include <algorithm>
#include <vector>

namespace {

TShellOpenFunc& ShellOpenFunc() {
  static TShellOpenFunc func;
  return func;
}

// Finishes a drop when it goes out of scope, however the scope is left.
class TDropFinish {
public:
  explicit TDropFinish(HDROP drop) : FDrop(drop) {}
  ~TDropFinish() { ::DragFinish(FDrop); }
  TDropFinish(const TDropFinish&) = delete;
  TDropFinish& operator=(const TDropFinish&) = delete;

private:
  HDROP FDrop;
};

}  // namespace

bool ShellOpen(const std::string& target, const std::string& parameters, const std::string& directory,
               int show, const std::string& verb) {
  if (ShellOpenFunc()) return ShellOpenFunc()(target, parameters, directory, show, verb);
  HINSTANCE result =
      ::ShellExecuteA(nullptr, verb.empty() ? nullptr : verb.c_str(), target.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(),
                      directory.empty() ? nullptr : directory.c_str(), show);
  // Values up to 32 are the shell's error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

TShellOpenFunc SetShellOpenFunc(TShellOpenFunc func) {
  TShellOpenFunc old = std::move(ShellOpenFunc());
  ShellOpenFunc() = std::move(func);
  return old;
}

void AcceptDroppedFiles(HDROP drop, const TDropHandler& handler) {
  TDropFinish finish(drop);
  TStringList files;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<char> name;
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first: a name is never cut at a fixed size.
    const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    name.assign(size_t(length) + 1, '\0');
    const UINT copied = ::DragQueryFileA(drop, i, name.data(), length + 1);
    files.Add(std::string(name.data(), std::min(copied, length)));
  }
  POINT p{};
  ::DragQueryPoint(drop, &p);
  if (handler) handler(files, TPoint(p.x, p.y));
}
