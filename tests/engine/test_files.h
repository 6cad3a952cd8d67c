// Helpers of the engine tests: a scratch folder, and whole files in and out.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vorna::test {

// A fresh folder under the system temporary folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

void writeFile(const std::filesystem::path &path, const std::string &content);
std::string readFile(const std::filesystem::path &path);

// Lines joined with CR LF, and a CR LF after the last one.
std::string crlf(const std::vector<std::string> &lines);
// A file's lines without their CR LF ends.
std::vector<std::string> fileLines(const std::filesystem::path &path);

} // namespace vorna::test
