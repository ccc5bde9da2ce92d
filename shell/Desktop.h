#pragma once

// The desktop seam lives in gui/; the benchmark still includes it from here.
#include "gui/Desktop.h"
