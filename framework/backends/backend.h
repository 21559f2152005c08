#pragma once
// The interface backends implement lives with the controls that use it.

#include "framework/controls/platform.h"
