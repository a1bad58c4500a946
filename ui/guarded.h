#pragma once
// The command boundary of the Qt front end. A database error thrown under a handler of ours must end at the
// handler, with its message, before control returns to Qt: Qt's event dispatch is not exception-safe. Every
// slot that reaches the core is connected through Guard, and the form view window guards its events.
#include <concepts>
#include <functional>
#include <utility>

#include "data/db_guard.h"

// Wraps a handler (a lambda, or a member function with its object) for connect().
template <class F>
auto Guard(F handler) {
  // Constrained, so that Qt finds how many of a signal's arguments the handler takes.
  return [handler = std::move(handler)](auto&&... args) requires std::invocable<const F&, decltype(args)...> {
    RunCatchingDbErrors([&] { handler(std::forward<decltype(args)>(args)...); });
  };
}
template <class T, class R, class... A>
auto Guard(T* object, R (T::*member)(A...)) {
  return [object, member](A... args) { RunCatchingDbErrors([&] { (object->*member)(args...); }); };
}
