<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Program</name>
    <message>
        <source>Header</source>
        <translation>En-tête</translation>
    </message>
    <message>
        <source>Footer</source>
        <translation>Pied de page</translation>
    </message>
    <message>
        <source>Left axe</source>
        <translation>Axe gauche</translation>
    </message>
    <message>
        <source>Legend</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>Annotations</source>
        <translation>Annotations</translation>
    </message>
    <message>
        <source>Right axe</source>
        <translation>Axe droit</translation>
    </message>
    <message>
        <source>Bottom axe</source>
        <translation>Axe bas</translation>
    </message>
</context>
<context>
    <name>TAnnotationsEditorForm</name>
    <message>
        <source>Annotations</source>
        <translation>Annotations</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Text :</source>
        <translation>Texte :</translation>
    </message>
    <message>
        <source>Position (A;B;C) :</source>
        <translation>Position (A;B;C) :</translation>
    </message>
    <message>
        <source>Alignment :</source>
        <translation>Alignement :</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Angle (°) :</source>
        <translation>Angle (°) :</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
</context>
<context>
    <name>TAxeElementEditorForm</name>
    <message>
        <source>Element</source>
        <translation>Elément</translation>
    </message>
    <message>
        <source>Line style :</source>
        <translation>Style de ligne :</translation>
    </message>
    <message>
        <source>Count :</source>
        <translation>Nombre :</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
</context>
<context>
    <name>TControlLabelEditorForm</name>
    <message>
        <source>Control label</source>
        <translation>Libellé</translation>
    </message>
    <message>
        <source>Caption :</source>
        <translation>Libellé :</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Police :</translation>
    </message>
    <message>
        <source>Height :</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
</context>
<context>
    <name>TFontEditorForm</name>
    <message>
        <source>Name :</source>
        <translation>Nom:</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Couleur:</translation>
    </message>
    <message>
        <source>Size :</source>
        <translation>Taille:</translation>
    </message>
    <message>
        <source>Style :</source>
        <translation>Style:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Strike out</source>
        <translation>Barré</translation>
    </message>
</context>
<context>
    <name>TGraphAxeEditorForm</name>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grille</translation>
    </message>
    <message>
        <source>Ticks</source>
        <translation>Marques</translation>
    </message>
    <message>
        <source>Label </source>
        <translation>Etiquette</translation>
    </message>
    <message>
        <source>Text :</source>
        <translation>Texte :</translation>
    </message>
    <message>
        <source>Spacing :</source>
        <translation>Espacement :</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Police :</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
</context>
<context>
    <name>TGraphControlEditorForm</name>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TGraphLineStyleEditorForm</name>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Couleur:</translation>
    </message>
    <message>
        <source>Dash style :</source>
        <translation>Pointillés :</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Largeur :</translation>
    </message>
</context>
<context>
    <name>TGraphSerieEditorForm</name>
    <message>
        <source>Serie</source>
        <translation>Série</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>Colour scale</source>
        <translation>Echelle de couleurs</translation>
    </message>
    <message>
        <source>Draw middle segment arrow</source>
        <translation>Tracer une flèche sur le segment central</translation>
    </message>
    <message>
        <source>Show the name inside the series</source>
        <translation>Afficher le nom dans la série</translation>
    </message>
    <message>
        <source>Name font</source>
        <translation>Police du nom</translation>
    </message>
    <message>
        <source>Frequency :</source>
        <translation>Pas de tracé :</translation>
    </message>
    <message>
        <source>(draw a point every n points)</source>
        <translation>(tracer un point sur n)</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nom:</translation>
    </message>
    <message>
        <source>Dot style :</source>
        <translation>Style de point :</translation>
    </message>
    <message>
        <source>Line style :</source>
        <translation>Style de ligne :</translation>
    </message>
    <message>
        <source>Surface</source>
        <translation>Surface</translation>
    </message>
    <message>
        <source>Opacity (0-255):</source>
        <translation>Opacité (0-255)</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Couleur:</translation>
    </message>
</context>
<context>
    <name>TLegendEditorForm</name>
    <message>
        <source>Legend</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>Position :</source>
        <translation>Position :</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>En haut à gauche</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>En haut à droite</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>En bas à gauche</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>En bas à droite</translation>
    </message>
    <message>
        <source>Outside, right of the triangle</source>
        <translation>À l&apos;extérieur, à droite du triangle</translation>
    </message>
    <message>
        <source>Background :</source>
        <translation>Fond :</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Cadre</translation>
    </message>
</context>
<context>
    <name>TLineStyleEditorForm</name>
    <message>
        <source>Line style</source>
        <translation>Style de ligne</translation>
    </message>
    <message>
        <source>Color mode</source>
        <translation>Colorisation</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Uni</translation>
    </message>
    <message>
        <source>Gradient</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Couleur:</translation>
    </message>
    <message>
        <source>End color :</source>
        <translation>Couleur de fin :</translation>
    </message>
    <message>
        <source>Dash style :</source>
        <translation>Pointillés :</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
</context>
<context>
    <name>TPointStyleEditorForm</name>
    <message>
        <source>Filled dot</source>
        <translation>Rond plein</translation>
    </message>
    <message>
        <source>Open dot</source>
        <translation>Rond vide</translation>
    </message>
    <message>
        <source>Filled square</source>
        <translation>Carré plein</translation>
    </message>
    <message>
        <source>Open square</source>
        <translation>Carré vide</translation>
    </message>
    <message>
        <source>Filled triangle up</source>
        <translation>Triangle haut plein</translation>
    </message>
    <message>
        <source>Open triangle up</source>
        <translation>Triangle haut vide</translation>
    </message>
    <message>
        <source>Filled triangle down</source>
        <translation>Triangle bas plein</translation>
    </message>
    <message>
        <source>Open triangle down</source>
        <translation>Triangle bas vide</translation>
    </message>
    <message>
        <source>Filled diamond</source>
        <translation>Diamant plein</translation>
    </message>
    <message>
        <source>Open diamond</source>
        <translation>Diamant vide</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>Croix</translation>
    </message>
    <message>
        <source>Vertical line</source>
        <translation>Ligne verticale</translation>
    </message>
    <message>
        <source>Horizontal line</source>
        <translation>Ligne horizontale</translation>
    </message>
    <message>
        <source>Dot style</source>
        <translation>Style de point</translation>
    </message>
    <message>
        <source>Dot type :</source>
        <translation>Type de point :</translation>
    </message>
    <message>
        <source>Fill color :</source>
        <translation>Couleur de remplissage :</translation>
    </message>
    <message>
        <source>Frame color :</source>
        <translation>Couleur du contour :</translation>
    </message>
    <message>
        <source>Dot size (pixels) :</source>
        <translation>Taille du point :</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
</context>
<context>
    <name>TTicksEditorForm</name>
    <message>
        <source>Ticks</source>
        <translation>Marques</translation>
    </message>
    <message>
        <source>Tick lines</source>
        <translation>Ligne des marques</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiquettes</translation>
    </message>
    <message>
        <source>Tick length :</source>
        <translation>Longueur des marques :</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Police :</translation>
    </message>
    <message>
        <source>Labels :</source>
        <translation>Etiquettes :</translation>
    </message>
    <message>
        <source>Spacing :</source>
        <translation>Espacement :</translation>
    </message>
    <message>
        <source>Format :</source>
        <translation>Format :</translation>
    </message>
</context>
<context>
    <name>TColorScaleEditorForm</name>
    <message>
        <source>Colour scale</source>
        <translation>Echelle de couleurs</translation>
    </message>
    <message>
        <source>Colour the markers by value</source>
        <translation>Colorer les marqueurs selon la valeur</translation>
    </message>
    <message>
        <source>Colour map :</source>
        <translation>Palette :</translation>
    </message>
    <message>
        <source>Minimum :</source>
        <translation>Minimum :</translation>
    </message>
    <message>
        <source>Maximum :</source>
        <translation>Maximum :</translation>
    </message>
    <message>
        <source>(empty: from the values)</source>
        <translation>(vide : d'après les valeurs)</translation>
    </message>
    <message>
        <source>Logarithmic</source>
        <translation>Logarithmique</translation>
    </message>
    <message>
        <source>Reversed</source>
        <translation>Inversée</translation>
    </message>
    <message>
        <source>No value :</source>
        <translation>Sans valeur :</translation>
    </message>
    <message>
        <source>Title :</source>
        <translation>Titre :</translation>
    </message>
</context>
</TS>
