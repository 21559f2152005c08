#pragma once
// Every public header of the base and math support libraries.

#include "foundation/basetypes.h"
#include "foundation/colorfuncs.h"
#include "foundation/language.h"
#include "foundation/strhelpers.h"
