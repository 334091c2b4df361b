// See FileOperator.h.
#include "kit/FileOperator.h"

#include "kit/FileUtil.h"
#include "platform/SysUtils.h"

#include <vector>

namespace {

struct TOperationError {
  std::string Text;
};

[[noreturn]] void Fail(const char* format, const std::string& name) {
  throw TOperationError{Format(format, name.c_str())};
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool Exists(const std::string& path) { return FileExists(path) || DirectoryExists(path); }

// Every entry of a folder, "." and ".." left out.
std::vector<TSearchRec> ListFolder(const std::string& pattern, int attr) {
  std::vector<TSearchRec> found;
  TSearchRec f;
  for (int r = FindFirst(pattern, attr, f); r == 0; r = FindNext(f))
    if (f.Name != "." && f.Name != "..") found.push_back(f);
  FindClose(f);
  return found;
}

// The source names an entry selects: itself, or what its wildcard matches.
std::vector<std::string> Expand(const std::string& source, bool filesOnly) {
  if (!HasWildcard(ExtractFileName(source))) {
    if (!Exists(ExcludeTrailingPathDelimiter(source))) Fail("Cannot find %s", source);
    return {ExcludeTrailingPathDelimiter(source)};
  }
  std::vector<std::string> names;
  const std::string dir = ExtractFilePath(source);
  for (const TSearchRec& f : ListFolder(source, filesOnly ? 0 : faDirectory | faHidden | faSysFile))
    names.push_back(dir + f.Name);
  return names;
}

// "name (2).ext" and so on: the first name not in use.
std::string FreeName(const std::string& target) {
  const std::string ext = ExtractFileExt(target);
  const std::string stem = target.substr(0, target.size() - ext.size());
  for (int n = 2;; ++n) {
    std::string candidate = stem + " (" + IntToStr(n) + ")" + ext;
    if (!Exists(candidate)) return candidate;
  }
}

// True when `inner` is `outer` or lies below it, compared as spelled after
// the separators are made one.
bool IsInside(const std::string& inner, const std::string& outer) {
  auto norm = [](std::string s) {
    for (char& c : s)
      if (c == '\\' || c == '/') c = PathDelim;
    return IncludeTrailingPathDelimiter(s);
  };
  std::string a = norm(inner), b = norm(outer);
  return a.size() >= b.size() && SameText(a.substr(0, b.size()), b);
}

void DeleteTree(const std::string& path) {
  if (DirectoryExists(path)) {
    for (const TSearchRec& f :
         ListFolder(IncludeTrailingPathDelimiter(path) + "*", faDirectory | faHidden | faSysFile))
      DeleteTree(IncludeTrailingPathDelimiter(path) + f.Name);
    if (!RemoveDir(path)) Fail("Cannot delete %s", path);
  } else if (!FileDelete(path)) {
    Fail("Cannot delete %s", path);
  }
}

class TRunner {
public:
  explicit TRunner(const TRxFileOperator& op) : FOp(op) {}

  void Run() {
    TStrings& sources = *FOp.GetSourceFiles();
    TStrings& dests = *FOp.GetDestFiles();
    const bool multi = FOp.Options.Contains(flMultiDestFiles) || FOp.Operation == foRename;
    if (FOp.Operation != foDelete) {
      if (dests.GetCount() == 0) throw TOperationError{"No destination given"};
      if (multi && dests.GetCount() != sources.GetCount())
        throw TOperationError{"The destinations do not pair with the sources"};
    }
    // Expanded first, so that what a copy creates is never taken for a source.
    std::vector<std::pair<std::vector<std::string>, std::string>> work;
    size_t total = 0;
    for (int i = 0; i < sources.GetCount(); ++i) {
      auto names = Expand(sources.Get(i), FOp.Options.Contains(flFilesOnly));
      total += names.size();
      work.emplace_back(std::move(names), FOp.Operation == foDelete ? std::string()
                                                                    : dests.Get(multi ? i : 0));
    }
    for (auto& [names, dest] : work)
      for (const std::string& source : names) {
        switch (FOp.Operation) {
          case foDelete: DeleteTree(source); break;
          case foRename: Rename(source, dest); break;
          case foCopy:
          case foMove: Transfer(source, Target(source, dest, multi ? names.size() : total)); break;
        }
      }
  }

private:
  // A folder destination takes the source's name inside it; a single
  // source may also be given its new name.
  std::string Target(const std::string& source, const std::string& dest, size_t count) const {
    const bool folder = DirectoryExists(ExcludeTrailingPathDelimiter(dest)) || count > 1 ||
                        (!dest.empty() && (dest.back() == '\\' || dest.back() == '/'));
    if (folder) return IncludeTrailingPathDelimiter(dest) + ExtractFileName(source);
    return dest;
  }

  // What to do about a destination in the way: false when the source is
  // already there (the same file by identity) and nothing is to be done.
  bool Clear(const std::string& source, std::string& target) const {
    if (!Exists(target)) return true;
    if (SameFileIdentity(source, target)) return false;
    if (FOp.Options.Contains(flRenameOnCollision)) {
      target = FreeName(target);
      return true;
    }
    if (DirectoryExists(target) && DirectoryExists(source)) return true;  // merged
    if (!FOp.Options.Contains(flNoConfirmation) || DirectoryExists(target))
      Fail("%s already exists", target);
    return true;
  }

  void Rename(const std::string& source, const std::string& dest) const {
    std::string target = ExtractFilePath(dest).empty() ? ExtractFilePath(source) + dest : dest;
    if (!Clear(source, target)) return;
    if (FileExists(target) && !FileDelete(target)) Fail("Cannot replace %s", target);
    if (!FileRename(source, target)) Fail("Cannot rename %s", source);
  }

  void Transfer(const std::string& source, std::string target) const {
    if (DirectoryExists(source) && IsInside(target, source))
      Fail("Cannot put %s inside itself", source);
    if (!Clear(source, target)) return;
    if (FOp.Operation == foMove && !Exists(target) && FileRename(source, target)) return;
    Copy(source, target);
    if (FOp.Operation == foMove) DeleteTree(source);
  }

  void Copy(const std::string& source, const std::string& target) const {
    if (!DirectoryExists(source)) {
      try {
        CopyFileTo(source, target);
      } catch (const Exception& e) {
        throw TOperationError{e.Message()};
      }
      return;
    }
    if (!ForceDirectories(target)) Fail("Cannot create folder %s", target);
    for (const TSearchRec& f :
         ListFolder(IncludeTrailingPathDelimiter(source) + "*", faDirectory | faHidden | faSysFile))
      Copy(IncludeTrailingPathDelimiter(source) + f.Name, IncludeTrailingPathDelimiter(target) + f.Name);
  }

  const TRxFileOperator& FOp;
};

}  // namespace

TRxFileOperator::TRxFileOperator(TComponent* owner)
    : TComponent(owner), FSourceFiles(std::make_unique<TStringList>()),
      FDestFiles(std::make_unique<TStringList>()) {}

TRxFileOperator::~TRxFileOperator() = default;

bool TRxFileOperator::Execute() {
  FErrorText.clear();
  try {
    TRunner(*this).Run();
    return true;
  } catch (const TOperationError& e) {
    FErrorText = e.Text;
  }
  return false;
}
