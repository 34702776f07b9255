#pragma once

namespace veskor::win32 {

// What every form program does first: libraries searched for in the system
// folder only, all common-control classes, and the rich edit library (version
// 2.0, else 1.0, from the system folder), kept loaded for the life of the program.
void InitialiseFormProgram();

}  // namespace veskor::win32
