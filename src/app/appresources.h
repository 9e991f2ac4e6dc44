#pragma once

// Makes the program's built-in images (glyphs, icon) available under ":/". They live in a static
// library, whose resource registration the linker would otherwise leave out.
void EnsureAppResources();
