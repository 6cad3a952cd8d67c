// One check for an exception's type and its exact text, for the engine's and the desktop's tests.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>

namespace vorna::test {

// Succeeds when the statement throws an E (or a type derived from it) whose what() is exactly
// the expected text; any other exception, none, or another text is a failure that says which.
template <class E, class Statement>
::testing::AssertionResult throwsWithText(Statement &&statement, std::string_view expected)
{
    try {
        statement();
    } catch (const E &e) {
        if (std::string_view(e.what()) == expected)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "threw the expected type with the text\n  \"" << e.what()
               << "\"\ninstead of\n  \"" << expected << "\"";
    } catch (const std::exception &e) {
        return ::testing::AssertionFailure() << "threw another type, with \"" << e.what() << "\"";
    } catch (...) {
        return ::testing::AssertionFailure() << "threw something that is not a std::exception";
    }
    return ::testing::AssertionFailure() << "threw nothing";
}

} // namespace vorna::test

// EXPECT_THROW that also compares the text: EXPECT_THROW_TEXT(load(file), EInputError, "...").
#define EXPECT_THROW_TEXT(statement, ExceptionType, expectedText)                                  \
    EXPECT_TRUE(::vorna::test::throwsWithText<ExceptionType>([&] { statement; }, (expectedText)))
