// Platform helpers for the end-to-end driver, the demo and the benchmarks, in
// one include: files, processes, registry values, file-system failures and
// screen captures.
#pragma once

#include "faults.h"
#include "files.h"
#include "processes.h"
#include "registry.h"
#include "screen.h"
