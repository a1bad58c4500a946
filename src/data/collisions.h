#pragma once
// Two writers on a server that meet are refused, the later one whole (a collision). Most meetings are no
// true conflict (two bookkeepers' different days happened to share a page of an index), and the same work
// started again a moment later goes through; so all-or-nothing work is started again a few times before
// its user is told.
#include <functional>

namespace jet {

// Attempts in all, the first included.
constexpr int kCollisionAttempts = 5;

// Runs attempt; when it fails on a collision and attempts are left, waits a short random time (longer
// after each) and runs it again from its start. The last collision, or any other error, is thrown on.
// attempt must be all-or-nothing: a transaction of its own, begun and ended inside it.
void RetryCollisions(const std::function<void()>& attempt);

// How many times this process has started work again after a collision.
long CollisionRetries();

}  // namespace jet
