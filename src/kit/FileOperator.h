// TRxFileOperator: copies, moves, renames or deletes a list of files and
// folders as the shell's file operation does, without asking anything: what
// would need a question (an existing destination) follows the options.
#pragma once

#include "platform/Classes.h"
#include "platform/Sets.h"

#include <memory>
#include <string>

enum TFileOperation { foCopy, foDelete, foMove, foRename };
enum TFileOperFlag {
  // Wildcards select files only, never folders.
  flFilesOnly,
  // DestFiles names one destination per source (pairs by position).
  flMultiDestFiles,
  // An existing destination file is replaced.
  flNoConfirmation,
  // An existing destination file keeps its place: the new one is named
  // "name (2).ext", "name (3).ext" ...
  flRenameOnCollision
};
using TFileOperFlags = TSet<TFileOperFlag>;

class TRxFileOperator : public TComponent {
public:
  explicit TRxFileOperator(TComponent* owner);
  ~TRxFileOperator() override;

  TFileOperation Operation = foCopy;
  TFileOperFlags Options;
  // Sources may end in a wildcard name ("*.txt"). Destinations: one folder
  // (or, for a single source, the new name), or one per source.
  TStrings* GetSourceFiles() const { return FSourceFiles.get(); }
  TStrings* GetDestFiles() const { return FDestFiles.get(); }

  // True when every source was handled. The first failure stops the
  // operation; what was done before it stays done.
  bool Execute();
  // Why the last Execute stopped; empty after a success.
  const std::string& GetErrorText() const { return FErrorText; }

private:
  std::unique_ptr<TStringList> FSourceFiles, FDestFiles;
  std::string FErrorText;
};
