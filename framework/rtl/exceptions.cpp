#include "exceptions.h"

#include "unicode.h"

namespace orv {

Exception::Exception(String Msg) : FMessage(std::move(Msg)), FUtf8(ToUtf8(FMessage)) {}

Exception::Exception(std::string_view Utf8Msg) : FMessage(FromUtf8(Utf8Msg)), FUtf8(Utf8Msg) {}

void Exception::SetMessage(const String& Msg) {
  FMessage = Msg;
  FUtf8 = ToUtf8(Msg);
}

}  // namespace orv
