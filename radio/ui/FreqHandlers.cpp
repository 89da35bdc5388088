// The "Частота" page: the three PLL words beside the frequencies they give.
#include "app/Unit1.h"

#include "app/ErrorBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolTip>

#include <array>

namespace {

const char *const kNote =
    QT_TRANSLATE_NOOP("Quillon", "Кнопки «>> Из буфера» и «<< В буфер» пока оставлены, но нажимать их не нужно: "
                                 "значения загружаются из буфера сами, когда вы открываете эту вкладку, и сами "
                                 "сохраняются в буфер, когда вы переходите на другую.\n\n"
                                 "Если у вас есть замечания или предложения, как сделать эту страницу удобнее, "
                                 "напишите нам.");

const char *const kIncomplete = QT_TRANSLATE_NOOP("Quillon", "Частота введена не полностью: нужны все шесть цифр.");

// The frequency field that is taking the focus back; focus moves caused by
// that are not the user leaving a field.
QPointer<QWidget> g_reclaiming;

// A masked field that holds no digit reads as empty, not as its lone point.
QString FieldText(const QLineEdit *e)
{
    const QString t = e->text();
    for (QChar c : t)
        if (c.isDigit())
            return t;
    return e->inputMask().isEmpty() ? t : QString();
}

// Whether a focus-out really leaves the field: switching to another program
// or opening a dialog keeps the field the window's focus.
bool Left(const TMaskEdit *field)
{
    return !g_reclaiming && field->window()->focusWidget() != field;
}

// A frequency field converts only what the user typed: converting a shown
// frequency back would lose the half kHz of an odd multiplier at the 12.5 kHz
// step. An incomplete number keeps the focus, and nothing is computed from it.
void LeaveFrequencyField(TForm1 &w, TMaskEdit *field, void (TForm1::*handler)())
{
    if (!Left(field) || !field->isModified())
        return;
    if (!field->hasAcceptableInput()) {
        if (!field->isVisible())
            return; // the page is going away; the next show refills it
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())),
                           QCoreApplication::translate("Quillon", kIncomplete), field);
        g_reclaiming = field;
        field->setFocus(Qt::OtherFocusReason);
        g_reclaiming = nullptr;
        return;
    }
    (w.*handler)();
    field->setModified(false);
}

TMaskEdit *NewField(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *e = new TMaskEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(geometry);
    return e;
}

TMaskEdit *NewFrequencyField(QWidget *parent, const char *name, const QRect &geometry)
{
    TMaskEdit *e = NewField(parent, name, geometry);
    e->setInputMask(QStringLiteral("999.999;_")); // six required digits
    e->setText(QStringLiteral("000.000"));
    return e;
}

} // namespace

void TForm1::CreateFreqPage()
{
    GroupBox2 = new QGroupBox(QCoreApplication::translate("Quillon", "Опорный генератор:"), TabSheet7);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(4, 2, 212, 76);
    RadioButton3 = new QRadioButton(QStringLiteral("10625kHz/IF21700kHz"), GroupBox2);
    RadioButton4 = new QRadioButton(QStringLiteral("12800kHz/IF25150kHz"), GroupBox2);
    RadioButton5 = new QRadioButton(QStringLiteral("21250kHz/IF21700kHz"), GroupBox2);
    int y = 18;
    for (QRadioButton *b : {RadioButton3, RadioButton4, RadioButton5}) {
        b->setGeometry(8, y, 150, 17);
        b->setEnabled(false); // indicators only
        y += 18;
    }
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton5->setObjectName(QStringLiteral("RadioButton5"));
    RadioButton3->setChecked(true);
    Edit2 = NewField(GroupBox2, "Edit2", QRect(160, 34, 46, 21));
    Edit2->setMaxLength(4);
    Edit2->setText(QStringLiteral("0000"));

    GroupBox3 = new QGroupBox(QCoreApplication::translate("Quillon", "Частота приёма/передачи:"), TabSheet7);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(4, 82, 212, 100);
    const char *const rowCaptions[] = {QT_TRANSLATE_NOOP("Quillon", "Передатчик"),
                                       QT_TRANSLATE_NOOP("Quillon", "Гетеродин:"),
                                       QT_TRANSLATE_NOOP("Quillon", "Приёмник")};
    for (int r = 0; r < 3; ++r) {
        auto *l = new QLabel(QCoreApplication::translate("Quillon", rowCaptions[r]), GroupBox3);
        // From the frame's edge: room for a font a little wider than asked for.
        l->setGeometry(4, 20 + 25 * r, 76, 21);
        FitLabelText(l);
    }
    Edit3 = NewField(GroupBox3, "Edit3", QRect(82, 20, 46, 21));
    Edit3->setText(QStringLiteral("0000"));
    MaskEdit3 = NewFrequencyField(GroupBox3, "MaskEdit3", QRect(132, 20, 72, 21));
    Edit4 = NewField(GroupBox3, "Edit4", QRect(82, 45, 46, 21));
    Edit4->setText(QStringLiteral("0000"));
    MaskEdit4 = NewFrequencyField(GroupBox3, "MaskEdit4", QRect(132, 45, 72, 21));
    CheckBox1 = new QCheckBox(QStringLiteral("+/-"), GroupBox3);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(84, 70, 46, 21);
    MaskEdit5 = NewFrequencyField(GroupBox3, "MaskEdit5", QRect(132, 70, 72, 21));

    Button2 = new QPushButton(QCoreApplication::translate("Quillon", ">> Из буфера"), TabSheet7);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(222, 8, 135, 25);
    Button3 = new QPushButton(QCoreApplication::translate("Quillon", "<< В буфер"), TabSheet7);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(222, 37, 135, 25);

    FreqNote = new QPlainTextEdit(TabSheet7);
    FreqNote->setObjectName(QStringLiteral("FreqNote"));
    FreqNote->setGeometry(222, 68, 135, 134);
    FreqNote->setReadOnly(true);
    FreqNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette face = FreqNote->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    FreqNote->setPalette(face);
    FreqNote->setPlainText(QCoreApplication::translate("Quillon", kNote));

    connect(Button2, &QPushButton::clicked, this, [this] { SafeCall([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { SafeCall([this] { Button3Click(); }); });
    // A typed field marks the word it stands for: its exit handler rewrites
    // only fields of that same word.
    const std::pair<TMaskEdit *, int> fieldWords[] = {
        {Edit2, 0}, {Edit3, 1}, {MaskEdit3, 1}, {Edit4, 2}, {MaskEdit4, 2}, {MaskEdit5, 2}};
    for (const auto &[field, word] : fieldWords)
        connect(field, &QLineEdit::textEdited, this, [this, word = word] { Freq.Changed[word] = true; });
    // Frequencies are typed in ASCII digits only: the mask alone would take any
    // Unicode digit, which the conversion cannot read.
    for (TMaskEdit *e : {MaskEdit3, MaskEdit4, MaskEdit5})
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9_ ]{3}\\.[0-9_ ]{3}")), e));
    const std::pair<TMaskEdit *, void (TForm1::*)()> hexExits[] = {
        {Edit3, &TForm1::Edit3Exit}, {Edit4, &TForm1::Edit4Exit}};
    for (const auto &[field, handler] : hexExits)
        connect(field, &TMaskEdit::Exit, this, [this, field = field, handler = handler] {
            if (Left(field))
                SafeCall([&] { (this->*handler)(); });
        });
    const std::pair<TMaskEdit *, void (TForm1::*)()> frequencyExits[] = {
        {MaskEdit3, &TForm1::MaskEdit3Exit}, {MaskEdit4, &TForm1::MaskEdit4Exit},
        {MaskEdit5, &TForm1::MaskEdit5Exit}};
    for (const auto &[field, handler] : frequencyExits)
        connect(field, &TMaskEdit::Exit, this, [this, field = field, handler = handler] {
            SafeCall([&] { LeaveFrequencyField(*this, field, handler); });
        });
}

void TForm1::FreqFromBuf()
{
    FreqFields f;
    f.CheckBox1 = CheckBox1->isChecked();
    const int indicator = Freq.FromBuf(Buf[Addr::RefDivider], Buf[Addr::TxMultiplier],
                                       Buf[Addr::LoMultiplier], f);
    QRadioButton *const indicators[] = {RadioButton3, RadioButton4, RadioButton5};
    if (indicator != FreqPage::kNoIndicator)
        indicators[indicator]->setChecked(true);
    WriteFreqFields(f, true);
    Freq.Changed = {};
}

void TForm1::FreqToBuf()
{
    StoreFreqWords({true, true, true});
}

void TForm1::TabSheet7Show()
{
    CheckBox1->setChecked(FreqPage::PlusMinusFor(Buf[Addr::TxMultiplier], Buf[Addr::LoMultiplier]));
    FreqFromBuf();
}

// Storing a field nobody changed would put a stale word over whatever reached
// the image meanwhile (a read from the telephone, clearing, a grid edit).
void TForm1::TabSheet7Hide()
{
    if (Freq.AnyChanged())
        StoreFreqWords(Freq.Changed);
}

void TForm1::Button2Click() { TabSheet7Show(); }
void TForm1::Button3Click() { FreqToBuf(); }

void TForm1::Edit3Exit() { RunFreqExit(&FreqPage::Edit3Exit); }
void TForm1::Edit4Exit() { RunFreqExit(&FreqPage::Edit4Exit); }
void TForm1::MaskEdit3Exit() { RunFreqExit(&FreqPage::MaskEdit3Exit); }
void TForm1::MaskEdit4Exit() { RunFreqExit(&FreqPage::MaskEdit4Exit); }
void TForm1::MaskEdit5Exit() { RunFreqExit(&FreqPage::MaskEdit5Exit); }

// ---- the fields as FreqPage computes them ----

FreqFields TForm1::ReadFreqFields() const
{
    FreqFields f;
    f.Edit2 = FieldText(Edit2);
    f.Edit3 = FieldText(Edit3);
    f.MaskEdit3 = FieldText(MaskEdit3);
    f.Edit4 = FieldText(Edit4);
    f.MaskEdit4 = FieldText(MaskEdit4);
    f.MaskEdit5 = FieldText(MaskEdit5);
    f.CheckBox1 = CheckBox1->isChecked();
    return f;
}

// Rewrites only the fields whose text differs, so a field keeps what the user
// typed unless a computation replaces it.
void TForm1::WriteFreqFields(const FreqFields &f, bool all)
{
    const std::pair<TMaskEdit *, const QString *> fields[] = {
        {Edit2, &f.Edit2}, {Edit3, &f.Edit3},         {MaskEdit3, &f.MaskEdit3},
        {Edit4, &f.Edit4}, {MaskEdit4, &f.MaskEdit4}, {MaskEdit5, &f.MaskEdit5},
    };
    for (const auto &[edit, text] : fields) {
        // A fill also rewrites equal texts: it forgets what was typed.
        if (all || FieldText(edit) != *text)
            edit->setText(*text);
    }
}

void TForm1::RunFreqExit(void (FreqPage::*exit)(FreqFields &) const)
{
    FreqFields f = ReadFreqFields();
    (Freq.*exit)(f);
    WriteFreqFields(f, false);
}

// Stores the hex fields of the chosen words 0x32-0x34 into the image.
void TForm1::StoreFreqWords(const std::array<bool, 3> &which)
{
    ImageState after = Doc.State();
    const TMaskEdit *const hex[3] = {Edit2, Edit3, Edit4};
    for (int i = 0; i < 3; ++i)
        if (which[i])
            after.image[Addr::RefDivider + i] = HexToWord(hex[i]->text());
    Freq.Changed = {};
    Doc.Apply(QCoreApplication::translate("Quillon", "Частота"), after);
    RefreshBufExecute();
}
