#pragma once
// Every public header of the base and math support libraries.
