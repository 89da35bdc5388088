#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
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

// Answers every message box with OK as soon as it shows, for as long as it
// lives, and keeps the texts it answered.
class BoxAnswerer {
public:
    QStringList texts;
    BoxAnswerer()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
};
