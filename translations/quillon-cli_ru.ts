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
        <source>The serial port: COM1-COM15 (mapped as in the window, QUILLON_COMn overrides) or a device path.</source>
        <translation>Последовательный порт: COM1-COM15 (как в окне программы; QUILLON_COMn переназначает) или путь к устройству.</translation>
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
        <source>one image file expected</source>
        <translation>нужен один файл образа</translation>
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
        <source>-o needs a file name, or - for standard output</source>
        <translation>-o: нужно имя файла или - для стандартного вывода</translation>
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
        <source>Lists the serial devices present with their COM names, whether you can open them (and why not), and the programs known to take adapters away (brltty, ModemManager), each with the command that fixes it.</source>
        <translation>Перечисляет имеющиеся последовательные устройства с их именами COM, можно ли их открыть (и если нет, то почему), и программы, которые забирают адаптеры (brltty, ModemManager), каждую с командой, которая это исправляет.</translation>
    </message>
    <message>
        <source>Opens the port, sends CR and waits for the telephone&apos;s echo. Exit status 0: the telephone answers; 6: no echo; 7: a wrong echo; 3: the port could not be opened; 5: it was lost during the probe.</source>
        <translation>Открывает порт, посылает CR и ждёт эха телефона. Код выхода 0: телефон отвечает; 6: нет эха; 7: неверное эхо; 3: порт не удалось открыть; 5: порт потерян во время проверки.</translation>
    </message>
    <message>
        <source>Programs one telephone after another with IMAGE: waits for a telephone to answer, reads it (a backup, its comment naming the series and the unit), writes IMAGE with the words --keep keeps of the unit&apos;s own, reads them back, and waits for the telephone to be disconnected. One line per unit on standard output; every unit is a row of the CSV log. Ends after --count units, at the first failure with --stop-on-fail, or on Ctrl+C (the running job stops at its next echo). Exit status 0: every unit passed; 5: a unit failed or the port was lost.</source>
        <translation>Программирует телефоны один за другим образом IMAGE: ждёт ответа телефона, читает его (копия, в комментарии которой названы серия и телефон), записывает IMAGE с теми собственными словами телефона, которые сохраняет --keep, читает их обратно и ждёт отключения телефона. По строке на телефон на стандартном выводе; каждый телефон — строка CSV-журнала. Завершается после --count телефонов, при первом браке с --stop-on-fail или по Ctrl+C (текущее задание останавливается на следующем эхе). Код выхода 0: все телефоны годны; 5: телефон забракован или порт потерян.</translation>
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
        <source>  5  a job that started failed (&quot;Невыполнено...&quot;), whatever the cause: also a lost port,
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
</context>
</TS>
