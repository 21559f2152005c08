#include "framework/controls/beep.h"

#include <vector>

#include "framework/controls/sim.h"

namespace orv {

namespace {
std::vector<uint32_t>& Log() {
  static std::vector<uint32_t> L;
  return L;
}
}  // namespace

bool MessageBeep(uint32_t Type) {
  Log().push_back(Type);
  return true;
}

namespace sim {
const std::vector<uint32_t>& BeepLog() { return Log(); }
void ClearBeepLog() { Log().clear(); }
}  // namespace sim

}  // namespace orv
