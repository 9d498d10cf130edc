<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>TProgressRun</name>
        <message>
            <source>Ouverture du document…</source>
            <translation>Ouverture du document…</translation>
        </message>
        <message>
            <source>Enregistrement du document…</source>
            <translation>Enregistrement du document…</translation>
        </message>
        <message>
            <source>Exportation du diagramme…</source>
            <translation>Exportation du diagramme…</translation>
        </message>
        <message>
            <source>Impression du diagramme…</source>
            <translation>Impression du diagramme…</translation>
        </message>
        <message>
            <source>Importation des données…</source>
            <translation>Importation des données…</translation>
        </message>
        <message>
            <source>Annuler</source>
            <translation>Annuler</translation>
        </message>
    </context>
</TS>
