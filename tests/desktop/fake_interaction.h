// Scripted answers for the main window's questions, and a record of what it showed and
// started, so the window tests run without dialogs.
#pragma once

#include "user_interaction.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace vorna::test {

class FakeInteraction : public UserInteraction {
public:
    QStringList messages; // information texts, in order
    int saveQueries = 0;
    SaveAnswer saveAnswer = SaveAnswer::Cancel;
    QStringList questions;          // texts of Ask, in order
    std::deque<SaveAnswer> answers; // Cancel when none is left
    std::deque<OpenChoice> openAnswers;
    std::deque<QString> saveAnswers; // an empty name cancels
    QStringList saveTitles;
    QStringList started; // program and arguments joined by "|"
    bool startSucceeds = true;
    QStringList documents;
    bool printerChosen = false;
    // Called while an information box would be open, as a user acting then would.
    std::function<void(const QString &)> whileInformationShows;

    void Information(QWidget *, const QString &text) override
    {
        messages << text;
        if (whileInformationShows)
            whileInformationShows(text);
    }
    SaveAnswer AskSaveChanges(QWidget *) override
    {
        ++saveQueries;
        return saveAnswer;
    }
    SaveAnswer Ask(QWidget *, const QString &text) override
    {
        questions << text;
        if (answers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    OpenChoice OpenFileName(QWidget *) override
    {
        if (openAnswers.empty())
            return {};
        OpenChoice choice = openAnswers.front();
        openAnswers.pop_front();
        return choice;
    }
    QString SaveFileName(QWidget *, const QString &title, const QString &) override
    {
        saveTitles << title;
        if (saveAnswers.empty())
            return {};
        QString name = saveAnswers.front();
        saveAnswers.pop_front();
        return name;
    }
    bool StartProgram(const QString &program, const QStringList &arguments) override
    {
        started << (QStringList{program} + arguments).join(u'|');
        return startSucceeds;
    }
    bool OpenDocument(const QString &fileName) override
    {
        documents << fileName;
        return true;
    }
    bool ChoosePrinter(QWidget *, QPrinter &) override { return printerChosen; }
};

} // namespace vorna::test
