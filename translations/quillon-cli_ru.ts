<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>Cli</name>
    <message>
        <source>Try &apos;quillon-cli %1 --help&apos;.</source>
        <translation>Подробнее: &apos;quillon-cli %1 --help&apos;.</translation>
    </message>
    <message>
        <source>quillon-cli: a command is required</source>
        <translation>quillon-cli: не указана команда</translation>
    </message>
    <message>
        <source>quillon-cli: unknown command %1</source>
        <translation>quillon-cli: неизвестная команда %1</translation>
    </message>
    <message>
        <source>Try &apos;quillon-cli --help&apos;.</source>
        <translation>Подробнее: &apos;quillon-cli --help&apos;.</translation>
    </message>
    <message>
        <source>word needs an address 00-3F (hex)</source>
        <translation>после word нужен адрес 00-3F (шестнадцатеричный)</translation>
    </message>
    <message>
        <source>word %1</source>
        <translation>слово %1</translation>
    </message>
    <message>
        <source>words %1-%2</source>
        <translation>слова %1-%2</translation>
    </message>
    <message>
        <source>a range within them</source>
        <translation>диапазон в их пределах</translation>
    </message>
    <message>
        <source>it holds only %1 (as the read mark in its comment says), the rest is FFFF, not the telephone&apos;s: use %2, or --force to write %3 all the same</source>
        <translation>в нём только %1 (так говорит отметка чтения в его комментарии), остальное FFFF, а не слова телефона: используйте %2 или --force, чтобы всё же записать %3</translation>
    </message>
    <message>
        <source>words 00-2F are all FFFF, as a block read leaves them, and write would put that into the telephone: &apos;write block %1&apos; writes the radio block alone; &apos;write all %1&apos;, or --force, writes all 64 words</source>
        <translation>слова 00-2F все FFFF, как их оставляет чтение блока, и write записал бы это в телефон: &apos;write block %1&apos; записывает только блок 30-3F; &apos;write all %1&apos; или --force записывает все 64 слова</translation>
    </message>
    <message>
        <source>addr</source>
        <translation>адр</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>строка %1: %2</translation>
    </message>
    <message>
        <source>no address label (such as 08:) where the other lines have one</source>
        <translation>нет метки адреса (такой как 08:), а у других строк она есть</translation>
    </message>
    <message>
        <source>the label %1 is none of 00: 08: 10: 18: 20: 28: 30: 38:</source>
        <translation>метка %1 не из числа 00: 08: 10: 18: 20: 28: 30: 38:</translation>
    </message>
    <message>
        <source>the label %1 again (line %2 has it)</source>
        <translation>метка %1 повторяется (она уже есть в строке %2)</translation>
    </message>
    <message>
        <source>a word that is not four hex digits</source>
        <translation>слово не из четырёх шестнадцатеричных цифр</translation>
    </message>
    <message numerus="yes">
        <source>%n words, where a line holds 8</source>
        <translation>
            <numerusform>%n слово, а в строке их 8</numerusform>
            <numerusform>%n слова, а в строке их 8</numerusform>
            <numerusform>%n слов, а в строке их 8</numerusform>
        </translation>
    </message>
    <message>
        <source>no line labelled %1: (words %1-%2)</source>
        <translation>нет строки с меткой %1: (слова %1-%2)</translation>
    </message>
    <message>
        <source>this is text, not an image file, and not the 64 words of &apos;read -o -&apos; either</source>
        <translation>это текст, а не файл образа и не 64 слова из &apos;read -o -&apos;</translation>
    </message>
    <message>
        <source>its model byte is %1, where an image file has 00-08 or FF</source>
        <translation>байт модели в нём %1, а в файле образа бывает 00-08 или FF</translation>
    </message>
    <message>
        <source>empty, not an image</source>
        <translation>пусто, это не образ</translation>
    </message>
    <message>
        <source>not the 64 words of &apos;read -o -&apos;: %1</source>
        <translation>не 64 слова из &apos;read -o -&apos;: %1</translation>
    </message>
    <message>
        <source>%1%  addr %2  %3:%4</source>
        <translation>%1%  адр %2  %3:%4</translation>
    </message>
    <message>
        <source>not an image: its comment is longer than %1 characters</source>
        <translation>это не образ: комментарий в файле длиннее %1 символов</translation>
    </message>
    <message>
        <source>none</source>
        <comment>no model byte</comment>
        <translation>нет</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Модель:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Комментарий:</translation>
    </message>
    <message>
        <source>reference divider</source>
        <translation>делитель опорного генератора</translation>
    </message>
    <message>
        <source>TX multiplier</source>
        <translation>множитель передатчика</translation>
    </message>
    <message>
        <source>LO multiplier</source>
        <translation>множитель гетеродина</translation>
    </message>
    <message>
        <source>RX</source>
        <translation>приём</translation>
    </message>
    <message>
        <source>Frequency page</source>
        <translation>Страница «Частота»</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>on</source>
        <translation>вкл</translation>
    </message>
    <message>
        <source>off</source>
        <translation>выкл</translation>
    </message>
    <message>
        <source>two image files expected</source>
        <translation>нужны два файла образа</translation>
    </message>
    <message>
        <source>only one of the two can be standard input</source>
        <translation>стандартным вводом может быть только один из двух</translation>
    </message>
    <message>
        <source>one image file expected</source>
        <translation>нужен один файл образа</translation>
    </message>
    <message>
        <source>one preset name expected (see --list)</source>
        <translation>нужно одно имя стандартного блока (см. --list)</translation>
    </message>
    <message>
        <source>unknown preset %1 (see --list)</source>
        <translation>неизвестный стандартный блок %1 (см. --list)</translation>
    </message>
    <message>
        <source>-o FILE is required</source>
        <translation>нужен -o FILE</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>прервано</translation>
    </message>
    <message>
        <source>read</source>
        <comment>column of the words read back</comment>
        <translation>прочитано</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n words did not verify</source>
        <translation>
            <numerusform>проверка: не совпали %1 из %n слова</numerusform>
            <numerusform>проверка: не совпали %1 из %n слов</numerusform>
            <numerusform>проверка: не совпали %1 из %n слов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>verify: %n words read back as expected</source>
        <translation>
            <numerusform>verify: %n слово прочитано как ожидалось</numerusform>
            <numerusform>verify: %n слова прочитаны как ожидалось</numerusform>
            <numerusform>verify: %n слов прочитано как ожидалось</numerusform>
        </translation>
    </message>
    <message>
        <source>quillon-cli: backup not saved in %1: %2</source>
        <translation>quillon-cli: копия не сохранена в %1: %2</translation>
    </message>
    <message>
        <source>backup: %1</source>
        <translation>копия: %1</translation>
    </message>
    <message>
        <source>-o needs a file name, or - for standard output</source>
        <translation>после -o нужно имя файла или - для стандартного вывода</translation>
    </message>
    <message>
        <source>--model takes 0-8:</source>
        <translation>--model принимает 0-8:</translation>
    </message>
    <message>
        <source>closed</source>
        <comment>standard output</comment>
        <translation>закрыт</translation>
    </message>
    <message>
        <source>standard output: %1</source>
        <translation>стандартный вывод: %1</translation>
    </message>
    <message>
        <source>written</source>
        <comment>column of the words written</comment>
        <translation>записано</translation>
    </message>
    <message>
        <source>file</source>
        <comment>column of the file&apos;s words</comment>
        <translation>файл</translation>
    </message>
    <message>
        <source>The unit&apos;s own words to keep: id (0x37-0x3A, ID code and channels; the default), low (0x00-0x2F), none, or id,low.</source>
        <translation>Какие слова телефона оставить ему: id (0x37-0x3A, ID-код и каналы; по умолчанию), low (0x00-0x2F), none или id,low.</translation>
    </message>
    <message>
        <source>What is written: all (0x00-0x3F, the default) or block (0x30-0x3F).</source>
        <translation>Что записывается: all (0x00-0x3F, по умолчанию) или block (0x30-0x3F).</translation>
    </message>
    <message>
        <source>End the series at the first unit that fails.</source>
        <translation>Остановить серию на первом браке.</translation>
    </message>
    <message>
        <source>End the series after N units.</source>
        <translation>Закончить серию после N телефонов.</translation>
    </message>
    <message>
        <source>The CSV log of the units (default: series/&lt;start time&gt;.csv beside the backups folder); an existing file is appended to.</source>
        <translation>CSV-журнал серии (по умолчанию series/&lt;время начала&gt;.csv рядом с папкой копий); в существующий файл дописывается.</translation>
    </message>
    <message>
        <source>it holds only words %1-%2 (as the read mark in its comment says), the rest is FFFF, not a telephone&apos;s: --scope block writes the radio block alone</source>
        <translation>в нём только слова %1-%2 (так говорит отметка чтения в его комментарии), остальное FFFF, а не слова телефона: --scope block записывает только блок 30-3F</translation>
    </message>
    <message>
        <source>words 00-2F are all FFFF, as a block read or a preset leaves them: --scope block writes the radio block alone, --scope all all 64 words</source>
        <translation>слова 00-2F все FFFF, как их оставляет чтение блока или стандартный блок: --scope block записывает только блок 30-3F, --scope all — все 64 слова</translation>
    </message>
    <message>
        <source>unit %1: ID %2 -&gt; %3, %4, %5 s</source>
        <translation>телефон %1: ID %2 -&gt; %3, %4, %5 с</translation>
    </message>
    <message>
        <source>good</source>
        <comment>unit</comment>
        <translation>годен</translation>
    </message>
    <message>
        <source>failed</source>
        <comment>unit</comment>
        <translation>брак</translation>
    </message>
    <message>
        <source>series takes no range: --scope all or --scope block</source>
        <translation>series не принимает диапазон: --scope all или --scope block</translation>
    </message>
    <message>
        <source>--keep takes id, low, none or id,low, not &apos;%1&apos;</source>
        <translation>--keep принимает id, low, none или id,low, а не &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--scope takes all or block, not &apos;%1&apos;</source>
        <translation>--scope принимает all или block, а не &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--count takes a number of units, 1 or more, not &apos;%1&apos;</source>
        <translation>--count принимает число телефонов, от 1, а не &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--log needs a file name</source>
        <translation>после --log нужно имя файла</translation>
    </message>
    <message>
        <source>series: connect a telephone to %1</source>
        <translation>series: подключите телефон к %1</translation>
    </message>
    <message>
        <source>series: disconnect the telephone</source>
        <translation>series: отключите телефон</translation>
    </message>
    <message>
        <source>series log: %1</source>
        <translation>журнал серии: %1</translation>
    </message>
    <message>
        <source>series: log %1</source>
        <translation>series: журнал %1</translation>
    </message>
    <message numerus="yes">
        <source>series: %n units, %1 good, %2 failed</source>
        <translation>
            <numerusform>series: %n телефон, годных: %1, брак: %2</numerusform>
            <numerusform>series: %n телефона, годных: %1, брак: %2</numerusform>
            <numerusform>series: %n телефонов, годных: %1, брак: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>quillon-cli: series log %1: not every unit was written: %2</source>
        <translation>quillon-cli: журнал серии %1 записан не полностью: %2</translation>
    </message>
    <message>
        <source>word needs an address 00-3F (hex), not %1</source>
        <translation>после word нужен адрес 00-3F (шестнадцатеричный), а не %1</translation>
    </message>
</context>
</TS>
