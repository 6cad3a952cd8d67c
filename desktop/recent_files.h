// The recent-files list: ten names, most recent first, as the File menu shows them and the
// settings keep them.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace vorna {

class RecentFiles {
public:
    static constexpr int kSize = 10;

    // Puts a name at the top. A name already first changes nothing; a name further down
    // moves up and the entries above it shift down; a new name pushes the tenth out.
    // Names compare case-sensitively. Returns false when nothing changed.
    bool Enter(const QString &fileName);

    // Ten entries, empty ones included, most recent first.
    QStringList Entries() const;
    // Takes up to ten entries; missing ones are empty.
    void SetEntries(const QStringList &entries);
    void Clear() { SetEntries({}); }

    // The number of non-empty entries.
    int Count() const;
    const QString &At(int index) const { return m_entries.at(static_cast<std::size_t>(index)); }

private:
    std::array<QString, kSize> m_entries;
};

} // namespace vorna
