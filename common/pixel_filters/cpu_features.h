// What the processor offers beyond SSE2, which every x64 processor has.
#pragma once

// Whether the AVX2 copies of the pixel loops may run: the processor has AVX2 and the
// environment does not set VEXIL_NO_AVX2 (which lets the SSE2 copies be tested, and compared
// for speed, on a machine that has it). Decided once per module.
bool HasAvx2();
