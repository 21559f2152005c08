#pragma once
// Every public header of the report list library.

#include "replist/colformat.h"
#include "replist/datereader.h"
#include "replist/filterexpr.h"
#include "replist/rlcsv.h"
#include "replist/rldata.h"
#include "replist/replistview.h"
#include "replist/roweditor.h"
#include "replist/rlhtml.h"
#include "replist/rlxml.h"
