#include "base/file_facts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "base/gbk.h"

std::string NativePath(const std::string& gbkPath) {
  return gbk::ToUtf8(gbkPath);
}

FileFacts QueryRealFile(const std::string& gbkPath) {
  FileFacts f;
  std::string path = NativePath(gbkPath);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return f;
  f.exists = true;
  f.isFolder = S_ISDIR(st.st_mode);
  std::string name = std::filesystem::path(path).filename().string();
  f.hidden = !name.empty() && name[0] == '.' && name != "." && name != "..";
  f.readOnly = ::access(path.c_str(), W_OK) != 0;
  return f;
}

std::string ResolveIgnoringCase(const std::string& gbkPath) {
  if (QueryRealFile(gbkPath).exists) return gbkPath;
  size_t slash = gbkPath.rfind('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : gbkPath.substr(0, slash));
  std::string name = slash == std::string::npos ? gbkPath : gbkPath.substr(slash + 1);
  auto lower = [](std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  };
  for (bool folders : {false, true})
    for (auto& entry : ListFolder(folder, folders))
      if (lower(entry) == lower(name))
        return slash == std::string::npos ? entry : gbkPath.substr(0, slash + 1) + entry;
  return gbkPath;
}

std::vector<std::string> ListFolder(const std::string& gbkFolder, bool folders) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(NativePath(gbkFolder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    bool isDir = it->is_directory(ec2);
    if (isDir != folders) continue;
    auto name = gbk::FromUtf8(it->path().filename().string());
    if (name) names.push_back(*name);
  }
  std::sort(names.begin(), names.end());
  return names;
}
