#include "text_out.h"

namespace vorna {

bool TextOut::open(const std::filesystem::path &path)
{
    m_stream.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
    return m_stream.is_open();
}

void TextOut::close()
{
    if (m_stream.is_open())
        m_stream.close();
}

void TextOut::line(std::string_view text)
{
    if (!m_stream.is_open())
        return;
    m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    m_stream.write("\r\n", 2);
}

void TextOut::emptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        line({});
}

} // namespace vorna
