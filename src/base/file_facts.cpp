#include "base/file_facts.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

unsigned FileMode(const std::string& gbkPath) {
  struct stat st {};
  if (::stat(NativePath(gbkPath).c_str(), &st) != 0) return 0;
  return st.st_mode & 07777;
}

unsigned ModeFromBook(const std::string& gbkBook, unsigned fallback) {
  unsigned mode = FileMode(gbkBook) & 0666;
  return mode ? mode : fallback;
}

unsigned DefaultFileMode() {
  mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666 & ~mask;
}

int CreateNewFile(const std::string& gbkPath, unsigned mode) {
  int fd = ::open(NativePath(gbkPath).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0666);
  // The umask may have taken bits away; the file gets exactly the bits asked for.
  if (fd >= 0 && ::fchmod(fd, mode & 0666) != 0) {
    int e = errno;
    ::close(fd);
    ::unlink(NativePath(gbkPath).c_str());
    errno = e;
    return -1;
  }
  return fd;
}

namespace {

void SyncFolderOf(const std::string& nativePath) {
  std::string folder = std::filesystem::path(nativePath).parent_path().string();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

int MoveIntoPlace(const std::string& gbkFrom, const std::string& gbkTo, bool replace) {
  std::string a = NativePath(gbkFrom), b = NativePath(gbkTo);
  int rc;
  if (replace) {
    rc = ::rename(a.c_str(), b.c_str());
  } else {
    rc = ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {  // a file system that cannot refuse: look first
      struct stat st {};
      if (::lstat(b.c_str(), &st) == 0) {
        errno = EEXIST;
      } else {
        rc = ::rename(a.c_str(), b.c_str());
      }
    }
  }
  if (rc != 0) return errno ? errno : EIO;
  SyncFolderOf(b);
  return 0;
}

bool IsSymbolicLink(const std::string& gbkPath) {
  struct stat st {};
  return ::lstat(NativePath(gbkPath).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}
