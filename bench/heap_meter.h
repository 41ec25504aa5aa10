#pragma once

#include <cstddef>

// Counts the bytes held by operator new across the whole program, which
// replaces the global allocation functions for this purpose.
namespace heap_meter {

std::size_t InUse();
std::size_t Peak();
// Starts a new peak from the bytes in use now.
void ResetPeak();

}  // namespace heap_meter
