#pragma once
// A fresh account set in a temporary folder, with the scripted platform installed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "data/database.h"
#include "data/year_files.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

class YearFileTest : public ::testing::Test {
 protected:
  // Makes folder/name as a seeded year file of the given year (SYSTAB.PY = py).
  std::string MakeYearFile(const std::string& name, int py) {
    std::string folder = dir.Path() + "/tmp-" + name;
    MakeFolders(folder);
    std::string made = CreateAccountSetFile(folder, py);
    std::string path = dir.File(name);
    std::rename(made.c_str(), path.c_str());
    return path;
  }
  void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }
  void Exec(const std::string& path, const std::string& sql) {
    jet::Database db;
    db.Open(path);
    db.Execute(sql);
  }

  ScriptedPlatform platform;
  TempDir dir;
};
