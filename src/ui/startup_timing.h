#pragma once

namespace vantel {

// With VANTEL_TIMING=1 in the environment, each call prints to stderr how
// long the start-up phase that just ended took, and the time since the first
// mark ("vantel: timing <phase> <ms> ms (<total> ms)"). Otherwise nothing.
void MarkStartupPhase(const char* phase);

}  // namespace vantel
