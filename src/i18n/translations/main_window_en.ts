<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
    <context>
        <name>TMainForm</name>
        <message>
            <source>Fichier</source>
            <translation>File</translation>
        </message>
        <message>
            <source>Nouveau</source>
            <translation>New</translation>
        </message>
        <message>
            <source>Ouvrir...</source>
            <translation>Open...</translation>
        </message>
        <message>
            <source>Enregistrer</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>Enregistrer sous...</source>
            <translation>Save as...</translation>
        </message>
        <message>
            <source>Exporter...</source>
            <translation>Export...</translation>
        </message>
        <message>
            <source>Imprimer...</source>
            <translation>Print...</translation>
        </message>
        <message>
            <source>Quitter</source>
            <translation>Exit</translation>
        </message>
        <message>
            <source>Edition</source>
            <translation>Edition</translation>
        </message>
        <message>
            <source>Copier l'image dans le presse-papier</source>
            <translation>Copy the image into the clipboard</translation>
        </message>
        <message>
            <source>Copier les données des séries dans le presse-papier</source>
            <translation>Copy the series data into the clipboard</translation>
        </message>
        <message>
            <source>Ajouter une série de type Points</source>
            <translation>Add a Points type series</translation>
        </message>
        <message>
            <source>Ajouter une série de type Droites</source>
            <translation>Add a Lines type series</translation>
        </message>
        <message>
            <source>Ajouter une série de type Surface (points + remplissage)</source>
            <translation>Add a Surface type series (points + filling)</translation>
        </message>
        <message>
            <source>Modifier la série...</source>
            <translation>Edit this series...</translation>
        </message>
        <message>
            <source>Supprimer la série</source>
            <translation>Delete this series</translation>
        </message>
        <message>
            <source>Change background color...</source>
            <translation>Change background color...</translation>
        </message>
        <message>
            <source>Visualisation</source>
            <translation>Visualisation</translation>
        </message>
        <message>
            <source>Ajuster le graphe à la fenêtre</source>
            <translation>Adjust graph into its window</translation>
        </message>
        <message>
            <source>Miroir horizontal</source>
            <translation>Exchange left and right axes</translation>
        </message>
        <message>
            <source>Rotation à droite</source>
            <translation>Rotate right</translation>
        </message>
        <message>
            <source>Rotation à gauche</source>
            <translation>Rotate left</translation>
        </message>
        <message>
            <source>Changer de mode de projection</source>
            <translation>Change the projection mode</translation>
        </message>
        <message>
            <source>Fenêtre d'identification</source>
            <translation>Identification window</translation>
        </message>
        <message>
            <source>Légende</source>
            <translation>Legend</translation>
        </message>
        <message>
            <source>Langue</source>
            <translation>Language</translation>
        </message>
        <message>
            <source>Anglais</source>
            <translation>English</translation>
        </message>
        <message>
            <source>Français</source>
            <translation>French</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>View help...</source>
            <translation>View help...</translation>
        </message>
        <message>
            <source>Mode normal (déplacement)</source>
            <translation>Normal mode (moving)</translation>
        </message>
        <message>
            <source>Tracer une droite</source>
            <translation>Trace a line</translation>
        </message>
        <message>
            <source>Zoom avant</source>
            <translation>Zoom in</translation>
        </message>
        <message>
            <source>Zoom arrière</source>
            <translation>Zoom out</translation>
        </message>
        <message>
            <source>Ajouter un texte</source>
            <translation>Add a text</translation>
        </message>
        <message>
            <source>Cliquez ici pour ouvrir le manuel utilisateur.</source>
            <translation>Click here to open the user's manual.</translation>
        </message>
        <message>
            <source>Modes</source>
            <translation>Modes</translation>
        </message>
        <message>
            <source>Série : %SERIE.NAME%&#13;
N° de point : %ITEM.INDEX%&#13;
Point : (A = %POINT.A%, B = %POINT.B%, C = %POINT.C%)</source>
            <translation>Series : %SERIE.NAME%&#13;
Point # : %ITEM.INDEX%&#13;
Point : (A = %POINT.A%, B = %POINT.B%, C = %POINT.C%)</translation>
        </message>
        <message>
            <source>Valeur</source>
            <translation>Value</translation>
        </message>
        <message>
            <source>Fichiers xml (*.xml)</source>
            <translation>XML files (*.xml)</translation>
        </message>
        <message>
            <source>Ouvrir</source>
            <translation>Open</translation>
        </message>
        <message>
            <source>Enregistrer sous</source>
            <translation>Save as</translation>
        </message>
        <message>
            <source>Exporter</source>
            <translation>Export</translation>
        </message>
        <message>
            <source>Fichiers texte (*.txt)</source>
            <translation>Text files (*.txt)</translation>
        </message>
        <message>
            <source>Métafichier amélioré (*.emf)</source>
            <translation>Enhanced meta file (*.emf)</translation>
        </message>
        <message>
            <source>Bitmap Windows (*.bmp)</source>
            <translation>Windows Bitmap (*.bmp)</translation>
        </message>
        <message>
            <source>Image jpeg (*.jpg)</source>
            <translation>Jpeg image (*.jpg)</translation>
        </message>
        <message>
            <source>Image gif (*.gif)</source>
            <translation>Gif image (*.gif)</translation>
        </message>
        <message>
            <source>Image tiff (*.tif)</source>
            <translation>Tiff image (*.tif)</translation>
        </message>
        <message>
            <source>Image png (*.png)</source>
            <translation>Png image (*.png)</translation>
        </message>
        <message>
            <source>Image SVG (*.svg)</source>
            <translation>SVG image (*.svg)</translation>
        </message>
        <message>
            <source>Document PDF (*.pdf)</source>
            <translation>PDF document (*.pdf)</translation>
        </message>
        <message>
            <source>Le document a été modifié.
Voulez-vous enregistrer les modifications ?</source>
            <translation>The document has been modified.
Do you want to save your changes?</translation>
        </message>
        <message>
            <source>Le fichier %1 n'a pas été écrit : aucun encodeur d'image n'est installé pour ce format.</source>
            <translation>The file %1 was not written: no image encoder is installed for this format.</translation>
        </message>
        <message>
            <source>Annuler :</source>
            <translation>Undo:</translation>
        </message>
        <message>
            <source>Rétablir :</source>
            <translation>Redo:</translation>
        </message>
        <message>
            <source>Annuler</source>
            <translation>Undo</translation>
        </message>
        <message>
            <source>Rétablir</source>
            <translation>Redo</translation>
        </message>
        <message>
            <source>Propriétés visuelles du graphe...</source>
            <translation>Edit the graph visual properties...</translation>
        </message>
        <message>
            <source>Une copie de secours de « %1 », enregistrée le %2, contient des modifications qui n'ont pas été enregistrées.
Voulez-vous la restaurer ?</source>
            <translation>A recovery copy of "%1", saved on %2, holds changes that were not saved.
Do you want to restore it?</translation>
        </message>
        <message>
            <source>Restaurer</source>
            <translation>Restore</translation>
        </message>
        <message>
            <source>Supprimer</source>
            <translation>Discard</translation>
        </message>
        <message>
            <source>Plus tard</source>
            <translation>Later</translation>
        </message>
        <message>
            <source>Importer des données...</source>
            <translation>Import data...</translation>
        </message>
        <message>
            <source>Importer des données</source>
            <translation>Import data</translation>
        </message>
        <message>
            <source>Fichiers de données (*.csv *.tsv *.txt *.xlsx *.ods)</source>
            <translation>Data files (*.csv *.tsv *.txt *.xlsx *.ods)</translation>
        </message>
    </context>
    <context>
        <name>TSeriesListModel</name>
        <message>
            <source>Série</source>
            <translation>Series</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
    </context>
    <context>
        <name>TAutoHintForm</name>
        <message>
            <source>Identification</source>
            <translation>Identification</translation>
        </message>
    </context>
    <context>
        <name>Program</name>
        <message>
            <source>Diagramme Varenta</source>
            <translation>Varenta diagram</translation>
        </message>
        <message>
            <source>unnamed file</source>
            <translation>unnamed file</translation>
        </message>
        <message>
            <source>Points</source>
            <translation>Points</translation>
        </message>
        <message>
            <source>Droites</source>
            <translation>Lines</translation>
        </message>
        <message>
            <source>Surface</source>
            <translation>Surface</translation>
        </message>
        <message>
            <source>Serie # %d</source>
            <translation>Series # %d</translation>
        </message>
        <message>
            <source>Quellar Varenta Diagram User's Manual.pdf</source>
            <translation>Quellar Varenta Diagram User's Manual.pdf</translation>
        </message>
        <message>
            <source>Unable to load help file. If this problem persists, please reinstall this software.</source>
            <translation>Unable to load help file. If this problem persists, please reinstall this software.</translation>
        </message>
    </context>
    <context>
        <name>TImportForm</name>
        <message>
            <source>Importer des données</source>
            <translation>Import data</translation>
        </message>
        <message>
            <source>Fichier</source>
            <translation>File</translation>
        </message>
        <message>
            <source>Séparateur :</source>
            <translation>Delimiter:</translation>
        </message>
        <message>
            <source>Séparateur décimal :</source>
            <translation>Decimal separator:</translation>
        </message>
        <message>
            <source>Codage :</source>
            <translation>Encoding:</translation>
        </message>
        <message>
            <source>Feuille :</source>
            <translation>Sheet:</translation>
        </message>
        <message>
            <source>La première ligne est un en-tête</source>
            <translation>The first row is a header</translation>
        </message>
        <message>
            <source>Aperçu</source>
            <translation>Preview</translation>
        </message>
        <message>
            <source>Colonnes</source>
            <translation>Columns</translation>
        </message>
        <message>
            <source>Colonne A :</source>
            <translation>Column A:</translation>
        </message>
        <message>
            <source>Colonne B :</source>
            <translation>Column B:</translation>
        </message>
        <message>
            <source>Colonne C :</source>
            <translation>Column C:</translation>
        </message>
        <message>
            <source>Valeur de chaque point :</source>
            <translation>Value of each point:</translation>
        </message>
        <message>
            <source>Une série par valeur de :</source>
            <translation>One series per value of:</translation>
        </message>
        <message>
            <source>Ramener chaque ligne à une somme de 1</source>
            <translation>Close each row to a sum of 1</translation>
        </message>
        <message>
            <source>Titrer les axes A, B et C d'après les colonnes</source>
            <translation>Title axes A, B and C after the columns</translation>
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
            <source>Virgule</source>
            <translation>Comma</translation>
        </message>
        <message>
            <source>Point-virgule</source>
            <translation>Semicolon</translation>
        </message>
        <message>
            <source>Tabulation</source>
            <translation>Tab</translation>
        </message>
        <message>
            <source>Barre verticale</source>
            <translation>Vertical bar</translation>
        </message>
        <message>
            <source>Espace</source>
            <translation>Space</translation>
        </message>
        <message>
            <source>Point (.)</source>
            <translation>Point (.)</translation>
        </message>
        <message>
            <source>Virgule (,)</source>
            <translation>Comma (,)</translation>
        </message>
        <message>
            <source>UTF-8 avec marque d'ordre</source>
            <translation>UTF-8 with byte-order mark</translation>
        </message>
        <message>
            <source>(aucune)</source>
            <translation>(none)</translation>
        </message>
        <message>
            <source>Lignes à importer : %1 ; séries : %2 ; ignorées : %3</source>
            <translation>Rows to import: %1; series: %2; skipped: %3</translation>
        </message>
        <message>
            <source>et %1 de plus</source>
            <translation>and %1 more</translation>
        </message>
        <message>
            <source>Lignes ignorées : %1</source>
            <translation>Skipped lines: %1</translation>
        </message>
    </context>
    <context>
        <name>app::TAnnotationEditing</name>
        <message>
            <source>Modifier le texte</source>
            <translation>Edit the text</translation>
        </message>
        <message>
            <source>Déplacer le texte</source>
            <translation>Move the text</translation>
        </message>
        <message>
            <source>Supprimer le texte</source>
            <translation>Delete the text</translation>
        </message>
    </context>
</TS>
