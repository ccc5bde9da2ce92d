#include "export/XmlTextCodec.h"

#include <algorithm>
#include <cerrno>

namespace xmlexport {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsAscii(unsigned char c) { return c < 0x80; }

bool IsUtf8Name(std::string charset)
{
    std::transform(charset.begin(), charset.end(), charset.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return charset == "UTF-8" || charset == "UTF8";
}

const char* ReferenceFor(char c)
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

bool IsNameBreaker(char c)
{
    switch (c) {
    case ' ': case '#': case '&': case '<': case '>': case '\\':
    case '\'': case '"': case '(': case ')': case '*':
        return true;
    default:
        return false;
    }
}

}  // namespace

XmlTextCodec::XmlTextCodec(const std::string& sourceCharset)
    : m_hToUtf8(iconv_open("UTF-8", sourceCharset.c_str())), m_bHighMultibyte(IsUtf8Name(sourceCharset))
{
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

std::string XmlTextCodec::EscapeText(std::string_view value) const
{
    std::string out;
    out.reserve(value.size() + value.size() / 10 + 7);
    while (!value.empty()) {
        const std::size_t nChar = CharLength(value);
        const char* reference = nChar == 1 ? ReferenceFor(value.front()) : nullptr;
        if (reference)
            out.append(reference);
        else
            out.append(value.substr(0, nChar));
        value.remove_prefix(nChar);
    }
    return out;
}

std::string XmlTextCodec::MakeElementName(std::string_view header) const
{
    std::string name;
    name.reserve(header.size());
    while (!header.empty()) {
        const std::size_t nChar = CharLength(header);
        if (nChar == 1 && IsNameBreaker(header.front()))
            name.push_back('_');
        else
            name.append(header.substr(0, nChar));
        header.remove_prefix(nChar);
    }
    return name;
}

void XmlTextCodec::AppendConverted(std::string_view text, std::string& out) const
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return IsAscii(static_cast<unsigned char>(c)); })) {
        out.append(text);
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
    for (;;) {
        const std::size_t nZero = text.find('\0');
        AppendConverted(text.substr(0, nZero), out);
        if (nZero == std::string_view::npos)
            return out;
        out.append(kReplacement);
        text.remove_prefix(nZero + 1);
    }
}

}  // namespace xmlexport
