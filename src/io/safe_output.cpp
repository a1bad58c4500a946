#include "io/safe_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/file_facts.h"
#include "base/gbk.h"
#include "base/text.h"
#include "data/vy_data_env.h"

namespace {

bool IsYearFileName(const std::string& name) {
  if (name.size() != 8 || name[4] != '.') return false;
  for (int i = 0; i < 4; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[static_cast<size_t>(i)]))) return false;
  std::string ext = name.substr(5);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "vyx";
}

bool HasDatabaseHeader(const std::string& native) {
  FILE* f = std::fopen(native.c_str(), "rb");
  if (!f) return false;
  char head[16] = {};
  size_t n = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  return n == sizeof head && std::memcmp(head, "SQLite format 3", 16) == 0;
}

std::string SystemError(int error) {
  return gbk::FromUtf8(std::strerror(error)).value_or("系统错误");
}

}  // namespace

std::string OutputRefusal(const std::string& path, const std::string& book) {
  std::string native = NativePath(path);
  struct stat st {};
  bool exists = ::stat(native.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return "“" + path + "”是文件夹，不能写入。";
  struct stat bookSt {};
  if (exists && !book.empty() && ::stat(NativePath(book).c_str(), &bookSt) == 0 && bookSt.st_dev == st.st_dev &&
      bookSt.st_ino == st.st_ino)
    return "“" + path + "”是正在使用的帐务数据文件，不能写到它上面。";
  if (IsYearFileName(NameOf(path)) || (exists && HasDatabaseHeader(native)))
    return "“" + path + "”是帐务数据文件或数据库，不能写到它上面。";
  return {};
}

bool OutputExists(const std::string& path) {
  struct stat st {};
  return ::lstat(NativePath(path).c_str(), &st) == 0;
}

bool WriteOutputFile(const OutputTarget& target,
                     const std::function<bool(const std::string& nativePath, int fd, std::string& error)>& write,
                     std::string& error) {
  error = OutputRefusal(target.path, target.book);
  if (!error.empty()) return false;
  if (!target.replace && OutputExists(target.path)) {
    error = "文件“" + target.path + "”已存在。";
    return false;
  }
  unsigned mode = target.book.empty() ? DefaultFileMode() : ModeFromBook(target.book);
  std::string folder = FolderOf(target.path), name = NameOf(target.path);
  std::string working;
  int fd = -1;
  for (int n = 0; fd < 0 && n < 100; ++n) {
    working = Format("%s/.%s.%ld-%d.tmp", folder.c_str(), name.c_str(), static_cast<long>(::getpid()), n);
    fd = CreateNewFile(working, mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    error = "无法写入“" + target.path + "”：" + SystemError(errno);
    return false;
  }
  std::string native = NativePath(working), why;
  bool ok = write(native, fd, why);
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    why = SystemError(errno);
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    why = SystemError(errno);
  }
  if (ok) {
    int e = MoveIntoPlace(working, target.path, target.replace);
    if (e != 0) {
      ok = false;
      why = e == EEXIST ? "文件已存在。" : SystemError(e);
    }
  }
  if (!ok) {
    std::remove(native.c_str());
    error = "无法写入“" + target.path + "”：" + why;
  }
  return ok;
}

bool WriteOutputFile(const OutputTarget& target, const std::string& bytes, std::string& error) {
  return WriteOutputFile(
      target,
      [&](const std::string&, int fd, std::string& why) {
        size_t done = 0;
        while (done < bytes.size()) {
          ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
          if (n < 0 && errno == EINTR) continue;
          if (n <= 0) {
            why = SystemError(n < 0 ? errno : EIO);
            return false;
          }
          done += static_cast<size_t>(n);
        }
        return true;
      },
      error);
}
