#pragma once
// Every public header of the run-time library.

#include "classes.h"
#include "exceptions.h"
#include "set.h"
#include "sysutils.h"
#include "types.h"
#include "unicode.h"
