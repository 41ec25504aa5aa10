#include "cli/json_bytes.h"

#include <string>

namespace {

bool IsValidUtf8(const std::string& text)
{
    try {
        (void)nlohmann::ordered_json(text).dump();
        return true;
    } catch (const nlohmann::ordered_json::type_error&) {
        return false;
    }
}

std::string Hex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

}  // namespace

nlohmann::ordered_json JsonBytes(std::string_view bytes)
{
    std::string text(bytes);
    if (IsValidUtf8(text))
        return text;
    return {{"text", std::move(text)}, {"hex", Hex(bytes)}};
}
