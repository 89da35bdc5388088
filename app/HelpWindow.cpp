#include "app/HelpWindow.h"

#include "app/Translations.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QVBoxLayout>

static void InitHelp()
{
    Q_INIT_RESOURCE(help);
}

THelpWindow::THelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    InitHelp();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QCoreApplication::translate("Quillon", "Справка"));
    resize(680, 620);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links are followed here: a reload would lose the headings' anchors.
    Browser->setOpenLinks(false);
    const bool english = InstalledLanguage() == Language::English;
    Browser->setSource(QUrl(english ? QStringLiteral("qrc:/help/guide.en.md") : QStringLiteral("qrc:/help/guide.md")),
                       QTextDocument::MarkdownResource);
    NameHeadings();
    connect(Browser, &QTextBrowser::anchorClicked, this, &THelpWindow::OpenLink);

    Search = new QLineEdit(this);
    Search->setObjectName(QStringLiteral("HelpSearch"));
    Search->setPlaceholderText(QCoreApplication::translate("Quillon", "Найти"));
    Search->setClearButtonEnabled(true);
    Search->hide();
    Search->installEventFilter(this);
    connect(Search, &QLineEdit::textEdited, this, [this] { Find(true); });
    connect(Search, &QLineEdit::returnPressed, this, [this] { Find(false); });

    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        Search->show();
        Search->setFocus(Qt::ShortcutFocusReason);
        Search->selectAll();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Browser);
    layout->addWidget(Search);
}

QString THelpWindow::HeadingAnchor(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            anchor += c;
        else if (c == u' ')
            anchor += u'-';
    }
    return anchor;
}

// Markdown headings carry no anchors of their own in Qt's reader, and its
// paragraphs no space between them.
void THelpWindow::NameHeadings()
{
    for (QTextBlock b = Browser->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        QTextBlockFormat spaced = b.blockFormat();
        if (spaced.headingLevel() == 0) {
            if (!b.textList() && !c.currentTable()) {
                spaced.setBottomMargin(6);
                c.setBlockFormat(spaced);
            }
            continue;
        }
        spaced.setTopMargin(10);
        c.setBlockFormat(spaced);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setAnchor(true);
        f.setAnchorNames({HeadingAnchor(b.text())});
        c.mergeCharFormat(f);
    }
}

void THelpWindow::OpenLink(const QUrl &url)
{
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
        QDesktopServices::openUrl(url);
        return;
    }
    // The guide's own sections; the other documents are not compiled in.
    if (!url.fragment().isEmpty()
        && (url.path().isEmpty() || url.path().endsWith(QLatin1String("guide.md"))
            || url.path().endsWith(QLatin1String("guide.en.md"))))
        Browser->scrollToAnchor(url.fragment());
}

// Typing searches from the top; Enter goes on to the next match, round to the
// top again after the last.
void THelpWindow::Find(bool fromStart)
{
    const QString text = Search->text();
    if (fromStart)
        Browser->moveCursor(QTextCursor::Start);
    bool found = text.isEmpty() || Browser->find(text);
    if (!found && !fromStart) {
        Browser->moveCursor(QTextCursor::Start);
        found = Browser->find(text);
    }
    Search->setStyleSheet(found ? QString() : QStringLiteral("background: #ffb0b0;"));
}

bool THelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Search && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        Search->hide();
        Browser->setFocus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The browser passes on the keys it has no use for, Esc among them.
void THelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
