#pragma once
// Every public header of the graphics layer.

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/edges.h"
#include "framework/graphics/font.h"
#include "framework/graphics/graphobj.h"
#include "framework/graphics/imagecodec.h"
#include "framework/graphics/resources.h"
