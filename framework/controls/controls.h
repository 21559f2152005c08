#pragma once
// Every public header of the control layer, its forms and the headless backend.

#include "framework/backends/backend.h"
#include "framework/backends/headless/headless.h"
#include "framework/controls/application.h"
#include "framework/controls/beep.h"
#include "framework/controls/control.h"
#include "framework/controls/cursors.h"
#include "framework/controls/customcontrol.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/controls/input.h"
#include "framework/controls/messages.h"
#include "framework/controls/paint.h"
#include "framework/controls/screen.h"
#include "framework/controls/sim.h"
#include "framework/controls/timers.h"
#include "framework/controls/wincontrol.h"
#include "framework/forms/form.h"
