#pragma once

#include <string>
#include <string_view>

namespace platform {

// Reads return at most this many bytes, as from a 4096-byte buffer.
constexpr std::size_t kProfileValueLimit = 4095;

// The key's value in the profile file at path, or defaultValue when the file,
// the section or the key is missing; cut to kProfileValueLimit bytes.
std::string ReadPrivateProfile(std::string_view section, std::string_view key,
                               std::string_view defaultValue, const std::string& path);

// Sets the key in the profile file at path, creating the section and the file
// when they are missing (see WithProfileValue). The file is replaced as a
// whole only once the new text is safely written, so a failure leaves the
// old one. False when the entry cannot be stored or the file not written.
bool WritePrivateProfile(std::string_view section, std::string_view key,
                         std::string_view value, const std::string& path);

}  // namespace platform
