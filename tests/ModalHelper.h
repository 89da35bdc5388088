#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the next modal window from a timer, so a test never hangs on one:
// `answer` gets the modal widget (inspect it, click a button, close it).
// If it is still open after `answer`, it is closed.
inline void AnswerNextModal(std::function<void(QWidget *)> answer, int tries = 200)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    auto left = std::make_shared<int>(tries);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, left] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && --*left > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (!modal)
            return;
        answer(modal);
        if (modal->isVisible())
            modal->close();
    });
    timer->start();
}
