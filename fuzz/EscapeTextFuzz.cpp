// Value escaping, element names and UTF-8 conversion on arbitrary bytes, in
// UTF-8 and in a character set whose second bytes can look like ASCII.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "export/XmlTextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const xmlexport::XmlTextCodec utf8("UTF-8");
    static const xmlexport::XmlTextCodec shiftJis("SHIFT_JIS");
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string escaped = utf8.EscapeText(text);
    if (escaped.find_first_of("<>'\"") != std::string::npos)
        std::abort();
    if (utf8.MakeElementName(text).size() != text.size())
        std::abort();
    // Valid UTF-8 passes unchanged, so converting twice equals converting once.
    const std::string converted = utf8.ToUtf8(escaped);
    if (utf8.ToUtf8(converted) != converted)
        std::abort();

    shiftJis.EscapeText(text);
    shiftJis.MakeElementName(text);
    const std::string fromShiftJis = shiftJis.ToUtf8(text);
    if (utf8.ToUtf8(fromShiftJis) != fromShiftJis)
        std::abort();
    return 0;
}
