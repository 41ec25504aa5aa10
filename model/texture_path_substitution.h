#pragma once

#include <string>
#include <string_view>

#include "framework/lead_bytes.h"

// The first occurrence of needle in text at or after start, trying only the
// starts of characters; an empty needle is found at start. npos when none.
std::size_t FindTexturePathPart(std::string_view text, std::size_t start, std::string_view needle,
                                const CLeadByteSet& leadBytes);

// text with every non-overlapping occurrence of source, leftmost first,
// replaced by target; inserted text is not searched again. An empty source
// replaces nothing.
std::string ReplaceAllOccurrences(std::string_view text, std::string_view source,
                                  std::string_view target, const CLeadByteSet& leadBytes);
