<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
    <context>
        <name>TExportOptionsForm</name>
        <message>
            <source>Options d'exportation</source>
            <translation>Export options</translation>
        </message>
        <message>
            <source>&amp;Largeur :</source>
            <translation>&amp;Width:</translation>
        </message>
        <message>
            <source>&amp;Hauteur :</source>
            <translation>&amp;Height:</translation>
        </message>
        <message>
            <source>&amp;Unité :</source>
            <translation>&amp;Unit:</translation>
        </message>
        <message>
            <source>&amp;Résolution (ppp) :</source>
            <translation>&amp;Resolution (dpi):</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Annuler</source>
            <translation>Cancel</translation>
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
            <translation>inches</translation>
        </message>
        <message>
            <source>Image de %1 × %2 pixels</source>
            <translation>Picture of %1 × %2 pixels</translation>
        </message>
        <message>
            <source>Trop grande : %1 pixels au plus par côté</source>
            <translation>Too large: at most %1 pixels a side</translation>
        </message>
    </context>
</TS>
