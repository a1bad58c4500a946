#pragma once
// What the program was asked to do on its command line.
#include <string>
#include <vector>

struct CommandLine {
  enum class Kind {
    Plain,     // no arguments: log in to the remembered file
    OpenFile,  // one year file: log in to it
    Other,     // any other request: the program ends
  };
  Kind kind = Kind::Plain;
  std::string file;  // GBK, made absolute
};

// The arguments after the program name, as the system gives them (UTF-8). A single argument that is not an
// option names a year file; options, several names, and names GBK cannot hold are other requests.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
