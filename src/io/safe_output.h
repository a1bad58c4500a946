#pragma once
// Writing a file the user names (a report, an export): never over a year file, the book the output comes
// from or any other database (nor the journal and other files a database keeps beside itself), only ever
// over a regular file (never into a pipe, a device or a socket), over an existing file only when the user
// said so, and always whole — the bytes go into a new file beside the place, which is renamed into it when
// complete, so a failure leaves the old file as it was. The tool's reports, the windows' 导出 and the PDF
// printing, the books' PDF folder included, all write here.
#include <functional>
#include <string>
#include <vector>

struct OutputTarget {
  std::string path;      // GBK
  std::string book;      // the year file the output is made from, "" for none: never replaced, and the
                         // output takes its permission bits
  bool replace = false;  // an existing file at path may be replaced
};

// Why nothing may be written at path, "" when it may: a year file of the program (YYYY.vyx in any case),
// an SQLite database or its companion file (-journal, -wal, -shm), the book itself, a folder, anything
// that is not a regular file (a FIFO, a device, a socket, a link to one), a place among the system's own
// (/dev itself, /proc, /sys). Only the type of what stands there is looked at before a regular file's
// first bytes are read, so the look never waits.
std::string OutputRefusal(const std::string& path, const std::string& book);
// Something (a file, a link) stands at path.
bool OutputExists(const std::string& path);
// Those of paths at which something stands, in their order.
std::vector<std::string> ExistingOutputs(const std::vector<std::string>& paths);
// The question asked before files are replaced (导出 and the books' PDF folder): names them (the first few)
// and asks whether to replace them, 否 by default. True when paths is empty or the answer is 是.
bool AskToReplace(const std::vector<std::string>& paths);
// Writes through write, which gets the new file's path (native) and its descriptor open for writing, then
// moves the file into place. False with the reason (GBK) when anything fails; nothing is left behind then.
bool WriteOutputFile(const OutputTarget& target,
                     const std::function<bool(const std::string& nativePath, int fd, std::string& error)>& write,
                     std::string& error);
bool WriteOutputFile(const OutputTarget& target, const std::string& bytes, std::string& error);
