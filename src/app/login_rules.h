#pragma once
// Logging in: choosing the year file and the operator, at start-up (with or without a file named on the
// command line) and again from 操作环境注册 while a file is open.
#include <string>

#include "app/login_dlg.h"
#include "data/data_env.h"

// Keys of the remembered values.
extern const char* const kSettingDataDir;
extern const char* const kSettingOpno;

// "" when the logged-in operator holds the right of the command (command_table.cpp) as its menu command
// asks; otherwise the refusal, naming the right that is missing and the menu command, or work for work
// without a menu command of its own that needs the command's right (the tool's backup).
std::string RightRefusal(const CVyDataEnv& env, int commandId, const std::string& work = {});

// Returns true when the environment ends logged in (rights loaded, values remembered); false means the
// program ends.
bool Login(CVyDataEnv& env, const std::string& commandLineFile);
