// Where an error goes that reaches a window procedure, which no exception
// may cross: the loop's error handler. One route is shared by the loop and
// every window the platform makes, so setting it once covers them all.
#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace platform::win32 {

class ErrorRoute {
 public:
  void SetHandler(std::function<void(std::exception_ptr)> handler) { handler_ = std::move(handler); }

  // Never hides an error: without a handler, or when the handler itself
  // fails, nobody is left to show it, so the program ends.
  void Report(const std::exception_ptr& error) const noexcept {
    if (!handler_) std::terminate();
    try {
      handler_(error);
    } catch (...) {
      std::terminate();
    }
  }

 private:
  std::function<void(std::exception_ptr)> handler_;
};

}  // namespace platform::win32
