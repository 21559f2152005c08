// Lookup of named resources: registered ones first, then the table that the
// build embeds from resources/.

#include "framework/graphics/resources.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace orv {

namespace {

struct TRegistry {
  std::mutex Lock;
  std::map<String, std::vector<uint8_t>> Entries;  // keyed by upper-case name
};

TRegistry& Registry() {
  static TRegistry R;
  return R;
}

std::span<const detail::TEmbeddedResource> Embedded() {
  return {detail::kEmbeddedResources, detail::kEmbeddedResourceCount};
}

}  // namespace

bool TryFindResource(const String& Name, std::span<const uint8_t>& Data) {
  const String Key = UpperCase(Name);
  {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    const auto It = R.Entries.find(Key);
    if (It != R.Entries.end()) {
      Data = It->second;
      return true;
    }
  }
  const std::string Utf8 = ToUtf8(Key);
  for (const detail::TEmbeddedResource& E : Embedded()) {
    if (Utf8 == E.Name) {
      Data = std::span<const uint8_t>(E.Data, E.Size);
      return true;
    }
  }
  return false;
}

std::span<const uint8_t> FindResource(const String& Name) {
  std::span<const uint8_t> Data;
  if (!TryFindResource(Name, Data)) throw EResNotFound(u"Resource " + Name + u" not found");
  return Data;
}

std::vector<String> ResourceNames() {
  std::vector<String> Names;
  for (const detail::TEmbeddedResource& E : Embedded()) Names.push_back(FromUtf8(E.Name));
  {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    for (const auto& [Key, Bytes] : R.Entries) Names.push_back(Key);
  }
  std::sort(Names.begin(), Names.end());
  Names.erase(std::unique(Names.begin(), Names.end()), Names.end());
  return Names;
}

void RegisterResource(const String& Name, std::span<const uint8_t> Data) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  R.Entries[UpperCase(Name)] = std::vector<uint8_t>(Data.begin(), Data.end());
}

bool UnregisterResource(const String& Name) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  return R.Entries.erase(UpperCase(Name)) != 0;
}

}  // namespace orv
