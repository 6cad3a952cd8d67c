#include "test_files.h"

#include <atomic>
#include <random>
#include <unistd.h>

namespace vorna::test {

ScratchFolder::ScratchFolder()
{
    std::random_device seed;
    for (;;) {
        m_path = std::filesystem::temp_directory_path() /
                 ("vorna-test-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

void writeFile(const std::filesystem::path &path, const std::string &content)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream << content;
}

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

std::string crlf(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> fileLines(const std::filesystem::path &path)
{
    std::vector<std::string> lines;
    const std::string text = readFile(path);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace vorna::test
