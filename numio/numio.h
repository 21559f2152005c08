#pragma once
// Every public header of the number text conversion and numeric entry library.
