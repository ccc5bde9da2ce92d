#pragma once

// What the program's tests share beside the cluster: an environment, a folder or a file size
// limit for one scope, and the texts the code would show in message boxes.

#include "ocipg/tests/support/TestFixture.h"
#include "platform/UserMessage.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testfixture {

using ocitest::ScopedEnv;

// Records the texts the code under test would show in message boxes.
class MessageRecorder {
public:
    MessageRecorder()
        : m_previous(platform::SetUserMessageHandler([this](const std::string& strText) { m_texts.push_back(strText); }))
    {
    }
    ~MessageRecorder() { platform::SetUserMessageHandler(std::move(m_previous)); }

    std::vector<std::string> m_texts;

private:
    platform::UserMessageHandler m_previous;
};

}  // namespace testfixture

// Files this process writes may grow to this many bytes only, for one scope:
// a write past it fails as on a full disk (EFBIG, with SIGXFSZ ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t nBytes) : m_pfnOldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        const struct rlimit small {nBytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_pfnOldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit m_old {};
    void (*m_pfnOldHandler)(int);
};

// A folder of its own for one test, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumidex-test-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& relative) const { return (m_path / relative).string(); }

    // Writes text to a file under the folder, creating its folders.
    std::string Put(const std::string& relative, const std::string& text) const
    {
        const std::filesystem::path path = m_path / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    static std::string Read(const std::string& path)
    {
        return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
    }

private:
    std::filesystem::path m_path;
};
