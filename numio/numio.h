#pragma once
// Every public header of the number text conversion and numeric entry library.

#include "numio/informat.h"
#include "numio/int32text.h"
#include "numio/numformat.h"
#include "numio/numio2.h"
#include "numio/numioedit.h"
#include "numio/numiotext.h"
#include "numio/numscan.h"
#include "numio/numsyntax.h"
