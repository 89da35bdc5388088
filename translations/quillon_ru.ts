<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="ru">
<context>
    <name>Comparison</name>
    <message numerus="yes">
        <source>%1: %n слов совпадают</source>
        <translation>
            <numerusform>%1: %n слово совпадает</numerusform>
            <numerusform>%1: %n слова совпадают</numerusform>
            <numerusform>%1: %n слов совпадают</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n слов из %2 не совпадают</source>
        <translation>
            <numerusform>%1: %n слово из %2 не совпадает</numerusform>
            <numerusform>%1: %n слова из %2 не совпадают</numerusform>
            <numerusform>%1: %n слов из %2 не совпадают</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n из %2 не совпадают</source>
        <translation>
            <numerusform>%1: %n из %2 не совпадает</numerusform>
            <numerusform>%1: %n из %2 не совпадают</numerusform>
            <numerusform>%1: %n из %2 не совпадают</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>и ещё %n слов</source>
        <translation>
            <numerusform>и ещё %n слово</numerusform>
            <numerusform>и ещё %n слова</numerusform>
            <numerusform>и ещё %n слов</numerusform>
        </translation>
    </message>
</context>
</TS>
