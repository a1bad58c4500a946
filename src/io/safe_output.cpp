#include "io/safe_output.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/file_facts.h"
#include "base/gbk.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"

namespace {

bool IsYearFileName(const std::string& name) {
  if (name.size() != 8 || name[4] != '.') return false;
  for (int i = 0; i < 4; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[static_cast<size_t>(i)]))) return false;
  std::string ext = name.substr(5);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "vyx";
}

// The first bytes say the file is a database, its rollback journal or its write-ahead log. Opened without
// waiting and read only when it is a regular file: something swapped in after the look is not read.
bool HasDatabaseHeader(const std::string& native) {
  int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  unsigned char head[16] = {};
  struct stat st {};
  ssize_t n = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? ::read(fd, head, sizeof head) : 0;
  ::close(fd);
  static const unsigned char kDatabase[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                              'o', 'r', 'm', 'a', 't', ' ', '3', 0};
  static const unsigned char kJournal[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
  static const unsigned char kLog[3] = {0x37, 0x7f, 0x06};  // then 0x82 or 0x83
  return (n == 16 && std::memcmp(head, kDatabase, 16) == 0) || (n >= 8 && std::memcmp(head, kJournal, 8) == 0) ||
         (n >= 4 && std::memcmp(head, kLog, 3) == 0 && (head[3] == 0x82 || head[3] == 0x83));
}

// The database whose companion file (rollback journal, write-ahead log, shared memory) a path names by
// its ending; "" for any other name.
std::string CompanionOf(const std::string& native) {
  for (const char* ending : {"-journal", "-wal", "-shm"}) {
    size_t n = std::strlen(ending);
    if (native.size() > n && strcasecmp(native.c_str() + native.size() - n, ending) == 0)
      return native.substr(0, native.size() - n);
  }
  return {};
}

// A database's file: a year file's name, or a database's first bytes.
bool IsDatabaseFile(const std::string& native) {
  return IsYearFileName(NameOf(native)) || HasDatabaseHeader(native);
}

// The database a file named at native belongs to as its companion; "" when it is none.
std::string DatabaseOfCompanion(const std::string& native) {
  std::string owner = CompanionOf(native);
  return !owner.empty() && IsDatabaseFile(owner) ? owner : std::string();
}

std::string Resolved(const std::string& native) {
  char buf[PATH_MAX];
  return ::realpath(native.c_str(), buf) ? std::string(buf) : std::string();
}

bool UnderFolder(const std::string& path, const char* folder) {
  size_t n = std::strlen(folder);
  return path.compare(0, n, folder) == 0 && (path.size() == n || path[n] == '/');
}

std::string SystemError(int error) {
  return gbk::FromUtf8(std::strerror(error)).value_or("系统错误");
}

}  // namespace

std::string OutputRefusal(const std::string& path, const std::string& book) {
  std::string native = NativePath(path);
  // The type first: a FIFO or a terminal would block a read, and a device or socket is never replaced.
  struct stat entry {}, st {};
  bool exists = ::lstat(native.c_str(), &entry) == 0;
  bool linked = exists && S_ISLNK(entry.st_mode);
  // A dangling link is replaced itself; a link to something is judged by what it points at.
  if (linked) exists = ::stat(native.c_str(), &st) == 0;
  else st = entry;
  if (exists && S_ISDIR(st.st_mode)) return "“" + path + "”是文件夹，不能写入。";
  if (exists && !S_ISREG(st.st_mode)) {
    const char* what = S_ISFIFO(st.st_mode)                         ? "管道"
                       : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "设备"
                       : S_ISSOCK(st.st_mode)                       ? "套接字"
                                                                    : "特殊文件";
    return "“" + path + "”是" + what + "，不是普通文件，不能写入。";
  }
  // /dev/stdout, /proc/self/fd/1 and the like are the system's links, whatever they point at (a folder such
  // as /dev/shm holds ordinary files).
  std::string folder = Resolved(NativePath(FolderOf(path)));
  if (folder == "/dev" || UnderFolder(folder, "/proc") || UnderFolder(folder, "/sys"))
    return "“" + path + "”在系统的设备文件夹中，不能写入。";
  struct stat bookSt {};
  if (exists && !book.empty() && ::stat(NativePath(book).c_str(), &bookSt) == 0 && bookSt.st_dev == st.st_dev &&
      bookSt.st_ino == st.st_ino)
    return "“" + path + "”是正在使用的帐务数据文件，不能写到它上面。";
  std::string target = linked && exists ? Resolved(native) : std::string();
  // A journal holds what a killed writer had not committed, a write-ahead log what is committed: either
  // replaced, the database is damaged.
  for (const std::string& p : {native, target})
    if (std::string owner = p.empty() ? std::string() : DatabaseOfCompanion(p); !owner.empty())
      return "“" + path + "”是数据库“" + gbk::FromUtf8(owner).value_or(owner) + "”的附属文件，不能写到它上面。";
  if (IsDatabaseFile(native) || (!target.empty() && IsDatabaseFile(target)))
    return "“" + path + "”是帐务数据文件或数据库，不能写到它上面。";
  return {};
}

bool OutputExists(const std::string& path) {
  struct stat st {};
  return ::lstat(NativePath(path).c_str(), &st) == 0;
}

std::vector<std::string> ExistingOutputs(const std::vector<std::string>& paths) {
  std::vector<std::string> existing;
  for (const std::string& p : paths)
    if (OutputExists(p)) existing.push_back(p);
  return existing;
}

bool AskToReplace(const std::vector<std::string>& paths) {
  if (paths.empty()) return true;
  constexpr size_t kNamed = 5;
  std::string names;
  for (size_t i = 0; i < paths.size() && i < kNamed; ++i) names += (i ? "\r“" : "“") + paths[i] + "”";
  if (paths.size() > kNamed) names += Format("\r等 %d 个文件", static_cast<int>(paths.size()));
  std::string question = paths.size() == 1 ? "要替换它吗？" : "要替换它们吗？";
  return ShowMessage(names + "已存在。\r" + question, MsgIcon::Exclamation, MsgButtons::YesNo, MsgAnswer::No) ==
         MsgAnswer::Yes;
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
