#include "export/SaveXmlNames.h"

namespace xmlexport {

std::string WithXmlExtension(std::string_view path)
{
    const std::size_t nSlash = path.rfind('/');
    const std::string_view fileName = nSlash == std::string_view::npos ? path : path.substr(nSlash + 1);
    std::string result(path);
    if (fileName.find('.') == std::string_view::npos)
        result += ".xml";
    return result;
}

std::string StylesheetName(std::string_view fileName)
{
    std::string name(fileName);
    // ASCII folding only, so that positions in the copy are positions in the name.
    std::string upper(fileName);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (const std::size_t nAt = upper.find(".XML"); nAt != std::string::npos)
        name.erase(nAt, 4);
    return name + ".xsl";
}

}  // namespace xmlexport
