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
        <source>sudo usermod -aG %1 $USER, then log out and log in again</source>
        <translation>sudo usermod -aG %1 $USER, затем выйдите из системы и войдите снова</translation>
    </message>
    <message>
        <source>log out and log in again (or run &apos;newgrp %1&apos; in this terminal)</source>
        <translation>выйдите из системы и войдите снова (или выполните &apos;newgrp %1&apos; в этом терминале)</translation>
    </message>
    <message>
        <source>the device opens only for its owner; ask the administrator for a udev rule giving it to the group dialout</source>
        <translation>устройство открывается только для владельца; попросите администратора о правиле udev, которое отдаёт его группе dialout</translation>
    </message>
    <message>
        <source>plug the adapter in again</source>
        <translation>подключите адаптер заново</translation>
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
        <source>      can open: no, held by %1
</source>
        <translation>      можно открыть: нет, занят: %1
</translation>
    </message>
    <message>
        <source>      can open: %1
</source>
        <translation>      можно открыть: %1
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
        <source>standard output: %1</source>
        <translation>стандартный вывод: %1</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>лишний аргумент %1</translation>
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
</context>
</TS>
