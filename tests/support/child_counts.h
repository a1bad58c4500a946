#pragma once
// Child processes of a test that each report how much they did in their exit status, 100 standing for a
// failure the test does not allow (the writers of the server's tests).
#include <gtest/gtest.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <vector>

// Waits for every child and returns the sum of their counts; a child that crashed or exited with 100 fails
// the test, saying why it may not.
inline int SumOfChildCounts(const std::vector<pid_t>& children, const char* why) {
  int sum = 0;
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 100) << why;
    if (WIFEXITED(status) && WEXITSTATUS(status) != 100) sum += WEXITSTATUS(status);
  }
  return sum;
}
