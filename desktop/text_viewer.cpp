#include "text_viewer.h"

#include "user_interaction.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace vorna {

TTextViewer::TTextViewer(UserInteraction &interaction, QWidget *parent)
    : QWidget(parent), m_interaction(interaction)
{
    setObjectName(QStringLiteral("TextViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->hide();
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto *findLabel = new QLabel(QStringLiteral("&Find:"), this);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("Find"));
    findLabel->setBuddy(m_find);
    auto *next = new QPushButton(QStringLiteral("Find &Next"), this);
    next->setObjectName(QStringLiteral("FindNext"));
    auto *print = new QPushButton(QStringLiteral("&Print..."), this);
    print->setObjectName(QStringLiteral("Print"));
    connect(m_find, &QLineEdit::returnPressed, this, &TTextViewer::FindNext);
    connect(next, &QPushButton::clicked, this, &TTextViewer::FindNext);
    connect(print, &QPushButton::clicked, this, &TTextViewer::PrintClick);
    auto *findShortcut = new QAction(this);
    findShortcut->setShortcut(QKeySequence::Find);
    findShortcut->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(findShortcut, &QAction::triggered, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    addAction(findShortcut);

    auto *bar = new QHBoxLayout;
    bar->addWidget(findLabel);
    bar->addWidget(m_find, 1);
    bar->addWidget(next);
    bar->addSpacing(12);
    bar->addWidget(print);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addLayout(bar);
    layout->addWidget(m_text, 1);
    // Wide enough for the report's 80 columns where the screen allows.
    const QFontMetrics metrics(m_text->font());
    resize(metrics.horizontalAdvance(QString(84, u'0')) + 40, metrics.lineSpacing() * 30);
}

bool TTextViewer::Load(const QString &fileName, const QString &note)
{
    m_fileName = fileName;
    setWindowTitle(QFileInfo(fileName).fileName() + QStringLiteral(" (read-only)"));
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_text->clear();
        return false;
    }
    // The engine writes its files in the system's 8-bit code page.
    m_text->setPlainText(QString::fromLocal8Bit(file.readAll()));
    return true;
}

bool TTextViewer::FindNext()
{
    const QString wanted = m_find->text();
    if (wanted.isEmpty())
        return false;
    if (m_text->find(wanted))
        return true;
    QTextCursor start = m_text->textCursor();
    start.movePosition(QTextCursor::Start);
    m_text->setTextCursor(start);
    if (m_text->find(wanted))
        return true;
    m_interaction.Information(this, QStringLiteral("\"%1\" was not found.").arg(wanted));
    return false;
}

void TTextViewer::Print(QPrinter &printer)
{
    printer.setDocName(QFileInfo(m_fileName).fileName());
    QTextDocument *document = m_text->document()->clone(this);
    document->setDefaultFont(m_text->font());
    document->print(&printer);
    delete document;
}

void TTextViewer::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (m_interaction.ChoosePrinter(this, printer))
        Print(printer);
}

} // namespace vorna
