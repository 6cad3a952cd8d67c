#include "report/text_out.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace vorna {

namespace {

// The C library's text for the last system error; streams report no reason of their own.
std::string systemReason()
{
    const int code = errno;
    if (code == 0)
        return "the write failed";
    return std::strerror(code);
}

} // namespace

bool TextOut::open(const std::filesystem::path &path, bool append)
{
    m_failure.clear();
    errno = 0;
    m_stream.open(path,
                  std::ios::binary | std::ios::out | (append ? std::ios::app : std::ios::trunc));
    if (!m_stream.is_open())
        m_failure = systemReason();
    return m_stream.is_open();
}

void TextOut::noteFailure()
{
    if (m_failure.empty())
        m_failure = systemReason();
}

bool TextOut::flush()
{
    if (!m_stream.is_open())
        return good();
    errno = 0;
    m_stream.flush();
    if (!m_stream.good())
        noteFailure();
    return good();
}

bool TextOut::close()
{
    if (!m_stream.is_open())
        return m_failure.empty();
    flush();
    errno = 0;
    m_stream.close();
    if (m_stream.fail())
        noteFailure();
    return m_failure.empty();
}

void TextOut::line(std::string_view text)
{
    if (m_inMemory) {
        m_memory.append(text).append("\r\n", 2);
        return;
    }
    if (!m_stream.is_open() || !m_failure.empty())
        return;
    errno = 0;
    m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    m_stream.write("\r\n", 2);
    if (!m_stream.good())
        noteFailure();
}

TextOut TextOut::inMemory(std::string memory)
{
    TextOut out;
    out.m_inMemory = true;
    memory.clear();
    out.m_memory = std::move(memory);
    return out;
}

std::string TextOut::takeText()
{
    return std::exchange(m_memory, {});
}

void TextOut::write(std::string_view text)
{
    if (m_inMemory) {
        m_memory.append(text);
        return;
    }
    if (text.empty() || !m_stream.is_open() || !m_failure.empty())
        return;
    errno = 0;
    m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!m_stream.good())
        noteFailure();
}

void TextOut::emptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        line({});
}

} // namespace vorna
