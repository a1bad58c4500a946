#pragma once
// The walk that finds account-set folders: depth first through every folder under the given roots, one
// folder per step, so that the dialog can redraw the folder being searched between steps. A folder is
// visited once however many roots or links lead to it; folders that cannot be read are passed over, and
// hidden folders (names starting with ".") are not entered.
#include <set>
#include <string>
#include <utility>
#include <vector>

class AccountSetSearch {
 public:
  AccountSetSearch(std::vector<std::string> roots, std::string extension = "VYX");

  // Visits the next folder; false when nothing was left to visit.
  bool Step();
  bool Done() const { return pending_.empty(); }
  // The folder the last step visited.
  const std::string& CurrentFolder() const { return current_; }
  // The account-set folders found so far, in the order they were found.
  const std::vector<std::string>& Found() const { return found_; }

  // The roots searched on this system: the user's home folder, the mounted volumes (/media, /mnt) and the
  // folder of the open data file, each once.
  static std::vector<std::string> DefaultRoots(const std::string& home, const std::string& dataDir);

 private:
  std::string extension_;
  std::vector<std::string> pending_;  // a stack: the last entry is visited next
  std::set<std::pair<unsigned long long, unsigned long long>> visited_;  // device and inode
  std::string current_;
  std::vector<std::string> found_;
};
