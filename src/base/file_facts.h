#pragma once
// The real file system's answers to the platform's file queries, shared by every platform implementation.
#include <string>
#include <vector>

#include "base/platform.h"

FileFacts QueryRealFile(const std::string& gbkPath);
// The path as the operating system wants it (UTF-8), from a GBK path.
std::string NativePath(const std::string& gbkPath);
// A path whose file name matches an existing entry of its folder without regard to case: that entry's
// path; otherwise the path unchanged.
std::string ResolveIgnoringCase(const std::string& gbkPath);
// Names (GBK) of the entries of a folder, sorted; empty when it cannot be read.
std::vector<std::string> ListFolder(const std::string& gbkFolder, bool folders);
