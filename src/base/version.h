#pragma once
// The program's version, set in one place: the project's version in the top CMakeLists.txt.
const char* TavrelVersion();
