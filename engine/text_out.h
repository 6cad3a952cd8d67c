// A line-oriented text file of the engine: every line ends with CR LF.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vorna {

class TextOut {
public:
    TextOut() = default;
    // Creates or truncates the file; false when it cannot be written.
    bool open(const std::filesystem::path &path);
    void close();
    bool isOpen() const { return m_stream.is_open(); }
    bool good() const { return m_stream.good(); }

    void line(std::string_view text);
    void emptyLines(int count);

private:
    std::ofstream m_stream;
};

} // namespace vorna
