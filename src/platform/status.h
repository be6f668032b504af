// Outcome of an operation that can fail with a text for the user. The program
// uses no exceptions: a handler that gets a failing Status returns it at once,
// and whoever invoked the handler shows the text.
#pragma once

#include <string>
#include <utility>

namespace korvane {

class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message), true); }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }

 private:
  Status(std::string message, bool failed) : message_(std::move(message)), failed_(failed) {}
  std::string message_;
  bool failed_ = false;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}          // NOLINT: implicit by design
  Result(Status status) : status_(std::move(status)) {}  // NOLINT: implicit by design

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  const T& value() const { return value_; }

 private:
  Status status_;
  T value_{};
};

}  // namespace korvane

#define KORVANE_CONCAT_INNER(a, b) a##b
#define KORVANE_CONCAT(a, b) KORVANE_CONCAT_INNER(a, b)

// Returns the Status from the enclosing function when it is an error.
#define RETURN_IF_ERROR(expr)                          \
  do {                                                 \
    ::korvane::Status korvane_status_ = (expr);        \
    if (!korvane_status_.ok()) return korvane_status_; \
  } while (0)

// Declares `var` from a Result, returning the error from the enclosing
// function when the Result holds one.
#define ASSIGN_OR_RETURN(var, expr)                            \
  auto KORVANE_CONCAT(korvane_result_, __LINE__) = (expr);     \
  if (!KORVANE_CONCAT(korvane_result_, __LINE__).ok())         \
    return KORVANE_CONCAT(korvane_result_, __LINE__).status(); \
  var = KORVANE_CONCAT(korvane_result_, __LINE__).value()
