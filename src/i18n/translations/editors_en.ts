<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Program</name>
    <message>
        <source>Header</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Footer</source>
        <translation>Footer</translation>
    </message>
    <message>
        <source>Left axe</source>
        <translation>Left axis</translation>
    </message>
    <message>
        <source>Legend</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>Annotations</source>
        <translation>Annotations</translation>
    </message>
    <message>
        <source>Right axe</source>
        <translation>Right axis</translation>
    </message>
    <message>
        <source>Bottom axe</source>
        <translation>Bottom axis</translation>
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
        <translation>Add</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Text :</source>
        <translation>Text :</translation>
    </message>
    <message>
        <source>Position (A;B;C) :</source>
        <translation>Position (A;B;C) :</translation>
    </message>
    <message>
        <source>Alignment :</source>
        <translation>Alignment :</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Angle (°) :</source>
        <translation>Angle (°) :</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>TAxeElementEditorForm</name>
    <message>
        <source>Element</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Line style :</source>
        <translation>Line style :</translation>
    </message>
    <message>
        <source>Count :</source>
        <translation>Count :</translation>
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
        <translation>Control label</translation>
    </message>
    <message>
        <source>Caption :</source>
        <translation>Caption :</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Font :</translation>
    </message>
    <message>
        <source>Height :</source>
        <translation>Height :</translation>
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
        <translation>Name :</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Color :</translation>
    </message>
    <message>
        <source>Size :</source>
        <translation>Size :</translation>
    </message>
    <message>
        <source>Style :</source>
        <translation>Style :</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Strike out</source>
        <translation>Strike out</translation>
    </message>
</context>
<context>
    <name>TGraphAxeEditorForm</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Ticks</source>
        <translation>Ticks</translation>
    </message>
    <message>
        <source>Label </source>
        <translation>Label </translation>
    </message>
    <message>
        <source>Text :</source>
        <translation>Text :</translation>
    </message>
    <message>
        <source>Spacing :</source>
        <translation>Spacing :</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Font :</translation>
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
        <translation>Properties</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>Color :</translation>
    </message>
    <message>
        <source>Dash style :</source>
        <translation>Dash style :</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Width :</translation>
    </message>
</context>
<context>
    <name>TGraphSerieEditorForm</name>
    <message>
        <source>Serie</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>Colour scale</source>
        <translation>Colour scale</translation>
    </message>
    <message>
        <source>Draw middle segment arrow</source>
        <translation>Draw middle segment arrow</translation>
    </message>
    <message>
        <source>Show the name inside the series</source>
        <translation>Show the name inside the series</translation>
    </message>
    <message>
        <source>Name font</source>
        <translation>Name font</translation>
    </message>
    <message>
        <source>Frequency :</source>
        <translation>Drawing step :</translation>
    </message>
    <message>
        <source>(draw a point every n points)</source>
        <translation>(draw a point every n points)</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <source>Dot style :</source>
        <translation>Dot style :</translation>
    </message>
    <message>
        <source>Line style :</source>
        <translation>Line style :</translation>
    </message>
    <message>
        <source>Surface</source>
        <translation>Surface</translation>
    </message>
    <message>
        <source>Opacity (0-255):</source>
        <translation>Opacity (0-255):</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Color :</translation>
    </message>
</context>
<context>
    <name>TLegendEditorForm</name>
    <message>
        <source>Legend</source>
        <translation>Legend</translation>
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
        <translation>Top left</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>Outside, right of the triangle</source>
        <translation>Outside, right of the triangle</translation>
    </message>
    <message>
        <source>Background :</source>
        <translation>Background :</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
</context>
<context>
    <name>TLineStyleEditorForm</name>
    <message>
        <source>Line style</source>
        <translation>Line style</translation>
    </message>
    <message>
        <source>Color mode</source>
        <translation>Color mode</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>Gradient</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Color :</translation>
    </message>
    <message>
        <source>End color :</source>
        <translation>End color :</translation>
    </message>
    <message>
        <source>Dash style :</source>
        <translation>Dash style :</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Width :</translation>
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
        <translation>Filled dot</translation>
    </message>
    <message>
        <source>Open dot</source>
        <translation>Open dot</translation>
    </message>
    <message>
        <source>Filled square</source>
        <translation>Filled square</translation>
    </message>
    <message>
        <source>Open square</source>
        <translation>Open square</translation>
    </message>
    <message>
        <source>Filled triangle up</source>
        <translation>Filled triangle up</translation>
    </message>
    <message>
        <source>Open triangle up</source>
        <translation>Open triangle up</translation>
    </message>
    <message>
        <source>Filled triangle down</source>
        <translation>Filled triangle down</translation>
    </message>
    <message>
        <source>Open triangle down</source>
        <translation>Open triangle down</translation>
    </message>
    <message>
        <source>Filled diamond</source>
        <translation>Filled diamond</translation>
    </message>
    <message>
        <source>Open diamond</source>
        <translation>Open diamond</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>Vertical line</source>
        <translation>Vertical line</translation>
    </message>
    <message>
        <source>Horizontal line</source>
        <translation>Horizontal line</translation>
    </message>
    <message>
        <source>Dot style</source>
        <translation>Dot style</translation>
    </message>
    <message>
        <source>Dot type :</source>
        <translation>Dot type :</translation>
    </message>
    <message>
        <source>Fill color :</source>
        <translation>Fill color :</translation>
    </message>
    <message>
        <source>Frame color :</source>
        <translation>Frame color :</translation>
    </message>
    <message>
        <source>Dot size (pixels) :</source>
        <translation>Dot size (pixels) :</translation>
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
        <translation>Ticks</translation>
    </message>
    <message>
        <source>Tick lines</source>
        <translation>Tick lines</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>Tick length :</source>
        <translation>Tick length :</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Font :</translation>
    </message>
    <message>
        <source>Labels :</source>
        <translation>Labels :</translation>
    </message>
    <message>
        <source>Spacing :</source>
        <translation>Spacing :</translation>
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
        <translation>Colour scale</translation>
    </message>
    <message>
        <source>Colour the markers by value</source>
        <translation>Colour the markers by value</translation>
    </message>
    <message>
        <source>Colour map :</source>
        <translation>Colour map :</translation>
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
        <translation>(empty: from the values)</translation>
    </message>
    <message>
        <source>Logarithmic</source>
        <translation>Logarithmic</translation>
    </message>
    <message>
        <source>Reversed</source>
        <translation>Reversed</translation>
    </message>
    <message>
        <source>No value :</source>
        <translation>No value :</translation>
    </message>
    <message>
        <source>Title :</source>
        <translation>Title :</translation>
    </message>
</context>
</TS>
