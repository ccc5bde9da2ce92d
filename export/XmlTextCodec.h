#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

#include "platform/LocaleCharset.h"

namespace xmlexport {

// Turns the 8-bit texts of the list (bytes of one character set, the
// locale's unless told otherwise) into what the XML files hold: element
// names, escaped values, UTF-8.
class XmlTextCodec {
public:
    explicit XmlTextCodec(const std::string& sourceCharset = platform::LocaleCharset());
    virtual ~XmlTextCodec();
    XmlTextCodec(const XmlTextCodec&) = delete;
    XmlTextCodec& operator=(const XmlTextCodec&) = delete;

    // The value with < & > ' " # written as numeric character references;
    // everything else, control bytes included, is copied unchanged.
    std::string EscapeText(std::string_view value) const;
    // The same, appended to out.
    void AppendEscaped(std::string_view value, std::string& out) const;

    // The header with each of: space # & < > \ ' " ( ) * replaced by '_'.
    // Nothing else changes; the result is not checked against XML's rules
    // for names.
    std::string MakeElementName(std::string_view header) const;
    // The same, appended to out.
    void AppendElementName(std::string_view header, std::string& out) const;

    // The text in UTF-8. A byte sequence that is not a character of the
    // source character set becomes U+FFFD, and so does a zero byte, which
    // XML cannot hold.
    std::string ToUtf8(std::string_view text) const;
    // The same, appended to out.
    void AppendUtf8(std::string_view text, std::string& out) const;

private:
    // Bytes in the character starting at text[0]. Multibyte characters are
    // walked whole so that a second byte is never taken for one of the
    // special characters; an incomplete or invalid one counts as one byte.
    std::size_t CharLength(std::string_view text) const;
    // Every character is one byte long: UTF-8 (whose special characters are
    // never part of a longer one), a single-byte set, or no converter.
    bool BytesAreCharacters() const;
    // No byte of the source set is the start of a longer character.
    bool NoByteStartsLonger() const;
    void AppendConverted(std::string_view text, std::string& out) const;

    iconv_t m_hToUtf8;
    // Each byte of a multibyte character is 0x80 or above, as in UTF-8.
    bool m_bHighMultibyte;
    bool m_bSingleByte = false;
};

}  // namespace xmlexport
