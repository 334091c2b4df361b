// The in-memory registry used natively in place of the real one. It keeps
// keys and values in the order the real registry under Wine enumerates them
// (sorted without regard to case, see MemoryRegistry.cpp).
#pragma once

// Empties the store (tests start from a known state); keeps the "Software"
// keys of the current user and the local machine that every registry has.
// Keys still open become invalid.
void ResetMemoryRegistry();
