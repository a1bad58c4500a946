#include "admin/copy_source_dlg.h"

#include <cctype>
#include <filesystem>

#include "base/file_facts.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/account_set.h"
#include "data/data_env.h"
#include "data/year_files.h"

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  bool same = std::filesystem::equivalent(NativePath(a), NativePath(b), ec);
  return !ec && same;
}

}  // namespace

CCopyZwData::CCopyZwData(CVyDataEnv& current) : current_(current) {}

std::string CCopyZwData::InitialName() const {
  return Format("%d", current_.year);
}

bool CCopyZwData::OnOk(const std::string& typed) {
  std::string path = typed;
  std::string name = NameOf(path);
  size_t dot = name.rfind('.');
  if (OnServer(path)) {
    // A year on a server has no extension to add.
  } else if (dot == std::string::npos) {
    path += ".VYX";
  } else if (dot + 1 == name.size()) {
    path += "VYX";
  } else {
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ext != "VYX") return false;
  }
  if (!OnServer(path)) path = ResolveIgnoringCase(path);
  if (!current_.dataFile.empty() && (path == current_.dataFile || SameFile(path, current_.dataFile))) {
    ShowMessage("不能把自己拷贝到自己，请重新选择！");
    return false;
  }
  if (!YearExists(path)) {
    ShowMessage("文件“" + path + "”不存在，请重新选择！");
    return false;
  }
  CVyDataEnv probe;
  bool ok = probe.Open(path, "101", 0, current_.extension, true) && probe.loggedIn;
  probe.Close();
  if (!ok) return false;  // not a year file: the dialog stays without a word
  chosenPath = probe.dataFile;
  unitName = probe.unitName;
  return true;
}
