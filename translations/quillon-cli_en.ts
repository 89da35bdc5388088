<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Fault</name>
    <message>
        <source>Нет эха %1</source>
        <translation>no echo of %1 in time</translation>
    </message>
    <message>
        <source>Неверное эхо: послан %1, пришёл %2</source>
        <translation>wrong echo: sent %1, came %2</translation>
    </message>
    <message>
        <source>Ответ не начинается с &quot;!&quot;: пришёл %2</source>
        <translation>the reply does not begin with &quot;!&quot;: came %2</translation>
    </message>
    <message>
        <source>Ответ не получен полностью: %3 из 23 символов</source>
        <translation>the reply was not complete in time: %3 of 23 characters</translation>
    </message>
    <message>
        <source>Отменено</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>Порт потерян</source>
        <translation>the port was lost</translation>
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
        <translation>File not found</translation>
    </message>
    <message>
        <source>недопустимое имя файла или папки</source>
        <translation>Invalid filename</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>нет доступа</source>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>файл короче образа</source>
        <translation>Read beyond end of file</translation>
    </message>
    <message>
        <source>диск заполнен</source>
        <translation>Disk full</translation>
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
        <source>: в нём неполный образ, запишите ещё раз</source>
        <translation>: it now holds a partial image, write it again</translation>
    </message>
    <message>
        <source>: запишите ещё раз для верности</source>
        <translation>: write it again to be sure</translation>
    </message>
    <message>
        <source>Телефон </source>
        <translation>the telephone </translation>
    </message>
    <message>
        <source>Телефон не подтвердил ни одного слова из %1: запишите ещё раз</source>
        <translation>the telephone confirmed none of %2: write it again</translation>
    </message>
    <message>
        <source>Телефон, </source>
        <translation>the telephone </translation>
    </message>
    <message>
        <source>возможно %1</source>
        <translation>may have taken %2 (sent, never confirmed)</translation>
    </message>
    <message>
        <source>возможно, принял %2</source>
        <translation>may have taken %2 (sent, never confirmed)</translation>
    </message>
    <message>
        <source>не получил %1</source>
        <translation>did not take %2</translation>
    </message>
    <message>
        <source>принял %2</source>
        <translation>took %2</translation>
    </message>
    <message>
        <source>слова %1</source>
        <translation>words %1</translation>
    </message>
    <message>
        <source>слово %1</source>
        <translation>word %1</translation>
    </message>
</context>
<context>
    <name>PortDiscovery</name>
    <message>
        <source>USB-адаптер</source>
        <translation>USB serial adapter</translation>
    </message>
    <message>
        <source>порт на плате</source>
        <translation>board serial port</translation>
    </message>
    <message>
        <source>драйвер %1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>серийный номер %1</source>
        <translation>serial %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1 (%2)</translation>
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
    <name>Probe</name>
    <message>
        <source>Связь есть (%1 мс)</source>
        <translation>the telephone answers (echo in %1 ms)</translation>
    </message>
    <message>
        <source>Нет эха</source>
        <translation>no echo within %1 ms</translation>
    </message>
    <message>
        <source>Неверное эхо</source>
        <translation>wrong echo: %1 came back for CR</translation>
    </message>
    <message>
        <source>Порт не открыт: %1</source>
        <translation>the port could not be opened: %1</translation>
    </message>
    <message>
        <source>Проверка прервана</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>Эхо приходило через %1 мс (медиана %2 проверок), дольше двух символов и 20 мс (%3 мс): возможно, адаптер задерживает принятые байты. Может помочь таймер задержки 1 мс (в Linux флаг low_latency порта или latency_timer в /sys, в Windows дополнительные параметры порта в диспетчере устройств) или другой адаптер.</source>
        <translation>the echoes took %1 ms (the median of %2), more than two character times plus 20 ms (%3 ms): the adapter may hold received bytes back; setting its latency timer to 1 ms may help (on Linux the port&apos;s low_latency flag or its latency_timer in /sys; on Windows the port&apos;s Advanced settings in Device Manager), or another adapter</translation>
    </message>
    <message>
        <source>Телефон не отвечает. Проверьте питание преобразователя (DTR и RTS подняты), что телефон включён и в режиме программирования, и кабель.</source>
        <translation>check the converter&apos;s supply (it takes it from DTR and RTS, which are raised; a USB adapter without those lines cannot feed it), that the telephone is powered and in programming mode, and the cable</translation>
    </message>
    <message>
        <source>Вместо эха пришло %1. Проверьте скорость линии (300 бит/с) и нет ли на линии другой программы.</source>
        <translation>check the line speed (300 bit/s, 8N1) and that no other program or device is on the line</translation>
    </message>
</context>
</TS>
