#pragma once
// Every public header of the base and math support libraries.

#include "foundation/basetypes.h"
#include "foundation/bitfld.h"
#include "foundation/colorfuncs.h"
#include "foundation/datatable.h"
#include "foundation/drawing.h"
#include "foundation/language.h"
#include "foundation/mathfuncs.h"
#include "foundation/matrix.h"
#include "foundation/strhelpers.h"
#include "foundation/stringarray.h"
