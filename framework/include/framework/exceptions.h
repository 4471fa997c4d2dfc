// The framework's exception classes. Every error the framework raises is an
// Exception with a message; the application's error box shows Message().
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Declares an exception class deriving from `base` with the base's
// constructors.
#define XVT_DECLARE_EXCEPTION(name, base) \
  class name : public base {              \
   public:                                \
    using base::base;                     \
  }

// A silent exception: it ends the running command without an error box.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
  using Exception::Exception;
};
[[noreturn]] void Abort();

XVT_DECLARE_EXCEPTION(EHeapException, Exception);
class EOutOfMemory : public EHeapException {
 public:
  EOutOfMemory() : EHeapException("Out of memory") {}
  using EHeapException::EHeapException;
};
// Window-system resources (timers, handles) ran out.
XVT_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory);

// A file or device operation failed; ErrorCode() is the error number.
class EInOutError : public Exception {
 public:
  EInOutError(std::string message, int errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

 private:
  int errorCode_;
};

XVT_DECLARE_EXCEPTION(EConvertError, Exception);
XVT_DECLARE_EXCEPTION(EMathError, Exception);
XVT_DECLARE_EXCEPTION(EInvalidOp, EMathError);
XVT_DECLARE_EXCEPTION(EInvalidOperation, Exception);
XVT_DECLARE_EXCEPTION(EInvalidPointer, EHeapException);
XVT_DECLARE_EXCEPTION(EListError, Exception);
XVT_DECLARE_EXCEPTION(EStringListError, EListError);
XVT_DECLARE_EXCEPTION(EComponentError, Exception);
XVT_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
XVT_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
XVT_DECLARE_EXCEPTION(ETreeViewError, Exception);
XVT_DECLARE_EXCEPTION(EMenuError, Exception);
XVT_DECLARE_EXCEPTION(EThread, Exception);

XVT_DECLARE_EXCEPTION(EStreamError, Exception);
XVT_DECLARE_EXCEPTION(EFCreateError, EStreamError);
XVT_DECLARE_EXCEPTION(EFOpenError, EStreamError);
XVT_DECLARE_EXCEPTION(EFilerError, EStreamError);
XVT_DECLARE_EXCEPTION(EReadError, EFilerError);
XVT_DECLARE_EXCEPTION(EWriteError, EFilerError);

// Raises EListError "List index out of bounds (%d)" for `index`.
[[noreturn]] void ListIndexError(long long index);
