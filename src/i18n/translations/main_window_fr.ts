<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>TMainForm</name>
        <message>
            <source>Fichier</source>
            <translation>Fichier</translation>
        </message>
        <message>
            <source>Nouveau</source>
            <translation>Nouveau</translation>
        </message>
        <message>
            <source>Ouvrir...</source>
            <translation>Ouvrir...</translation>
        </message>
        <message>
            <source>Enregistrer</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Enregistrer sous...</source>
            <translation>Enregistrer sous...</translation>
        </message>
        <message>
            <source>Exporter...</source>
            <translation>Exporter...</translation>
        </message>
        <message>
            <source>Imprimer...</source>
            <translation>Imprimer...</translation>
        </message>
        <message>
            <source>Quitter</source>
            <translation>Quitter</translation>
        </message>
        <message>
            <source>Edition</source>
            <translation>Edition</translation>
        </message>
        <message>
            <source>Copier l'image dans le presse-papier</source>
            <translation>Copier l'image dans le presse-papier</translation>
        </message>
        <message>
            <source>Copier les données des séries dans le presse-papier</source>
            <translation>Copier les données des séries dans le presse-papier</translation>
        </message>
        <message>
            <source>Ajouter une série de type Points</source>
            <translation>Ajouter une série de type Points</translation>
        </message>
        <message>
            <source>Ajouter une série de type Droites</source>
            <translation>Ajouter une série de type Droites</translation>
        </message>
        <message>
            <source>Ajouter une série de type Surface (points + remplissage)</source>
            <translation>Ajouter une série de type Surface (points + remplissage)</translation>
        </message>
        <message>
            <source>Modifier la série...</source>
            <translation>Modifier la série...</translation>
        </message>
        <message>
            <source>Supprimer la série</source>
            <translation>Supprimer la série</translation>
        </message>
        <message>
            <source>Change background color...</source>
            <translation>Modifier la couleur de fond...</translation>
        </message>
        <message>
            <source>Visualisation</source>
            <translation>Visualisation</translation>
        </message>
        <message>
            <source>Ajuster le graphe à la fenêtre</source>
            <translation>Ajuster le graphe à la fenêtre</translation>
        </message>
        <message>
            <source>Miroir horizontal</source>
            <translation>Echanger les axes gauche et droit</translation>
        </message>
        <message>
            <source>Rotation à droite</source>
            <translation>Rotation à droite</translation>
        </message>
        <message>
            <source>Rotation à gauche</source>
            <translation>Rotation à gauche</translation>
        </message>
        <message>
            <source>Changer de mode de projection</source>
            <translation>Changer de mode de projection</translation>
        </message>
        <message>
            <source>Fenêtre d'identification</source>
            <translation>Fenêtre d'identification</translation>
        </message>
        <message>
            <source>Légende</source>
            <translation>Légende</translation>
        </message>
        <message>
            <source>Langue</source>
            <translation>Langue</translation>
        </message>
        <message>
            <source>Anglais</source>
            <translation>Anglais</translation>
        </message>
        <message>
            <source>Français</source>
            <translation>Français</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Aide</translation>
        </message>
        <message>
            <source>View help...</source>
            <translation>Afficher l'aide...</translation>
        </message>
        <message>
            <source>Mode normal (déplacement)</source>
            <translation>Mode normal (déplacement)</translation>
        </message>
        <message>
            <source>Tracer une droite</source>
            <translation>Tracer une droite</translation>
        </message>
        <message>
            <source>Zoom avant</source>
            <translation>Zoom avant</translation>
        </message>
        <message>
            <source>Zoom arrière</source>
            <translation>Zoom arrière</translation>
        </message>
        <message>
            <source>Ajouter un texte</source>
            <translation>Ajouter un texte</translation>
        </message>
        <message>
            <source>Cliquez ici pour ouvrir le manuel utilisateur.</source>
            <translation>Cliquez ici pour ouvrir le manuel utilisateur.</translation>
        </message>
        <message>
            <source>Modes</source>
            <translation>Modes</translation>
        </message>
        <message>
            <source>Série : %SERIE.NAME%&#13;
N° de point : %ITEM.INDEX%&#13;
Point : (A = %POINT.A%, B = %POINT.B%, C = %POINT.C%)</source>
            <translation>Série : %SERIE.NAME%&#13;
N° de point : %ITEM.INDEX%&#13;
Point : (A = %POINT.A%, B = %POINT.B%, C = %POINT.C%)</translation>
        </message>
        <message>
            <source>Valeur</source>
            <translation>Valeur</translation>
        </message>
        <message>
            <source>Fichiers xml (*.xml)</source>
            <translation>Fichiers xml (*.xml)</translation>
        </message>
        <message>
            <source>Ouvrir</source>
            <translation>Ouvrir</translation>
        </message>
        <message>
            <source>Enregistrer sous</source>
            <translation>Enregistrer sous</translation>
        </message>
        <message>
            <source>Exporter</source>
            <translation>Exporter</translation>
        </message>
        <message>
            <source>Fichiers texte (*.txt)</source>
            <translation>Fichiers texte (*.txt)</translation>
        </message>
        <message>
            <source>Métafichier amélioré (*.emf)</source>
            <translation>Métafichier amélioré (*.emf)</translation>
        </message>
        <message>
            <source>Bitmap Windows (*.bmp)</source>
            <translation>Bitmap Windows (*.bmp)</translation>
        </message>
        <message>
            <source>Image jpeg (*.jpg)</source>
            <translation>Image jpeg (*.jpg)</translation>
        </message>
        <message>
            <source>Image gif (*.gif)</source>
            <translation>Image gif (*.gif)</translation>
        </message>
        <message>
            <source>Image tiff (*.tif)</source>
            <translation>Image tiff (*.tif)</translation>
        </message>
        <message>
            <source>Image png (*.png)</source>
            <translation>Image png (*.png)</translation>
        </message>
        <message>
            <source>Image SVG (*.svg)</source>
            <translation>Image SVG (*.svg)</translation>
        </message>
        <message>
            <source>Document PDF (*.pdf)</source>
            <translation>Document PDF (*.pdf)</translation>
        </message>
        <message>
            <source>Le document a été modifié.
Voulez-vous enregistrer les modifications ?</source>
            <translation>Le document a été modifié.
Voulez-vous enregistrer les modifications ?</translation>
        </message>
        <message>
            <source>Le fichier %1 n'a pas été écrit : aucun encodeur d'image n'est installé pour ce format.</source>
            <translation>Le fichier %1 n'a pas été écrit : aucun encodeur d'image n'est installé pour ce format.</translation>
        </message>
        <message>
            <source>Annuler :</source>
            <translation>Annuler :</translation>
        </message>
        <message>
            <source>Rétablir :</source>
            <translation>Rétablir :</translation>
        </message>
        <message>
            <source>Annuler</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Rétablir</source>
            <translation>Rétablir</translation>
        </message>
        <message>
            <source>Propriétés visuelles du graphe...</source>
            <translation>Propriétés visuelles du graphe...</translation>
        </message>
        <message>
            <source>Une copie de secours de « %1 », enregistrée le %2, contient des modifications qui n'ont pas été enregistrées.
Voulez-vous la restaurer ?</source>
            <translation>Une copie de secours de « %1 », enregistrée le %2, contient des modifications qui n'ont pas été enregistrées.
Voulez-vous la restaurer ?</translation>
        </message>
        <message>
            <source>Restaurer</source>
            <translation>Restaurer</translation>
        </message>
        <message>
            <source>Supprimer</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Plus tard</source>
            <translation>Plus tard</translation>
        </message>
        <message>
            <source>Importer des données...</source>
            <translation>Importer des données...</translation>
        </message>
        <message>
            <source>Importer des données</source>
            <translation>Importer des données</translation>
        </message>
        <message>
            <source>Fichiers de données (*.csv *.tsv *.txt *.xlsx *.ods)</source>
            <translation>Fichiers de données (*.csv *.tsv *.txt *.xlsx *.ods)</translation>
        </message>
    </context>
    <context>
        <name>TSeriesListModel</name>
        <message>
            <source>Série</source>
            <translation>Série</translation>
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
            <translation>Diagramme Varenta</translation>
        </message>
        <message>
            <source>unnamed file</source>
            <translation>Fichier sans nom</translation>
        </message>
        <message>
            <source>Points</source>
            <translation>Points</translation>
        </message>
        <message>
            <source>Droites</source>
            <translation>Droites</translation>
        </message>
        <message>
            <source>Surface</source>
            <translation>Surface</translation>
        </message>
        <message>
            <source>Serie # %d</source>
            <translation>Série n° %d</translation>
        </message>
        <message>
            <source>Quellar Varenta Diagram User's Manual.pdf</source>
            <translation>Manuel utilisateur de Quellar Varenta Diagram.pdf</translation>
        </message>
        <message>
            <source>Unable to load help file. If this problem persists, please reinstall this software.</source>
            <translation>Impossible de charger le fichier d'aide. Si le problème persiste, veuillez réinstaller ce logiciel.</translation>
        </message>
    </context>
    <context>
        <name>TImportForm</name>
        <message>
            <source>Importer des données</source>
            <translation>Importer des données</translation>
        </message>
        <message>
            <source>Fichier</source>
            <translation>Fichier</translation>
        </message>
        <message>
            <source>Séparateur :</source>
            <translation>Séparateur :</translation>
        </message>
        <message>
            <source>Séparateur décimal :</source>
            <translation>Séparateur décimal :</translation>
        </message>
        <message>
            <source>Codage :</source>
            <translation>Codage :</translation>
        </message>
        <message>
            <source>Feuille :</source>
            <translation>Feuille :</translation>
        </message>
        <message>
            <source>La première ligne est un en-tête</source>
            <translation>La première ligne est un en-tête</translation>
        </message>
        <message>
            <source>Aperçu</source>
            <translation>Aperçu</translation>
        </message>
        <message>
            <source>Colonnes</source>
            <translation>Colonnes</translation>
        </message>
        <message>
            <source>Colonne A :</source>
            <translation>Colonne A :</translation>
        </message>
        <message>
            <source>Colonne B :</source>
            <translation>Colonne B :</translation>
        </message>
        <message>
            <source>Colonne C :</source>
            <translation>Colonne C :</translation>
        </message>
        <message>
            <source>Valeur de chaque point :</source>
            <translation>Valeur de chaque point :</translation>
        </message>
        <message>
            <source>Une série par valeur de :</source>
            <translation>Une série par valeur de :</translation>
        </message>
        <message>
            <source>Ramener chaque ligne à une somme de 1</source>
            <translation>Ramener chaque ligne à une somme de 1</translation>
        </message>
        <message>
            <source>Titrer les axes A, B et C d'après les colonnes</source>
            <translation>Titrer les axes A, B et C d'après les colonnes</translation>
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
            <source>Virgule</source>
            <translation>Virgule</translation>
        </message>
        <message>
            <source>Point-virgule</source>
            <translation>Point-virgule</translation>
        </message>
        <message>
            <source>Tabulation</source>
            <translation>Tabulation</translation>
        </message>
        <message>
            <source>Barre verticale</source>
            <translation>Barre verticale</translation>
        </message>
        <message>
            <source>Espace</source>
            <translation>Espace</translation>
        </message>
        <message>
            <source>Point (.)</source>
            <translation>Point (.)</translation>
        </message>
        <message>
            <source>Virgule (,)</source>
            <translation>Virgule (,)</translation>
        </message>
        <message>
            <source>UTF-8 avec marque d'ordre</source>
            <translation>UTF-8 avec marque d'ordre</translation>
        </message>
        <message>
            <source>(aucune)</source>
            <translation>(aucune)</translation>
        </message>
        <message>
            <source>Lignes à importer : %1 ; séries : %2 ; ignorées : %3</source>
            <translation>Lignes à importer : %1 ; séries : %2 ; ignorées : %3</translation>
        </message>
        <message>
            <source>et %1 de plus</source>
            <translation>et %1 de plus</translation>
        </message>
        <message>
            <source>Lignes ignorées : %1</source>
            <translation>Lignes ignorées : %1</translation>
        </message>
    </context>
    <context>
        <name>app::TAnnotationEditing</name>
        <message>
            <source>Modifier le texte</source>
            <translation>Modifier le texte</translation>
        </message>
        <message>
            <source>Déplacer le texte</source>
            <translation>Déplacer le texte</translation>
        </message>
        <message>
            <source>Supprimer le texte</source>
            <translation>Supprimer le texte</translation>
        </message>
    </context>
</TS>
