// The open dialog's fixture folders (made by the fixture step on the host)
// as Windows paths: Fixture("listing") is its listing folder, with its
// separator.
#pragma once

#include <algorithm>
#include <string>

inline std::string Fixture(const std::string& sub) {
  std::string path = "Z:" + std::string(TQ_FILEDLG_FIXTURE) + "/" + sub + "/";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}
