#pragma once

// What the window says when a job ends: panel 1, its tooltip, a message box
// and the grid cells it marks. Plain texts, tested without widgets.

#include "image/Comparison.h"
#include "link/ProgrammingSession.h"

#include <QString>

// "Телефон принял слова 00-04, возможно 05-09, не получил 0A-3F: в нём
// неполный образ, запишите ещё раз": what a write that did not complete left.
QString PartialWriteTextRu(const WriteGroups &groups);
// The words a write that did not complete may not have stored.
CellMarks UnconfirmedMarks(const WriteGroups &groups);

struct JobReport {
    QString panel; // empty: panel 1 stays empty
    QString tip;   // panel 1's tooltip; empty: the text
    QString box;   // a message box; empty: none
    QString boxDetails;
    CellMarks marks;
};
// A window job's end: a write, its read-back, a comparison with the telephone.
JobReport ReportJob(const JobOutcome &outcome);
