#pragma once
// Exception classes of the run-time library. Every orvkit error derives from
// Exception; Message() is the documented text, what() its UTF-8 form.

#include <exception>
#include <string>

#include "types.h"

namespace orv {

class Exception : public std::exception {
 public:
  explicit Exception(String Msg);
  explicit Exception(std::string_view Utf8Msg);

  const String& Message() const noexcept { return FMessage; }
  void SetMessage(const String& Msg);
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  String FMessage;
  std::string FUtf8;
};

// Declares a descendant that takes the base's constructors.
#define ORV_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {              \
   public:                                \
    using Base::Base;                     \
  }

ORV_DECLARE_EXCEPTION(EConvertError, Exception);
ORV_DECLARE_EXCEPTION(EOutOfMemory, Exception);
ORV_DECLARE_EXCEPTION(EArgumentException, Exception);
ORV_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
ORV_DECLARE_EXCEPTION(EListError, Exception);
ORV_DECLARE_EXCEPTION(ERangeError, Exception);
ORV_DECLARE_EXCEPTION(EInvalidOperation, Exception);
ORV_DECLARE_EXCEPTION(EComponentError, Exception);
ORV_DECLARE_EXCEPTION(EStreamError, Exception);
ORV_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
ORV_DECLARE_EXCEPTION(EFCreateError, EFileStreamError);
ORV_DECLARE_EXCEPTION(EFOpenError, EFileStreamError);
ORV_DECLARE_EXCEPTION(EReadError, EStreamError);
ORV_DECLARE_EXCEPTION(EWriteError, EStreamError);

// Input/output error of the text-file routines; ErrorCode is the errno value
// (or a library code) that caused it.
class EInOutError : public Exception {
 public:
  EInOutError(String Msg, int Code) : Exception(std::move(Msg)), ErrorCode(Code) {}
  EInOutError(std::string_view Utf8Msg, int Code) : Exception(Utf8Msg), ErrorCode(Code) {}
  int ErrorCode;
};

}  // namespace orv
