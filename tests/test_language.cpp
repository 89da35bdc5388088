// The window's language: every text it shows has an English translation, the
// Russian window shows none of Qt's English, and the "?" menu's choice is
// remembered for the next start.
#include "app/BackupsDialog.h"
#include "app/HelpWindow.h"
#include "app/TraceDialog.h"
#include "app/Translations.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "image/FileDialogs.h"
#include "image/ImageFile.h"
#include "image/Presets.h"
#include "link/Engine.h"
#include "radio/Pairing.h"
#include "ModalHelper.h"
#include "FormUi.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QString U(const char *s) { return QString::fromUtf8(s); }

// Where a picture for the guides goes: the build folder CMake names, never the
// current folder, which may be the checkout.
QString PicturePath(const QString &name) { return QDir(QStringLiteral(QUILLON_PICTURE_DIR)).filePath(name); }

bool HasCyrillic(const QString &text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

// The language menu names each language in its own words, for either reader.
bool LanguageItem(const QString &text) { return text == U("Русский") || text == U("Язык / Language"); }

// Every text a widget tree shows: titles, captions, tips, list items, menus.
QStringList ShownTexts(QWidget *top)
{
    QStringList texts;
    auto add = [&texts](const QString &t) {
        if (!t.isEmpty() && !LanguageItem(t))
            texts << t;
    };
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : widgets) {
        add(w->windowTitle());
        add(w->toolTip());
        add(w->statusTip());
        if (auto *l = qobject_cast<QLabel *>(w))
            add(l->text());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b->text());
        if (auto *g = qobject_cast<QGroupBox *>(w))
            add(g->title());
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            add(e->text());
            add(e->placeholderText());
        }
        if (auto *p = qobject_cast<QPlainTextEdit *>(w))
            add(p->toPlainText());
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                add(c->itemText(i));
        if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i));
        if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
            for (int c = 0; c < tree->columnCount(); ++c)
                add(tree->headerItem()->text(c));
            for (int r = 0; r < tree->topLevelItemCount(); ++r)
                for (int c = 0; c < tree->columnCount(); ++c)
                    add(tree->topLevelItem(r)->text(c));
        }
        if (auto *v = qobject_cast<QTableView *>(w)) {
            const QAbstractItemModel *m = v->model();
            for (int c = 0; c < m->columnCount(); ++c) {
                add(m->headerData(c, Qt::Horizontal).toString());
                for (int r = 0; r < m->rowCount(); ++r)
                    add(m->index(r, c).data().toString());
            }
        }
        if (auto *m = qobject_cast<QMenu *>(w))
            add(m->title());
        for (QAction *a : w->actions()) {
            add(a->text());
            add(a->toolTip());
            add(a->statusTip());
        }
    }
    return texts;
}

QStringList Russian(const QStringList &texts)
{
    QStringList found;
    for (const QString &t : texts)
        if (HasCyrillic(t))
            found << t;
    found.removeDuplicates();
    return found;
}

class LanguageTest : public ::testing::Test {
protected:
    void TearDown() override { InstallLanguage(Language::Russian); }
};

// The English window, its pages, dialogs and guide: no Russian anywhere, and
// a picture of it for the eye.
TEST_F(LanguageTest, TheEnglishWindowShowsNoRussian)
{
    ASSERT_TRUE(InstallLanguage(Language::English));
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Ui(form).PageControl2->setCurrentIndex(1); // the "Инфо" list fills as it shows
    form.FillListExecute();

    QStringList texts = ShownTexts(&form);
    for (int i = 0; i < Ui(form).PageControl2->count(); ++i)
        texts += ShownTexts(Ui(form).PageControl2->widget(i));
    TAboutBox about;
    texts += ShownTexts(&about);
    Backups::Entry backup;
    backup.when = QDateTime::currentDateTime();
    backup.device = U("SN-258 Труба");
    backup.port = QStringLiteral("COM5");
    TBackupsDialog backups(QStringLiteral("/backups"), {backup}, {}), none(QStringLiteral("/backups"), {}, {});
    texts += ShownTexts(&backups) + ShownTexts(&none);
    WireTrace trace;
    QtFileDialogs dialogs;
    TTraceDialog exchange(trace, dialogs);
    texts += ShownTexts(&exchange);
    THelpWindow help;
    texts += ShownTexts(&help);
    texts << help.Browser->document()->firstBlock().text();
    EXPECT_EQ(Russian(texts), QStringList()) << Russian(texts).join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Read whole EEPROM")));
    // The engine's words, which the window translates as it shows them.
    form.ShowStatus(EngineTexts::Completed);
    EXPECT_EQ(form.StatusText(0), QStringLiteral("Completed!"));

    const QString picture = PicturePath(QStringLiteral("quillon-en.png"));
    EXPECT_TRUE(form.grab().save(picture)) << picture.toStdString();
}

// The "Pairing" page after "Take from base..." in each language: its words,
// and the guides' pictures of it (docs/pairing.png, docs/pairing-en.png).
class PairingPicture : public ::testing::TestWithParam<Language> {
protected:
    void TearDown() override { InstallLanguage(Language::Russian); }
};

TEST_P(PairingPicture, ThePairingPageForTheGuide)
{
    struct Dialogs : FileDialogs {
        QString base;
        QString SaveFileName(const QString &, const QString &, const QString &) override { return {}; }
        QString OpenFileName(const QString &, const QString &) override { return base; }
        bool ConfirmOverwrite(const QString &) override { return false; }
        void Information(const QString &) override { }
        void Error(const QString &) override { }
    };
    const bool english = GetParam() == Language::English;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EepromImage base;
    ASSERT_TRUE(ApplyPreset(base, 4));
    Pairing::Store(base, {0x1A2B, 0x5077, 0x5152, 0x5354});
    auto dialogs = std::make_unique<Dialogs>();
    dialogs->base = dir.filePath(QStringLiteral("base.258"));
    ASSERT_FALSE(SaveImageFile(dialogs->base, EncodeImageFile(base, 1, QString())));

    ASSERT_TRUE(InstallLanguage(GetParam()));
    TForm1 form;
    form.Dialogs = std::move(dialogs);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EepromImage handset;
    ASSERT_TRUE(ApplyPreset(handset, 1));
    ImageState s = form.Doc.State();
    s.image = handset;
    s.model = 2;
    s.comment = english ? QStringLiteral("handset after repair") : U("трубка после ремонта");
    form.Doc.Apply(QStringLiteral("read"), s);
    form.RefreshBufExecute();
    Ui(form).PageControl2->setCurrentIndex(3);
    Ui(form).Act.PairFromBase->trigger();
    const QLabel *note = form.findChild<QLabel *>(QStringLiteral("PairNote"));
    EXPECT_EQ(note->text(), english ? QStringLiteral("ID 6699, F8, channels 81 82 83 84 taken from base.258")
                                    : U("ID 6699, F8, каналы 81 82 83 84 взяты из base.258"));
    if (english)
        EXPECT_EQ(Russian(ShownTexts(Ui(form).PageControl2->currentWidget())), QStringList());

    const QString picture = PicturePath(english ? QStringLiteral("pairing-en.png") : QStringLiteral("pairing.png"));
    EXPECT_TRUE(form.grab().save(picture)) << picture.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PairingPicture, ::testing::Values(Language::Russian, Language::English),
                         [](const auto &info) { return info.param == Language::English ? "English" : "Russian"; });

// A question the English window asks on closing: its words and Qt's
// buttons. (The question was once cut in two and left Russian.)
TEST_F(LanguageTest, TheEnglishWindowAsksInEnglish)
{
    ASSERT_TRUE(InstallLanguage(Language::English));
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Ui(form).StringGrid1->setFocus();
    QTest::keyClick(Ui(form).StringGrid1, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("BEEF"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_FALSE(form.Doc.IsSafe());

    QStringList shown;
    AnswerNextModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        shown << box->text();
        QAbstractButton *keep = nullptr; // the window stays open
        for (QAbstractButton *b : box->buttons()) {
            shown << b->text();
            if (box->buttonRole(b) == QMessageBox::RejectRole)
                keep = b;
        }
        ASSERT_TRUE(keep);
        keep->click();
    });
    form.close();
    EXPECT_TRUE(form.isVisible());
    ASSERT_GE(shown.size(), 2);
    EXPECT_TRUE(shown.first().startsWith(QLatin1String("The buffer has changed"))) << shown.first().toStdString();
    EXPECT_EQ(Russian(shown), QStringList()) << Russian(shown).join(u'|').toStdString();
}

// The catalogue in the repository has a translation for every text.
TEST(Translations, NoneIsUnfinished)
{
    QFile ts(QStringLiteral(QUILLON_SOURCE_DIR "/translations/quillon_en.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ts.readAll());
    EXPECT_GT(text.count(QStringLiteral("<message>")), 100);
    EXPECT_FALSE(text.contains(QStringLiteral("type=\"unfinished\""))) << "translations/quillon_en.ts";
    EXPECT_FALSE(text.contains(QStringLiteral("<translation></translation>")));
}

// Qt's standard buttons follow the window's language: Russian by default.
TEST_F(LanguageTest, QtsButtonsFollowTheLanguage)
{
    struct Row {
        Language language;
        QString yes, no;
    };
    for (const Row &row : {Row{Language::Russian, U("&Да"), U("&Нет")}, Row{Language::English, "&Yes", "&No"}}) {
        ASSERT_TRUE(InstallLanguage(row.language));
        QStringList buttons;
        AnswerNextModal([&](QWidget *w) {
            for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
                buttons << b->text();
        });
        QMessageBox::question(nullptr, QStringLiteral("?"), QStringLiteral("?"));
        EXPECT_TRUE(buttons.contains(row.yes) && buttons.contains(row.no)) << buttons.join(u' ').toStdString();
    }
}

// "Язык / Language" on the "?" menu: English is remembered for the next
// start, which shows it; the window says so at once.
TEST_F(LanguageTest, TheMenuChoosesTheNextStartsLanguage)
{
    ASSERT_EQ(StoredLanguage(), Language::Russian);
    {
        TForm1 form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QMenu *help = nullptr;
        for (QAction *a : Ui(form).ActionMainMenuBar1->actions())
            if (a->text() == QStringLiteral("?"))
                help = a->menu();
        ASSERT_TRUE(help);
        QMenu *languages = nullptr;
        for (QAction *a : help->actions())
            if (a->text() == U("Язык / Language"))
                languages = a->menu();
        ASSERT_TRUE(languages);
        EXPECT_TRUE(Ui(form).Act.LangRussian->isChecked());

        // Opened and chosen as the user does: the menus by click, the item by key.
        QTest::mouseClick(Ui(form).ActionMainMenuBar1, Qt::LeftButton, {},
                          Ui(form).ActionMainMenuBar1->actionGeometry(help->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return help->isVisible(); }));
        help->setActiveAction(languages->menuAction());
        QTest::keyClick(help, Qt::Key_Right);
        ASSERT_TRUE(QTest::qWaitFor([&] { return languages->isVisible(); }));
        languages->setActiveAction(Ui(form).Act.LangEnglish);
        QString said;
        AnswerNextModal([&](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                said = box->text();
        });
        QTest::keyClick(languages, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !said.isEmpty(); }));
        EXPECT_FALSE(HasCyrillic(said)) << said.toStdString();
        EXPECT_EQ(StoredLanguage(), Language::English);
        EXPECT_TRUE(Ui(form).Act.LangEnglish->isChecked());
    }
    // The next start.
    ASSERT_TRUE(InstallLanguage(StoredLanguage()));
    TForm1 next;
    EXPECT_EQ(Ui(next).ActionMainMenuBar1->actions().first()->text(), QStringLiteral("File"));
    StoreLanguage(Language::Russian);
}

} // namespace
