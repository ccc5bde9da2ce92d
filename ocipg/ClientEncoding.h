#pragma once

#include <cstddef>
#include <string>

namespace ocipg {

// The client character set an environment takes from NLS_LANG, as Oracle's
// client does on Unix: US7ASCII when NLS_LANG is unset or names none.
struct ClientCharset {
    std::string m_strEncoding;  // PostgreSQL's name; empty: NLS_LANG is unusable (ORA-12705)
    bool m_bAscii7 = false;     // US7ASCII: asked of the server as UTF8, folded to '?' here

    bool Valid() const { return !m_strEncoding.empty(); }
};

// nlsLang: the value of NLS_LANG, null when it is unset.
ClientCharset ClientCharsetOf(const char* nlsLang);

// The bytes of the longest start of text (terminated) that fits in room
// without splitting a character of encoding (libpq's number).
size_t WholeCharacters(const char* text, size_t room, int encoding);

}  // namespace ocipg
