#include "export/SaveXmlNames.h"

#include <vector>

namespace xmlexport {

std::string WithDefaultExtension(std::string_view path, std::string_view extension)
{
    const std::size_t nSlash = path.rfind('/');
    const std::string_view fileName = nSlash == std::string_view::npos ? path : path.substr(nSlash + 1);
    std::string result(path);
    if (fileName.find('.') == std::string_view::npos)
        result.append(".").append(extension);
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

std::string AbsolutePath(std::string_view path, std::string_view currentDir)
{
    std::string joined;
    if (path.empty() || path.front() != '/')
        joined.append(currentDir).append("/");
    joined.append(path);
    std::vector<std::string_view> arrParts;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const std::size_t nSlash = rest.find('/');
        const std::string_view part = rest.substr(0, nSlash);
        rest = nSlash == std::string_view::npos ? std::string_view() : rest.substr(nSlash + 1);
        if (part.empty() || part == ".")
            continue;
        // A ".." at the root stays, as Qt's own paths keep it.
        if (part == ".." && !arrParts.empty() && arrParts.back() != "..")
            arrParts.pop_back();
        else
            arrParts.push_back(part);
    }
    std::string result;
    for (const std::string_view part : arrParts)
        result.append("/").append(part);
    return result.empty() ? "/" : result;
}

}  // namespace xmlexport
