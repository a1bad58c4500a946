// Holds the core to its layers (src/layers.txt): a file never includes a header of a higher layer, and no
// core file includes Qt or a header of the front end. And no two files of the program reach each other
// through their includes, however long the way round.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A layer of layers.txt: a folder of src/ (or a folder or a header inside one, which then counts apart
// from the rest of it), its rank, and the folder whose files alone may include its headers ("" for all).
struct Layer {
  std::string path;
  int rank = 0;
  std::string privateTo;
};

std::vector<Layer> Layers(const fs::path& src) {
  std::vector<Layer> layers;
  std::ifstream in(src / "layers.txt");
  std::string line;
  int rank = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    Layer layer;
    layer.rank = rank++;
    std::istringstream words(line);
    std::string word, to;
    words >> layer.path;
    if (words >> word >> to >> layer.privateTo && (word != "private" || to != "to")) layer.privateTo.clear();
    layers.push_back(layer);
  }
  return layers;
}

bool Under(const std::string& path, const std::string& folder) {
  return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                            path[folder.size()] == '/');
}

// The layer a path of src/ belongs to: the longest one holding it; nullptr for none.
const Layer* LayerOf(const std::vector<Layer>& layers, const std::string& path) {
  const Layer* best = nullptr;
  for (const Layer& l : layers)
    if (Under(path, l.path) && (!best || l.path.size() > best->path.size())) best = &l;
  return best;
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
  std::vector<Layer> layers = Layers(src);
  ASSERT_GE(layers.size(), 5u);
  std::vector<std::string> faults;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    ++files;
    std::string path = fs::relative(entry.path(), src).string();
    const Layer* own = LayerOf(layers, path);
    if (!own) {
      faults.push_back(path + ": in a folder missing from layers.txt");
      continue;
    }
    for (auto [target, quoted] : Includes(entry.path())) {
      std::string where = path + " includes " + target;
      if (target.rfind("Q", 0) == 0 || target.rfind("qt", 0) == 0) faults.push_back(where + " (Qt)");
      if (!quoted || target.find('/') == std::string::npos) continue;
      const Layer* other = LayerOf(layers, target);
      if (!other)
        faults.push_back(where + " (not a layer of the core)");
      else if (other->rank > own->rank)
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

// A layer private to a folder (the engines, to the data layer) is reached only through that folder's own
// headers: no other file of the core, the window program or the tool includes one of its headers.
TEST(Layers, APrivateLayerIsIncludedOnlyFromItsFolder) {
  const fs::path root = Checkout();
  std::vector<Layer> layers = Layers(root / "src");
  ASSERT_TRUE(std::any_of(layers.begin(), layers.end(), [](const Layer& l) { return !l.privateTo.empty(); }));
  std::vector<std::string> faults;
  for (const char* folder : {"src", "ui", "cli"})
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      std::string ext = entry.path().extension().string();
      if (ext != ".h" && ext != ".cpp") continue;
      // Where a file of the core stands in src/; the others stand outside every folder of it.
      std::string inSrc =
          std::string(folder) == "src" ? fs::relative(entry.path(), root / "src").string() : "";
      for (auto [target, quoted] : Includes(entry.path())) {
        const Layer* layer = quoted ? LayerOf(layers, target) : nullptr;
        if (layer && !layer->privateTo.empty() && (inSrc.empty() || !Under(inSrc, layer->privateTo)))
          faults.push_back(std::string(folder) + "/" + fs::relative(entry.path(), root / folder).string() +
                           " includes " + target + " (private to " + layer->privateTo + ")");
      }
    }
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
