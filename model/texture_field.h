#pragma once

#include <cstring>
#include <string_view>
#include <vector>

// The first 32 bytes of every face record: a path, normally zero-terminated.
inline constexpr int kTextureFieldSize = 32;
// The longest path a field holds with its terminating zero.
inline constexpr int kMaxTexturePath = kTextureFieldSize - 1;

// The field's text: its bytes up to the first zero, never past the field, so
// a field without a zero byte has a 32-byte text.
inline std::string_view TextureFieldText(const char* field)
{
    const void* zero = std::memchr(field, 0, kTextureFieldSize);
    const auto length = zero ? static_cast<const char*>(zero) - field : kTextureFieldSize;
    return {field, static_cast<std::size_t>(length)};
}

// Each non-empty text of fields once, byte for byte, in the order of their
// first fields.
std::vector<std::string_view> DistinctTextureTexts(const std::vector<char*>& fields);
