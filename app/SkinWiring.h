#pragma once
// SkinWiring: the program's table of what a skin dresses, filled with every window's entries.
namespace SkinWiring {

// Fills the table once and hands it to the skin loader; call before the first skin load.
void Install();

}  // namespace SkinWiring
