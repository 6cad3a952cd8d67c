#include "recent_files.h"

#include <algorithm>

namespace vorna {

bool RecentFiles::Enter(const QString &fileName)
{
    if (m_entries[0] == fileName)
        return false;
    auto found = std::find(m_entries.begin() + 1, m_entries.end(), fileName);
    if (found == m_entries.end())
        found = m_entries.end() - 1; // the oldest entry makes room
    std::move_backward(m_entries.begin(), found, found + 1);
    m_entries[0] = fileName;
    return true;
}

QStringList RecentFiles::Entries() const
{
    return QStringList(m_entries.begin(), m_entries.end());
}

void RecentFiles::SetEntries(const QStringList &entries)
{
    for (int i = 0; i < kSize; ++i)
        m_entries[static_cast<std::size_t>(i)] = i < entries.size() ? entries[i] : QString();
}

int RecentFiles::Count() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const QString &e) { return !e.isEmpty(); }));
}

} // namespace vorna
