#pragma once
// What the login dialog's file list shows of a folder: its sub-folders to walk into and its data files; of
// an account set on a server (its URI), its years.
#include <string>
#include <vector>

struct FolderEntry {
  std::string name;  // GBK
  bool isFolder;
};

// Sub-folders first, then the files whose extension equals ext without regard to case; each group sorted
// by name. Hidden entries (a leading ".") are left out.
std::vector<FolderEntry> DataFolderEntries(const std::string& folder, const std::string& ext);
// The folder above; the root is its own parent.
std::string ParentFolder(const std::string& folder);
// folder + "/" + name, without doubling the root's "/".
std::string JoinPath(const std::string& folder, const std::string& name);
