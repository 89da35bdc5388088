#include "app/ActionTable.h"

#include "app/Unit1.h"
#include "image/Presets.h"

#define A(name) &TActions::name, #name
#define H(name) &TForm1::name##Execute
// The preset actions take their captions from the preset table.
#define PRESET(p, name) {A(name), "NewData", PresetTable[p].caption, nullptr, nullptr, -1, true, H(name)}

const ActionDef ActionTable[] = {
    {A(RefreshBuf), "Main", "Обновить буфер", "=", nullptr, -1, true, H(RefreshBuf)},
    {A(OpenPort), "Prog", "Открыть порт", "=", "F9", 3, true, H(OpenPort)},
    {A(ClosePort), "Prog", "Закрыть порт", "=", "F10", 4, false, H(ClosePort)},
    {A(Read258), "Prog", "Прочитать всю EEPROM", "=", "F7", 6, false, H(Read258)},
    {A(Write258), "Prog", "Записать всю EEPROM", "=", "F8", 5, false, H(Write258)},
    {A(ReadBlock), "Prog", "Прочитать блок 30-3F", "=", "F3", 8, false, H(ReadBlock)},
    {A(WriteBlock), "Prog", "Записать блок 30-3F", "=", "F2", 7, false, H(WriteBlock)},
    {A(ReadCur), "Prog", "Прочитать ячейку", "=", "F5", 10, false, H(ReadCur)},
    {A(WriteCur), "Prog", "Записать ячейку", "=", "F6", 9, false, H(WriteCur)},
    {A(SaveFile), "File", "Сохранить как...", "=", "Ctrl+S", 1, true, H(SaveFile)},
    {A(LoadFile), "File", "Открыть...", "=", "Ctrl+O", 0, true, H(LoadFile)},
    {A(ClearBuf), "File", "Отчистить буфер", "=", "Ctrl+N", 2, true, H(ClearBuf)},
    // The standard exit action: closes the window like its close box.
    {A(FileExit1), "File", "Выход", "Exit|Quits the application", "Alt+F4", 11, true, nullptr},
    {A(AbuotBox), "Help", "О программе...", nullptr, nullptr, -1, true, H(AbuotBox)},
    {A(FillList), "Main", "FillList", nullptr, nullptr, -1, true, H(FillList)},
    {A(CancelProg), "Prog", "Отменить программирование", "=", "Esc", 12, false, H(CancelProg)},
    {A(ShowSheme), "Help", "Схема преобразователя уровней", "=", nullptr, 13, true, H(ShowSheme)},
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
    {A(SwapByte), "Main", "Поменять байты местами", nullptr, nullptr, 14, true, H(SwapByte)},
    // Enabled by the undo stack; "Повторить" also answers Ctrl+Y.
    {A(Undo), "Main", "Отменить", nullptr, "Ctrl+Z", -1, false, H(Undo)},
    {A(Redo), "Main", "Повторить", nullptr, "Ctrl+Shift+Z", -1, false, H(Redo)},
    {A(Backups), "File", "Резервные копии...", nullptr, nullptr, -1, true, H(Backups)},
    {A(ProbeLine), "Prog", "Проверить связь с телефоном", "=", nullptr, -1, false, H(ProbeLine)},
    // The characters of the last job, for a failure nobody can reproduce.
    {A(ShowTrace), "Prog", "Показать обмен", "Обмен с телефоном в последнем задании", nullptr, -1, true, H(ShowTrace)},
    // Pairing: words 0x37-0x3A from a base's image.
    {A(PairFromBase), "File", "Взять у базы...", "ID-код и каналы базы из её образа", nullptr, -1, true, H(PairFromBase)},
    // The guide to the window, in a window of its own.
    {A(Help), "Help", "Справка", nullptr, "F1", -1, true, H(Help)},
    // Checks of what the telephone holds; the marks they leave in the grid
    // go with the next change, the next job, Esc or "Снять отметки" (which
    // takes Esc only while no job runs: CancelProg is disabled then).
    {A(VerifyAfterWrite), "Prog", "Проверять после записи", "Читать записанные слова обратно и сравнивать", nullptr, -1, true, H(VerifyAfterWrite)},
    {A(CompareWithPhone), "Prog", "Сравнить с телефоном", "=", "Ctrl+F7", -1, false, H(CompareWithPhone)},
    {A(CompareWithFile), "File", "Сравнить с файлом...", "=", nullptr, -1, true, H(CompareWithFile)},
    {A(ClearMarks), "Main", "Снять отметки", "=", "Esc", -1, false, H(ClearMarks)},
    // Many telephones in a row with the image; port open, no job running.
    {A(Series), "Prog", "Серия...", "Программировать телефоны один за другим", nullptr, -1, false, H(Series)},
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
    ITEMAS(L258Hand10625, "Труба 258 &10625"),
    ITEMAS(L258Hand12800, "Труба 258 128&00"),
    ITEM(L258Hand21250),
    SEP,
    ITEMAS(L258Base10625, "База &258 10625"),
    ITEMAS(L258Base12800, "База 2&58 12800"),
    ITEMAS(L258Base21250, "База 25&8 21250"),
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
    {nullptr, nullptr, PresetEntries, "Стандартные для..."},
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
    ITEMAS(ReadBlock, "Прочитать блок &30-3F"),
    ITEMAS(WriteBlock, "Записать блок 3&0-3F"),
    SEP,
    ITEMAS(Read258, "Прочитать всю &EEPROM"),
    ITEMAS(Write258, "Записать всю EE&PROM"),
    SEP,
    ITEM(ReadCur),
    ITEM(WriteCur),
    END,
};

static const MenuEntry HelpEntries[] = {
    ITEM(Help),
    ITEM(ShowSheme),
    ITEM(AbuotBox),
    END,
};

const MenuDef MainMenu[] = {
    {"Файл", FileEntries},
    {"Редактор", EditorEntries},
    {"Терминал", TerminalEntries},
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
