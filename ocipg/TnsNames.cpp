#include "ocipg/TnsNames.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace ocipg {

namespace {

constexpr int kMaxIncludeDepth = 8;

std::string Upper(std::string_view text)
{
    std::string result;
    for (char c : text)
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string MainFile()
{
    for (const char* variable : {"TNS_ADMIN", "ORACLE_HOME"}) {
        const char* dir = std::getenv(variable);
        if (!dir || !*dir)
            continue;
        std::string path = dir;
        if (std::string_view(variable) == "ORACLE_HOME")
            path += "/network/admin";
        path += "/tnsnames.ora";
        if (IsRegularFile(path))
            return path;
    }
    return {};
}

// The entries of a file: each begins at a line whose first character is
// neither blank nor '#'.
std::vector<std::string_view> Entries(std::string_view text)
{
    std::vector<std::string_view> entries;
    size_t start = std::string_view::npos;
    for (size_t line = 0; line < text.size();) {
        const char first = text[line];
        if (!std::isspace(static_cast<unsigned char>(first)) && first != '#') {
            if (start != std::string_view::npos)
                entries.push_back(text.substr(start, line - start));
            start = line;
        }
        const size_t end = text.find('\n', line);
        line = end == std::string_view::npos ? text.size() : end + 1;
    }
    if (start != std::string_view::npos)
        entries.push_back(text.substr(start));
    return entries;
}

// "A, B = rest": the names in upper case and the rest; false without "=".
bool SplitEntry(std::string_view entry, std::vector<std::string>& names, std::string_view& rest)
{
    const size_t equals = entry.find('=');
    if (equals == std::string_view::npos)
        return false;
    std::string_view list = entry.substr(0, equals);
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view name = Trim(list.substr(0, comma));
        for (char c : name)
            if (std::isspace(static_cast<unsigned char>(c)) || c == '(' || c == ')' || c == '#')
                return false;
        if (name.empty())
            return false;
        names.push_back(Upper(name));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    rest = entry.substr(equals + 1);
    return !names.empty();
}

class Reader {
public:
    Reader(std::string_view alias, const std::function<bool(std::string_view)>& take)
        : m_strAlias(Upper(alias)), m_take(take)
    {
    }

    bool Read(const std::string& path, int depth)
    {
        std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
        if (!real || !IsRegularFile(real.get()))
            return false;
        const std::string file = real.get();
        for (const std::string& open : m_reading)
            if (open == file)
                return false;
        std::ifstream stream(file);
        std::stringstream content;
        content << stream.rdbuf();
        const std::string text = content.str();
        m_reading.push_back(file);
        bool found = false;
        for (std::string_view entry : Entries(text)) {
            if ((found = Entry(entry, file, depth)))
                break;
        }
        m_reading.pop_back();
        return found;
    }

private:
    bool Entry(std::string_view entry, const std::string& file, int depth)
    {
        std::vector<std::string> names;
        std::string_view rest;
        if (!SplitEntry(entry, names, rest))
            return false;
        if (names.size() == 1 && names[0] == "IFILE")
            return depth < kMaxIncludeDepth && Read(IncludedPath(rest, file), depth + 1);
        for (const std::string& name : names)
            if (name == m_strAlias)
                return m_take(rest);
        return false;
    }

    // The path of "IFILE = path # comment", relative to the including file.
    static std::string IncludedPath(std::string_view rest, const std::string& file)
    {
        const std::string path(Trim(rest.substr(0, rest.find('#'))));
        if (path.empty() || path.front() == '/')
            return path;
        return file.substr(0, file.rfind('/') + 1) + path;
    }

    std::string m_strAlias;
    const std::function<bool(std::string_view)>& m_take;
    std::vector<std::string> m_reading;  // the include chain, to stop a loop
};

}  // namespace

bool FindTnsEntry(std::string_view alias, const std::function<bool(std::string_view)>& take)
{
    const std::string path = MainFile();
    return !path.empty() && Reader(alias, take).Read(path, 0);
}

}  // namespace ocipg
