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
        <source>series: disconnect the telephone from %1</source>
        <translation>series: отключите телефон от %1</translation>
    </message>
    <message>
        <source>--port %1 and --port %2 are the same device: give each port once</source>
        <translation>--port %1 и --port %2 — одно и то же устройство: укажите каждый порт один раз</translation>
    </message>
    <message>
        <source>held by: %1</source>
        <translation>занят: %1</translation>
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
    <message>
        <source>The serial port: COM1-COM15 (mapped as in the window, QUILLON_COMn overrides) or a device path.</source>
        <translation>Последовательный порт: COM1-COM15 (как в окне программы; QUILLON_COMn переназначает) или путь к устройству.</translation>
    </message>
    <message>
        <source>The serial port: COM1-COM15 or \\.\COMn, the number Device Manager shows under Ports (COM &amp; LPT).</source>
        <translation>Последовательный порт: COM1-COM15 или \\.\COMn, с номером, который диспетчер устройств показывает в разделе «Порты (COM и LPT)».</translation>
    </message>
    <message>
        <source>No progress bar and no report of success.</source>
        <translation>Без индикатора хода и без сообщения об успехе.</translation>
    </message>
    <message>
        <source>The image file to write; - for the 64 words as hex text on standard output.</source>
        <translation>Файл образа для записи; - выводит 64 слова шестнадцатеричным текстом на стандартный вывод.</translation>
    </message>
    <message>
        <source>The model byte of the saved file, 0-8 as in the window&apos;s model list (default 0, &quot;&lt;неизвестно&gt;&quot;).</source>
        <translation>Байт модели сохраняемого файла, 0-8 как в списке моделей окна (по умолчанию 0, &quot;&lt;неизвестно&gt;&quot;).</translation>
    </message>
    <message>
        <source>The comment of the saved file: one line, no control characters.</source>
        <translation>Комментарий сохраняемого файла: одна строка без управляющих символов.</translation>
    </message>
    <message>
        <source>Do not read the words back after writing them.</source>
        <translation>Не читать слова обратно после записи.</translation>
    </message>
    <message>
        <source>Write a file that is evidently not an image (text, or a model byte that names no model), or all the words of a file a block or word read made, all the same.</source>
        <translation>Всё равно записать файл, который явно не образ (текст или байт модели, не означающий модели), или все слова файла, сделанного чтением block или word.</translation>
    </message>
    <message>
        <source>JSON with stable English keys.</source>
        <translation>JSON с неизменными английскими ключами.</translation>
    </message>
    <message>
        <source>List the presets: action name and caption.</source>
        <translation>Список стандартных блоков: имя действия и название.</translation>
    </message>
    <message>
        <source>Keep no backup of what read all read.</source>
        <translation>Не сохранять копию того, что прочитала команда read all.</translation>
    </message>
    <message>
        <source>Write every character sent and received, with its time and the echo&apos;s delay, to FILE: a record of a failure for a report.</source>
        <translation>Записывать в FILE каждый посланный и принятый символ с его временем и задержкой эха: запись сбоя для отчёта.</translation>
    </message>
    <message>
        <source>Only the backups of this ID code (word 37, decimal as info shows it).</source>
        <translation>Только копии с этим ID-кодом (слово 37, десятичный, как его показывает info).</translation>
    </message>
    <message>
        <source>Which words: all (0x00-0x3F, the default), block (0x30-0x3F) or word ADDR (one word, ADDR in hex 00-3F).</source>
        <translation>Какие слова: all (0x00-0x3F, по умолчанию), block (0x30-0x3F) или word ADDR (одно слово, ADDR шестнадцатеричный 00-3F).</translation>
    </message>
    <message>
        <source>An image file; - reads standard input (an image file, or the hex text of read -o -).</source>
        <translation>Файл образа; - читает стандартный ввод (файл образа или шестнадцатеричный текст read -o -).</translation>
    </message>
    <message>
        <source> (--force writes it all the same)</source>
        <translation> (--force всё равно запишет его)</translation>
    </message>
    <message>
        <source>not an image: %1</source>
        <translation>не образ: %1</translation>
    </message>
    <message>
        <source>quillon-cli: warning: %1: %2</source>
        <translation>quillon-cli: предупреждение: %1: %2</translation>
    </message>
    <message>
        <source>--port is required</source>
        <translation>не указан --port</translation>
    </message>
    <message>
        <source>unknown port %1: %2</source>
        <translation>неизвестный порт %1: допустимы %2</translation>
    </message>
    <message>
        <source>two ranges given (%1 and %2): give one</source>
        <translation>указаны два диапазона (%1 и %2): укажите один</translation>
    </message>
    <message>
        <source>the range (%1) goes before the file name</source>
        <translation>диапазон (%1) указывается перед именем файла</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>лишний аргумент %1</translation>
    </message>
    <message>
        <source>--trace needs a file name</source>
        <translation>--trace: нужно имя файла</translation>
    </message>
    <message>
        <source>--comment takes no control characters: %1</source>
        <translation>--comment: управляющие символы недопустимы: %1</translation>
    </message>
    <message>
        <source>Ctrl+C, SIGTERM or SIGHUP</source>
        <translation>Ctrl+C, SIGTERM или SIGHUP</translation>
    </message>
    <message>
        <source>closed</source>
        <translation>закрыт</translation>
    </message>
    <message>
        <source>not open for writing</source>
        <translation>не открыт для записи</translation>
    </message>
    <message>
        <source>Ctrl+C, Ctrl+Break or closing the console</source>
        <translation>Ctrl+C, Ctrl+Break или закрытие консоли</translation>
    </message>
    <message>
        <source>quillon-cli.txt beside the program</source>
        <translation>quillon-cli.txt рядом с программой</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Нет такой папки</translation>
    </message>
    <message>
        <source>the braille daemon</source>
        <translation>служба брайлевских дисплеев</translation>
    </message>
    <message>
        <source>; its udev rules take %1 adapters, which then appear and vanish again</source>
        <translation>; её правила udev забирают адаптеры %1, и они появляются и снова пропадают</translation>
    </message>
    <message>
        <source>; it claims an adapter present now</source>
        <translation>; она забирает адаптер, подключённый сейчас</translation>
    </message>
    <message>
        <source>probes every new serial adapter with AT commands and holds it meanwhile</source>
        <translation>опрашивает каждый новый последовательный адаптер AT-командами и на это время занимает его</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no, you are not in the group %1</source>
        <translation>нет, вы не в группе %1</translation>
    </message>
    <message>
        <source>no, you were added to the group %1 but this session started before</source>
        <translation>нет, вы добавлены в группу %1, но этот сеанс начат раньше</translation>
    </message>
    <message>
        <source>no, permission denied</source>
        <translation>нет, доступ запрещён</translation>
    </message>
    <message>
        <source>no, the device node is missing</source>
        <translation>нет, файла устройства нет</translation>
    </message>
    <message>
        <source>no device</source>
        <translation>нет устройства</translation>
    </message>
    <message>
        <source>pseudo-terminal</source>
        <translation>псевдотерминал</translation>
    </message>
    <message>
        <source>device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>      no COM name reaches it; run with %1
</source>
        <translation>      ни одно имя COM на него не указывает; запустите с %1
</translation>
    </message>
    <message>
        <source>      present (not opened; &apos;probe&apos; opens it)
</source>
        <translation>      есть в системе (не открывался; открывает его &apos;probe&apos;)
</translation>
    </message>
    <message>
        <source>      permissions: %1
</source>
        <translation>      права: %1
</translation>
    </message>
    <message>
        <source>      fix: %1
</source>
        <translation>      что сделать: %1
</translation>
    </message>
    <message>
        <source>      held by: %1
</source>
        <translation>      занят: %1
</translation>
    </message>
    <message>
        <source>      brltty&apos;s udev rules claim it: %1
</source>
        <translation>      его забирают правила udev службы brltty: %1
</translation>
    </message>
    <message>
        <source>
Settings in force:
</source>
        <translation>
Действующие настройки:
</translation>
    </message>
    <message>
        <source>
Known troublemakers:
</source>
        <translation>
Известные помехи:
</translation>
    </message>
    <message>
        <source>  %1 (%2): %3
      fix: %4
</source>
        <translation>  %1 (%2): %3
      что сделать: %4
</translation>
    </message>
    <message>
        <source>running</source>
        <translation>запущен</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>установлен</translation>
    </message>
    <message>
        <source>trace not saved in %1: %2</source>
        <translation>протокол обмена не сохранён в %1: %2</translation>
    </message>
    <message>
        <source>  note: %1
</source>
        <translation>  примечание: %1
</translation>
    </message>
    <message>
        <source>--id takes an ID code 0-65535, not %1</source>
        <translation>--id принимает код ID 0-65535, а не %1</translation>
    </message>
    <message>
        <source>cannot read the backups folder %1: %2</source>
        <translation>не удаётся прочитать папку копий %1: %2</translation>
    </message>
    <message>
        <source>cannot read the backup %1: %2</source>
        <translation>не удаётся прочитать копию %1: %2</translation>
    </message>
    <message>
        <source>no backups in %1</source>
        <translation>нет копий в %1</translation>
    </message>
    <message>
        <source>no backups of ID %1 in %2</source>
        <translation>нет копий с ID %1 в %2</translation>
    </message>
    <message>
        <source>Takes the ID code, channel range and system channels (words 37-3A) from this image first, as a handset is paired with its base.</source>
        <translation>Сначала берёт ID-код, диапазон рабочих каналов и системные каналы (слова 37-3A) из этого образа, как при связывании трубки с базой.</translation>
    </message>
    <message>
        <source>Changes the base ID code (word 37), the working channel range (38) and the four system channels (39, 3A) of an image file, in place unless -o is given. --from takes those words from another image first; the keys then apply. Every other word, the model byte and the comment are kept.</source>
        <translation>Меняет в файле образа ID-код базы (слово 37), диапазон рабочих каналов (38) и четыре системных канала (39, 3A); без -o меняет сам файл. --from сначала берёт эти слова из другого образа, затем действуют ключи. Остальные слова, байт модели и комментарий сохраняются.</translation>
    </message>
    <message>
        <source>id=0-65535 or id=0x0000-0xFFFF; plan=F6 (0-39), F7 (40-79), F8 (80-119), PLUS (0-239) or FIRST-LAST (0-255 each); sys=four channels 0-255, as sys=81,82,83,84.</source>
        <translation>id=0-65535 или id=0x0000-0xFFFF; plan=F6 (0-39), F7 (40-79), F8 (80-119), PLUS (0-239) или FIRST-LAST (каждый 0-255); sys=четыре канала 0-255, например sys=81,82,83,84.</translation>
    </message>
    <message>
        <source>channels %1</source>
        <translation>каналы %1</translation>
    </message>
    <message>
        <source>ID %1 (%2), %3, system channels %4 %5 %6 %7</source>
        <translation>ID %1 (%2), %3, системные каналы %4 %5 %6 %7</translation>
    </message>
    <message>
        <source>the first channel (%1) is above the last (%2)</source>
        <translation>первый канал (%1) больше последнего (%2)</translation>
    </message>
    <message>
        <source>out of range</source>
        <translation>вне допустимых значений</translation>
    </message>
    <message>
        <source>not understood</source>
        <translation>не распознано</translation>
    </message>
    <message>
        <source>%1; id takes 0-65535 or 0x0000-0xFFFF</source>
        <translation>%1; id принимает 0-65535 или 0x0000-0xFFFF</translation>
    </message>
    <message>
        <source>%1; plan takes F6, F7, F8, PLUS or FIRST-LAST with channels 0-255</source>
        <translation>%1; plan принимает F6, F7, F8, PLUS или FIRST-LAST с каналами 0-255</translation>
    </message>
    <message>
        <source>%1; sys takes four channels 0-255, as sys=81,82,83,84</source>
        <translation>%1; sys принимает четыре канала 0-255, например sys=81,82,83,84</translation>
    </message>
    <message>
        <source>unknown setting %1: id=N, plan=F6|F7|F8|PLUS|A-B or sys=A,B,C,D</source>
        <translation>неизвестная настройка %1: id=N, plan=F6|F7|F8|PLUS|A-B или sys=A,B,C,D</translation>
    </message>
    <message>
        <source>%1= given more than once</source>
        <translation>%1= указан несколько раз</translation>
    </message>
    <message>
        <source>nothing to set: give id=, plan=, sys= or --from IMAGE</source>
        <translation>нечего менять: укажите id=, plan=, sys= или --from IMAGE</translation>
    </message>
    <message>
        <source>standard input cannot be changed in place: give -o OUT</source>
        <translation>стандартный ввод нельзя изменить на месте: укажите -o OUT</translation>
    </message>
    <message>
        <source>only one of FILE and --from can be standard input</source>
        <translation>стандартным вводом может быть только одно из FILE и --from</translation>
    </message>
    <message>
        <source>--from needs an image file</source>
        <translation>--from: нужен файл образа</translation>
    </message>
    <message>
        <source>quillon-cli: warning: %1 looks like a handset, not a base</source>
        <translation>quillon-cli: предупреждение: %1 похож на образ трубки, а не базы</translation>
    </message>
    <message>
        <source>quillon-cli: warning: %1 carries no ID code (%2)</source>
        <translation>quillon-cli: предупреждение: в %1 нет ID-кода (%2)</translation>
    </message>
    <message>
        <source>quillon-cli: warning: system channel %1 (%2) lies outside the working range %3-%4</source>
        <translation>quillon-cli: предупреждение: системный канал %1 (%2) вне рабочего диапазона %3-%4</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>стандартный вывод</translation>
    </message>
    <message>
        <source>%1: %2 taken from %3</source>
        <translation>%1: %2 (взято из %3)</translation>
    </message>
    <message>
        <source>no such device: check the port&apos;s name and that the adapter is plugged in; &apos;quillon-cli ports&apos; lists the ports present</source>
        <translation>нет такого устройства: проверьте имя порта и что адаптер подключён; &apos;quillon-cli ports&apos; перечисляет имеющиеся порты</translation>
    </message>
    <message>
        <source>no permission: add yourself to the group dialout (sudo usermod -aG dialout $USER), then log out and in again; &apos;quillon-cli ports&apos; tells which of the two is missing</source>
        <translation>нет доступа: добавьте себя в группу dialout (sudo usermod -aG dialout $USER), затем выйдите из системы и войдите снова; &apos;quillon-cli ports&apos; скажет, чего из двух не хватает</translation>
    </message>
    <message>
        <source>another program holds the port (or it is this session&apos;s own terminal): close that program first; &apos;quillon-cli ports&apos; names it</source>
        <translation>порт занят другой программой (или это терминал самого сеанса): сначала закройте её; &apos;quillon-cli ports&apos; назовёт её</translation>
    </message>
    <message>
        <source>this is not a serial port; &apos;quillon-cli ports&apos; lists the ports present</source>
        <translation>это не последовательный порт; &apos;quillon-cli ports&apos; перечисляет имеющиеся порты</translation>
    </message>
    <message>
        <source>the device went away: check the cable and the adapter, then run the job again</source>
        <translation>устройство пропало: проверьте кабель и адаптер, затем запустите задание снова</translation>
    </message>
    <message>
        <source>No serial devices found. Plug the adapter in and look again; &apos;sudo dmesg | tail&apos; shows whether the kernel saw it.
</source>
        <translation>Последовательные устройства не найдены. Подключите адаптер и посмотрите снова; &apos;sudo dmesg | tail&apos; покажет, увидело ли его ядро.
</translation>
    </message>
    <message>
        <source>no such port: check that the adapter is plugged in and which COM number it has in Device Manager (Ports (COM &amp; LPT))</source>
        <translation>нет такого порта: проверьте, что адаптер подключён, и какой номер COM у него в диспетчере устройств («Порты (COM и LPT)»)</translation>
    </message>
    <message>
        <source>not a Windows port name: give COMn or \\.\COMn, with the number Device Manager shows under Ports (COM &amp; LPT)</source>
        <translation>это не имя порта Windows: укажите COMn или \\.\COMn с номером, который диспетчер устройств показывает в разделе «Порты (COM и LPT)»</translation>
    </message>
    <message>
        <source>the port is in use or gone: close the program that holds it (a terminal, another Quillon); if the adapter was unplugged during the job, plug it in and run the job again</source>
        <translation>порт занят или пропал: закройте программу, которая его держит (терминал, другой Quillon); если адаптер отключили во время задания, подключите его и запустите задание снова</translation>
    </message>
    <message>
        <source>this is not a serial port; Device Manager lists the COM ports under Ports (COM &amp; LPT)</source>
        <translation>это не последовательный порт; диспетчер устройств перечисляет порты COM в разделе «Порты (COM и LPT)»</translation>
    </message>
    <message>
        <source>No COM ports found. Plug the adapter in and look again; Device Manager shows under Ports (COM &amp; LPT) whether Windows saw it and which driver it lacks.
</source>
        <translation>Порты COM не найдены. Подключите адаптер и посмотрите снова; диспетчер устройств в разделе «Порты (COM и LPT)» покажет, увидела ли его Windows и какого драйвера ему не хватает.
</translation>
    </message>
    <message>
        <source>a USB adapter holds what it receives for its latency timer (16 ms by default), which makes a write about a tenth slower: set it to 1 in Device Manager, the port&apos;s Properties, &quot;Port Settings&quot;, &quot;Advanced...&quot;, &quot;Latency Timer (msec)&quot;</source>
        <translation>USB-адаптер задерживает принятые байты на время своего таймера задержки (по умолчанию 16 мс), и запись идёт примерно на десятую часть дольше: установите его в 1 в диспетчере устройств: свойства порта, «Параметры порта», «Дополнительно...», «Latency Timer (msec)»</translation>
    </message>
    <message>
        <source>Reads words of the telephone (Read258, ReadBlock or ReadCur) and saves them as an image file; words not read stay FFFF, and the comment marks which were read ([read 30-3F]). A completed read of all words is also kept in the backups folder (see backups).</source>
        <translation>Читает слова телефона (Read258, ReadBlock или ReadCur) и сохраняет их в файл образа; непрочитанные слова остаются FFFF, а комментарий отмечает прочитанные ([read 30-3F]). Завершённое чтение всех слов сохраняется также в папке копий (см. backups).</translation>
    </message>
    <message>
        <source>Writes words of an image file into the telephone (Write258, WriteBlock or WriteCur), then reads them back and lists every word that differs.</source>
        <translation>Записывает слова файла образа в телефон (Write258, WriteBlock или WriteCur), затем читает их обратно и перечисляет все несовпавшие слова.</translation>
    </message>
    <message>
        <source>Reads words of the telephone and lists every one that differs from the image file.</source>
        <translation>Читает слова телефона и перечисляет все, что отличаются от файла образа.</translation>
    </message>
    <message>
        <source>Shows the information list of the &quot;Инфо&quot; page for an image file, and the values of the &quot;Частота&quot; page.</source>
        <translation>Показывает для файла образа информационный список страницы &quot;Инфо&quot; и значения страницы &quot;Частота&quot;.</translation>
    </message>
    <message>
        <source>Lists the words that differ between two image files.</source>
        <translation>Перечисляет слова, которыми различаются два файла образа.</translation>
    </message>
    <message>
        <source>Puts a factory radio block into a blank image with its model, as the window&apos;s &quot;Стандартные для...&quot; menu does. NAME is the action name (L258Hand10625, any case) or the caption (&quot;Труба 258 10625&quot;).</source>
        <translation>Помещает заводской радиоблок с его моделью в пустой образ, как меню окна &quot;Стандартные для...&quot;. NAME — имя действия (L258Hand10625, в любом регистре) или название (&quot;Труба 258 10625&quot;).</translation>
    </message>
    <message>
        <source>The preset.</source>
        <translation>Стандартный блок.</translation>
    </message>
    <message>
        <source>Lists the backups that every completed read of the whole EEPROM leaves (in the window and by read all), newest first: date, model, ID code (word 37), port and path. A backups folder or backup that cannot be read is named on standard error, with exit status 4.</source>
        <translation>Перечисляет копии, которые оставляет каждое завершённое чтение всей EEPROM (в окне и командой read all), сначала новые: дата, модель, ID-код (слово 37), порт и путь. Папка копий или копия, которую не удалось прочитать, называется в стандартном потоке ошибок, код выхода 4.</translation>
    </message>
    <message>
        <source>Lists the serial devices present, from the system&apos;s device list and without opening any, with their COM names, whether your permissions let you open them (and why not), and the programs known to take adapters away (brltty, ModemManager), each with the command that fixes it.</source>
        <translation>Перечисляет последовательные устройства, которые есть в системе, по её списку устройств и не открывая ни одного, с их именами COM, позволяют ли права их открыть (и если нет, то почему), и программы, которые забирают адаптеры (brltty, ModemManager), каждую с командой, которая это исправляет.</translation>
    </message>
    <message>
        <source>Opens the port, sends CR and waits for the telephone&apos;s echo. Exit status 0: the telephone answers; 6: no echo; 7: a wrong echo; 3: the port could not be opened; 5: it was lost during the probe, or Ctrl+C ended it.</source>
        <translation>Открывает порт, посылает CR и ждёт эха телефона. Код выхода 0: телефон отвечает; 6: нет эха; 7: неверное эхо; 3: порт не удалось открыть; 5: порт потерян во время проверки или проверку прервал Ctrl+C.</translation>
    </message>
    <message>
        <source>Programs one telephone after another with IMAGE: waits for a telephone to answer, reads it (a backup, its comment naming the series and the unit), writes IMAGE with the words --keep keeps of the unit&apos;s own, reads them back, and waits for the telephone to be disconnected. Each --port is a lane of its own, all running at once and sharing the log, --count and --stop-on-fail; no unit in hand is cut off. One line per unit on standard output, beginning with its port when there are several; every unit is a row of the CSV log. Ends after --count units, at the first failure with --stop-on-fail, or on Ctrl+C (the running job stops at its next echo). Exit status 0: every unit passed and every lane ran to its end; 5: a unit failed, or a port was lost or did not open.</source>
        <translation>Программирует телефоны один за другим образом IMAGE: ждёт ответа телефона, читает его (копия, в комментарии которой названы серия и телефон), записывает IMAGE с теми собственными словами телефона, которые сохраняет --keep, читает их обратно и ждёт отключения телефона. Каждый --port — отдельная линия; все линии работают одновременно, и у них общие журнал, --count и --stop-on-fail; телефон, который уже программируется, не прерывается. По строке на телефон на стандартном выводе, в начале строки порт, если портов несколько; каждый телефон — строка CSV-журнала. Завершается после --count телефонов, при первом браке с --stop-on-fail или по Ctrl+C (текущее задание останавливается на следующем эхе). Код выхода 0: все телефоны годны и каждая линия дошла до конца; 5: телефон забракован, порт потерян или не открылся.</translation>
    </message>
    <message>
        <source>  0  success (diff: the images are the same)
</source>
        <translation>  0  успех (diff: образы одинаковы)
</translation>
    </message>
    <message>
        <source>  1  words differ: a write or verify did not read back as expected, or diff found differences
</source>
        <translation>  1  слова различаются: после записи или проверки прочитано не то, что ожидалось, или diff нашёл различия
</translation>
    </message>
    <message>
        <source>  2  usage error
</source>
        <translation>  2  ошибка в командной строке
</translation>
    </message>
    <message>
        <source>  3  the port could not be opened (the serial port component&apos;s message)
</source>
        <translation>  3  порт не удалось открыть (сообщение компонента последовательного порта)
</translation>
    </message>
    <message>
        <source>  4  file error (an image file could not be read or written)
</source>
        <translation>  4  ошибка файла (файл образа не удалось прочитать или записать)
</translation>
    </message>
    <message>
        <source>  5  a job that started failed (&quot;Not done...&quot;), whatever the cause: also a lost port,
     %1
</source>
        <translation>  5  начатое задание не выполнено (&quot;Невыполнено...&quot;) по любой причине: также потеря порта,
     %1
</translation>
    </message>
    <message>
        <source>  6  probe: no echo
</source>
        <translation>  6  probe: нет эха
</translation>
    </message>
    <message>
        <source>  7  probe: a wrong echo
</source>
        <translation>  7  probe: неверное эхо
</translation>
    </message>
    <message>
        <source>Exit status:
</source>
        <translation>Код выхода:
</translation>
    </message>
    <message>
        <source>Models (read --model N; the model byte of an image file):
</source>
        <translation>Модели (read --model N; байт модели в файле образа):
</translation>
    </message>
    <message>
        <source>Usage: quillon-cli COMMAND [options]

Reads, writes and checks the EEPROM of SN-258 and SN-258+ telephones without a window.

Commands:
</source>
        <translation>Использование: quillon-cli COMMAND [options]

Читает, записывает и проверяет EEPROM телефонов SN-258 и SN-258+ без окна.

Команды:
</translation>
    </message>
    <message>
        <source>&apos;quillon-cli COMMAND --help&apos; describes a command; %1 tells all.

</source>
        <translation>&apos;quillon-cli COMMAND --help&apos; описывает команду; %1 рассказывает всё.

</translation>
    </message>
    <message>
        <source>Describes this command.</source>
        <translation>Описание этой команды.</translation>
    </message>
    <message>
        <source>%1, not %2</source>
        <translation>%1, а не %2</translation>
    </message>
    <message>
        <source>Usage: quillon-cli %1</source>
        <translation>Использование: quillon-cli %1</translation>
    </message>
    <message>
        <source>--%1 given more than once</source>
        <translation>--%1 указан несколько раз</translation>
    </message>
    <message>
        <source>untouched</source>
        <comment>unit: nothing was written to it</comment>
        <translation>не записан</translation>
    </message>
    <message>
        <source>%1: it holds only words %2-%3 (as the read mark in its comment says), not words 37-3A: the ID code and channels</source>
        <translation>%1: в нём только слова %2-%3 (так говорит отметка чтения в его комментарии), нет слов 37-3A: ID-кода и каналов</translation>
    </message>
    <message>
        <source>  0  success
</source>
        <translation>  0  успех
</translation>
    </message>
</context>
</TS>
