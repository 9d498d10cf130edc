<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>Program</name>
        <message>
            <source>Cannot import &quot;%1&quot;: %2</source>
            <translation>Impossible d'importer « %1 » : %2</translation>
        </message>
        <message>
            <source>it is not a .csv, .tsv, .txt, .xlsx or .ods file</source>
            <translation>ce n'est pas un fichier .csv, .tsv, .txt, .xlsx ou .ods</translation>
        </message>
        <message>
            <source>the file is empty</source>
            <translation>le fichier est vide</translation>
        </message>
        <message>
            <source>it is not a text file</source>
            <translation>ce n'est pas un fichier texte</translation>
        </message>
        <message>
            <source>the file holds no rows</source>
            <translation>le fichier ne contient aucune ligne</translation>
        </message>
        <message>
            <source>it has more cells or columns than can be read</source>
            <translation>il a plus de cellules ou de colonnes que le programme ne peut en lire</translation>
        </message>
        <message>
            <source>it is not a readable spreadsheet (%1)</source>
            <translation>ce n'est pas un classeur lisible (%1)</translation>
        </message>
        <message>
            <source>it is not a spreadsheet: the part %1 is missing</source>
            <translation>ce n'est pas un classeur : la partie %1 manque</translation>
        </message>
        <message>
            <source>its part %1 is damaged or truncated</source>
            <translation>sa partie %1 est endommagée ou tronquée</translation>
        </message>
        <message>
            <source>its part %1 is damaged or truncated (%2 at byte %3)</source>
            <translation>sa partie %1 est endommagée ou tronquée (%2 à l'octet %3)</translation>
        </message>
        <message>
            <source>its part %1 is too large</source>
            <translation>sa partie %1 est trop grande</translation>
        </message>
        <message>
            <source>its part %1 cannot be unpacked</source>
            <translation>sa partie %1 ne peut pas être décompressée</translation>
        </message>
        <message>
            <source>it has no sheet %1</source>
            <translation>il n'a pas de feuille %1</translation>
        </message>
        <message>
            <source>the sheet holds no rows</source>
            <translation>la feuille ne contient aucune ligne</translation>
        </message>
        <message>
            <source>the sheet has more cells or columns than can be read</source>
            <translation>la feuille a plus de cellules ou de colonnes que le programme ne peut en lire</translation>
        </message>
        <message>
            <source>it has fewer than three numeric columns</source>
            <translation>il a moins de trois colonnes numériques</translation>
        </message>
        <message>
            <source>it holds no data rows</source>
            <translation>il ne contient aucune ligne de données</translation>
        </message>
        <message>
            <source>none of its %1 rows holds a composition of three numbers, not negative, not all zero</source>
            <translation>aucune de ses %1 lignes ne contient une composition de trois nombres, non négatifs et pas tous nuls</translation>
        </message>
        <message>
            <source>Column %1</source>
            <translation>Colonne %1</translation>
        </message>
    </context>
</TS>
