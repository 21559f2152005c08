#pragma once
// Every public header of the base and math support libraries.

#include "foundation/basetypes.h"
