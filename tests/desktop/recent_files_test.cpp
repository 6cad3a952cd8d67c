#include "../tables/qt_print.h"
#include "recent_files.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

QString name(int i)
{
    return QStringLiteral("/jobs/p%1.vrd").arg(i);
}

// Entries of a list filled with p1 .. pn, most recent (pn) first.
RecentFiles filled(int n)
{
    RecentFiles recent;
    for (int i = 1; i <= n; ++i)
        recent.Enter(name(i));
    return recent;
}

TEST(RecentFiles, StartsEmpty)
{
    RecentFiles recent;
    EXPECT_EQ(recent.Count(), 0);
    EXPECT_EQ(recent.Entries().size(), 10);
}

TEST(RecentFiles, SameFileTwiceKeepsOneEntry)
{
    RecentFiles recent = filled(3);
    EXPECT_FALSE(recent.Enter(name(3)));
    EXPECT_EQ(recent.Count(), 3);
    EXPECT_EQ(recent.At(0), name(3));
    EXPECT_EQ(recent.At(1), name(2));
}

TEST(RecentFiles, EntryFiveMovesToTheTop)
{
    RecentFiles recent = filled(7); // p7 p6 p5 p4 p3 p2 p1
    ASSERT_EQ(recent.At(4), name(3));
    EXPECT_TRUE(recent.Enter(name(3)));
    const QStringList expected = {name(3), name(7), name(6), name(5), name(4),
                                  name(2), name(1), {},      {},      {}};
    EXPECT_EQ(recent.Entries(), expected);
    EXPECT_EQ(recent.Count(), 7);
}

TEST(RecentFiles, EleventhFileDropsTheOldest)
{
    RecentFiles recent = filled(11);
    EXPECT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.At(0), name(11));
    EXPECT_EQ(recent.At(9), name(2));
    EXPECT_FALSE(recent.Entries().contains(name(1)));
}

TEST(RecentFiles, NamesCompareCaseSensitively)
{
    RecentFiles recent;
    recent.Enter(QStringLiteral("/jobs/Pier.vrd"));
    recent.Enter(QStringLiteral("/jobs/pier.vrd"));
    EXPECT_EQ(recent.Count(), 2);
}

TEST(RecentFiles, TakesStoredEntries)
{
    RecentFiles recent;
    recent.SetEntries({name(1), QString(), name(2)});
    EXPECT_EQ(recent.Count(), 2);
    EXPECT_EQ(recent.At(2), name(2));
    EXPECT_EQ(recent.At(9), QString());
}

} // namespace
