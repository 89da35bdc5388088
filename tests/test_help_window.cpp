// The guide inside the program: F1 opens it, its links and pictures work,
// Ctrl+F finds text in it.
#include "app/HelpWindow.h"
#include "app/Translations.h"
#include "app/Unit1.h"
#include "FormUi.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_F1);
        ASSERT_NE(Ui(*form).HelpWindow, nullptr);
        help = Ui(*form).HelpWindow;
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == help; }));
    }

    std::unique_ptr<TForm1> form;
    THelpWindow *help = nullptr;
};

TEST_F(HelpWindowTest, F1ShowsTheGuideWithItsPictures)
{
    QFile guide(QStringLiteral(QUILLON_SOURCE_DIR "/docs/guide.md"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString firstLine = QString::fromUtf8(guide.readLine()).trimmed();
    ASSERT_TRUE(firstLine.startsWith(QLatin1String("# ")));
    const QTextBlock first = help->Browser->document()->begin();
    EXPECT_EQ(first.blockFormat().headingLevel(), 1);
    EXPECT_EQ(first.text(), firstLine.mid(2));

    // Every picture and every link to a section of the guide resolves.
    QStringList anchors, links, pictures;
    for (QTextBlock b = first; b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            anchors << f.anchorNames();
            if (f.isImageFormat())
                pictures << f.toImageFormat().name();
            else if (f.isAnchor() && !f.anchorHref().isEmpty())
                links << f.anchorHref();
        }
    EXPECT_GE(pictures.size(), 2);
    for (const QString &p : pictures)
        EXPECT_FALSE(help->Browser->loadResource(QTextDocument::ImageResource, QUrl(p)).isNull()) << p.toStdString();
    EXPECT_GE(links.size(), 10);
    for (const QString &l : links) {
        if (l.startsWith(u'#')) {
            EXPECT_TRUE(anchors.contains(l.mid(1))) << l.toStdString();
        }
    }
}

TEST_F(HelpWindowTest, ALinkIsFollowedFromTheKeyboard)
{
    help->Browser->setFocus();
    const QScrollBar *bar = help->Browser->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    QTest::keyClick(help->Browser, Qt::Key_Tab); // the first entry of the contents
    QTest::keyClick(help->Browser, Qt::Key_Return);
    EXPECT_GT(bar->value(), 0);
}

TEST_F(HelpWindowTest, CtrlFFindsTypedText)
{
    EXPECT_FALSE(help->Search->isVisible());
    QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(help->Search->isVisible());
    ASSERT_TRUE(help->Search->hasFocus());
    QTest::keyClicks(help->Search, QStringLiteral("eeprom"));
    const QTextCursor found = help->Browser->textCursor();
    EXPECT_EQ(found.selectedText().toLower(), "eeprom");
    QTest::keyClick(help->Search, Qt::Key_Return);
    EXPECT_GT(help->Browser->textCursor().position(), found.position());
    EXPECT_EQ(help->Browser->textCursor().selectedText().toLower(), "eeprom");

    QTest::keyClicks(help->Search, QStringLiteral("qqq"));
    EXPECT_FALSE(help->Browser->textCursor().hasSelection());
    QTest::keyClick(help->Search, Qt::Key_Escape);
    EXPECT_FALSE(help->Search->isVisible());
}

TEST_F(HelpWindowTest, EscClosesTheSearchThenTheWindow)
{
    QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(help->Search->hasFocus());
    QTest::keyClick(help->Search, Qt::Key_Escape);
    EXPECT_FALSE(help->Search->isVisible());
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(help->Browser, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(form->isVisible());
}

// Each guide as the window renders it, against its Markdown: every heading is
// a heading, and the last words of every paragraph and list item are shown.
// ("<unknown>" once read as an HTML tag, and the rest of the English guide
// was gone.)
class GuideShown : public ::testing::TestWithParam<Language> {
protected:
    void TearDown() override { InstallLanguage(Language::Russian); }
};

TEST_P(GuideShown, EveryHeadingAndSectionTextIsThere)
{
    ASSERT_TRUE(InstallLanguage(GetParam()));
    const bool english = GetParam() == Language::English;
    QFile file(QStringLiteral(QUILLON_SOURCE_DIR "/docs/") + (english ? "guide.en.md" : "guide.md"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');

    THelpWindow help;
    const QTextDocument *doc = help.Browser->document();
    QStringList headings;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() > 0)
            headings << b.text();
    const QString shown = doc->toPlainText().simplified();

    QStringList expectedHeadings;
    QString paragraphEnd; // the last line of the paragraph being read
    int paragraphs = 0;
    const auto endParagraph = [&] {
        if (paragraphEnd.isEmpty())
            return;
        // A link shows its text, not where it goes; a backslash escapes.
        QString text = paragraphEnd;
        text.remove(QRegularExpression(QStringLiteral("\\]\\([^)]*\\)"))).remove(u'\\');
        QStringList words;
        const auto unicode = QRegularExpression::UseUnicodePropertiesOption;
        for (auto it = QRegularExpression(QStringLiteral("\\w+"), unicode).globalMatch(text); it.hasNext();)
            words << it.next().captured();
        paragraphEnd.clear();
        if (words.isEmpty())
            return;
        ++paragraphs;
        const QString last = words.mid(std::max<qsizetype>(0, words.size() - 3)).join(QStringLiteral("\\W+"));
        EXPECT_TRUE(shown.contains(QRegularExpression(last, unicode))) << "not shown: " << text.toStdString();
    };
    bool code = false;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("```"))) {
            endParagraph();
            code = !code;
            continue;
        }
        if (code)
            continue;
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u'|') || t.startsWith(QLatin1String("!["))) {
            endParagraph();
        } else if (t.startsWith(u'#')) {
            endParagraph();
            expectedHeadings << t.mid(t.indexOf(u' ') + 1);
        } else {
            if (t.startsWith(QLatin1String("- "))
                || QRegularExpression(QStringLiteral("^\\d+\\. ")).match(t).hasMatch())
                endParagraph(); // a list item of its own
            paragraphEnd = t;
        }
    }
    endParagraph();
    EXPECT_EQ(headings, expectedHeadings);
    EXPECT_GT(paragraphs, 50);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, GuideShown, ::testing::Values(Language::Russian, Language::English),
                         [](const auto &info) { return info.param == Language::English ? "English" : "Russian"; });

} // namespace
