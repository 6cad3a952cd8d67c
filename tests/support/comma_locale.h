// A GoogleTest fixture whose cases run with a default QLocale that writes decimal commas, so
// that a number read or written through the locale shows up as a failure.
#pragma once

#include <QLocale>

#include <gtest/gtest.h>

namespace vorna::test {

class CommaLocaleTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

} // namespace vorna::test
