#pragma once
// The real file system's answers to the platform's file queries, shared by every platform implementation.
#include <string>
#include <vector>

// What the platform answers about one file.
struct FileFacts {
  bool exists = false;
  bool isFolder = false;
  bool hidden = false;    // name starts with "." on this platform
  bool readOnly = false;  // the user may not write it
  bool system = false;    // no such attribute on Linux; tests may script it
};

FileFacts QueryRealFile(const std::string& gbkPath);
// The path as the operating system wants it (UTF-8), from a GBK path.
std::string NativePath(const std::string& gbkPath);
// A path whose file name matches an existing entry of its folder without regard to case: that entry's
// path; otherwise the path unchanged.
std::string ResolveIgnoringCase(const std::string& gbkPath);
// Names (GBK) of the entries of a folder, sorted; empty when it cannot be read.
std::vector<std::string> ListFolder(const std::string& gbkFolder, bool folders);

// Every file the program makes is made new: never over an existing file, never through a symbolic link.
// Permission bits of a file, 0 when it cannot be read (a symbolic link is followed).
unsigned FileMode(const std::string& gbkPath);
// The bits a file made from the book at gbkBook takes: the book's read and write bits, so that nothing
// made from a book is more open than the book; fallback when the book cannot be read.
unsigned ModeFromBook(const std::string& gbkBook, unsigned fallback = 0600);
// The bits of a file made from nothing: 0666 less the process's umask.
unsigned DefaultFileMode();
// Makes a new, empty file with exactly these permission bits and returns it open for writing; -1 with
// errno when it cannot be made (EEXIST also for a symbolic link standing there, dangling or not).
int CreateNewFile(const std::string& gbkPath, unsigned mode);
// Moves a finished file to its place; replace allows an existing file there to be replaced (a symbolic
// link there is itself replaced, never followed). 0, or the errno of the failure (EEXIST when the place is
// taken and replace is false). The folder is synced, so the move survives a power cut.
int MoveIntoPlace(const std::string& gbkFrom, const std::string& gbkTo, bool replace);
// The entry itself is a symbolic link.
bool IsSymbolicLink(const std::string& gbkPath);
