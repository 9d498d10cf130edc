<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>TExportOptionsForm</name>
        <message>
            <source>Options d'exportation</source>
            <translation>Options d'exportation</translation>
        </message>
        <message>
            <source>&amp;Largeur :</source>
            <translation>&amp;Largeur :</translation>
        </message>
        <message>
            <source>&amp;Hauteur :</source>
            <translation>&amp;Hauteur :</translation>
        </message>
        <message>
            <source>&amp;Unité :</source>
            <translation>&amp;Unité :</translation>
        </message>
        <message>
            <source>&amp;Résolution (ppp) :</source>
            <translation>&amp;Résolution (ppp) :</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Annuler</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>pixels</source>
            <translation>pixels</translation>
        </message>
        <message>
            <source>mm</source>
            <translation>mm</translation>
        </message>
        <message>
            <source>cm</source>
            <translation>cm</translation>
        </message>
        <message>
            <source>pouces</source>
            <translation>pouces</translation>
        </message>
        <message>
            <source>Image de %1 × %2 pixels</source>
            <translation>Image de %1 × %2 pixels</translation>
        </message>
        <message>
            <source>Trop grande : %1 pixels au plus par côté</source>
            <translation>Trop grande : %1 pixels au plus par côté</translation>
        </message>
    </context>
</TS>
