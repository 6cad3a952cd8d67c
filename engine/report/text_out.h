// A line-oriented text file of the engine: every line ends with CR LF. It remembers the
// system's reason for the first write that failed, so a run can name it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vorna {

class TextOut {
public:
    TextOut() = default;
    // Creates or truncates the file, or with append adds to its end; false when it cannot
    // be written (failure() says why).
    bool open(const std::filesystem::path &path, bool append = false);
    // Flushes and closes the file; false when a write, the flush or the close failed,
    // now or earlier. A file that was never opened closes without failing.
    bool close();
    bool isOpen() const { return m_stream.is_open(); }
    bool good() const { return m_failure.empty() && m_stream.good(); }
    // Writes what is buffered; false when the file is no longer complete.
    bool flush();
    // The system's reason for the first failure ("No space left on device"), or empty.
    const std::string &failure() const { return m_failure; }

    void line(std::string_view text);
    void emptyLines(int count);

    // Keeps the lines in memory instead of a file: a part of a run made aside, whose text a
    // file's own TextOut writes later, in its place, with `write`. The text goes into
    // `memory`, emptied first: a string handed on from an earlier one keeps its capacity.
    static TextOut inMemory(std::string memory = {});
    // The lines kept so far, each with its CR LF; the memory is emptied.
    std::string takeText();
    // How many characters the lines kept so far take.
    std::size_t textSize() const { return m_memory.size(); }
    // Text whose lines already end in CR LF, as `line` would have written them.
    void write(std::string_view text);

private:
    void noteFailure();

    std::ofstream m_stream;
    std::string m_failure;
    bool m_inMemory = false;
    std::string m_memory;
};

} // namespace vorna
