// The in-memory registry used natively in place of the real one. It keeps
// keys and values in the order the real registry under Wine enumerates them
// (sorted without regard to case, see MemoryRegistry.cpp).
#pragma once

// Empties the store (tests start from a known state); keeps the "Software"
// keys of the current user and the local machine that every registry has.
// Keys still open become invalid.
void ResetMemoryRegistry();

// Lets the next `writes` value writes succeed and fails every one after
// them, as a registry without write access does; a negative count lifts
// the limit. Tests of error paths use it and lift it again.
void SetMemoryRegistryWriteBudget(int writes);
