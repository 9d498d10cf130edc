<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Program</name>
    <message>
        <source>Diagramme Varenta</source>
        <translation>Varenta diagram</translation>
    </message>
</context>
</TS>
