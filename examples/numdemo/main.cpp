// A small console demonstration of orvkit's text and number conversion.
#include <orvkit.h>

#include <cstdio>

int main() {
  for (long long v : {0LL, 42LL, -7LL, 2147483647LL}) {
    std::printf("IntToStr(%lld) = %s\n", v, orv::ToUtf8(orv::IntToStr(v)).c_str());
  }
  return 0;
}
