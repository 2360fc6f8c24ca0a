#pragma once

namespace kansu {

// Lets screen readers ask a picture box what it shows (its describer)
// rather than read a fixed text.
void installSurfaceAccessibility();

} // namespace kansu
