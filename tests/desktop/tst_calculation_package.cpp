// The calculation package: its pages and, read back through pdftotext, the title block on
// every page, an input table line, the design rows and the report's own lines; the measured
// curve when a load test is kept; and `vornadesk --export-pdf` on a bundled example and on
// projects and outputs that cannot be used.
#include "calculation_package.h"
#include "fake_interaction.h"
#include "file_names.h"
#include "load_test.h"
#include "main_window.h"
#include "package_export.h"
#include "program_data.h"
#include "program_tables.h"
#include "project_file.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace vorna;

class tst_CalculationPackage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A bundled example copied into a folder of its own, without results.
    QString exampleProject(const QString &folder, const QString &example)
    {
        QDir(m_dir.path()).mkpath(folder);
        const QString file = QDir(path(folder)).filePath(example);
        QFile::remove(file);
        QFile::copy(QDir(QStringLiteral(VORNA_EXAMPLES_DIR)).filePath(example), file);
        QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return file;
    }
    // The in-process export, as main() calls it; its messages land in `errors`.
    static int exportPdf(const QString &project, const QString &pdf, QString *errors = nullptr)
    {
        QString text;
        QTextStream stream(&text);
        const int status = exportCalculationPackage(
            {QStringLiteral("vornadesk"), QLatin1String(kExportPdfOption), project, pdf},
            QCoreApplication::applicationDirPath(), stream);
        stream.flush();
        if (errors)
            *errors = text;
        return status;
    }
    // The PDF's text with its layout kept, pages ended by form feeds.
    static QString pdfText(const QString &pdf)
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static bool havePdfToText()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }
    static bool matches(const QString &text, const QString &pattern)
    {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption)
            .match(text)
            .hasMatch();
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void packageOfAnExample()
    {
        const QString project =
            exampleProject(QStringLiteral("si"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        const QString pdf = path(QStringLiteral("si/package.pdf"));
        QString errors;
        QCOMPARE(exportPdf(project, pdf, &errors), kExportWritten);
        QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(errors));
        QVERIFY(resultsAreCurrent(project));

        // The module itself, on the results the export's run left.
        ProgramTables tables;
        QStringList messages;
        const TProgramData data = CreateFromFile(project, ProjectLayout::Current, tables, messages);
        QVERIFY(messages.isEmpty());
        const QString again = path(QStringLiteral("si/again.pdf"));
        const int pages =
            writeCalculationPackage({data, tables, std::nullopt, QDate(2026, 3, 4)}, again);
        QVERIFY(pages >= 5); // input, results, graphs, elevation view, report

        if (!havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        const QString text = pdfText(again);
        const QStringList pageTexts = text.split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages);
        for (int i = 0; i < pages; ++i) {
            const QString &page = pageTexts[i];
            QVERIFY2(page.contains(QStringLiteral("page %1 of %2").arg(i + 1).arg(pages)),
                     qPrintable(page.left(300)));
            QVERIFY(
                page.contains(QStringLiteral("Bridge pier P3 - sand over clay over weak rock")));
            QVERIFY(page.contains(QStringLiteral("2026-03-04")));
            QVERIFY(page.contains(QStringLiteral("bridge_pier_lrfd_si.vrd")));
        }
        // Input tables in the project's (SI) units.
        QVERIFY(matches(text, QStringLiteral("Minimum stem diameter\\s+0\\.900 m")));
        QVERIFY(matches(text, QStringLiteral("Design load\\s+3000\\.0 kN")));
        QVERIFY(matches(text, QStringLiteral("^\\s*Top\\s+18\\.5\\s+32\\s+12")));
        // The design row of the first diameter is the last row of its table in the report.
        QVERIFY(matches(
            text,
            QStringLiteral("^\\s*0\\.900\\s+M\\s+0\\.900\\s+M\\s+14\\.0\\s+8\\.9\\s+1928\\.5")));
        QVERIFY(matches(text, QStringLiteral("ULTIMATE LOAD CAPACITY\\s*6694\\.61 KN")));
        // The report follows whole, in its own columns.
        QVERIFY(matches(text, QStringLiteral("THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE")));
        QVERIFY(matches(text, QStringLiteral("^\\s*14\\.0\\s+8\\.9\\s+1928\\.5\\s+4766\\.1\\s+"
                                             "6694\\.6\\s+907\\.1\\s+2383\\.1\\s+3290\\.13")));
        QVERIFY(text.contains(QStringLiteral("Elevation view")));
        QVERIFY(!text.contains(QStringLiteral("Load Test")));
    }

    // Warning blocks between a table's rows: the design row is still the table's last row.
    void designRowPastWarnings()
    {
        const QString project = exampleProject(QStringLiteral("gravel"),
                                               QStringLiteral("gravel_decomposed_rock_si.vrd"));
        const QString pdf = path(QStringLiteral("gravel/package.pdf"));
        QCOMPARE(exportPdf(project, pdf), kExportWritten);
        if (!havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        QVERIFY(
            matches(pdfText(pdf), QStringLiteral("^\\s*1\\.200\\s+M\\s+1\\.200\\s+M\\s+18\\.0\\s+"
                                                 "20\\.4\\s+8922\\.5\\s+2355\\.7\\s+11278\\.2")));
    }

    void measuredCurveWhenKept()
    {
        const QString project =
            exampleProject(QStringLiteral("kept"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        LoadTestCurve curve;
        curve.points = {{1000.0, 0.002}, {4000.0, 0.01}, {6000.0, 0.03}, {7000.0, 0.06}};
        writeLoadTestFile(loadTestFileName(project), curve, 2);
        const QString pdf = path(QStringLiteral("kept/package.pdf"));
        QCOMPARE(exportPdf(project, pdf), kExportWritten);
        if (!havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        const QString text = pdfText(pdf);
        // 5 % of 0.9 m is 0.045 m: 6000 + 1000 x (0.045 - 0.03) / (0.06 - 0.03) = 6500 kN.
        QVERIFY2(
            matches(text, QStringLiteral(
                              "Measured load test at 5% of the first base diameter: 6500\\.0 kN")),
            qPrintable(text.left(3000)));
        QVERIFY(text.contains(QStringLiteral("Load Test")));
    }

    void resultsOlderThanTheProjectAreNotCurrent()
    {
        const QString project =
            exampleProject(QStringLiteral("stale"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        QVERIFY(!resultsAreCurrent(project));
        QCOMPARE(exportPdf(project, path(QStringLiteral("stale/a.pdf"))), kExportWritten);
        QVERIFY(resultsAreCurrent(project));
        // The results as they would be had the project been saved after the run.
        QFile plot(withExtension(project, QStringLiteral(".vrp")));
        QVERIFY(plot.open(QIODevice::ReadWrite));
        QVERIFY(plot.setFileTime(QFileInfo(project).lastModified().addSecs(-60),
                                 QFileDevice::FileModificationTime));
        plot.close();
        QVERIFY(!resultsAreCurrent(project));
        // The export runs the analysis again, which brings the results up to date.
        QCOMPARE(exportPdf(project, path(QStringLiteral("stale/b.pdf"))), kExportWritten);
        QVERIFY(QFileInfo(withExtension(project, QStringLiteral(".vrp"))).lastModified() >=
                QFileInfo(project).lastModified().addSecs(-1));
    }

    void failuresSayWhatIsWrong_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing project") << "none/missing.vrd"
                                         << "none/out.pdf"
                                         << "cannot be read";
        QTest::newRow("not a project") << "bad/garbage.vrd"
                                       << "bad/out.pdf"
                                       << "could not be read wholly";
        QTest::newRow("result extension") << "bad/job.vro"
                                          << "bad/out.pdf"
                                          << "extension";
        QTest::newRow("failed run") << "fail/example.vrd"
                                    << "fail/out.pdf"
                                    << "ended with status 6";
        QTest::newRow("unwritable output") << "good/bridge_pier_lrfd_si.vrd"
                                           << "no/such/folder/out.pdf"
                                           << "cannot be written";
    }
    void failuresSayWhatIsWrong()
    {
        QFETCH(QString, project);
        QFETCH(QString, pdf);
        QFETCH(QString, message);
        QDir(m_dir.path()).mkpath(QStringLiteral("bad"));
        QFile garbage(path(QStringLiteral("bad/garbage.vrd")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("this is no project\n1 2 x\n");
        garbage.close();
        exampleProject(QStringLiteral("good"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        // This example needs another soil layer: its run stops without complete results.
        exampleProject(QStringLiteral("fail"), QStringLiteral("example.vrd"));
        QString errors;
        QCOMPARE(exportPdf(path(project), path(pdf), &errors), kExportFailed);
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QVERIFY(!QFileInfo::exists(path(pdf)));
    }

    void failedExportKeepsTheOldFile()
    {
        const QString project =
            exampleProject(QStringLiteral("old"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        const QString pdf = path(QStringLiteral("old/package.pdf"));
        QCOMPARE(exportPdf(project, pdf), kExportWritten);
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();
        // Current but unreadable results: the package fails before a byte of it is kept.
        QFile plot(withExtension(project, QStringLiteral(".vrp")));
        QVERIFY(plot.open(QIODevice::WriteOnly | QIODevice::Truncate));
        plot.write("1 x\n");
        plot.close();
        QVERIFY(resultsAreCurrent(project));
        QString errors;
        QCOMPARE(exportPdf(project, pdf, &errors), kExportFailed);
        QVERIFY2(errors.contains(QStringLiteral("cannot be read")), qPrintable(errors));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        old.close();
        // A folder in the package's place cannot be replaced by a file, and stays.
        const QString blocked = path(QStringLiteral("old/blocked.pdf"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/kept")));
        QCOMPARE(exportPdf(exampleProject(QStringLiteral("old2"),
                                          QStringLiteral("bridge_pier_lrfd_si.vrd")),
                           blocked, &errors),
                 kExportFailed);
        QVERIFY2(errors.contains(QStringLiteral("cannot be written")), qPrintable(errors));
        QVERIFY(QFileInfo(blocked + QStringLiteral("/kept")).isDir());
    }

    // File > Export Calculation Package...: refused without the project's current results,
    // written to the chosen name with them.
    void menuCommand()
    {
        const QString project =
            exampleProject(QStringLiteral("menu"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        auto fake = std::make_unique<vorna::test::FakeInteraction>();
        vorna::test::FakeInteraction &answers = *fake;
        TMainForm form(QString(),
                       std::make_unique<AppSettings>(path(QStringLiteral("menu/settings.ini"))),
                       std::move(fake));
        form.OpenProjectFile(project);
        QAction *command = form.findChild<QAction *>(QStringLiteral("FileExportPackage"));
        QVERIFY(command);
        const QString pdf = path(QStringLiteral("menu/chosen.pdf"));
        answers.saveAnswers = {pdf};
        command->trigger();
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages.front().contains(QStringLiteral("run the analysis first")));
        QVERIFY(!QFileInfo::exists(pdf));

        form.findChild<QAction *>(QStringLiteral("CompRun"))->trigger();
        QVERIFY(form.ResultsAvailable());
        answers.messages.clear();
        command->trigger();
        QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join(u'\n')));
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    // The program itself, without a display: exit status, the PDF, the message on stderr.
    void commandLine_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("display"); // empty: none
        QTest::newRow("bundled example") << "cmd/bridge_pier_lrfd_si.vrd" << 0 << "";
        QTest::newRow("display that cannot be reached")
            << "cmd/bridge_pier_lrfd_si.vrd" << 0 << ":97";
        QTest::newRow("bad file") << "bad/garbage.vrd" << 1 << "";
    }
    void commandLine()
    {
        QFETCH(QString, project);
        QFETCH(int, exitCode);
        QFETCH(QString, display);
        exampleProject(QStringLiteral("cmd"), QStringLiteral("bridge_pier_lrfd_si.vrd"));
        QDir(m_dir.path()).mkpath(QStringLiteral("bad"));
        QFile garbage(path(QStringLiteral("bad/garbage.vrd")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("this is no project\n");
        garbage.close();
        const QString pdf =
            path(QStringLiteral("cmd/out-%1%2.pdf").arg(exitCode).arg(display.isEmpty() ? 0 : 1));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VORNA_DESKTOP_PROGRAM),
                      {QLatin1String(kExportPdfOption), path(project), pdf});
        QVERIFY(process.waitForFinished(120000));
        const QString stderrText = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == exitCode, qPrintable(stderrText));
        if (exitCode == 0) {
            QVERIFY(QFileInfo(pdf).size() > 0);
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.read(5) == "%PDF-");
        } else {
            QVERIFY(!QFileInfo::exists(pdf));
            QVERIFY2(stderrText.contains(QStringLiteral("garbage.vrd")), qPrintable(stderrText));
        }
    }
};

QTEST_MAIN(tst_CalculationPackage)
#include "tst_calculation_package.moc"
