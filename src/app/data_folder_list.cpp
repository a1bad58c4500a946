#include "app/data_folder_list.h"

#include <cctype>

#include "base/file_facts.h"
#include "data/account_set.h"
#include "data/year_files.h"

namespace {
bool HasExtension(const std::string& name, const std::string& ext) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.size() - dot - 1 != ext.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[dot + 1 + i])) !=
        std::tolower(static_cast<unsigned char>(ext[i])))
      return false;
  return true;
}
}  // namespace

std::vector<FolderEntry> DataFolderEntries(const std::string& folder, const std::string& ext) {
  std::vector<FolderEntry> entries;
  if (OnServer(folder)) {
    // An account set on a server: its years, each named by its year.
    for (const std::string& year : YearList(folder, ext)) entries.push_back({year, false});
    return entries;
  }
  for (const std::string& name : ListFolder(folder, true))
    if (name[0] != '.') entries.push_back({name, true});
  for (const std::string& name : ListFolder(folder, false))
    if (name[0] != '.' && HasExtension(name, ext)) entries.push_back({name, false});
  return entries;
}

std::string ParentFolder(const std::string& folder) {
  if (OnServer(folder)) return folder;  // a server's account set
  std::string f = folder;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  size_t slash = f.rfind('/');
  if (slash == std::string::npos) return f;
  return slash == 0 ? "/" : f.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (OnServer(folder)) return folder + "#" + name;
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}
