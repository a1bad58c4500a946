// The wait is random so that writers who met do not meet again at once, and grows with each attempt so
// that a busy year is given room.
#include "data/collisions.h"

#include <time.h>

#include <atomic>
#include <random>

#include "data/db_error.h"

namespace jet {

namespace {

std::atomic<long> retries{0};

}  // namespace

void RetryCollisions(const std::function<void()>& attempt) {
  thread_local std::mt19937 rnd(std::random_device{}());
  for (int n = 1;; ++n) {
    try {
      attempt();
      return;
    } catch (const DbError& e) {
      if (!e.Collision() || n >= kCollisionAttempts) throw;
    }
    ++retries;
    std::uniform_int_distribution<int> ms(5, 40 * n);
    // <chrono> cannot be compiled for GBK texts.
    long wait = ms(rnd);
    timespec t{wait / 1000, (wait % 1000) * 1000000};
    nanosleep(&t, nullptr);
  }
}

long CollisionRetries() {
  return retries.load();
}

}  // namespace jet
