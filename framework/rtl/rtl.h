#pragma once
// Every public header of the run-time library.

#include "framework/rtl/atomicfile.h"
#include "framework/rtl/classes.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/files.h"
#include "framework/rtl/random.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/set.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/stringlist.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/textfile.h"
#include "framework/rtl/types.h"
#include "framework/rtl/unicode.h"
