#pragma once
// orvkit umbrella header: every public header of every library.

#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/rtl/rtl.h"
#include "foundation/foundation.h"
#include "numio/numio.h"
#include "replist/replist.h"
#include "gradfl/gradfl.h"
#include "sevenseg/sevenseg.h"
#include "repsbut/repsbut.h"
#include "onoffbut/onoffbut.h"
#include "rasterlab/rasterlab.h"
#include "thumbnails/thumbnails.h"
