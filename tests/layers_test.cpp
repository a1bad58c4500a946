// Holds the core to its layers (src/layers.txt): a file never includes a header of a higher layer, and no
// core file includes Qt or a header of the front end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::map<std::string, int> LayerRanks(const fs::path& src) {
  std::map<std::string, int> ranks;
  std::ifstream in(src / "layers.txt");
  std::string line;
  int rank = 0;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') ranks[line] = rank++;
  return ranks;
}

TEST(Layers, NoCoreFileIncludesAHigherLayerOrTheFrontEnd) {
  fs::path src = fs::path(TAVREL_TEST_DATA).parent_path().parent_path() / "src";
  std::map<std::string, int> ranks = LayerRanks(src);
  ASSERT_GE(ranks.size(), 5u);
  std::vector<std::string> faults;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    ++files;
    std::string layer = fs::relative(entry.path(), src).begin()->string();
    auto own = ranks.find(layer);
    if (own == ranks.end()) {
      faults.push_back(layer + ": a folder missing from layers.txt");
      continue;
    }
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      // #include "x/y.h" or #include <y>
      size_t hash = line.find_first_not_of(" \t");
      if (hash == std::string::npos || line[hash] != '#') continue;
      size_t word = line.find_first_not_of(" \t", hash + 1);
      if (word == std::string::npos || line.compare(word, 7, "include") != 0) continue;
      size_t open = line.find_first_of("<\"", word + 7);
      if (open == std::string::npos) continue;
      size_t close = line.find(line[open] == '<' ? '>' : '"', open + 1);
      if (close == std::string::npos) continue;
      bool quoted = line[open] == '"';
      std::string target = line.substr(open + 1, close - open - 1);
      std::string where = fs::relative(entry.path(), src).string() + " includes " + target;
      if (target.rfind("Q", 0) == 0 || target.rfind("qt", 0) == 0) faults.push_back(where + " (Qt)");
      if (!quoted) continue;
      size_t slash = target.find('/');
      if (slash == std::string::npos) continue;
      auto other = ranks.find(target.substr(0, slash));
      if (other == ranks.end())
        faults.push_back(where + " (not a layer of the core)");
      else if (other->second > own->second)
        faults.push_back(where + " (a higher layer)");
    }
  }
  EXPECT_GT(files, 50);
  EXPECT_TRUE(faults.empty()) << [&] {
    std::string all;
    for (auto& f : faults) all += f + "\n";
    return all;
  }();
}

}  // namespace
