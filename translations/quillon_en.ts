<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Comparison</name>
    <message numerus="yes">
        <source>%1: %n слов совпадают</source>
        <translation>
            <numerusform>%1: %n word matches</numerusform>
            <numerusform>%1: %n words match</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n слов из %2 не совпадают</source>
        <translation>
            <numerusform>%1: %n word of %2 differs</numerusform>
            <numerusform>%1: %n words of %2 differ</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n из %2 не совпадают</source>
        <translation>
            <numerusform>%1: %n of %2 differs</numerusform>
            <numerusform>%1: %n of %2 differ</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>и ещё %n слов</source>
        <translation>
            <numerusform>and %n word more</numerusform>
            <numerusform>and %n words more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Fault</name>
    <message>
        <source>Нет эха %1</source>
        <translation>No echo of %1</translation>
    </message>
    <message>
        <source>Неверное эхо: послан %1, пришёл %2</source>
        <translation>Wrong echo: sent %1, came %2</translation>
    </message>
    <message>
        <source>Ответ не начинается с &quot;!&quot;: пришёл %2</source>
        <translation>The reply does not begin with &quot;!&quot;: came %2</translation>
    </message>
    <message>
        <source>Ответ не получен полностью: %3 из 23 символов</source>
        <translation>The reply was not complete: %3 of 23 characters</translation>
    </message>
    <message>
        <source>Отменено</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>Порт потерян</source>
        <translation>Port lost</translation>
    </message>
    <message>
        <source>адрес </source>
        <translation>address </translation>
    </message>
    <message>
        <source>начальный CR</source>
        <translation>the opening CR</translation>
    </message>
    <message>
        <source>символ %1 команды %2, </source>
        <translation>character %1 of %2, </translation>
    </message>
    <message>
        <source>после %1, </source>
        <translation>after %1, </translation>
    </message>
    <message>
        <source>ответ на %1, </source>
        <translation>the reply to %1, </translation>
    </message>
    <message>
        <source>Эхо %2 вместо %1</source>
        <translation>Echo %2 instead of %1</translation>
    </message>
    <message>
        <source>Ответ без &quot;!&quot;: пришёл %2</source>
        <translation>Reply without &quot;!&quot;: came %2</translation>
    </message>
    <message>
        <source>Неполный ответ: %3 из 23</source>
        <translation>Short reply: %3 of 23</translation>
    </message>
</context>
<context>
    <name>IoError</name>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>недопустимое имя файла или папки</source>
        <translation>invalid file or folder name</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>нет доступа</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>файл короче образа</source>
        <translation>the file is shorter than an image</translation>
    </message>
    <message>
        <source>диск заполнен</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>слишком длинный комментарий</source>
        <translation>comment too long</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода %1</source>
        <translation>I/O error %1</translation>
    </message>
</context>
<context>
    <name>JobReport</name>
    <message>
        <source>слово %1</source>
        <translation>word %1</translation>
    </message>
    <message>
        <source>слова %1</source>
        <translation>words %1</translation>
    </message>
    <message>
        <source>Телефон не подтвердил ни одного слова из %1: запишите ещё раз</source>
        <translation>The telephone confirmed none of the words %1: write again</translation>
    </message>
    <message>
        <source>принял %2</source>
        <translation>took %2</translation>
    </message>
    <message>
        <source>возможно, принял %2</source>
        <translation>possibly took %2</translation>
    </message>
    <message>
        <source>возможно %1</source>
        <translation>possibly %1</translation>
    </message>
    <message>
        <source>не получил %1</source>
        <translation>did not get %1</translation>
    </message>
    <message>
        <source>Телефон, </source>
        <translation>The telephone </translation>
    </message>
    <message>
        <source>Телефон </source>
        <translation>The telephone </translation>
    </message>
    <message>
        <source>: запишите ещё раз для верности</source>
        <translation>: write again to be sure</translation>
    </message>
    <message>
        <source>: в нём неполный образ, запишите ещё раз</source>
        <translation>: it holds a partial image, write again</translation>
    </message>
</context>
<context>
    <name>PortDiscovery</name>
    <message>
        <source>USB-адаптер</source>
        <translation>USB adapter</translation>
    </message>
    <message>
        <source>порт на плате</source>
        <translation>on-board port</translation>
    </message>
    <message>
        <source>драйвер %1</source>
        <translation>driver %1</translation>
    </message>
    <message>
        <source>серийный номер %1</source>
        <translation>serial number %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>sudo usermod -aG %1 $USER, затем выйдите из системы и войдите снова</source>
        <translation>sudo usermod -aG %1 $USER, then log out and log in again</translation>
    </message>
    <message>
        <source>выйдите из системы и войдите снова (или выполните &apos;newgrp %1&apos; в этом терминале)</source>
        <translation>log out and log in again (or run &apos;newgrp %1&apos; in this terminal)</translation>
    </message>
    <message>
        <source>устройство открывается только для владельца; попросите администратора о правиле udev, которое отдаёт его группе dialout</source>
        <translation>the device opens only for its owner; ask the administrator for a udev rule giving it to the group dialout</translation>
    </message>
    <message>
        <source>подключите адаптер заново</source>
        <translation>plug the adapter in again</translation>
    </message>
</context>
<context>
    <name>PortNames</name>
    <message>
        <source>COM1-COM%1 или путь к устройству</source>
        <translation>COM1-COM%1 or a device path</translation>
    </message>
    <message>
        <source>COM1-COM%1 или \\.\COMn (в Windows нет путей к устройствам с /)</source>
        <translation>COM1-COM%1 or \\.\COMn (Windows has no device paths with /)</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>Связь есть (%1 мс)</source>
        <translation>The telephone answers (%1 ms)</translation>
    </message>
    <message>
        <source>Нет эха</source>
        <translation>No echo</translation>
    </message>
    <message>
        <source>Неверное эхо</source>
        <translation>Wrong echo</translation>
    </message>
    <message>
        <source>Порт не открыт: %1</source>
        <translation>Port not open: %1</translation>
    </message>
    <message>
        <source>Проверка прервана</source>
        <translation>Check interrupted</translation>
    </message>
    <message>
        <source>Эхо приходило через %1 мс (медиана %2 проверок), дольше двух символов и 20 мс (%3 мс): возможно, адаптер задерживает принятые байты. Может помочь таймер задержки 1 мс (в Linux флаг low_latency порта или latency_timer в /sys, в Windows дополнительные параметры порта в диспетчере устройств) или другой адаптер.</source>
        <translation>The echoes came after %1 ms (the median of %2), longer than two characters and 20 ms (%3 ms): the adapter may hold back received bytes. A latency timer of 1 ms may help (on Linux the port&apos;s low_latency flag or latency_timer in /sys, on Windows the port&apos;s advanced settings in Device Manager), or another adapter.</translation>
    </message>
    <message>
        <source>Телефон не отвечает. Проверьте питание преобразователя (DTR и RTS подняты), что телефон включён и в режиме программирования, и кабель.</source>
        <translation>The telephone does not answer. Check the converter&apos;s power (DTR and RTS raised), that the telephone is on and in programming mode, and the cable.</translation>
    </message>
    <message>
        <source>Вместо эха пришло %1. Проверьте скорость линии (300 бит/с) и нет ли на линии другой программы.</source>
        <translation>%1 came instead of the echo. Check the line speed (300 bit/s) and that no other program is on the line.</translation>
    </message>
</context>
<context>
    <name>Quillon</name>
    <message>
        <source>Обновить буфер</source>
        <translation>Refresh buffer</translation>
    </message>
    <message>
        <source>Открыть порт</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>Закрыть порт</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>Прочитать всю EEPROM</source>
        <translation>Read whole EEPROM</translation>
    </message>
    <message>
        <source>Записать всю EEPROM</source>
        <translation>Write whole EEPROM</translation>
    </message>
    <message>
        <source>Прочитать блок 30-3F</source>
        <translation>Read block 30-3F</translation>
    </message>
    <message>
        <source>Записать блок 30-3F</source>
        <translation>Write block 30-3F</translation>
    </message>
    <message>
        <source>Прочитать ячейку</source>
        <translation>Read cell</translation>
    </message>
    <message>
        <source>Записать ячейку</source>
        <translation>Write cell</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Открыть...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Отчистить буфер</source>
        <translation>Clear buffer</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Отменить программирование</source>
        <translation>Cancel programming</translation>
    </message>
    <message>
        <source>Схема преобразователя уровней</source>
        <translation>Level converter schematic</translation>
    </message>
    <message>
        <source>Поменять байты местами</source>
        <translation>Swap bytes</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Резервные копии...</source>
        <translation>Backups...</translation>
    </message>
    <message>
        <source>Проверить связь с телефоном</source>
        <translation>Check the link to the telephone</translation>
    </message>
    <message>
        <source>Показать обмен</source>
        <translation>Show exchange</translation>
    </message>
    <message>
        <source>Обмен с телефоном в последнем задании</source>
        <translation>Exchange with the telephone in the last job</translation>
    </message>
    <message>
        <source>Взять у базы...</source>
        <translation>Take from base...</translation>
    </message>
    <message>
        <source>ID-код и каналы базы из её образа</source>
        <translation>The base&apos;s ID code and channels from its image</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Труба 258 &amp;10625</source>
        <translation>Handset 258 &amp;10625</translation>
    </message>
    <message>
        <source>Труба 258 128&amp;00</source>
        <translation>Handset 258 128&amp;00</translation>
    </message>
    <message>
        <source>База &amp;258 10625</source>
        <translation>Base &amp;258 10625</translation>
    </message>
    <message>
        <source>База 2&amp;58 12800</source>
        <translation>Base 2&amp;58 12800</translation>
    </message>
    <message>
        <source>База 25&amp;8 21250</source>
        <translation>Base 25&amp;8 21250</translation>
    </message>
    <message>
        <source>Стандартные для...</source>
        <translation>Standard for...</translation>
    </message>
    <message>
        <source>Прочитать блок &amp;30-3F</source>
        <translation>Read block &amp;30-3F</translation>
    </message>
    <message>
        <source>Записать блок 3&amp;0-3F</source>
        <translation>Write block 3&amp;0-3F</translation>
    </message>
    <message>
        <source>Прочитать всю &amp;EEPROM</source>
        <translation>Read whole &amp;EEPROM</translation>
    </message>
    <message>
        <source>Записать всю EE&amp;PROM</source>
        <translation>Write whole EE&amp;PROM</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Редактор</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Терминал</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Резервные копии</source>
        <translation>Backups</translation>
    </message>
    <message>
        <source>Фильтр: ID или текст</source>
        <translation>Filter: ID or text</translation>
    </message>
    <message>
        <source>Резервных копий нет. </source>
        <translation>No backups. </translation>
    </message>
    <message>
        <source>Папка: </source>
        <translation>Folder: </translation>
    </message>
    <message>
        <source>
Не прочитаны: </source>
        <translation>
Not read: </translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Показать папку</source>
        <translation>Show folder</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Обмен с телефоном</source>
        <translation>Exchange with the telephone</translation>
    </message>
    <message>
        <source>Обмена ещё не было.</source>
        <translation>No exchange yet.</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Текст (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Файл %1 уже есть. Заменить?</source>
        <translation>File %1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>Обмен не сохранён в %1: %2</source>
        <translation>Exchange not saved to %1: %2</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>* Добавлена функция SwapByte (Поменять байты местами)
*Исправлена ошибка при открытии файла 
*Добавленные стандартные прошивки и украинские (НУ ЗАЧЕМ ТАМ УКРАИНСКИЕ НУЖНЫ.как нехотел я их туда писать! Это же стандартные SENAO)
*Добавлена схема преобразователя уровней
*Добавлено иоформация о буфере (вкладка)</source>
        <translation>* Added the SwapByte function (Swap bytes)
*Fixed an error when opening a file 
*Added standard firmware and Ukrainian ones (WHY ARE UKRAINIAN ONES NEEDED THERE. how I did not want to put them in! These are standard SENAO)
*Added the level converter schematic
*Added buffer information (a tab)</translation>
    </message>
    <message>
        <source>Копия не сохранена: </source>
        <translation>Backup not saved: </translation>
    </message>
    <message>
        <source>Резервная копия не сохранена в папку </source>
        <translation>Backup not saved to folder </translation>
    </message>
    <message>
        <source>Копия: </source>
        <translation>Backup: </translation>
    </message>
    <message>
        <source>Резервная копия: </source>
        <translation>Backup: </translation>
    </message>
    <message>
        <source>Папка резервных копий %1 недоступна: %2</source>
        <translation>Backup folder %1 is not available: %2</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>&lt;неизвестно&gt;</source>
        <translation>&lt;unknown&gt;</translation>
    </message>
    <message>
        <source>SN-258 База</source>
        <translation>SN-258 Base</translation>
    </message>
    <message>
        <source>SN-258 Труба</source>
        <translation>SN-258 Handset</translation>
    </message>
    <message>
        <source>SN-258+ База </source>
        <translation>SN-258+ Base </translation>
    </message>
    <message>
        <source>SN-258+ Труба</source>
        <translation>SN-258+ Handset</translation>
    </message>
    <message>
        <source>SN-258 База (Комтель)</source>
        <translation>SN-258 Base (Komtel)</translation>
    </message>
    <message>
        <source>SN-258 Труба (Комтель)</source>
        <translation>SN-258 Handset (Komtel)</translation>
    </message>
    <message>
        <source>SN-258+ База Flagman</source>
        <translation>SN-258+ Base Flagman</translation>
    </message>
    <message>
        <source>SN-258+ Труба Flagman</source>
        <translation>SN-258+ Handset Flagman</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Открыть </source>
        <translation>Open </translation>
    </message>
    <message>
        <source>Ячейка </source>
        <translation>Cell </translation>
    </message>
    <message>
        <source>Все файлы (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Файл </source>
        <translation>File </translation>
    </message>
    <message>
        <source> уже существует. Переписать?</source>
        <translation> already exists. Overwrite?</translation>
    </message>
    <message>
        <source>Это не образ EEPROM: комментарий в файле длиннее %1 символов.</source>
        <translation>This is not an EEPROM image: the comment in the file is longer than %1 characters.</translation>
    </message>
    <message>
        <source>Введите ID код базы, 4 Системных канала, диапазан системных каналов...</source>
        <translation>Enter the base&apos;s ID code, 4 system channels, the system channel range...</translation>
    </message>
    <message>
        <source>Труба 258 10625</source>
        <translation>Handset 258 10625</translation>
    </message>
    <message>
        <source>Труба 258 12800</source>
        <translation>Handset 258 12800</translation>
    </message>
    <message>
        <source>Труба 258 21250</source>
        <translation>Handset 258 21250</translation>
    </message>
    <message>
        <source>База 258 10625</source>
        <translation>Base 258 10625</translation>
    </message>
    <message>
        <source>База 258 12800</source>
        <translation>Base 258 12800</translation>
    </message>
    <message>
        <source>База 258 21250</source>
        <translation>Base 258 21250</translation>
    </message>
    <message>
        <source>Труба 258+ 12800</source>
        <translation>Handset 258+ 12800</translation>
    </message>
    <message>
        <source>Труба 258+ 21250</source>
        <translation>Handset 258+ 21250</translation>
    </message>
    <message>
        <source>База 258+ 12800</source>
        <translation>Base 258+ 12800</translation>
    </message>
    <message>
        <source>База 258+ 21250</source>
        <translation>Base 258+ 21250</translation>
    </message>
    <message>
        <source>Труба 258 21250 Украина</source>
        <translation>Handset 258 21250 Ukraine</translation>
    </message>
    <message>
        <source>База 258 21250 Украина</source>
        <translation>Base 258 21250 Ukraine</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>HI - ???, LO - контрольная сумма (только у китайских) [</source>
        <translation>HI - ???, LO - checksum (Chinese units only) [</translation>
    </message>
    <message>
        <source>Делитель опорного генератора [</source>
        <translation>Reference oscillator divider [</translation>
    </message>
    <message>
        <source>Множитель для передатчика [</source>
        <translation>Transmitter multiplier [</translation>
    </message>
    <message>
        <source>Множитель для гетеродина [</source>
        <translation>Local oscillator multiplier [</translation>
    </message>
    <message>
        <source>ID код базы [</source>
        <translation>Base ID code [</translation>
    </message>
    <message>
        <source>Диапазан рабочих каналов. HI - начало диапазона [</source>
        <translation>Working channel range. HI - start of range [</translation>
    </message>
    <message>
        <source>], LO - конец диапазона [</source>
        <translation>], LO - end of range [</translation>
    </message>
    <message>
        <source>Системные каналы. HI - 1 канал [</source>
        <translation>System channels. HI - channel 1 [</translation>
    </message>
    <message>
        <source>], LO - 2 канал [</source>
        <translation>], LO - channel 2 [</translation>
    </message>
    <message>
        <source>Системные каналы. HI - 3 канал [</source>
        <translation>System channels. HI - channel 3 [</translation>
    </message>
    <message>
        <source>], LO - 4 канал [</source>
        <translation>], LO - channel 4 [</translation>
    </message>
    <message>
        <source>Кнопки «&gt;&gt; Из буфера» и «&lt;&lt; В буфер» пока оставлены, но нажимать их не нужно: значения загружаются из буфера сами, когда вы открываете эту вкладку, и сами сохраняются в буфер, когда вы переходите на другую.

Если у вас есть замечания или предложения, как сделать эту страницу удобнее, напишите нам.</source>
        <translation>The &quot;&gt;&gt; From buffer&quot; and &quot;&lt;&lt; To buffer&quot; buttons are still here, but you need not press them: the values are loaded from the buffer by themselves when you open this tab, and saved to the buffer by themselves when you go to another.

If you have remarks or suggestions on how to make this page easier to use, write to us.</translation>
    </message>
    <message>
        <source>Частота введена не полностью: нужны все шесть цифр.</source>
        <translation>The frequency is not complete: all six digits are needed.</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Опорный генератор:</source>
        <translation>Reference oscillator:</translation>
    </message>
    <message>
        <source>Частота приёма/передачи:</source>
        <translation>Receive/transmit frequency:</translation>
    </message>
    <message>
        <source>Передатчик</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>Гетеродин:</source>
        <translation>Local osc.:</translation>
    </message>
    <message>
        <source>Приёмник</source>
        <translation>Receiver</translation>
    </message>
    <message>
        <source>&gt;&gt; Из буфера</source>
        <translation>&gt;&gt; From buffer</translation>
    </message>
    <message>
        <source>&lt;&lt; В буфер</source>
        <translation>&lt;&lt; To buffer</translation>
    </message>
    <message>
        <source>Тип SENAO</source>
        <translation>SENAO type</translation>
    </message>
    <message>
        <source>Опорный генератор</source>
        <translation>Reference oscillator</translation>
    </message>
    <message>
        <source>F передатчика</source>
        <translation>Transmitter F</translation>
    </message>
    <message>
        <source>F приёмника</source>
        <translation>Receiver F</translation>
    </message>
    <message>
        <source>F гетеродина</source>
        <translation>Local oscillator F</translation>
    </message>
    <message>
        <source>ПЧ</source>
        <translation>IF</translation>
    </message>
    <message>
        <source>Разнос</source>
        <translation>Spacing</translation>
    </message>
    <message>
        <source>Шаг сетки</source>
        <translation>Channel step</translation>
    </message>
    <message>
        <source>Системные каналы</source>
        <translation>System channels</translation>
    </message>
    <message>
        <source>Диапазан рабочих каналов</source>
        <translation>Working channel range</translation>
    </message>
    <message>
        <source>ID код</source>
        <translation>ID code</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Свойства</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>неизвесно</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>База</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>Труба</source>
        <translation>Handset</translation>
    </message>
    <message>
        <source>другой</source>
        <translation>other</translation>
    </message>
    <message>
        <source>ID-код</source>
        <translation>ID code</translation>
    </message>
    <message>
        <source>Рабочие каналы</source>
        <translation>Working channels</translation>
    </message>
    <message>
        <source>Системный канал %1</source>
        <translation>System channel %1</translation>
    </message>
    <message>
        <source>%1: нужны шестнадцатеричные цифры, от 0 до FFFF.</source>
        <translation>%1: hexadecimal digits are needed, from 0 to FFFF.</translation>
    </message>
    <message>
        <source>%1: нужно число от %2 до %3.</source>
        <translation>%1: a number from %2 to %3 is needed.</translation>
    </message>
    <message>
        <source>%1: больше FFFF.</source>
        <translation>%1: greater than FFFF.</translation>
    </message>
    <message>
        <source>%1: число вне пределов %2-%3.</source>
        <translation>%1: the number is outside %2-%3.</translation>
    </message>
    <message>
        <source>%1: первый канал (%2) больше последнего (%3).</source>
        <translation>%1: the first channel (%2) is greater than the last (%3).</translation>
    </message>
    <message>
        <source>ID-код базы</source>
        <translation>Base ID code</translation>
    </message>
    <message>
        <source>ID-код базы:</source>
        <translation>Base ID code:</translation>
    </message>
    <message>
        <source>Рабочие каналы:</source>
        <translation>Working channels:</translation>
    </message>
    <message>
        <source>с</source>
        <translation>from</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Системные каналы:</source>
        <translation>System channels:</translation>
    </message>
    <message>
        <source>ID-код, который обнулила загрузка стандартных</source>
        <translation>The ID code that loading the standard block set to zero</translation>
    </message>
    <message>
        <source>Канал %1 вне рабочего диапазона %2</source>
        <translation>Channel %1 is outside the working range %2</translation>
    </message>
    <message>
        <source>Вернуть ID-код %1</source>
        <translation>Restore ID code %1</translation>
    </message>
    <message>
        <source>В файле %1 нет слов 37-3A: он сохранён после чтения %2.</source>
        <translation>File %1 has no words 37-3A: it was saved after reading %2.</translation>
    </message>
    <message>
        <source>Взять у базы </source>
        <translation>Take from base </translation>
    </message>
    <message>
        <source>ID %1, %2, каналы %3 %4 %5 %6 взяты из %7</source>
        <translation>ID %1, %2, channels %3 %4 %5 %6 taken from %7</translation>
    </message>
    <message>
        <source>Это образ трубы, не базы! </source>
        <translation>This is a handset&apos;s image, not a base&apos;s! </translation>
    </message>
    <message>
        <source>Вернуть ID-код</source>
        <translation>Restore ID code</translation>
    </message>
    <message>
        <source>ID-код %1 возвращён</source>
        <translation>ID code %1 restored</translation>
    </message>
    <message>
        <source>ID-код %1 обнулён (вернуть: «Связь»)</source>
        <translation>ID code %1 set to zero (restore: &quot;Pairing&quot;)</translation>
    </message>
    <message>
        <source>Стандартные блоки не несут ID-кода. Было %1 (%2).</source>
        <translation>Standard blocks carry no ID code. It was %1 (%2).</translation>
    </message>
    <message>
        <source>Инициализация...</source>
        <translation>Initializing...</translation>
    </message>
    <message>
        <source>Запись...</source>
        <translation>Writing...</translation>
    </message>
    <message>
        <source>Чтение...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>Завершено!</source>
        <translation>Completed!</translation>
    </message>
    <message>
        <source>Невыполнено...</source>
        <translation>Not done...</translation>
    </message>
    <message>
        <source>Образ содержит не все слова (прочитаны только %1): записать всю EEPROM, включая слова FFFF?</source>
        <translation>The image does not hold every word (only %1 were read): write the whole EEPROM, words FFFF included?</translation>
    </message>
    <message>
        <source>Адаптер %1 (%2) не виден ни под одним именем COM; чтобы он стал виден, запустите программу с %3</source>
        <translation>Adapter %1 (%2) is not visible under any COM name; to make it visible, start the program with %3</translation>
    </message>
    <message>
        <source>%1: псевдотерминал</source>
        <translation>%1: pseudo-terminal</translation>
    </message>
    <message>
        <source>%1: нет устройства</source>
        <translation>%1: no device</translation>
    </message>
    <message>
        <source> (задано QUILLON_%1)</source>
        <translation> (set by QUILLON_%1)</translation>
    </message>
    <message>
        <source>Порт %1 (%2) пропал: адаптер отключён или линия оборвана. Порт закрыт; подключите адаптер и откройте порт снова (F9). %3</source>
        <translation>Port %1 (%2) has gone: the adapter was unplugged or the line broke. The port is closed; plug the adapter in and open the port again (F9). %3</translation>
    </message>
    <message>
        <source>, медленно</source>
        <translation>, slow</translation>
    </message>
    <message>
        <source>Буфер изменён, а изменения не сохранены в файл, не записаны в телефон и не попали в резервную копию. Сохранить их?</source>
        <translation>The buffer has changed, and the changes are not saved to a file, not written to a telephone and not in a backup. Save them?</translation>
    </message>
    <message>
        <source>Проверять после записи</source>
        <translation>Verify after writing</translation>
    </message>
    <message>
        <source>Читать записанные слова обратно и сравнивать</source>
        <translation>Read the written words back and compare them</translation>
    </message>
    <message>
        <source>Сравнить с телефоном</source>
        <translation>Compare with telephone</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Compare with file...</translation>
    </message>
    <message>
        <source>Снять отметки</source>
        <translation>Clear marks</translation>
    </message>
    <message>
        <source>Серия...</source>
        <translation>Series...</translation>
    </message>
    <message>
        <source>Программировать телефоны один за другим</source>
        <translation>Program telephones one after another</translation>
    </message>
    <message>
        <source>Серия</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Оставить в телефоне его слова</source>
        <translation>Keep the telephone&apos;s own words</translation>
    </message>
    <message>
        <source>ID-код и каналы (37-3A)</source>
        <translation>ID code and channels (37-3A)</translation>
    </message>
    <message>
        <source>Слова 00-2F</source>
        <translation>Words 00-2F</translation>
    </message>
    <message>
        <source>Записывать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Всю EEPROM</source>
        <translation>Whole EEPROM</translation>
    </message>
    <message>
        <source>Блок 30-3F</source>
        <translation>Block 30-3F</translation>
    </message>
    <message>
        <source>Остановить серию при браке</source>
        <translation>Stop the series on a failure</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>ID до</source>
        <translation>ID before</translation>
    </message>
    <message>
        <source>ID после</source>
        <translation>ID after</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Причина</source>
        <translation>Cause</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Всего: 0    Годных: 0    Брак: 0</source>
        <translation>Total: 0    Good: 0    Failed: 0</translation>
    </message>
    <message>
        <source>Подключите телефон</source>
        <translation>Connect a telephone</translation>
    </message>
    <message>
        <source>Чтение</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Запись</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation>Verifying</translation>
    </message>
    <message>
        <source>Отключите телефон</source>
        <translation>Disconnect the telephone</translation>
    </message>
    <message>
        <source>Годен</source>
        <translation>Good</translation>
    </message>
    <message>
        <source>Брак</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>
Отключите телефон</source>
        <translation>
Disconnect the telephone</translation>
    </message>
    <message>
        <source>Всего: %1    Годных: %2    Брак: %3</source>
        <translation>Total: %1    Good: %2    Failed: %3</translation>
    </message>
    <message>
        <source>Журнал серии записан не полностью: </source>
        <translation>The series log is incomplete: </translation>
    </message>
    <message>
        <source>Серия окончена</source>
        <translation>Series finished</translation>
    </message>
    <message>
        <source>
Серия окончена</source>
        <translation>
Series finished</translation>
    </message>
    <message>
        <source> (в файле только %1)</source>
        <translation> (the file holds only %1)</translation>
    </message>
    <message>
        <source>модель в файле: %1</source>
        <translation>model in the file: %1</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>комментарий в файле: «%1»</source>
        <translation>comment in the file: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>In the file</translation>
    </message>
    <message>
        <source>Возможно, не записано: телефон не подтвердил</source>
        <translation>Possibly not written: the telephone did not confirm</translation>
    </message>
    <message>
        <source>Не записано: телефон не получил</source>
        <translation>Not written: the telephone did not get it</translation>
    </message>
    <message>
        <source>Сравнено с телефоном</source>
        <translation>Compared with the telephone</translation>
    </message>
    <message>
        <source>В телефоне</source>
        <translation>In the telephone</translation>
    </message>
    <message>
        <source>Запись завершена, но проверить её не удалось: </source>
        <translation>The write completed, but it could not be checked: </translation>
    </message>
    <message>
        <source>порт недоступен</source>
        <translation>the port is not available</translation>
    </message>
    <message>
        <source>Проверено</source>
        <translation>Verified</translation>
    </message>
    <message>
        <source>%1.

%2

Ячейки отмечены в таблице; запишите ещё раз.</source>
        <translation>%1.

%2

The cells are marked in the grid; write again.</translation>
    </message>
    <message>
        <source>записано</source>
        <translation>written</translation>
    </message>
    <message>
        <source>прочитано</source>
        <translation>read</translation>
    </message>
    <message>
        <source>Образ содержит не все слова (прочитаны только %1): записывать в каждый телефон всю EEPROM, включая слова FFFF?</source>
        <translation>The image does not hold every word (only %1 were read): write the whole EEPROM, words FFFF included, into every telephone?</translation>
    </message>
    <message>
        <source>Журнал серии не создан: %1</source>
        <translation>The series log was not created: %1</translation>
    </message>
    <message>
        <source>Телефонов в серии:</source>
        <translation>Units in the series:</translation>
    </message>
    <message>
        <source>без ограничения</source>
        <translation>no limit</translation>
    </message>
    <message>
        <source>Не записан</source>
        <translation>Not written</translation>
    </message>
    <message>
        <source>Слова 00-2F образа все FFFF, как после очистки буфера, предустановки или чтения блока: каждый телефон получит FFFF вместо своих настроек. Записывать в каждый телефон всю EEPROM?</source>
        <translation>Words 00-2F of the image are all FFFF, as a cleared buffer, a preset or a block read leaves them: every telephone would get FFFF in place of its own settings. Write the whole EEPROM into every telephone?</translation>
    </message>
    <message>
        <source>Ничего не принято: запишите снова</source>
        <translation>Nothing taken: write again</translation>
    </message>
    <message>
        <source>Принято лишь %1: запишите снова</source>
        <translation>Only %1 taken: write again</translation>
    </message>
    <message>
        <source>Сравнено</source>
        <translation>Compared</translation>
    </message>
    <message>
        <source>Записано, но не проверено</source>
        <translation>Written, not checked</translation>
    </message>
    <message>
        <source>Файл %1 не образ: это текст.</source>
        <translation>The file %1 is not an image: it is text.</translation>
    </message>
    <message>
        <source>Файл %1 не образ: байт модели %2, а в образе 00-08 или FF.</source>
        <translation>The file %1 is not an image: its model byte is %2, where an image has 00-08 or FF.</translation>
    </message>
    <message>
        <source> (занят: %1)</source>
        <translation> (held by: %1)</translation>
    </message>
    <message>
        <source>%1 и %2 ведут к одному устройству: выберите один из них</source>
        <translation>%1 and %2 lead to the same device: choose one of them</translation>
    </message>
    <message>
        <source>Порты:</source>
        <translation>Ports:</translation>
    </message>
    <message>
        <source>Телефонов: %1, последний: %2</source>
        <translation>Units: %1, last: %2</translation>
    </message>
    <message>
        <source> (открыт в окне)</source>
        <translation> (open in the window)</translation>
    </message>
    <message>
        <source>Порт %1 не открыт снова: %2</source>
        <translation>Port %1 not opened again: %2</translation>
    </message>
</context>
<context>
    <name>Series</name>
    <message>
        <source>Серия %1, телефон %2</source>
        <translation>series %1, unit %2</translation>
    </message>
    <message>
        <source>Невыполнено...</source>
        <translation>not done</translation>
    </message>
    <message>
        <source>Серия остановлена до записи</source>
        <translation>series stopped before the write</translation>
    </message>
    <message>
        <source>Серия остановлена до проверки</source>
        <translation>series stopped before the verify</translation>
    </message>
    <message>
        <source>Проверка не пройдена: слова %1</source>
        <translation>verify failed: words %1</translation>
    </message>
    <message>
        <source>записаны слова %1</source>
        <translation>took %1</translation>
    </message>
    <message>
        <source>возможно записаны %1</source>
        <translation>may have taken %1</translation>
    </message>
    <message>
        <source>не записаны %1</source>
        <translation>did not take %1</translation>
    </message>
    <message>
        <source>Порт закрыт</source>
        <translation>the port is closed</translation>
    </message>
    <message>
        <source> (устройство пропало: проверьте кабель и адаптер)</source>
        <translation> (the device went away: check the cable and the adapter)</translation>
    </message>
    <message>
        <source>Резервная копия не сохранена в %1: %2</source>
        <translation>backup not saved in %1: %3</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Буфер</source>
        <translation>Buffer</translation>
    </message>
    <message>
        <source>Инфо</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Связь</source>
        <translation>Pairing</translation>
    </message>
    <message>
        <source>Версия 3.4 от 04.04.2003</source>
        <translation>Version 3.4 of 04.04.2003</translation>
    </message>
    <message>
        <source>Идёт запись: телефон останется с неполным образом. Прервать и закрыть?</source>
        <translation>A write is running: the telephone will be left with an incomplete image. Stop it and close?</translation>
    </message>
</context>
</TS>
