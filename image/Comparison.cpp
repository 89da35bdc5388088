#include "image/Comparison.h"

#include "image/DeviceModels.h"
#include "image/ReadMark.h"

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

QString WordsRu(int n)
{
    static const char *const forms[] = {"слово", "слова", "слов"};
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(forms[AgreementForm(n)]));
}

QString AllEqualText(const QString &what, int words)
{
    return QStringLiteral("%1: %2 %3").arg(what, WordsRu(words), AgreeVerb(words, "совпадает", "совпадают"));
}

QString DifferText(const QString &what, int differ, int words)
{
    return QStringLiteral("%1: %2 из %3 не %4")
        .arg(what, WordsRu(differ))
        .arg(words)
        .arg(AgreeVerb(differ, "совпадает", "совпадают"));
}

QString DiffLines(const std::vector<WordDiff> &diffs, const QString &aName, const QString &bName, int limit)
{
    QStringList lines;
    for (const WordDiff &d : diffs) {
        if (lines.size() == limit) {
            lines << QStringLiteral("и ещё %1").arg(WordsRu(int(diffs.size()) - limit));
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
    const QString what = QStringLiteral("Файл ") + fileName;
    QStringList parts{diffs.empty() ? AllEqualText(what, words) : DifferText(what, int(diffs.size()), words)};
    if (held)
        parts.last() += QStringLiteral(" (в файле только %1)")
                            .arg(first == last ? ByteToHex(uint8_t(first))
                                               : ByteToHex(uint8_t(first)) + u'-' + ByteToHex(uint8_t(last)));
    if (file.model && *file.model != model)
        parts << QStringLiteral("модель в файле: %1")
                     .arg(*file.model >= 0 && *file.model < kModelCount
                              ? QString::fromUtf8(DeviceModelNames[*file.model]).trimmed()
                              : QStringLiteral("нет"));
    if (file.comment != comment)
        parts << QStringLiteral("комментарий в файле: «%1»").arg(file.comment);
    FileComparison result;
    result.panel = parts.join(QStringLiteral("; "));
    result.tip = parts.join(u'\n');
    result.marks = DiffMarks(diffs, QStringLiteral("В файле"));
    return result;
}
