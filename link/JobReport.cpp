#include "link/JobReport.h"

#include "image/Wording.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString JobReportText(const char *text, const QStringList &values = {}) { return Worded("JobReport", text, values); }

// A span of words as the wordings of a write cut off name it: %1 the words'
// numbers alone ("05-09"), %2 with their noun ("слова 05-09"); each wording
// (the window's, quillon-cli's) takes the one it needs.
QStringList Span(const WriteGroups::Span &s)
{
    return {s.Hex(), s.first == s.last ? JobReportText(QT_TRANSLATE_NOOP("JobReport", "слово %1"), {s.Hex()})
                                       : JobReportText(QT_TRANSLATE_NOOP("JobReport", "слова %1"), {s.Hex()})};
}

} // namespace

QString PartialWriteText(const WriteGroups &g)
{
    if (g.confirmed.Empty() && g.possiblyTaken.Empty())
        return JobReportText(
            QT_TRANSLATE_NOOP("JobReport", "Телефон не подтвердил ни одного слова из %1: запишите ещё раз"),
            Span(g.notTaken));
    QStringList parts;
    if (!g.confirmed.Empty())
        parts << JobReportText(QT_TRANSLATE_NOOP("JobReport", "принял %2"), Span(g.confirmed));
    // Sent, but the echo that says so never came: stored at the CR, or at the
    // next one (the next job's opening).
    if (!g.possiblyTaken.Empty())
        parts << (g.confirmed.Empty()
                      ? JobReportText(QT_TRANSLATE_NOOP("JobReport", "возможно, принял %2"), Span(g.possiblyTaken))
                      : JobReportText(QT_TRANSLATE_NOOP("JobReport", "возможно %1"), Span(g.possiblyTaken)));
    if (!g.notTaken.Empty())
        parts << JobReportText(QT_TRANSLATE_NOOP("JobReport", "не получил %1"), Span(g.notTaken));
    return (g.confirmed.Empty() ? JobReportText(QT_TRANSLATE_NOOP("JobReport", "Телефон, "))
                                : JobReportText(QT_TRANSLATE_NOOP("JobReport", "Телефон ")))
           + parts.join(QStringLiteral(", "))
           + (g.notTaken.Empty()
                  ? JobReportText(QT_TRANSLATE_NOOP("JobReport", ": запишите ещё раз для верности"))
                  : JobReportText(QT_TRANSLATE_NOOP("JobReport", ": в нём неполный образ, запишите ещё раз")));
}

QString PartialWriteBrief(const WriteGroups &g)
{
    // Only what the telephone confirmed is certain; the rest is in the whole text.
    if (g.confirmed.Empty())
        return QCoreApplication::translate("Quillon", "Ничего не принято: запишите снова");
    return QCoreApplication::translate("Quillon", "Принято лишь %1: запишите снова").arg(g.confirmed.Hex());
}

CellMarks UnconfirmedMarks(const WriteGroups &g)
{
    CellMarks marks;
    for (int a = g.possiblyTaken.first; a <= g.possiblyTaken.last; ++a)
        marks.push_back({a, QCoreApplication::translate("Quillon", "Возможно, не записано: телефон не подтвердил"), true});
    for (int a = g.notTaken.first; a <= g.notTaken.last; ++a)
        marks.push_back({a, QCoreApplication::translate("Quillon", "Не записано: телефон не получил")});
    return marks;
}

JobReport ReportJob(const JobOutcome &o)
{
    JobReport r;
    const bool writing = JobTable[static_cast<size_t>(o.job)].Writing;
    const int words = o.last - o.first + 1;
    if (!o.completed) {
        const QString cause = FaultText(o.fault);
        if (!writing || o.verify) {
            r.panel = o.fault.Kind == EngineFault::None ? cause : FaultBrief(o.fault);
            r.whole = cause;
        } else {
            r.panel = PartialWriteBrief(o.written);
            r.whole = cause + u'\n' + PartialWriteText(o.written);
            r.marks = UnconfirmedMarks(o.written);
        }
        return r;
    }
    if (o.verify) { // "Сравнить с телефоном"
        const QString what = QCoreApplication::translate("Quillon", "Сравнено с телефоном");
        const QString brief = QCoreApplication::translate("Quillon", "Сравнено");
        const int differ = int(o.diffs.size());
        r.panel = differ ? DifferBrief(brief, differ, words) : AllEqualText(brief, words);
        r.whole = differ ? DifferText(what, differ, words) : AllEqualText(what, words);
        r.marks = DiffMarks(o.diffs, QCoreApplication::translate("Quillon", "В телефоне"));
        return r;
    }
    switch (o.check) {
    case JobOutcome::Check::None: break;
    case JobOutcome::Check::Failed:
        r.panel = QCoreApplication::translate("Quillon", "Записано, но не проверено");
        r.whole =
            QCoreApplication::translate("Quillon", "Запись завершена, но проверить её не удалось: ")
            + (o.checkFault.Kind != EngineFault::None ? FaultText(o.checkFault)
                                                      : QCoreApplication::translate("Quillon", "порт недоступен"));
        break;
    case JobOutcome::Check::Completed:
        if (o.diffs.empty()) {
            r.panel = AllEqualText(QCoreApplication::translate("Quillon", "Проверено"), words);
            break;
        }
        r.panel = DifferBrief(QCoreApplication::translate("Quillon", "Проверено"), int(o.diffs.size()), words);
        r.whole = DifferText(QCoreApplication::translate("Quillon", "Проверено"), int(o.diffs.size()), words);
        r.marks = DiffMarks(o.diffs, QCoreApplication::translate("Quillon", "В телефоне"));
        constexpr int kListed = 16;
        r.box = QCoreApplication::translate("Quillon", "%1.\n\n%2\n\nЯчейки отмечены в таблице; запишите ещё раз.")
                    .arg(r.whole, DiffLines(o.diffs, QCoreApplication::translate("Quillon", "записано"),
                                            QCoreApplication::translate("Quillon", "прочитано"), kListed));
        if (int(o.diffs.size()) > kListed)
            r.boxDetails =
                DiffLines(o.diffs, QCoreApplication::translate("Quillon", "записано"), QCoreApplication::translate("Quillon", "прочитано"), EepromImage::kWords);
        break;
    }
    return r;
}
