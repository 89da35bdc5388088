#include "cli/CliInfo.h"

#include "cli/CliPrintable.h"
#include "cli/CliText.h"
#include "image/DeviceModels.h"
#include "radio/FreqCalc.h"
#include "radio/InfoList.h"

#include <QJsonArray>
#include <QStringList>

#include <algorithm>

namespace Cli {

namespace {

const char *const kInfoKeys[InfoList::kRows] = {
    "device", "type", "reference", "tx", "rx", "lo", "if", "spacing", "step", "system_channels",
    "channel_range", "id_code",
};

// The page's fill as TabSheet7Show does it on a fresh page: "+/-" checked
// when word 0x33 is below word 0x34.
struct FreqView {
    FreqFields fields;
    QString reference; // the checked oscillator's caption; empty for an unknown divider
};

QString WithoutTrailingBlanks(QString s)
{
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

FreqView FillFreqPage(const EepromImage &image)
{
    FreqView v;
    v.fields.CheckBox1 = FreqPage::PlusMinusFor(image[Addr::TxMultiplier], image[Addr::LoMultiplier]);
    FreqPage page;
    page.FromBuf(image[Addr::RefDivider], image[Addr::TxMultiplier], image[Addr::LoMultiplier], v.fields);
    if (const RefOscillator *r = FindRefOscillator(image[Addr::RefDivider]))
        v.reference = QStringLiteral("%1kHz/IF%2kHz").arg(r->refKHz).arg(r->ifKHz);
    return v;
}

QString ModelText(const ImageFileData &file)
{
    if (!file.model || *file.model < 0)
        return Text::tr("none", "no model byte");
    return QString::number(*file.model) + u' ' + WindowText(DeviceModelNames[*file.model]);
}

} // namespace

QString InfoText(const ImageFileData &file)
{
    const QString model = Text::tr("Model:"), comment = Text::tr("Comment:");
    const int labelWidth = int(std::max(model.size(), comment.size())) + 2;
    QString text = model.leftJustified(labelWidth) + ModelText(file) + u'\n'
                   + WithoutTrailingBlanks(comment.leftJustified(labelWidth) + Printable(file.comment))
                   + QStringLiteral("\n\n");

    const InfoList::Rows rows = InfoList::Decode(file.image);
    int widths[2] = {int(InfoList::ColumnCaption(0).size()), int(InfoList::ColumnCaption(1).size())};
    for (int r = 0; r < InfoList::kRows; ++r) {
        widths[0] = std::max<int>(widths[0], InfoList::RowCaption(r).size());
        widths[1] = std::max<int>(widths[1], WindowText(rows[static_cast<size_t>(r)].value).size());
    }
    const auto line = [&](const QString &a, const QString &b, const QString &c) {
        return WithoutTrailingBlanks(a.leftJustified(widths[0] + 2) + b.leftJustified(widths[1] + 2) + c) + u'\n';
    };
    text += line(InfoList::ColumnCaption(0), InfoList::ColumnCaption(1), InfoList::ColumnCaption(2));
    for (int r = 0; r < InfoList::kRows; ++r)
        text += line(InfoList::RowCaption(r), WindowText(rows[static_cast<size_t>(r)].value),
                     rows[static_cast<size_t>(r)].hex);

    const FreqView f = FillFreqPage(file.image);
    // The labels' column is as wide as the longest of them in the language shown.
    const QString labels[] = {Text::tr("reference divider"), Text::tr("TX multiplier"), Text::tr("LO multiplier"),
                              QStringLiteral("+/-"), Text::tr("RX")};
    int labelColumn = 20;
    for (const QString &l : labels)
        labelColumn = std::max(labelColumn, int(l.size()) + 2);
    const auto freq = [labelColumn](const QString &label, const QString &word, const QString &value) {
        return WithoutTrailingBlanks(QStringLiteral("  ") + label.leftJustified(labelColumn) + word.leftJustified(6)
                                     + value)
               + u'\n';
    };
    text += u'\n' + Text::tr("Frequency page") + u'\n';
    text += freq(labels[0], f.fields.Edit2, f.reference.isEmpty() ? Text::tr("unknown") : f.reference);
    text += freq(labels[1], f.fields.Edit3, f.fields.MaskEdit3);
    text += freq(labels[2], f.fields.Edit4, f.fields.MaskEdit4);
    text += freq(labels[3], f.fields.CheckBox1 ? Text::tr("on") : Text::tr("off"), QString());
    text += freq(labels[4], QString(), f.fields.MaskEdit5);
    return text;
}

QJsonObject InfoJson(const ImageFileData &file)
{
    QJsonObject info;
    const InfoList::Rows rows = InfoList::Decode(file.image);
    for (int r = 0; r < InfoList::kRows; ++r)
        info.insert(QLatin1String(kInfoKeys[r]),
                    QJsonObject{{QStringLiteral("caption"), InfoList::RowCaptionSource(r)},
                                {QStringLiteral("value"), rows[static_cast<size_t>(r)].value},
                                {QStringLiteral("hex"), rows[static_cast<size_t>(r)].hex}});

    const FreqView f = FillFreqPage(file.image);
    const auto orNull = [](const QString &s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
    const QJsonObject frequency{
        {QStringLiteral("divider"), f.fields.Edit2},
        {QStringLiteral("reference"), orNull(f.reference)},
        {QStringLiteral("tx_multiplier"), f.fields.Edit3},
        {QStringLiteral("tx"), orNull(f.fields.MaskEdit3)},
        {QStringLiteral("lo_multiplier"), f.fields.Edit4},
        {QStringLiteral("lo"), orNull(f.fields.MaskEdit4)},
        {QStringLiteral("plus_minus"), f.fields.CheckBox1},
        {QStringLiteral("rx"), orNull(f.fields.MaskEdit5)},
    };

    QJsonValue model;
    if (file.model && *file.model >= 0)
        model = QJsonObject{{QStringLiteral("index"), *file.model},
                            {QStringLiteral("name"), QString::fromUtf8(DeviceModelNames[*file.model])}};
    QJsonArray words;
    for (int a = 0; a < EepromImage::kWords; ++a)
        words.append(WordToHex(file.image[a]));
    return QJsonObject{{QStringLiteral("model"), model},
                       {QStringLiteral("comment"), file.comment},
                       {QStringLiteral("words"), words},
                       {QStringLiteral("info"), info},
                       {QStringLiteral("frequency"), frequency}};
}

} // namespace Cli
