#include <orvkit.h>

#include <cstdio>

int main() {
  const orv::String text = orv::FromUtf8("42");
  std::printf("orvkit %s\n", orv::ToUtf8(text) == "42" ? "ok" : "broken");
  return 0;
}
