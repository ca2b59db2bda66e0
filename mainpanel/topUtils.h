// File helpers of the form server on top of the file layer of the core.
#pragma once

#include "core/fileUtils.h"

// Opens `path` through openFile (with `report` as given); when that fails,
// prints "Cannot open <path>" and the system's reason and exits 1.
trev::FilePtr openOrExit(const char* path, const char* mode, int report);
