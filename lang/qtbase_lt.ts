<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The Cambrivo developers
     SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- The edit menu of an amount box, in the words of the toolkit's own sources. -->
<TS version="2.1" language="lt_LT">
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Atšaukti</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Pakartoti</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Iškirpti</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopijuoti</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Į&amp;dėti</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Pašalinti</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Pažymėti viską</translation>
    </message>
</context>
</TS>
