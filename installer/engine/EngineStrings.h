// The engine's own texts for the language strings it uses, in force while no language
// library is loaded (a loaded library's texts take their place).
#pragma once

namespace kw {

// Registers the texts once; later calls do nothing.
void RegisterEngineStrings();

} // namespace kw
