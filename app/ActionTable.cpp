#include "app/ActionTable.h"

#include "app/Unit1.h"
#include "image/Presets.h"

#include <QCoreApplication>

#define A(name) &TActions::name, #name
#define H(name) &TForm1::name##Execute
// The preset actions take their captions from the preset table.
#define PRESET(p, name) {A(name), "NewData", PresetTable[p].caption, nullptr, nullptr, -1, true, H(name)}

const ActionDef ActionTable[] = {
    {A(RefreshBuf), "Main", QT_TRANSLATE_NOOP("Quillon", "Обновить буфер"), "=", nullptr, -1, true, H(RefreshBuf)},
    {A(OpenPort), "Prog", QT_TRANSLATE_NOOP("Quillon", "Открыть порт"), "=", "F9", 3, true, H(OpenPort)},
    {A(ClosePort), "Prog", QT_TRANSLATE_NOOP("Quillon", "Закрыть порт"), "=", "F10", 4, false, H(ClosePort)},
    {A(Read258), "Prog", QT_TRANSLATE_NOOP("Quillon", "Прочитать всю EEPROM"), "=", "F7", 6, false, H(Read258)},
    {A(Write258), "Prog", QT_TRANSLATE_NOOP("Quillon", "Записать всю EEPROM"), "=", "F8", 5, false, H(Write258)},
    {A(ReadBlock), "Prog", QT_TRANSLATE_NOOP("Quillon", "Прочитать блок 30-3F"), "=", "F3", 8, false, H(ReadBlock)},
    {A(WriteBlock), "Prog", QT_TRANSLATE_NOOP("Quillon", "Записать блок 30-3F"), "=", "F2", 7, false, H(WriteBlock)},
    {A(ReadCur), "Prog", QT_TRANSLATE_NOOP("Quillon", "Прочитать ячейку"), "=", "F5", 10, false, H(ReadCur)},
    {A(WriteCur), "Prog", QT_TRANSLATE_NOOP("Quillon", "Записать ячейку"), "=", "F6", 9, false, H(WriteCur)},
    {A(SaveFile), "File", QT_TRANSLATE_NOOP("Quillon", "Сохранить как..."), "=", "Ctrl+S", 1, true, H(SaveFile)},
    {A(LoadFile), "File", QT_TRANSLATE_NOOP("Quillon", "Открыть..."), "=", "Ctrl+O", 0, true, H(LoadFile)},
    {A(ClearBuf), "File", QT_TRANSLATE_NOOP("Quillon", "Отчистить буфер"), "=", "Ctrl+N", 2, true, H(ClearBuf)},
    // The standard exit action: closes the window like its close box.
    {A(FileExit1), "File", QT_TRANSLATE_NOOP("Quillon", "Выход"), "Exit|Quits the application", "Alt+F4", 11, true,
     nullptr},
    {A(AbuotBox), "Help", QT_TRANSLATE_NOOP("Quillon", "О программе..."), nullptr, nullptr, -1, true, H(AbuotBox)},
    {A(FillList), "Main", "FillList", nullptr, nullptr, -1, true, H(FillList)},
    {A(CancelProg), "Prog", QT_TRANSLATE_NOOP("Quillon", "Отменить программирование"), "=", "Esc", 12, false,
     H(CancelProg)},
    {A(ShowSheme), "Help", QT_TRANSLATE_NOOP("Quillon", "Схема преобразователя уровней"), "=", nullptr, 13, true,
     H(ShowSheme)},
    PRESET(0, L258Hand10625),
    PRESET(1, L258Hand12800),
    PRESET(2, L258Hand21250),
    PRESET(3, L258Base10625),
    PRESET(4, L258Base12800),
    PRESET(5, L258Base21250),
    PRESET(6, L258PHand12800),
    PRESET(7, L258PHand21250),
    PRESET(8, L258PBase12800),
    PRESET(9, L258PBase21250),
    PRESET(10, L258Hand21250Ukr),
    PRESET(11, L258Base21250Ukr),
    {A(SwapByte), "Main", QT_TRANSLATE_NOOP("Quillon", "Поменять байты местами"), nullptr, nullptr, 14, true,
     H(SwapByte)},
    // Enabled by the undo stack; "Повторить" also answers Ctrl+Y.
    {A(Undo), "Main", QT_TRANSLATE_NOOP("Quillon", "Отменить"), nullptr, "Ctrl+Z", -1, false, H(Undo)},
    {A(Redo), "Main", QT_TRANSLATE_NOOP("Quillon", "Повторить"), nullptr, "Ctrl+Shift+Z", -1, false, H(Redo)},
    {A(Backups), "File", QT_TRANSLATE_NOOP("Quillon", "Резервные копии..."), nullptr, nullptr, -1, true, H(Backups)},
    {A(ProbeLine), "Prog", QT_TRANSLATE_NOOP("Quillon", "Проверить связь с телефоном"), "=", nullptr, -1, false,
     H(ProbeLine)},
    // The characters of the last job, for a failure nobody can reproduce.
    {A(ShowTrace), "Prog", QT_TRANSLATE_NOOP("Quillon", "Показать обмен"),
     QT_TRANSLATE_NOOP("Quillon", "Обмен с телефоном в последнем задании"), nullptr, -1, true, H(ShowTrace)},
    // Pairing: words 0x37-0x3A from a base's image.
    {A(PairFromBase), "File", QT_TRANSLATE_NOOP("Quillon", "Взять у базы..."),
     QT_TRANSLATE_NOOP("Quillon", "ID-код и каналы базы из её образа"), nullptr, -1, true, H(PairFromBase)},
    // The guide to the window, in a window of its own.
    // Checks of what the telephone holds; the marks they leave in the grid
    // go with the next change, the next job, Esc or "Снять отметки" (which
    // takes Esc only while no job runs: CancelProg is disabled then).
    {A(VerifyAfterWrite), "Prog", QT_TRANSLATE_NOOP("Quillon", "Проверять после записи"),
     QT_TRANSLATE_NOOP("Quillon", "Читать записанные слова обратно и сравнивать"), nullptr, -1, true, H(VerifyAfterWrite)},
    {A(CompareWithPhone), "Prog", QT_TRANSLATE_NOOP("Quillon", "Сравнить с телефоном"), "=", "Ctrl+F7", -1, false,
     H(CompareWithPhone)},
    {A(CompareWithFile), "File", QT_TRANSLATE_NOOP("Quillon", "Сравнить с файлом..."), "=", nullptr, -1, true,
     H(CompareWithFile)},
    {A(ClearMarks), "Main", QT_TRANSLATE_NOOP("Quillon", "Снять отметки"), "=", "Esc", -1, false, H(ClearMarks)},
    // Many telephones in a row with the image; port open, no job running.
    {A(Series), "Prog", QT_TRANSLATE_NOOP("Quillon", "Серия..."),
     QT_TRANSLATE_NOOP("Quillon", "Программировать телефоны один за другим"), nullptr, -1, false, H(Series)},
    {A(Help), "Help", QT_TRANSLATE_NOOP("Quillon", "Справка"), nullptr, "F1", -1, true, H(Help)},
    // Each language under its own name, untranslated, so that either reader finds it.
    {A(LangRussian), "Help", "Русский", nullptr, nullptr, -1, true, H(LangRussian)},
    {A(LangEnglish), "Help", "English", nullptr, nullptr, -1, true, H(LangEnglish)},
};
const int ActionCount = sizeof(ActionTable) / sizeof(ActionTable[0]);

#undef A
#undef H
#undef PRESET

#define ITEM(name) {&TActions::name, nullptr, nullptr, nullptr}
#define ITEMAS(name, caption) {&TActions::name, caption, nullptr, nullptr}
#define SEP {nullptr, nullptr, nullptr, nullptr}
#define END {nullptr, "", nullptr, nullptr}

static const MenuEntry PresetEntries[] = {
    ITEMAS(L258Hand10625, QT_TRANSLATE_NOOP("Quillon", "Труба 258 &10625")),
    ITEMAS(L258Hand12800, QT_TRANSLATE_NOOP("Quillon", "Труба 258 128&00")),
    ITEM(L258Hand21250),
    SEP,
    ITEMAS(L258Base10625, QT_TRANSLATE_NOOP("Quillon", "База &258 10625")),
    ITEMAS(L258Base12800, QT_TRANSLATE_NOOP("Quillon", "База 2&58 12800")),
    ITEMAS(L258Base21250, QT_TRANSLATE_NOOP("Quillon", "База 25&8 21250")),
    SEP,
    ITEM(L258PHand12800),
    ITEM(L258PHand21250),
    SEP,
    ITEM(L258PBase12800),
    ITEM(L258PBase21250),
    SEP,
    ITEM(L258Hand21250Ukr),
    ITEM(L258Base21250Ukr),
    END,
};

static const MenuEntry FileEntries[] = {
    ITEM(ClearBuf),
    ITEM(LoadFile),
    ITEM(CompareWithFile),
    ITEM(Backups),
    ITEM(PairFromBase),
    {nullptr, nullptr, PresetEntries, QT_TRANSLATE_NOOP("Quillon", "Стандартные для...")},
    ITEM(SaveFile),
    SEP,
    ITEM(FileExit1),
    END,
};

static const MenuEntry EditorEntries[] = {
    ITEM(Undo),
    ITEM(Redo),
    SEP,
    ITEM(SwapByte),
    END,
};

static const MenuEntry TerminalEntries[] = {
    ITEM(OpenPort),
    ITEM(ClosePort),
    ITEM(ProbeLine),
    ITEM(CompareWithPhone),
    ITEM(ClearMarks),
    ITEM(VerifyAfterWrite),
    ITEM(ShowTrace),
    ITEM(Series),
    SEP,
    ITEMAS(ReadBlock, QT_TRANSLATE_NOOP("Quillon", "Прочитать блок &30-3F")),
    ITEMAS(WriteBlock, QT_TRANSLATE_NOOP("Quillon", "Записать блок 3&0-3F")),
    SEP,
    ITEMAS(Read258, QT_TRANSLATE_NOOP("Quillon", "Прочитать всю &EEPROM")),
    ITEMAS(Write258, QT_TRANSLATE_NOOP("Quillon", "Записать всю EE&PROM")),
    SEP,
    ITEM(ReadCur),
    ITEM(WriteCur),
    END,
};

static const MenuEntry LanguageEntries[] = {
    ITEM(LangRussian),
    ITEM(LangEnglish),
    END,
};

static const MenuEntry HelpEntries[] = {
    ITEM(Help),
    {nullptr, nullptr, LanguageEntries, "Язык / Language"},
    ITEM(ShowSheme),
    ITEM(AbuotBox),
    END,
};

const MenuDef MainMenu[] = {
    {QT_TRANSLATE_NOOP("Quillon", "Файл"), FileEntries},
    {QT_TRANSLATE_NOOP("Quillon", "Редактор"), EditorEntries},
    {QT_TRANSLATE_NOOP("Quillon", "Терминал"), TerminalEntries},
    {"?", HelpEntries},
};
const int MainMenuCount = sizeof(MainMenu) / sizeof(MainMenu[0]);

QAction *TActions::*const ToolBarEntries[] = {
    &TActions::ClearBuf, &TActions::LoadFile, &TActions::SaveFile, nullptr,
    &TActions::OpenPort, &TActions::ClosePort, nullptr,
    &TActions::ReadBlock, &TActions::WriteBlock, nullptr,
    &TActions::Read258, &TActions::Write258, nullptr,
    &TActions::ReadCur, &TActions::WriteCur, nullptr,
    &TActions::CancelProg,
};
const int ToolBarCount = sizeof(ToolBarEntries) / sizeof(ToolBarEntries[0]);
