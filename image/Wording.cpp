#include "image/Wording.h"

#include <QCoreApplication>

QString Worded(const char *context, const char *text, const QStringList &values)
{
    const QString wording = QCoreApplication::translate(context, text);
    QString out;
    for (qsizetype i = 0; i < wording.size(); ++i) {
        const int n = i + 1 < wording.size() ? wording[i + 1].digitValue() : -1;
        if (wording[i] == u'%' && n >= 1 && n <= values.size()) {
            out += values[n - 1];
            ++i;
        } else {
            out += wording[i];
        }
    }
    return out;
}
