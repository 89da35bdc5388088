// The "Связь" page's fields: typed text is parsed and stored, or refused with
// why; the page is filled from the image again after every store.
#include "radio/ui/PairingPage.h"

#include "app/Controls.h"
#include "app/ErrorBox.h"

#include "image/ImageDocument.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
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

QString WordsText(const Pairing::Words &words)
{
    QString text;
    for (uint16_t w : words)
        text += WordToHex(w);
    return text;
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

PairingPage::PairingPage(ImageDocument &doc, QAction *fromBase, QWidget *parent) : QWidget(parent), Doc(doc)
{
    QWidget *const page = this;
    NewLabel(QT_TRANSLATE_NOOP("Quillon", "ID-код базы:"), page, QRect(4, 8, 84, 21));
    Id = NewField(page, "PairId", QRect(88, 8, 50, 21));
    NewLabel("hex", page, QRect(142, 8, 22, 21));
    IdHex = NewField(page, "PairIdHex", QRect(166, 8, 46, 21));

    // The page's whole width: "from" and "to" take more room than "с" and "по".
    auto *range = new QGroupBox(QCoreApplication::translate("Quillon", "Рабочие каналы:"), page);
    range->setGeometry(4, 34, 353, 52);
    Plan = new QComboBox(range);
    Plan->setObjectName(QStringLiteral("PairPlan"));
    for (const Pairing::ChannelPlan &p : Pairing::Plans)
        Plan->addItem(QStringLiteral("%1 (%2-%3)").arg(QLatin1String(p.name)).arg(p.first).arg(p.last));
    Plan->addItem(QCoreApplication::translate("Quillon", kOtherPlan));
    Plan->setGeometry(6, 22, std::max(100, Plan->sizeHint().width()), 22);
    // Each word as wide as it is in the font the window got.
    int x = Plan->geometry().right() + 6;
    QLabel *const from = NewLabel(QT_TRANSLATE_NOOP("Quillon", "с"), range, QRect(x, 22, 0, 21));
    from->resize(from->sizeHint().width(), 21);
    First = NewField(range, "PairFirst", QRect(x += from->width() + 2, 22, 32, 21));
    QLabel *const to = NewLabel(QT_TRANSLATE_NOOP("Quillon", "по"), range, QRect(x += 32 + 4, 22, 0, 21));
    to->resize(to->sizeHint().width(), 21);
    Last = NewField(range, "PairLast", QRect(x + to->width() + 2, 22, 32, 21));

    auto *sys = new QGroupBox(QCoreApplication::translate("Quillon", "Системные каналы:"), page);
    sys->setGeometry(4, 90, 212, 52);
    for (int i = 0; i < 4; ++i)
        Sys[size_t(i)] =
            NewField(sys, QStringLiteral("PairSys%1").arg(i + 1).toLatin1().constData(), QRect(8 + 50 * i, 22, 44, 21));

    FromBase = new QPushButton(QCoreApplication::translate("Quillon", "Взять у базы..."), page);
    FromBase->setObjectName(QStringLiteral("PairFromBase"));
    FromBase->setGeometry(222, 8, 135, 25);
    FromBase->setToolTip(fromBase->toolTip());
    RestoreIdButton = new QPushButton(page);
    RestoreIdButton->setObjectName(QStringLiteral("PairRestoreId"));
    RestoreIdButton->setGeometry(222, 112, 135, 25); // beside the system channels: the range group is above
    RestoreIdButton->setToolTip(
        QCoreApplication::translate("Quillon", "ID-код, который обнулила загрузка стандартных"));
    RestoreIdButton->hide();

    Note = new QLabel(page);
    Note->setObjectName(QStringLiteral("PairNote"));
    Note->setGeometry(8, 146, 349, 52);
    Note->setWordWrap(true);
    Note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(FromBase, &QPushButton::clicked, fromBase, &QAction::trigger);
    connect(RestoreIdButton, &QPushButton::clicked, this, &PairingPage::RestoreIdClicked);
    Connect();
}

void PairingPage::Connect()
{
    // Each side of the ID code shows what the other one is being typed as;
    // while that is no ID code, the image's own (never a value typed before).
    connect(Id, &QLineEdit::textEdited, this, [this](const QString &text) {
        IdHex->setText(WordToHex(Pairing::ParseId(text).value.value_or(Doc.Image()[Addr::BaseId])));
    });
    connect(IdHex, &QLineEdit::textEdited, this, [this](const QString &text) {
        Id->setText(QString::number(Pairing::ParseIdHex(text).value.value_or(Doc.Image()[Addr::BaseId])));
    });
    for (TMaskEdit *f : {Id, IdHex}) {
        connect(f, &TMaskEdit::Exit, this, [this, f] {
            if (Left(f) && f->isModified())
                SafeCall([&] { StoreId(f, Through::Leaving); });
        });
        connect(f, &TMaskEdit::KeyPress, this, [this, f] { SafeCall([&] { StoreId(f, Through::Enter); }); });
    }

    // The first and the last channel are one value: it is stored when the
    // focus leaves both, so either may be typed first.
    for (TMaskEdit *f : {First, Last}) {
        connect(f, &TMaskEdit::Exit, this, [this, f] {
            const QWidget *to = f->window()->focusWidget();
            if (!Left(f) || to == First || to == Last)
                return;
            if (First->isModified() || Last->isModified())
                SafeCall([&] { StoreRange(Through::Leaving); });
            else
                FromImage(); // "другой" chosen and nothing typed: the list names the image's plan again
        });
        connect(f, &TMaskEdit::KeyPress, this, [this] { SafeCall([&] { StoreRange(Through::Enter); }); });
    }
    connect(Plan, &QComboBox::activated, this, [this](int index) {
        SafeCall([&] {
            if (index < Pairing::kPlans) {
                const Pairing::ChannelPlan &p = Pairing::Plans[size_t(index)];
                First->setModified(false);
                Last->setModified(false);
                StoreRangeWord(Pairing::RangeWord(p.first, p.last));
            } else {
                First->setFocus(Qt::OtherFocusReason);
                First->selectAll();
            }
        });
    });

    for (int i = 0; i < 4; ++i) {
        TMaskEdit *const f = Sys[size_t(i)];
        connect(f, &TMaskEdit::Exit, this, [this, f, i] {
            if (Left(f) && f->isModified())
                SafeCall([&] { StoreSys(i, Through::Leaving); });
        });
        connect(f, &TMaskEdit::KeyPress, this, [this, i] { SafeCall([&] { StoreSys(i, Through::Enter); }); });
    }
}

// A store changes the image only through a parsed value; the page is then
// filled from the image again.
void PairingPage::Store(const QString &caption, const Pairing::Words &words)
{
    Note->clear();
    NoteWords.clear();
    ImageState after = Doc.State();
    Pairing::Store(after.image, words);
    Doc.Apply(caption, after);
    emit Stored();
}

// Typed text that is refused changes nothing: the note says why. Enter keeps
// the text to be mended; leaving the field shows the image's value again.
void PairingPage::Refuse(const QString &why, std::initializer_list<TMaskEdit *> fields, bool enter)
{
    Note->setStyleSheet(QStringLiteral("color: red;"));
    Note->setText(why);
    NoteWords.clear();
    if (enter) {
        fields.begin()[0]->selectAll();
        return;
    }
    for (TMaskEdit *f : fields)
        f->setModified(false);
    FromImage();
}

void PairingPage::StoreId(TMaskEdit *field, Through how)
{
    const bool hex = field == IdHex;
    const Pairing::Parsed<uint16_t> id = hex ? Pairing::ParseIdHex(field->text()) : Pairing::ParseId(field->text());
    if (!id.value)
        return Refuse(RefusalText(QCoreApplication::translate("Quillon", kIdName), id.refusal, hex), {field},
                      how == Through::Enter);
    Id->setModified(false);
    IdHex->setModified(false);
    Pairing::Words words = Pairing::WordsOf(Doc.Image());
    words[0] = *id.value;
    Store(QCoreApplication::translate("Quillon", "ID-код базы"), words);
}

void PairingPage::StoreRangeWord(uint16_t range)
{
    Pairing::Words words = Pairing::WordsOf(Doc.Image());
    words[1] = range;
    Store(QCoreApplication::translate("Quillon", "Рабочие каналы"), words);
}

void PairingPage::StoreRange(Through how)
{
    const Pairing::Parsed<uint16_t> range = Pairing::ParseRange(First->text(), Last->text());
    if (!range.value) {
        TMaskEdit *focused = Last->hasFocus() ? Last : First;
        return Refuse(RefusalText(QCoreApplication::translate("Quillon", kRangeName), range.refusal),
                      {focused, First, Last}, how == Through::Enter);
    }
    First->setModified(false);
    Last->setModified(false);
    StoreRangeWord(*range.value);
}

void PairingPage::StoreSys(int i, Through how)
{
    TMaskEdit *const field = Sys[size_t(i)];
    const Pairing::Parsed<uint8_t> channel = Pairing::ParseChannel(field->text());
    if (!channel.value)
        return Refuse(RefusalText(QCoreApplication::translate("Quillon", kSysName).arg(i + 1), channel.refusal),
                      {field}, how == Through::Enter);
    field->setModified(false);
    Pairing::Words words = Pairing::WordsOf(Doc.Image());
    Pairing::SysChannels sys = Pairing::SysChannelsOf(words);
    sys[size_t(i)] = *channel.value;
    Pairing::SetSysChannels(words, sys);
    Store(QCoreApplication::translate("Quillon", "Системные каналы"), words);
}

void PairingPage::FromImage()
{
    const Pairing::Words words = Pairing::WordsOf(Doc.Image());
    if (!NoteWords.isEmpty() && NoteWords != WordsText(words)) {
        Note->clear();
        NoteWords.clear();
    }
    const auto fill = [](TMaskEdit *field, const QString &text) {
        if (!(field->hasFocus() && field->isModified()) && field->text() != text)
            field->setText(text);
    };
    fill(Id, QString::number(words[0]));
    fill(IdHex, WordToHex(words[0]));
    const uint16_t range = words[1];
    const int plan = Pairing::PlanOf(range);
    Plan->setCurrentIndex(plan >= 0 ? plan : Pairing::kPlans);
    fill(First, QString::number(range >> 8));
    fill(Last, QString::number(range & 0xFF));
    const Pairing::SysChannels sys = Pairing::SysChannelsOf(words);
    const std::array<bool, 4> outside = Pairing::OutsideRange(words);
    for (size_t i = 0; i < 4; ++i) {
        TMaskEdit *const f = Sys[i];
        fill(f, QString::number(sys[i]));
        f->setStyleSheet(outside[i] ? QStringLiteral("background: #ffb0b0;") : QString());
        f->setToolTip(outside[i] ? QCoreApplication::translate("Quillon", "Канал %1 вне рабочего диапазона %2")
                                       .arg(sys[i])
                                       .arg(Pairing::RangeText(range))
                                 : QString());
    }
    // Only over what the preset left: another image with no ID code (a file,
    // a read) is no place for this one.
    const bool restorable = LostId && words == PresetWords;
    if (restorable)
        RestoreIdButton->setText(QCoreApplication::translate("Quillon", "Вернуть ID-код %1").arg(*LostId));
    RestoreIdButton->setVisible(restorable);
}

void PairingPage::StoreTyped()
{
    // Nothing typed is lost by switching pages: what parses goes in, the rest
    // is refused as on leaving the field.
    for (TMaskEdit *f : {Id, IdHex})
        if (f->isModified())
            StoreId(f, Through::Leaving);
    if (First->isModified() || Last->isModified())
        StoreRange(Through::Leaving);
    for (int i = 0; i < 4; ++i)
        if (Sys[size_t(i)]->isModified())
            StoreSys(i, Through::Leaving);
}

void PairingPage::ShowTaken(const QString &text)
{
    Note->setStyleSheet(QString());
    Note->setText(text);
    NoteWords = WordsText(Pairing::WordsOf(Doc.Image()));
}

bool PairingPage::KeepZeroedId(uint16_t before)
{
    if (!Pairing::IsRealId(before) || Doc.Image()[Addr::BaseId] == before) {
        LostId.reset();
        FromImage();
        return false;
    }
    LostId = before;
    PresetWords = Pairing::WordsOf(Doc.Image());
    FromImage();
    return true;
}

std::optional<uint16_t> PairingPage::RestoreId()
{
    if (!LostId)
        return std::nullopt;
    const uint16_t id = *LostId;
    Pairing::Words words = Pairing::WordsOf(Doc.Image());
    words[0] = id;
    Store(QCoreApplication::translate("Quillon", "Вернуть ID-код"), words);
    return id;
}
