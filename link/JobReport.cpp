#include "link/JobReport.h"

#include <QStringList>

namespace {

QString Span(const WriteGroups::Span &s)
{
    return s.first == s.last ? ByteToHex(uint8_t(s.first))
                             : ByteToHex(uint8_t(s.first)) + u'-' + ByteToHex(uint8_t(s.last));
}

QString WordsOf(const WriteGroups::Span &s)
{
    return (s.first == s.last ? QStringLiteral("слово ") : QStringLiteral("слова ")) + Span(s);
}

} // namespace

QString PartialWriteTextRu(const WriteGroups &g)
{
    if (g.confirmed.Empty() && g.possiblyTaken.Empty())
        return QStringLiteral("Телефон не подтвердил ни одного слова из %1: запишите ещё раз").arg(Span(g.notTaken));
    QStringList parts;
    if (!g.confirmed.Empty())
        parts << QStringLiteral("принял ") + WordsOf(g.confirmed);
    // Sent, but the echo that says so never came: stored at the CR, or at the
    // next one (the next job's opening).
    if (!g.possiblyTaken.Empty())
        parts << (g.confirmed.Empty() ? QStringLiteral("возможно, принял ") + WordsOf(g.possiblyTaken)
                                      : QStringLiteral("возможно ") + Span(g.possiblyTaken));
    if (!g.notTaken.Empty())
        parts << QStringLiteral("не получил ") + Span(g.notTaken);
    return (g.confirmed.Empty() ? QStringLiteral("Телефон, ") : QStringLiteral("Телефон "))
           + parts.join(QStringLiteral(", "))
           + (g.notTaken.Empty() ? QStringLiteral(": запишите ещё раз для верности")
                                 : QStringLiteral(": в нём неполный образ, запишите ещё раз"));
}

CellMarks UnconfirmedMarks(const WriteGroups &g)
{
    CellMarks marks;
    for (int a = g.possiblyTaken.first; a <= g.possiblyTaken.last; ++a)
        marks.push_back({a, QStringLiteral("Возможно, не записано: телефон не подтвердил"), true});
    for (int a = g.notTaken.first; a <= g.notTaken.last; ++a)
        marks.push_back({a, QStringLiteral("Не записано: телефон не получил")});
    return marks;
}

JobReport ReportJob(const JobOutcome &o)
{
    JobReport r;
    const bool writing = JobTable[static_cast<size_t>(o.job)].Writing;
    const int words = o.last - o.first + 1;
    if (!o.completed) {
        const QString cause = FaultText(o.fault, true);
        if (!writing || o.verify) {
            r.panel = cause;
        } else {
            r.panel = PartialWriteTextRu(o.written);
            r.tip = cause + u'\n' + r.panel;
            r.marks = UnconfirmedMarks(o.written);
        }
        return r;
    }
    if (o.verify) { // "Сравнить с телефоном"
        const QString what = QStringLiteral("Сравнено с телефоном");
        r.panel = o.diffs.empty() ? AllEqualText(what, words) : DifferText(what, int(o.diffs.size()), words);
        r.marks = DiffMarks(o.diffs, QStringLiteral("В телефоне"));
        return r;
    }
    switch (o.check) {
    case JobOutcome::Check::None: break;
    case JobOutcome::Check::Failed:
        r.panel = QStringLiteral("Запись завершена, но проверить её не удалось: ")
                  + (o.checkFault.Kind != EngineFault::None ? FaultText(o.checkFault, true)
                                                            : QStringLiteral("порт недоступен"));
        break;
    case JobOutcome::Check::Completed:
        if (o.diffs.empty()) {
            r.panel = AllEqualText(QStringLiteral("Проверено"), words);
            break;
        }
        r.panel = DifferText(QStringLiteral("Проверено"), int(o.diffs.size()), words);
        r.marks = DiffMarks(o.diffs, QStringLiteral("В телефоне"));
        constexpr int kListed = 16;
        r.box = QStringLiteral("%1.\n\n%2\n\nЯчейки отмечены в таблице; запишите ещё раз.")
                    .arg(r.panel, DiffLines(o.diffs, QStringLiteral("записано"), QStringLiteral("прочитано"), kListed));
        if (int(o.diffs.size()) > kListed)
            r.boxDetails =
                DiffLines(o.diffs, QStringLiteral("записано"), QStringLiteral("прочитано"), EepromImage::kWords);
        break;
    }
    return r;
}
