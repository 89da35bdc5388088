#include "image/Comparison.h"

#include "image/DeviceModels.h"
#include "image/ReadMark.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// 1 (21, 31...), 2-4 (22-24...) and the rest; 11-14 take the rest's form.
int AgreementForm(int n)
{
    const int lastTwo = n % 100, last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return 2;
    return last == 1 ? 0 : last >= 2 && last <= 4 ? 1 : 2;
}

QString AgreeVerb(int n, const char *one, const char *many)
{
    return QString::fromUtf8(AgreementForm(n) == 0 ? one : many);
}

} // namespace

// The window's texts are in English: its catalogue translates this code.
bool EnglishTexts()
{
    return QCoreApplication::translate("Quillon", "ru", "the language of the window's texts") == QLatin1String("en");
}

QString WordsRu(int n)
{
    if (EnglishTexts())
        return n == 1 ? QStringLiteral("1 word") : QStringLiteral("%1 words").arg(n);
    static const char *const forms[] = {"слово", "слова", "слов"};
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(forms[AgreementForm(n)]));
}

QString AllEqualText(const QString &what, int words)
{
    if (EnglishTexts())
        return QStringLiteral("%1: %2 %3").arg(what, WordsRu(words), words == 1 ? "matches" : "match");
    return QStringLiteral("%1: %2 %3").arg(what, WordsRu(words), AgreeVerb(words, "совпадает", "совпадают"));
}

QString DifferText(const QString &what, int differ, int words)
{
    if (EnglishTexts())
        return QStringLiteral("%1: %2 of %3 %4").arg(what, WordsRu(differ)).arg(words).arg(differ == 1 ? "differs" : "differ");
    return QStringLiteral("%1: %2 из %3 не %4")
        .arg(what, WordsRu(differ))
        .arg(words)
        .arg(AgreeVerb(differ, "совпадает", "совпадают"));
}

QString DifferBrief(const QString &what, int differ, int words)
{
    if (EnglishTexts())
        return QStringLiteral("%1: %2 of %3 %4")
            .arg(what)
            .arg(differ)
            .arg(words)
            .arg(differ == 1 ? "differs" : "differ");
    return QStringLiteral("%1: %2 из %3 не %4")
        .arg(what)
        .arg(differ)
        .arg(words)
        .arg(AgreeVerb(differ, "совпадает", "совпадают"));
}

QString DiffLines(const std::vector<WordDiff> &diffs, const QString &aName, const QString &bName, int limit)
{
    QStringList lines;
    for (const WordDiff &d : diffs) {
        if (lines.size() == limit) {
            lines << QCoreApplication::translate("Quillon", "и ещё %1").arg(WordsRu(int(diffs.size()) - limit));
            break;
        }
        lines << QStringLiteral("%1: %2 %3, %4 %5")
                     .arg(ByteToHex(uint8_t(d.addr)), aName, WordToHex(d.a), bName, WordToHex(d.b));
    }
    return lines.join(u'\n');
}

CellMarks DiffMarks(const std::vector<WordDiff> &diffs, const QString &bWhere)
{
    CellMarks marks;
    for (const WordDiff &d : diffs)
        marks.push_back({d.addr, QStringLiteral("%1: %2").arg(bWhere, WordToHex(d.b))});
    return marks;
}

FileComparison CompareFile(const QString &fileName, const ImageFileData &file, const EepromImage &image,
                           int model, const QString &comment)
{
    // Words a block or word read left FFFF are not the file's to compare.
    const std::optional<ReadRange> held = FindReadRangeMark(file.comment);
    const int first = held ? held->first : 0, last = held ? held->last : EepromImage::kWords - 1;
    const std::vector<WordDiff> diffs = DiffWords(image, file.image, first, last);
    const int words = last - first + 1;
    const QString what = QCoreApplication::translate("Quillon", "Файл ") + fileName;
    QStringList parts{diffs.empty() ? AllEqualText(what, words) : DifferText(what, int(diffs.size()), words)};
    if (held)
        parts.last() += QCoreApplication::translate("Quillon", " (в файле только %1)")
                            .arg(first == last ? ByteToHex(uint8_t(first))
                                               : ByteToHex(uint8_t(first)) + u'-' + ByteToHex(uint8_t(last)));
    if (file.model && *file.model != model)
        parts << QCoreApplication::translate("Quillon", "модель в файле: %1")
                     .arg(*file.model >= 0 && *file.model < kModelCount
                              ? QString::fromUtf8(DeviceModelNames[*file.model]).trimmed()
                              : QCoreApplication::translate("Quillon", "нет"));
    if (file.comment != comment)
        parts << QCoreApplication::translate("Quillon", "комментарий в файле: «%1»").arg(file.comment);
    FileComparison result;
    result.panel = parts.join(QStringLiteral("; "));
    result.tip = parts.join(u'\n');
    result.marks = DiffMarks(diffs, QCoreApplication::translate("Quillon", "В файле"));
    return result;
}
