#include "image/Comparison.h"

#include "image/DeviceModels.h"
#include "image/ReadMark.h"

#include <QCoreApplication>
#include <QStringList>

// The word counts agree with their noun and verb through the catalogues'
// plural forms: the Russian ones from the plural-only Russian catalogue.
QString AllEqualText(const QString &what, int words)
{
    return QCoreApplication::translate("Comparison", "%1: %n слов совпадают", nullptr, words).arg(what);
}

QString DifferText(const QString &what, int differ, int words)
{
    return QCoreApplication::translate("Comparison", "%1: %n слов из %2 не совпадают", nullptr, differ)
        .arg(what, QString::number(words));
}

QString DifferBrief(const QString &what, int differ, int words)
{
    return QCoreApplication::translate("Comparison", "%1: %n из %2 не совпадают", nullptr, differ)
        .arg(what, QString::number(words));
}

QString DiffLines(const std::vector<WordDiff> &diffs, const QString &aName, const QString &bName, int limit)
{
    QStringList lines;
    for (const WordDiff &d : diffs) {
        if (lines.size() == limit) {
            lines << QCoreApplication::translate("Comparison", "и ещё %n слов", nullptr, int(diffs.size()) - limit);
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
