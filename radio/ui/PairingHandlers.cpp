// The "Связь" page: the base ID code, the working channels and the system
// channels (words 0x37-0x3A) by name, and pairing a handset with its base.
#include "app/Unit1.h"

#include "app/ErrorBox.h"

#include "image/Backups.h"
#include "image/ImageCheck.h"
#include "image/ImageFile.h"
#include "image/ReadMark.h"
#include "radio/InfoList.h"
#include "radio/Pairing.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

const char kOtherPlan[] = QT_TRANSLATE_NOOP("Quillon", "другой");

// The field names the refusals start with.
const char kIdName[] = QT_TRANSLATE_NOOP("Quillon", "ID-код");
const char kRangeName[] = QT_TRANSLATE_NOOP("Quillon", "Рабочие каналы");
const char kSysName[] = QT_TRANSLATE_NOOP("Quillon", "Системный канал %1");

QString RefusalText(const QString &field, const Pairing::Refusal &r, bool hex = false)
{
    switch (r.why) {
    case Pairing::Refusal::NotANumber:
        return hex ? QCoreApplication::translate("Quillon", "%1: нужны шестнадцатеричные цифры, от 0 до FFFF.")
                         .arg(field)
                   : QCoreApplication::translate("Quillon", "%1: нужно число от %2 до %3.")
                         .arg(field)
                         .arg(r.low)
                         .arg(r.high);
    case Pairing::Refusal::OutOfRange:
        return hex ? QCoreApplication::translate("Quillon", "%1: больше FFFF.").arg(field)
                   : QCoreApplication::translate("Quillon", "%1: число вне пределов %2-%3.")
                         .arg(field)
                         .arg(r.low)
                         .arg(r.high);
    case Pairing::Refusal::FirstAfterLast:
        return QCoreApplication::translate("Quillon", "%1: первый канал (%2) больше последнего (%3).")
            .arg(field)
            .arg(r.low)
            .arg(r.high);
    case Pairing::Refusal::None:
        break;
    }
    return QString();
}

// The words a pairing note tells of: once the image holds others (undo, a
// read, a file), the note is gone.
const char kNoteWords[] = "words";
QString WordsText(const Pairing::Words &words)
{
    QString text;
    for (uint16_t w : words)
        text += WordToHex(w);
    return text;
}

// A store changes the image only through a parsed value; the page is then
// filled from the image again.
void Store(TForm1 &w, const QString &caption, const Pairing::Words &words)
{
    w.Pair.Note->clear();
    w.Pair.Note->setProperty(kNoteWords, QString());
    ImageState after = w.Doc.State();
    Pairing::Store(after.image, words);
    w.Doc.Apply(caption, after);
    w.RefreshBufExecute();
}

// Typed text that is refused changes nothing: the note says why. Enter keeps
// the text to be mended; leaving the field shows the image's value again.
void Refuse(TForm1 &w, const QString &why, std::initializer_list<TMaskEdit *> fields, bool enter)
{
    w.Pair.Note->setStyleSheet(QStringLiteral("color: red;"));
    w.Pair.Note->setText(why);
    w.Pair.Note->setProperty(kNoteWords, QString());
    if (enter) {
        fields.begin()[0]->selectAll();
        return;
    }
    for (TMaskEdit *f : fields)
        f->setModified(false);
    w.PairFromBuf();
}

enum class Through { Enter, Leaving };

void StoreId(TForm1 &w, TMaskEdit *field, Through how)
{
    const bool hex = field == w.Pair.IdHex;
    const Pairing::Parsed<uint16_t> id = hex ? Pairing::ParseIdHex(field->text()) : Pairing::ParseId(field->text());
    if (!id.value)
        return Refuse(w, RefusalText(QCoreApplication::translate("Quillon", kIdName), id.refusal, hex), {field},
                      how == Through::Enter);
    w.Pair.Id->setModified(false);
    w.Pair.IdHex->setModified(false);
    Pairing::Words words = Pairing::WordsOf(w.Buf);
    words[0] = *id.value;
    Store(w, QCoreApplication::translate("Quillon", "ID-код базы"), words);
}

void StoreRangeWord(TForm1 &w, uint16_t range)
{
    Pairing::Words words = Pairing::WordsOf(w.Buf);
    words[1] = range;
    Store(w, QCoreApplication::translate("Quillon", "Рабочие каналы"), words);
}

void StoreRange(TForm1 &w, Through how)
{
    TMaskEdit *const first = w.Pair.First, *const last = w.Pair.Last;
    const Pairing::Parsed<uint16_t> range = Pairing::ParseRange(first->text(), last->text());
    if (!range.value) {
        TMaskEdit *focused = last->hasFocus() ? last : first;
        return Refuse(w, RefusalText(QCoreApplication::translate("Quillon", kRangeName), range.refusal),
                      {focused, first, last}, how == Through::Enter);
    }
    first->setModified(false);
    last->setModified(false);
    StoreRangeWord(w, *range.value);
}

void StoreSys(TForm1 &w, int i, Through how)
{
    TMaskEdit *const field = w.Pair.Sys[size_t(i)];
    const Pairing::Parsed<uint8_t> channel = Pairing::ParseChannel(field->text());
    if (!channel.value)
        return Refuse(w, RefusalText(QCoreApplication::translate("Quillon", kSysName).arg(i + 1), channel.refusal),
                      {field}, how == Through::Enter);
    field->setModified(false);
    Pairing::Words words = Pairing::WordsOf(w.Buf);
    Pairing::SysChannels sys = Pairing::SysChannelsOf(words);
    sys[size_t(i)] = *channel.value;
    Pairing::SetSysChannels(words, sys);
    Store(w, QCoreApplication::translate("Quillon", "Системные каналы"), words);
}

// Switching to another program keeps the field the window's focus: that is
// not leaving it.
bool Left(const TMaskEdit *field) { return field->window()->focusWidget() != field; }

// No length limit: a cut would store another number than the one typed or
// pasted ("12345" as 1234); what does not fit is refused, with why.
TMaskEdit *NewField(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *e = new TMaskEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(geometry);
    return e;
}

QLabel *NewLabel(const char *text, QWidget *parent, const QRect &geometry)
{
    auto *l = new QLabel(QCoreApplication::translate("Quillon", text), parent);
    l->setGeometry(geometry);
    return l;
}

} // namespace

void TForm1::CreatePairPage()
{
    QWidget *const page = TabSheet8;
    NewLabel(QT_TRANSLATE_NOOP("Quillon", "ID-код базы:"), page, QRect(4, 8, 84, 21));
    Pair.Id = NewField(page, "PairId", QRect(88, 8, 50, 21));
    NewLabel("hex", page, QRect(142, 8, 22, 21));
    Pair.IdHex = NewField(page, "PairIdHex", QRect(166, 8, 46, 21));

    // The page's whole width: "from" and "to" take more room than "с" and "по".
    auto *range = new QGroupBox(QCoreApplication::translate("Quillon", "Рабочие каналы:"), page);
    range->setGeometry(4, 34, 353, 52);
    Pair.Plan = new QComboBox(range);
    Pair.Plan->setObjectName(QStringLiteral("PairPlan"));
    for (const Pairing::ChannelPlan &p : Pairing::Plans)
        Pair.Plan->addItem(QStringLiteral("%1 (%2-%3)").arg(QLatin1String(p.name)).arg(p.first).arg(p.last));
    Pair.Plan->addItem(QCoreApplication::translate("Quillon", kOtherPlan));
    Pair.Plan->setGeometry(6, 22, std::max(100, Pair.Plan->sizeHint().width()), 22);
    // Each word as wide as it is in the font the window got.
    int x = Pair.Plan->geometry().right() + 6;
    QLabel *const from = NewLabel(QT_TRANSLATE_NOOP("Quillon", "с"), range, QRect(x, 22, 0, 21));
    from->resize(from->sizeHint().width(), 21);
    Pair.First = NewField(range, "PairFirst", QRect(x += from->width() + 2, 22, 32, 21));
    QLabel *const to = NewLabel(QT_TRANSLATE_NOOP("Quillon", "по"), range, QRect(x += 32 + 4, 22, 0, 21));
    to->resize(to->sizeHint().width(), 21);
    Pair.Last = NewField(range, "PairLast", QRect(x + to->width() + 2, 22, 32, 21));

    auto *sys = new QGroupBox(QCoreApplication::translate("Quillon", "Системные каналы:"), page);
    sys->setGeometry(4, 90, 212, 52);
    for (int i = 0; i < 4; ++i)
        Pair.Sys[size_t(i)] =
            NewField(sys, QStringLiteral("PairSys%1").arg(i + 1).toLatin1().constData(), QRect(8 + 50 * i, 22, 44, 21));

    Pair.FromBase = new QPushButton(QCoreApplication::translate("Quillon", "Взять у базы..."), page);
    Pair.FromBase->setObjectName(QStringLiteral("PairFromBase"));
    Pair.FromBase->setGeometry(222, 8, 135, 25);
    Pair.FromBase->setToolTip(Act.PairFromBase->toolTip());
    Pair.RestoreId = new QPushButton(page);
    Pair.RestoreId->setObjectName(QStringLiteral("PairRestoreId"));
    Pair.RestoreId->setGeometry(222, 112, 135, 25); // beside the system channels: the range group is above
    Pair.RestoreId->setToolTip(QCoreApplication::translate("Quillon", "ID-код, который обнулила загрузка стандартных"));
    Pair.RestoreId->hide();

    Pair.Note = new QLabel(page);
    Pair.Note->setObjectName(QStringLiteral("PairNote"));
    Pair.Note->setGeometry(8, 146, 349, 52);
    Pair.Note->setWordWrap(true);
    Pair.Note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(Pair.FromBase, &QPushButton::clicked, Act.PairFromBase, &QAction::trigger);
    connect(Pair.RestoreId, &QPushButton::clicked, this, [this] { SafeCall([this] { RestoreIdExecute(); }); });

    // Each side of the ID code shows what the other one is being typed as;
    // while that is no ID code, the image's own (never a value typed before).
    connect(Pair.Id, &QLineEdit::textEdited, this, [this](const QString &text) {
        Pair.IdHex->setText(WordToHex(Pairing::ParseId(text).value.value_or(Buf[Addr::BaseId])));
    });
    connect(Pair.IdHex, &QLineEdit::textEdited, this, [this](const QString &text) {
        Pair.Id->setText(QString::number(Pairing::ParseIdHex(text).value.value_or(Buf[Addr::BaseId])));
    });
    for (TMaskEdit *f : {Pair.Id, Pair.IdHex}) {
        connect(f, &TMaskEdit::Exit, this, [this, f] {
            if (Left(f) && f->isModified())
                SafeCall([&] { StoreId(*this, f, Through::Leaving); });
        });
        connect(f, &TMaskEdit::KeyPress, this, [this, f] { SafeCall([&] { StoreId(*this, f, Through::Enter); }); });
    }

    // The first and the last channel are one value: it is stored when the
    // focus leaves both, so either may be typed first.
    for (TMaskEdit *f : {Pair.First, Pair.Last}) {
        connect(f, &TMaskEdit::Exit, this, [this, f] {
            const QWidget *to = f->window()->focusWidget();
            if (!Left(f) || to == Pair.First || to == Pair.Last)
                return;
            if (Pair.First->isModified() || Pair.Last->isModified())
                SafeCall([&] { StoreRange(*this, Through::Leaving); });
            else
                PairFromBuf(); // "другой" chosen and nothing typed: the list names the image's plan again
        });
        connect(f, &TMaskEdit::KeyPress, this, [this] { SafeCall([&] { StoreRange(*this, Through::Enter); }); });
    }
    connect(Pair.Plan, &QComboBox::activated, this, [this](int index) {
        SafeCall([&] {
            if (index < Pairing::kPlans) {
                const Pairing::ChannelPlan &p = Pairing::Plans[size_t(index)];
                Pair.First->setModified(false);
                Pair.Last->setModified(false);
                StoreRangeWord(*this, Pairing::RangeWord(p.first, p.last));
            } else {
                Pair.First->setFocus(Qt::OtherFocusReason);
                Pair.First->selectAll();
            }
        });
    });

    for (int i = 0; i < 4; ++i) {
        TMaskEdit *const f = Pair.Sys[size_t(i)];
        connect(f, &TMaskEdit::Exit, this, [this, f, i] {
            if (Left(f) && f->isModified())
                SafeCall([&] { StoreSys(*this, i, Through::Leaving); });
        });
        connect(f, &TMaskEdit::KeyPress, this, [this, i] { SafeCall([&] { StoreSys(*this, i, Through::Enter); }); });
    }
}

void TForm1::PairFromBuf()
{
    if (!Pair.Id)
        return; // the page is not built yet
    const Pairing::Words words = Pairing::WordsOf(Buf);
    const QString noted = Pair.Note->property(kNoteWords).toString();
    if (!noted.isEmpty() && noted != WordsText(words)) {
        Pair.Note->clear();
        Pair.Note->setProperty(kNoteWords, QString());
    }
    const auto fill = [](TMaskEdit *field, const QString &text) {
        if (!(field->hasFocus() && field->isModified()) && field->text() != text)
            field->setText(text);
    };
    fill(Pair.Id, QString::number(words[0]));
    fill(Pair.IdHex, WordToHex(words[0]));
    const uint16_t range = words[1];
    const int plan = Pairing::PlanOf(range);
    Pair.Plan->setCurrentIndex(plan >= 0 ? plan : Pairing::kPlans);
    fill(Pair.First, QString::number(range >> 8));
    fill(Pair.Last, QString::number(range & 0xFF));
    const Pairing::SysChannels sys = Pairing::SysChannelsOf(words);
    const std::array<bool, 4> outside = Pairing::OutsideRange(words);
    for (size_t i = 0; i < 4; ++i) {
        TMaskEdit *const f = Pair.Sys[i];
        fill(f, QString::number(sys[i]));
        f->setStyleSheet(outside[i] ? QStringLiteral("background: #ffb0b0;") : QString());
        f->setToolTip(outside[i] ? QCoreApplication::translate("Quillon", "Канал %1 вне рабочего диапазона %2")
                                       .arg(sys[i])
                                       .arg(Pairing::RangeText(range))
                                 : QString());
    }
    // Only over what the preset left: another image with no ID code (a file,
    // a read) is no place for this one.
    const bool restorable = Pair.LostId && words == Pair.PresetWords;
    if (restorable)
        Pair.RestoreId->setText(QCoreApplication::translate("Quillon", "Вернуть ID-код %1").arg(*Pair.LostId));
    Pair.RestoreId->setVisible(restorable);
}

void TForm1::PairPageHide()
{
    // Nothing typed is lost by switching pages: what parses goes in, the rest
    // is refused as on leaving the field.
    for (TMaskEdit *f : {Pair.Id, Pair.IdHex})
        if (f->isModified())
            StoreId(*this, f, Through::Leaving);
    if (Pair.First->isModified() || Pair.Last->isModified())
        StoreRange(*this, Through::Leaving);
    for (int i = 0; i < 4; ++i)
        if (Pair.Sys[size_t(i)]->isModified())
            StoreSys(*this, i, Through::Leaving);
}

void TForm1::PairFromBaseExecute()
{
    LoadResult loaded;
    ImageFileCheck check;
    const QString chosen = ChooseImageInBackups(&loaded.data, &check);
    if (chosen.isEmpty())
        return;
    const QString name = QFileInfo(chosen).fileName();
    if (!check.IsImage()) {
        Dialogs->Error(
            check.kind == ImageFileCheck::Text
                ? QCoreApplication::translate("Quillon", "Файл %1 не образ: это текст.").arg(name)
                : QCoreApplication::translate("Quillon", "Файл %1 не образ: байт модели %2, а в образе 00-08 или FF.")
                      .arg(name, ByteToHex(check.modelByte)));
        return;
    }
    // A file saved from a partial read holds FFFF for the words it never
    // read: those are no base's ID code and channels.
    if (!check.Holds({Pairing::kFirstWord, Pairing::kLastWord})) {
        Dialogs->Error(QCoreApplication::translate("Quillon", "В файле %1 нет слов 37-3A: он сохранён после чтения %2.")
                           .arg(name, ReadRangeMark(*check.held)));
        return;
    }
    ImageState after = Doc.State();
    Pairing::CopyFrom(after.image, loaded.data.image);
    Doc.Apply(QCoreApplication::translate("Quillon", "Взять у базы ") + name, after);
    RefreshBufExecute();
    const Pairing::Words words = Pairing::WordsOf(loaded.data.image);
    const Pairing::SysChannels sys = Pairing::SysChannelsOf(words);
    const QString plan = Pairing::PlanName(words[1]);
    QString text = QCoreApplication::translate("Quillon", "ID %1, %2, каналы %3 %4 %5 %6 взяты из %7")
                       .arg(words[0])
                       .arg(plan.isEmpty() ? QStringLiteral("%1-%2").arg(words[1] >> 8).arg(words[1] & 0xFF) : plan)
                       .arg(sys[0])
                       .arg(sys[1])
                       .arg(sys[2])
                       .arg(sys[3])
                       .arg(name);
    if (!InfoList::IsBase(loaded.data.image))
        text = QCoreApplication::translate("Quillon", "Это образ трубы, не базы! ") + text;
    ShowPanel1(text, text + u'\n' + QDir::toNativeSeparators(chosen));
    // Panel 1 cuts a long name short: the page says it whole.
    Pair.Note->setStyleSheet(QString());
    Pair.Note->setText(text);
    Pair.Note->setProperty(kNoteWords, WordsText(Pairing::WordsOf(Buf)));
}

void TForm1::RestoreIdExecute()
{
    if (!Pair.LostId)
        return;
    Pairing::Words words = Pairing::WordsOf(Buf);
    words[0] = *Pair.LostId;
    Store(*this, QCoreApplication::translate("Quillon", "Вернуть ID-код"), words);
    ShowPanel1(QCoreApplication::translate("Quillon", "ID-код %1 возвращён").arg(*Pair.LostId));
}

void TForm1::PresetZeroedId(uint16_t before)
{
    if (!Pairing::IsRealId(before) || Buf[Addr::BaseId] == before) {
        Pair.LostId.reset();
        PairFromBuf();
        return;
    }
    Pair.LostId = before;
    Pair.PresetWords = Pairing::WordsOf(Buf);
    PairFromBuf();
    const QString zeroed = QCoreApplication::translate("Quillon", "ID-код %1 обнулён (вернуть: «Связь»)").arg(before);
    ShowPanel1(zeroed, zeroed + u'\n'
                           + QCoreApplication::translate("Quillon", "Стандартные блоки не несут ID-кода. Было %1 (%2).")
                                 .arg(before)
                                 .arg(WordToHex(before)));
}
