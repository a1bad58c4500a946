#pragma once
// A form's stored page set-up: paper, margins, line spacing, colours, four fonts and column widths, kept
// per (form number, variant text) in the open year file.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/database.h"

struct VyLogFont {
  int height = -16, width = 0, escapement = 0, orientation = 0, weight = 400;
  int italic = 0, underline = 0, strikeOut = 0, charSet = 134;
  int outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::string faceName = "宋体";  // at most 31 bytes
  bool operator==(const VyLogFont&) const = default;
};

// Colours are 24-bit RGB values with red in the low byte.
constexpr uint32_t VyRgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

struct PageSettings {
  int AllPage = 1, SelectPage = 0;
  int MaxPage = 5, FromPage = 1, ToPage = 1, PageRow = 25;  // 16-bit unsigned in storage
  int PageWidth = 2600, PageLength = 1900, PageLeft = 200, PageTop = 50, PageRight = 200, PageBottom = 200;
  int PageCopies = 1;
  uint32_t TopicColor = 0, HeadColor = 0, TextColor = 0, TailColor = 0, OutBox = 0;
  uint32_t FormLine = VyRgb(192, 192, 192);
  VyLogFont fonts[4];  // 0 title, 1 page head, 2 body, 3 page foot
  std::vector<int> widths;
  std::string sFieldMode = "0";
  bool operator==(const PageSettings&) const = default;
};

// Base defaults, then the per-form table, then the application's hook.
void SetPageDefaults(PageSettings& ps, int nFlag, const std::string& sFieldMode);
// The application may adjust any form's defaults.
void SetPageDefaultsHook(std::function<void(int, const std::string&, PageSettings&)> hook);

// Makes sure the storage tables exist and have the variant column (older files lack it; the file is then
// reopened so that the new column is seen).
void PreparePageStorage(jet::Database& db);
// Reads a form's settings; a form without a stored row gets its defaults (nothing is written).
void LoadPageSettings(jet::Database& db, PageSettings& ps, int nFlag, const std::string& sFieldMode);
// Replaces the form's stored settings, all in one transaction.
void SavePageSettings(jet::Database& db, const PageSettings& ps, int nFlag, const std::string& sFieldMode);

// "黑色" … "白色" for the sixteen standard colours, else "自定义色".
std::string ColourName(uint32_t rgb);
