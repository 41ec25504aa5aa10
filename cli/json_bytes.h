#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

// Bytes from a model or a file name as JSON, losing nothing: a string when
// they are valid UTF-8, otherwise an object {"text": ..., "hex": ...} whose
// text shows each invalid sequence as U+FFFD and whose hex holds every byte as
// two lowercase hex digits. Dump documents holding it with error_handler_t::replace.
nlohmann::ordered_json JsonBytes(std::string_view bytes);
