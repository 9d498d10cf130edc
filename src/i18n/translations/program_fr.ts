<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Program</name>
    <message>
        <source>unnamed file</source>
        <translation>Fichier sans nom</translation>
    </message>
</context>
</TS>
