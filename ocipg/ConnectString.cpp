#include "ocipg/ConnectString.h"

#include "ocipg/Errors.h"
#include "ocipg/TnsNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>

namespace ocipg {

namespace {

// (KEY = value) or (KEY = (..)(..)) of a connect descriptor.
struct Node {
    std::string m_strKey;
    std::string m_strValue;
    std::vector<Node> m_children;
};

std::string Upper(std::string_view text)
{
    std::string result;
    for (char c : text)
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return std::string(text);
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    bool AtEnd()
    {
        SkipBlanks();
        return m_nPos >= m_text.size();
    }

    // A descriptor nested deeper than any real one is refused, so a hostile
    // file cannot exhaust the stack.
    bool Descriptor(Node& node)
    {
        if (m_nDepth >= kMaxDepth)
            return false;
        ++m_nDepth;
        const bool ok = Nested(node);
        --m_nDepth;
        return ok;
    }

private:
    static constexpr int kMaxDepth = 32;

    bool Nested(Node& node)
    {
        if (AtEnd() || m_text[m_nPos] != '(')
            return false;
        ++m_nPos;
        std::string key;
        while (m_nPos < m_text.size() && m_text[m_nPos] != '=' && m_text[m_nPos] != ')')
            key += m_text[m_nPos++];
        if (m_nPos >= m_text.size() || m_text[m_nPos] != '=')
            return false;
        ++m_nPos;
        node.m_strKey = Upper(Trim(key));
        if (AtEnd())
            return false;
        if (m_text[m_nPos] == '(') {
            while (!AtEnd() && m_text[m_nPos] == '(') {
                node.m_children.emplace_back();
                if (!Descriptor(node.m_children.back()))
                    return false;
            }
        } else {
            std::string value;
            while (m_nPos < m_text.size() && m_text[m_nPos] != ')')
                value += m_text[m_nPos++];
            node.m_strValue = Trim(value);
        }
        if (AtEnd() || m_text[m_nPos] != ')')
            return false;
        ++m_nPos;
        return true;
    }

    void SkipBlanks()
    {
        while (m_nPos < m_text.size()) {
            if (m_text[m_nPos] == '#') {
                while (m_nPos < m_text.size() && m_text[m_nPos] != '\n')
                    ++m_nPos;
            } else if (std::isspace(static_cast<unsigned char>(m_text[m_nPos]))) {
                ++m_nPos;
            } else {
                return;
            }
        }
    }

    std::string_view m_text;
    size_t m_nPos = 0;
    int m_nDepth = 0;
};

const Node* Child(const Node& node, std::string_view key)
{
    for (const Node& child : node.m_children)
        if (child.m_strKey == key)
            return &child;
    return nullptr;
}

std::string ValueOf(const Node& node, std::string_view key)
{
    const Node* child = Child(node, key);
    return child ? child->m_strValue : std::string();
}

// The port of the PostgreSQL socket in a folder: NNNN of .s.PGSQL.NNNN.
int SocketPort(const std::string& folder)
{
    int port = 5432;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name(entry->d_name);
            constexpr std::string_view prefix = ".s.PGSQL.";
            if (name.substr(0, prefix.size()) != prefix)
                continue;
            const std::string digits(name.substr(prefix.size()));
            if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos) {
                port = std::atoi(digits.c_str());
                break;
            }
        }
        closedir(dir);
    }
    return port;
}

// Depth first, so the addresses come in the order the descriptor lists them.
void CollectAddresses(const Node& node, const std::string& database, std::vector<ConnectTarget>& targets)
{
    std::string db = database;
    if (node.m_strKey == "DESCRIPTION") {
        if (const Node* data = Child(node, "CONNECT_DATA")) {
            db = ValueOf(*data, "SERVICE_NAME");
            if (db.empty())
                db = ValueOf(*data, "SID");
        }
    }
    if (node.m_strKey == "ADDRESS") {
        const std::string protocol = Upper(ValueOf(node, "PROTOCOL"));
        ConnectTarget target;
        target.m_strDatabase = db;
        if (protocol == "IPC") {
            target.m_strHost = ValueOf(node, "KEY");
            target.m_nPort = SocketPort(target.m_strHost);
        } else if (protocol == "TCP" || protocol == "TCPS") {
            target.m_bTls = protocol == "TCPS";
            target.m_strHost = ValueOf(node, "HOST");
            const std::string port = ValueOf(node, "PORT");
            target.m_nPort = port.empty() ? 5432 : std::atoi(port.c_str());
        }
        if (!target.m_strHost.empty())
            targets.push_back(target);
        return;
    }
    for (const Node& child : node.m_children)
        CollectAddresses(child, db, targets);
}

// Fills targets from the first readable entry of the alias; false when
// there is none.
bool FromAlias(std::string_view alias, std::vector<ConnectTarget>& targets)
{
    return FindTnsEntry(alias, [&targets](std::string_view descriptor) {
        Parser parser(descriptor);
        Node node;
        if (!parser.Descriptor(node) || !parser.AtEnd())
            return false;
        CollectAddresses(node, {}, targets);
        return true;
    });
}

bool IsDirectory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// host[:port][/service]; a host beginning with "/" is a socket folder, whose
// service (when no port is given) is the last part unless the whole path is
// a folder.
sb4 FromEasyConnect(std::string_view text, std::vector<ConnectTarget>& targets)
{
    if (text.substr(0, 2) == "//")
        text.remove_prefix(2);
    if (text.empty())
        return kOraCannotResolve;
    ConnectTarget target;
    std::string_view rest;
    const size_t colon = text.rfind(':');
    if (text.front() == '/' && colon == std::string_view::npos) {
        const std::string whole(text);
        if (IsDirectory(whole)) {
            target.m_strHost = whole;
        } else {
            const size_t slash = text.rfind('/');
            target.m_strHost = std::string(text.substr(0, slash));
            target.m_strDatabase = std::string(text.substr(slash + 1));
        }
        if (target.m_strHost.empty())
            return kOraCannotResolve;
        target.m_nPort = SocketPort(target.m_strHost);
        targets.push_back(target);
        return 0;
    }
    if (text.front() == '/') {
        target.m_strHost = std::string(text.substr(0, colon));
        rest = text.substr(colon);
    } else {
        const size_t end = text.find_first_of(":/");
        target.m_strHost = std::string(text.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : text.substr(end);
    }
    if (target.m_strHost.empty())
        return kOraCannotResolve;
    if (!rest.empty() && rest.front() == ':') {
        const size_t slash = rest.find('/');
        const std::string digits(rest.substr(1, slash == std::string_view::npos ? slash : slash - 1));
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
            return kOraCannotResolve;
        target.m_nPort = std::atoi(digits.c_str());
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    } else if (target.m_strHost.front() == '/') {
        target.m_nPort = SocketPort(target.m_strHost);
    } else {
        target.m_nPort = 5432;
    }
    if (!rest.empty()) {
        if (rest.front() != '/')
            return kOraCannotResolve;
        target.m_strDatabase = std::string(rest.substr(1));
    }
    targets.push_back(target);
    return 0;
}

}  // namespace

sb4 ResolveConnectString(std::string_view text, std::vector<ConnectTarget>& targets)
{
    targets.clear();
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return kOraBadServiceName;
    if (trimmed.front() == '(') {
        Parser parser(trimmed);
        Node node;
        if (parser.Descriptor(node))
            CollectAddresses(node, {}, targets);
        return targets.empty() ? kOraCannotResolve : 0;
    }
    if (FromAlias(trimmed, targets))
        return targets.empty() ? kOraCannotResolve : 0;
    if (trimmed.find_first_of(":/") == std::string::npos)
        return kOraCannotResolve;
    return FromEasyConnect(trimmed, targets);
}

}  // namespace ocipg
