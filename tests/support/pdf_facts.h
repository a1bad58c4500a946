#pragma once
// What a test can tell of a PDF file the program wrote without a PDF reader: its pages and their sizes,
// read off the page objects (which the writer leaves uncompressed).
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

struct PdfPageSize {
  double width = 0, height = 0;  // in points
  bool Landscape() const { return width > height; }
};

inline std::string PdfBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The number of pages; -1 when the file cannot be read.
inline int PdfPages(const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  if (!probe) return -1;
  std::string bytes = PdfBytes(path);
  static const std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

// Each page's media box, in the order the file holds them.
inline std::vector<PdfPageSize> PdfPageSizes(const std::string& path) {
  std::string bytes = PdfBytes(path);
  static const std::regex box("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]");
  std::vector<PdfPageSize> sizes;
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), box); it != std::sregex_iterator(); ++it)
    sizes.push_back({std::stod((*it)[3]) - std::stod((*it)[1]), std::stod((*it)[4]) - std::stod((*it)[2])});
  return sizes;
}
