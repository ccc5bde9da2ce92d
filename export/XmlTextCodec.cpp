#include "export/XmlTextCodec.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace xmlexport {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

constexpr const char* ReferenceFor(char c)
{
    switch (c) {
    case '<': return "&#60;";
    case '&': return "&#38;";
    case '>': return "&#62;";
    case '\'': return "&#39;";
    case '"': return "&#34;";
    case '#': return "&#35;";
    default: return nullptr;
    }
}

// Byte classes for the scans that copy whole runs: bit 1 a special character
// of values, bit 2 a byte that names replace.
constexpr unsigned char kSpecial = 1;
constexpr unsigned char kBreaker = 2;

constexpr std::array<unsigned char, 256> MakeByteClasses()
{
    std::array<unsigned char, 256> classes{};
    for (unsigned nByte = 0; nByte < 256; ++nByte)
        if (ReferenceFor(static_cast<char>(nByte)))
            classes[nByte] |= kSpecial;
    for (unsigned char c : std::string_view(" #&<>\\'\"()*"))
        classes[c] |= kBreaker;
    return classes;
}
constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();

// Where the first byte of that class is; text.size() when there is none.
std::size_t FindClass(std::string_view text, unsigned char nClass)
{
    std::size_t i = 0;
    while (i < text.size() && !(kByteClasses[static_cast<unsigned char>(text[i])] & nClass))
        ++i;
    return i;
}

bool IsAscii(unsigned char c) { return c < 0x80; }

// No byte is 0 or above 0x7F, so the text is the same in UTF-8. Eight bytes
// at a time: the common case of a whole export.
bool IsPlainAscii(std::string_view text)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t nWord;
        std::memcpy(&nWord, text.data() + i, sizeof nWord);
        if ((nWord | ((nWord - kOnes) & ~nWord)) & kHighs)
            return false;
    }
    for (; i < text.size(); ++i)
        if (text[i] == 0 || !IsAscii(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

bool IsNameBreaker(char c) { return kByteClasses[static_cast<unsigned char>(c)] & kBreaker; }

bool IsUtf8Name(std::string charset)
{
    std::transform(charset.begin(), charset.end(), charset.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return charset == "UTF-8" || charset == "UTF8";
}

// The bytes of the well-formed UTF-8 character at text[0] (Unicode's table
// of well-formed byte sequences: no overlong forms, no surrogates, nothing
// above U+10FFFF), or 0 when it is ill-formed; valid then holds how many of
// its bytes could still begin one, which is how many one U+FFFD replaces.
std::size_t Utf8Length(std::string_view text, std::size_t& valid)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    valid = 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= text.size() || byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xBF))
            return 0;
        valid = i + 1;
    }
    return length;
}

// The C library's converter lets some ill-formed UTF-8 through; this does not.
void AppendWellFormedUtf8(std::string_view text, std::string& out)
{
    while (!text.empty()) {
        std::size_t valid = 0;
        const std::size_t length = Utf8Length(text, valid);
        if (length > 0)
            out.append(text.substr(0, length));
        else
            out.append(kReplacement);
        text.remove_prefix(length > 0 ? length : valid);
    }
}

}  // namespace

XmlTextCodec::XmlTextCodec(const std::string& sourceCharset)
    : m_hToUtf8(iconv_open("UTF-8", sourceCharset.c_str())), m_bHighMultibyte(IsUtf8Name(sourceCharset))
{
    m_bSingleByte = m_hToUtf8 != kNoConverter && !m_bHighMultibyte && NoByteStartsLonger();
}

bool XmlTextCodec::NoByteStartsLonger() const
{
    for (unsigned nByte = 0x80; nByte <= 0xFF; ++nByte) {
        char in = static_cast<char>(nByte);
        char out[16];
        char* pIn = &in;
        std::size_t nIn = 1;
        char* pOut = out;
        std::size_t nOut = sizeof out;
        iconv(m_hToUtf8, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_hToUtf8, &pIn, &nIn, &pOut, &nOut) == static_cast<std::size_t>(-1) && errno == EINVAL)
            return false;
    }
    return true;
}

XmlTextCodec::~XmlTextCodec()
{
    if (m_hToUtf8 != kNoConverter)
        iconv_close(m_hToUtf8);
}

std::size_t XmlTextCodec::CharLength(std::string_view text) const
{
    if (IsAscii(static_cast<unsigned char>(text.front())) || m_bHighMultibyte ||
        m_hToUtf8 == kNoConverter)
        return 1;
    const std::size_t nLongest = std::min<std::size_t>(text.size(), 4);
    for (std::size_t n = 1; n <= nLongest; ++n) {
        char out[16];
        char* pIn = const_cast<char*>(text.data());
        std::size_t nIn = n;
        char* pOut = out;
        std::size_t nOut = sizeof out;
        iconv(m_hToUtf8, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_hToUtf8, &pIn, &nIn, &pOut, &nOut) != static_cast<std::size_t>(-1))
            return n;
        if (errno != EINVAL)
            return 1;
    }
    return 1;
}

bool XmlTextCodec::BytesAreCharacters() const
{
    return m_bHighMultibyte || m_hToUtf8 == kNoConverter || m_bSingleByte;
}

std::string XmlTextCodec::EscapeText(std::string_view value) const
{
    std::string out;
    out.reserve(value.size() + value.size() / 10 + 7);
    AppendEscaped(value, out);
    return out;
}

void XmlTextCodec::AppendEscaped(std::string_view value, std::string& out) const
{
    if (BytesAreCharacters()) {
        // Runs without a special character are copied whole.
        while (!value.empty()) {
            const std::size_t nSpecial = FindClass(value, kSpecial);
            out.append(value.substr(0, nSpecial));
            if (nSpecial == value.size())
                return;
            out.append(ReferenceFor(value[nSpecial]));
            value.remove_prefix(nSpecial + 1);
        }
        return;
    }
    while (!value.empty()) {
        const std::size_t nChar = CharLength(value);
        const char* reference = nChar == 1 ? ReferenceFor(value.front()) : nullptr;
        if (reference)
            out.append(reference);
        else
            out.append(value.substr(0, nChar));
        value.remove_prefix(nChar);
    }
}

std::string XmlTextCodec::MakeElementName(std::string_view header) const
{
    std::string name;
    name.reserve(header.size());
    AppendElementName(header, name);
    return name;
}

void XmlTextCodec::AppendElementName(std::string_view header, std::string& out) const
{
    if (BytesAreCharacters()) {
        while (!header.empty()) {
            const std::size_t nBreaker = FindClass(header, kBreaker);
            out.append(header.substr(0, nBreaker));
            if (nBreaker == header.size())
                return;
            out.push_back('_');
            header.remove_prefix(nBreaker + 1);
        }
        return;
    }
    while (!header.empty()) {
        const std::size_t nChar = CharLength(header);
        if (nChar == 1 && IsNameBreaker(header.front()))
            out.push_back('_');
        else
            out.append(header.substr(0, nChar));
        header.remove_prefix(nChar);
    }
}

void XmlTextCodec::AppendConverted(std::string_view text, std::string& out) const
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return IsAscii(static_cast<unsigned char>(c)); })) {
        out.append(text);
        return;
    }
    if (m_bHighMultibyte) {
        AppendWellFormedUtf8(text, out);
        return;
    }
    if (m_hToUtf8 == kNoConverter) {
        for (char c : text) {
            if (IsAscii(static_cast<unsigned char>(c)))
                out.push_back(c);
            else
                out.append(kReplacement);
        }
        return;
    }
    iconv(m_hToUtf8, nullptr, nullptr, nullptr, nullptr);
    char* pIn = const_cast<char*>(text.data());
    std::size_t nIn = text.size();
    char buffer[4096];
    while (nIn > 0) {
        char* pOut = buffer;
        std::size_t nOut = sizeof buffer;
        const std::size_t nResult = iconv(m_hToUtf8, &pIn, &nIn, &pOut, &nOut);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(pOut - buffer));
        if (nResult != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        // EILSEQ, or EINVAL for a sequence cut off at the end: one byte is
        // replaced and the conversion goes on after it.
        out.append(kReplacement);
        ++pIn;
        --nIn;
        iconv(m_hToUtf8, nullptr, nullptr, nullptr, nullptr);
    }
    char* pOut = buffer;
    std::size_t nOut = sizeof buffer;
    iconv(m_hToUtf8, nullptr, nullptr, &pOut, &nOut);
    out.append(buffer, static_cast<std::size_t>(pOut - buffer));
}

std::string XmlTextCodec::ToUtf8(std::string_view text) const
{
    std::string out;
    out.reserve(text.size());
    AppendUtf8(text, out);
    return out;
}

void XmlTextCodec::AppendUtf8(std::string_view text, std::string& out) const
{
    if (IsPlainAscii(text)) {
        out.append(text);
        return;
    }
    for (;;) {
        const std::size_t nZero = text.find('\0');
        AppendConverted(text.substr(0, nZero), out);
        if (nZero == std::string_view::npos)
            return;
        out.append(kReplacement);
        text.remove_prefix(nZero + 1);
    }
}

}  // namespace xmlexport
