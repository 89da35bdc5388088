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
</context>
</TS>
