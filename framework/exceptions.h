// The error classes of the framework. Each carries the exact message the
// user sees; the default error handler shows it and the program goes on.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  [[nodiscard]] std::string Message() const { return what(); }
};

// Conversion of text to a number failed.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// An operation the control cannot do in its state (such as focusing a hidden control).
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// The system refused a resource (a timer, a window).
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};

class EFOpenError : public Exception {
 public:
  using Exception::Exception;
};

// Abandons a handler without showing anything.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

// Not an error: unwinds start-up when this copy of the program must end
// at once (a second instance). Deliberately outside the Exception tree so
// the default error handler never swallows it.
struct ProcessExit {
  int exitCode = 0;
};

namespace messages {
inline constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* kNoTimers = "Not enough timers available";
inline constexpr const char* kCreateWindow = "Error creating window";
inline constexpr const char* kModalVisible = "Cannot make a visible window modal";
inline constexpr const char* kListIndexError = "List index out of bounds (%d)";
inline constexpr const char* kCannotCreateFile = "Cannot create file %s";
inline constexpr const char* kCannotOpenFile = "Cannot open file %s";
inline constexpr const char* kRegistryGetFailed = "Failed to get data for '%s'";
inline constexpr const char* kRegistryBadType = "Invalid data type for '%s'";
inline constexpr const char* kRegistrySetFailed = "Failed to set data for '%s'";
}  // namespace messages

// Replaces the first "%s" (or "%d") of a message template.
std::string FormatMessage(const char* pattern, const std::string& argument);
