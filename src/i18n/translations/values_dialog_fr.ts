<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>TSerieValuesForm</name>
    <message>
        <source>Edition d'une série</source>
        <translation>Edition d'une série</translation>
    </message>
    <message>
        <source>Nom :</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Données</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>Tout copier</source>
        <translation>Tout copier</translation>
    </message>
    <message>
        <source>Tout coller</source>
        <translation>Tout coller</translation>
    </message>
    <message>
        <source>Normaliser les données</source>
        <translation>Normaliser les données</translation>
    </message>
    <message>
        <source>Inverser la série</source>
        <translation>Inverser la série</translation>
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
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TValuesTableModel</name>
    <message>
        <source>Valeur</source>
        <translation>Valeur</translation>
    </message>
</context>
</TS>
