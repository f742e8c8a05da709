// The program's version resource (product and company name, the project's version), generated
// at build time and registered as the program's RT_VERSION resource before main() runs.
#pragma once

// Naming it keeps the linker from leaving the registration out of the program.
extern const bool ProgramVersionResourceRegistered;
// The project's version as the build gave it ("1.0.0").
extern const char ProgramVersion[];
