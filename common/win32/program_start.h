#pragma once

namespace veskor::win32 {

// What every form program does first: all common-control classes and the rich
// edit library (version 2.0, else 1.0), kept loaded for the life of the program.
void InitialiseFormProgram();

}  // namespace veskor::win32
