<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>TSerieValuesForm</name>
    <message>
        <source>Edition d'une série</source>
        <translation>Series edition</translation>
    </message>
    <message>
        <source>Nom :</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Données</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Tout copier</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>Tout coller</source>
        <translation>Paste all</translation>
    </message>
    <message>
        <source>Normaliser les données</source>
        <translation>Normalize data</translation>
    </message>
    <message>
        <source>Inverser la série</source>
        <translation>Invert series</translation>
    </message>
    <message>
        <source>Point 1</source>
        <translation>Point 1</translation>
    </message>
    <message>
        <source>Point2</source>
        <translation>Point2</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TValuesTableModel</name>
    <message>
        <source>Valeur</source>
        <translation>Value</translation>
    </message>
</context>
</TS>
