#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Схема преобразователя уровней": the level converter's circuit.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    QLabel *Image1;
    QPushButton *Button1;
};
