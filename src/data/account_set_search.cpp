#include "data/account_set_search.h"

#include <sys/stat.h>

#include <algorithm>

#include "base/file_facts.h"
#include "data/year_files.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

AccountSetSearch::AccountSetSearch(std::vector<std::string> roots, std::string extension)
    : extension_(std::move(extension)) {
  // The stack pops from the back: the first root is walked first.
  pending_.assign(roots.rbegin(), roots.rend());
}

bool AccountSetSearch::Step() {
  while (!pending_.empty()) {
    std::string folder = pending_.back();
    pending_.pop_back();
    struct stat st {};
    if (::stat(NativePath(folder).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    // Links and overlapping roots lead to folders already walked; a loop of links would never end.
    if (!visited_
             .insert({static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)})
             .second)
      continue;
    current_ = folder;

    // One valid year file makes the folder an account set; the rest of its files need no probe.
    for (auto& name : ListFolder(folder, false)) {
      if (!IsValidYearFile(folder, name, extension_)) continue;
      if (std::find(found_.begin(), found_.end(), folder) == found_.end()) found_.push_back(folder);
      break;
    }
    auto subfolders = ListFolder(folder, true);
    for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
      if (!it->empty() && (*it)[0] != '.') pending_.push_back(Join(folder, *it));
    return true;
  }
  return false;
}

std::vector<std::string> AccountSetSearch::DefaultRoots(const std::string& home, const std::string& dataDir) {
  std::vector<std::string> roots;
  for (const std::string& root : {home, std::string("/media"), std::string("/mnt"), dataDir})
    if (!root.empty() && std::find(roots.begin(), roots.end(), root) == roots.end() &&
        QueryRealFile(root).isFolder)
      roots.push_back(root);
  return roots;
}
