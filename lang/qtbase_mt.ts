<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The Cambrivo developers
     SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- The edit menu of an amount box, in the words of the toolkit's own sources. -->
<TS version="2.1" language="mt_MT">
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Erġa' lura</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Erġa' &amp;agħmel</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>A&amp;qta'</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Ikkopja</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Waħħal</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Ħassar</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Agħżel kollox</translation>
    </message>
</context>
</TS>
