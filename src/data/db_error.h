#pragma once
// The one exception of the program: a database statement failed. Thrown inside the data layer and caught
// at the command boundary, which shows the message (GBK) and keeps windows and the open file alive.
#include <stdexcept>
#include <string>

namespace jet {

class DbError : public std::runtime_error {
 public:
  explicit DbError(const std::string& gbkMessage, bool locked = false, bool connectionLost = false,
                   bool collision = false)
      : std::runtime_error(gbkMessage), locked_(locked), connectionLost_(connectionLost), collision_(collision) {}
  // Another process held the file locked for longer than a statement waits.
  bool Locked() const { return locked_; }
  // The connection to the server broke off: the open transaction is gone, and no value or line of the
  // caller's was at fault.
  bool ConnectionLost() const { return connectionLost_; }
  // The server refused the transaction because another writer's met it (or might have): the whole
  // transaction is gone, and the same work done again may well go through.
  bool Collision() const { return collision_; }
  // Which of the runs queued together failed: the tag the caller gave it (PreparedStatement::Queue), -1
  // when the failure is not one of those.
  long Tag() const { return tag_; }
  DbError& Tagged(long tag) {
    tag_ = tag;
    return *this;
  }

 private:
  bool locked_;
  bool connectionLost_;
  bool collision_;
  long tag_ = -1;
};

}  // namespace jet
