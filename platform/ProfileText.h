#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The private-profile (INI) text format, on the text of a whole file.
//
// A section starts with a line "[name]"; a key is a line "name=value" below
// it, up to the next section. Section and key names match without regard to
// the case of A-Z. Blanks (space, tab) around a line, a name or a value are
// not part of it, and a line's trailing carriage return is dropped; one pair
// of matching quotes (' or ") around a value is not part of it either. Lines
// starting with ';' are comments. The first matching section and key count.

// The value of the key, or nothing when the section or the key is missing.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// Whether a section, key and value can be stored so that reading them back
// gives the same key: no line breaks, no '=' in the key, no ']' in the
// section, names neither empty nor blank at their ends nor starting a
// comment or a section.
bool IsStorableProfileEntry(std::string_view section, std::string_view key,
                            std::string_view value);

// The text with the key set to value: an existing key's value is replaced in
// place, a missing key is added after the last line of its section, a missing
// section is added at the end. Every other line stays as it was. The entry
// must be storable (IsStorableProfileEntry).
std::string WithProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value);

}  // namespace platform
