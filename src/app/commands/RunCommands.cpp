// The run, help and expansion keys' plans.
#include "app/commands/RunCommands.h"

#include "app/settings/FileTypes.h"
#include "platform/SysUtils.h"

namespace {

std::string WithoutQuotes(std::string_view s) {
  std::string out;
  for (const char c : s)
    if (c != '"') out += c;
  return out;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The row of the document's extension, or null.
const TFileType* RowOf(const std::string& fileName) {
  const std::string ext = DocumentExtension(fileName);
  if (ext.empty()) return nullptr;
  const int row = FindFileTypeByExtension(ext);
  return row < 0 ? nullptr : &FileTypes[size_t(row)];
}

}  // namespace

std::string DocumentExtension(const std::string& fileName) {
  const std::string ext = ExtractFileExt(fileName);
  return ext.empty() ? ext : ext.substr(1);
}

std::string TempCopyName(const std::string& fileName, const std::string& extension) {
  return fileName.empty() ? "temp." + extension : ExtractFileName(fileName);
}

TRunPlan PlanRun(TRunKey key, int runMode, const TRunDocument& doc, const std::string& tempFolder) {
  TRunPlan plan;
  const TFileType* row = RowOf(doc.FileName);
  if (!row) return plan;
  const std::string& field = key == rkF9 ? row->F9.Str() : key == rkAltF9 ? row->AltF9.Str() : row->ShiftF9.Str();
  if (field.empty()) return plan;
  plan.Run = true;
  const std::string command = WithoutQuotes(field);

  // The file the program gets: the document itself, or a copy of the text.
  std::string target = doc.FileName;
  std::string targetFolder = ExtractFilePath(doc.FileName);
  if (runMode == rmRunCopy) {
    plan.WriteTempCopy = true;
    plan.TempCopyFile = tempFolder + TempCopyName(doc.FileName, DocumentExtension(doc.FileName));
    target = plan.TempCopyFile;
    targetFolder = tempFolder;
  } else {
    plan.SaveFirst = doc.Modified;
  }

  if (command.empty()) {
    plan.File = target;
    plan.Directory = targetFolder;
    return plan;
  }
  plan.File = command;
  plan.Parameters = Quoted(target);
  plan.Directory = runMode == rmRunCopy || runMode == rmSaveAndRun ? ExtractFilePath(command)
                                                                   : targetFolder;
  return plan;
}

THelpPlan PlanHelp(THelpKey key, const std::string& documentFileName) {
  THelpPlan plan;
  const TFileType* row = RowOf(documentFileName);
  if (!row) return plan;
  plan.HasRow = true;
  plan.HelpFile = WithoutQuotes(key == hkCtrlF1 ? row->CtrlF1.Str() : row->AltF1.Str());
  plan.Jump = !plan.HelpFile.empty();
  return plan;
}

std::string HelpJumpMacro(std::string_view topic) {
  // A double quote would end the macro's string early.
  return "JumpID(\"\",\"" + WithoutQuotes(topic) + "\")";
}

std::string ExpandBar(std::string entry) {
  const size_t bar = entry.find('|');
  if (bar != std::string::npos) entry[bar] = '\r';
  return entry;
}

bool ExpansionFor(int tag, const std::string& documentFileName, std::string& text) {
  const TFileType* row = RowOf(documentFileName);
  if (!row || tag < 1 || tag > int(row->CodeInsight.size())) return false;
  // An empty entry is no expansion: inserting "" would still replace the
  // selection and mark an untouched document modified.
  const std::string& entry = row->CodeInsight[size_t(tag - 1)];
  if (entry.empty()) return false;
  text = ExpandBar(entry);
  return true;
}
