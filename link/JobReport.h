#pragma once

// What the window says when a job ends: panel 1, the whole text behind it, a
// message box and the grid cells it marks. Plain texts, tested without widgets.

#include "image/Comparison.h"
#include "link/ProgrammingSession.h"

#include <QString>

// "Телефон принял слова 00-04, возможно 05-09, не получил 0A-3F: в нём
// неполный образ, запишите ещё раз": what a write that did not complete left,
// for the window and quillon-cli (context "JobReport").
QString PartialWriteText(const WriteGroups &groups);
// The window's, short enough for panel 1: "Принято лишь 00-04: запишите снова".
QString PartialWriteBrief(const WriteGroups &groups);
// The words a write that did not complete may not have stored.
CellMarks UnconfirmedMarks(const WriteGroups &groups);

struct JobReport {
    // Panel 1 is what the status bar has left at the window's fixed size: it
    // shows the outcome briefly; the whole text is its tooltip and a click away.
    QString panel; // empty: panel 1 stays empty
    QString whole; // empty: the panel's text is all there is
    QString box;   // a message box; empty: none
    QString boxDetails;
    CellMarks marks;
};
// A window job's end: a write, its read-back, a comparison with the telephone.
JobReport ReportJob(const JobOutcome &outcome);
