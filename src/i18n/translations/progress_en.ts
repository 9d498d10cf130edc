<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
    <context>
        <name>TProgressRun</name>
        <message>
            <source>Ouverture du document…</source>
            <translation>Opening the document…</translation>
        </message>
        <message>
            <source>Enregistrement du document…</source>
            <translation>Saving the document…</translation>
        </message>
        <message>
            <source>Exportation du diagramme…</source>
            <translation>Exporting the diagram…</translation>
        </message>
        <message>
            <source>Impression du diagramme…</source>
            <translation>Printing the diagram…</translation>
        </message>
        <message>
            <source>Importation des données…</source>
            <translation>Importing the data…</translation>
        </message>
        <message>
            <source>Annuler</source>
            <translation>Cancel</translation>
        </message>
    </context>
</TS>
