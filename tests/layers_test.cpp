// Holds the core to its layers (src/layers.txt): a file never includes a header of a higher layer, and no
// core file includes Qt or a header of the front end. And no two files of the program reach each other
// through their includes, however long the way round.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
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

fs::path Checkout() {
  return fs::path(TAVREL_TEST_DATA).parent_path().parent_path();
}

// The files a source includes: each target as written, and whether it was quoted ("x/y.h") or not (<y>).
std::vector<std::pair<std::string, bool>> Includes(const fs::path& file) {
  std::vector<std::pair<std::string, bool>> found;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    size_t hash = line.find_first_not_of(" \t");
    if (hash == std::string::npos || line[hash] != '#') continue;
    size_t word = line.find_first_not_of(" \t", hash + 1);
    if (word == std::string::npos || line.compare(word, 7, "include") != 0) continue;
    size_t open = line.find_first_of("<\"", word + 7);
    if (open == std::string::npos) continue;
    size_t close = line.find(line[open] == '<' ? '>' : '"', open + 1);
    if (close == std::string::npos) continue;
    found.emplace_back(line.substr(open + 1, close - open - 1), line[open] == '"');
  }
  return found;
}

TEST(Layers, NoCoreFileIncludesAHigherLayerOrTheFrontEnd) {
  fs::path src = Checkout() / "src";
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
    for (auto [target, quoted] : Includes(entry.path())) {
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

// A header and its source are one unit; a unit that reaches itself again through the includes of others is
// a knot that no file of it can be read, changed or tested without the rest.
TEST(Layers, NoFilesIncludeEachOtherRoundAbout) {
  const fs::path root = Checkout();
  const std::vector<fs::path> folders = {root / "src", root / "ui", root / "cli"};
  auto unit = [&](const fs::path& p) { return fs::relative(p, root).replace_extension().string(); };
  std::map<std::string, std::set<std::string>> edges;
  for (const fs::path& folder : folders)
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      std::string ext = entry.path().extension().string();
      if (ext != ".h" && ext != ".cpp") continue;
      std::string from = unit(entry.path());
      edges[from];
      for (auto [target, quoted] : Includes(entry.path())) {
        if (!quoted) continue;
        for (const fs::path& base : {entry.path().parent_path(), folders[0], folders[1], folders[2]})
          if (fs::exists(base / target)) {
            if (std::string to = unit(base / target); to != from) edges[from].insert(to);
            break;
          }
      }
    }
  // Every unit on a way back to itself.
  std::vector<std::string> knots;
  for (const auto& [start, _] : edges) {
    std::set<std::string> seen;
    std::function<bool(const std::string&)> reaches = [&](const std::string& at) {
      for (const std::string& next : edges[at]) {
        if (next == start) return true;
        if (seen.insert(next).second && reaches(next)) return true;
      }
      return false;
    };
    if (reaches(start)) knots.push_back(start);
  }
  EXPECT_GT(edges.size(), 200u);
  EXPECT_TRUE(knots.empty()) << [&] {
    std::string all;
    for (auto& k : knots) all += k + " reaches itself again through its includes\n";
    return all;
  }();
}

}  // namespace

// Each dialog model src/**/X_dlg.h has its Qt face in ui/X_dialog.h, a file of its own: a face's header
// includes no other model's header (besides models it only browses to), and no file holds several faces.
TEST(Layers, EachDialogFaceHasAFileNamedForItsModel) {
  fs::path ui = Checkout() / "ui";
  // Faces that open a second model's dialog of their own: 选帐套 of 拷贝会计信息.
  const std::set<std::string> seconds = {"admin/copy_source_dlg.h"};
  std::vector<std::string> faults;
  for (const auto& entry : fs::directory_iterator(ui)) {
    std::string name = entry.path().filename().string();
    if (name.find("_dialogs.") != std::string::npos) faults.push_back(name + " holds several faces");
    const std::string suffix = "_dialog.h";
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    std::string stem = name.substr(0, name.size() - suffix.size());
    for (const auto& [target, quoted] : Includes(entry.path())) {
      if (!quoted || target.size() < 6 || target.compare(target.size() - 6, 6, "_dlg.h") != 0) continue;
      std::string model = fs::path(target).filename().string();
      if (model != stem + "_dlg.h" && !seconds.count(target)) faults.push_back(name + " shows " + target);
    }
  }
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}
