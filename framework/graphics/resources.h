#pragma once
// Named image resources. The library carries the PNG files of its resources/
// folder, embedded when it is built, under their file names without the
// extension in upper case ("SEGHORZ" for SegHorz.png). Lookups ignore letter
// case. An application may add resources of its own by name.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/types.h"

namespace orv {

ORV_DECLARE_EXCEPTION(EResNotFound, Exception);

// The bytes of resource Name; EResNotFound "Resource <Name> not found" when
// there is none. The bytes of an embedded resource live as long as the
// program; those of a registered one until its name is registered again or
// unregistered.
std::span<const uint8_t> FindResource(const String& Name);
// The same without an exception: false when there is no such resource.
bool TryFindResource(const String& Name, std::span<const uint8_t>& Data);

// Every resource name, upper case, in order, registered ones included.
std::vector<String> ResourceNames();

// Adds a copy of Data as resource Name (stored in upper case). A registered
// resource hides an embedded one of the same name while it is registered.
void RegisterResource(const String& Name, std::span<const uint8_t> Data);
// True when a registered resource of that name was removed; embedded
// resources cannot be removed.
bool UnregisterResource(const String& Name);

namespace detail {
// The table the build generates from resources/ (names ASCII upper case).
struct TEmbeddedResource {
  const char* Name;
  const uint8_t* Data;
  size_t Size;
};
extern const TEmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;
}  // namespace detail

}  // namespace orv
