#pragma once

// The "Связь" page: words 0x37-0x3A by name. It owns its fields and what it
// remembers between changes of the image (the ID code a preset zeroed, the
// words its note tells of); the window hands it the document and shows again
// whatever the page stores.

#include "radio/Pairing.h"

#include <QString>
#include <QWidget>
#include <array>
#include <initializer_list>
#include <optional>

class ImageDocument;
class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class TMaskEdit;

class PairingPage : public QWidget {
    Q_OBJECT

public:
    // fromBase: the "Взять у базы..." action the page's button triggers.
    PairingPage(ImageDocument &doc, QAction *fromBase, QWidget *parent = nullptr);

    // The page shows the image; a field being typed in stays.
    void FromImage();
    // What was typed and not stored yet goes in now, or is refused.
    void StoreTyped();
    // The note tells what pairing took from a base's file, until the words change.
    void ShowTaken(const QString &text);
    // After a preset that left the ID code `before` behind: true when that was
    // a real ID code the preset zeroed, which "Вернуть ID-код" then offers.
    bool KeepZeroedId(uint16_t before);
    // Stores the ID code the last preset zeroed: the code, or none when there
    // is none to return.
    std::optional<uint16_t> RestoreId();

signals:
    // The page changed the image: the window shows it again.
    void Stored();
    void RestoreIdClicked();

private:
    enum class Through { Enter, Leaving };

    void Store(const QString &caption, const Pairing::Words &words);
    void Refuse(const QString &why, std::initializer_list<TMaskEdit *> fields, bool enter);
    void StoreId(TMaskEdit *field, Through how);
    void StoreRangeWord(uint16_t range);
    void StoreRange(Through how);
    void StoreSys(int i, Through how);
    void Connect();

    ImageDocument &Doc;
    TMaskEdit *Id = nullptr; // the base ID code in decimal
    TMaskEdit *IdHex = nullptr; // the same in four hex digits
    QComboBox *Plan = nullptr; // F6, F7, F8, PLUS, "другой"
    TMaskEdit *First = nullptr; // the working range
    TMaskEdit *Last = nullptr;
    std::array<TMaskEdit *, 4> Sys{}; // the system channels
    QPushButton *FromBase = nullptr;
    QPushButton *RestoreIdButton = nullptr; // "Вернуть ID-код NNNN" after a preset zeroed it
    QLabel *Note = nullptr; // why typed text was refused, or what pairing took
    // The words the note tells of: once the image holds others (undo, a read,
    // a file), the note is gone. Empty for a refusal, which the next fill keeps.
    QString NoteWords;
    std::optional<uint16_t> LostId; // the real ID code the last preset zeroed
    Pairing::Words PresetWords{}; // words 0x37-0x3A as that preset left them
};
