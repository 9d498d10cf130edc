<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
    <context>
        <name>Program</name>
        <message>
            <source>Cannot import &quot;%1&quot;: %2</source>
            <translation>Cannot import &quot;%1&quot;: %2</translation>
        </message>
        <message>
            <source>it is not a .csv, .tsv, .txt, .xlsx or .ods file</source>
            <translation>it is not a .csv, .tsv, .txt, .xlsx or .ods file</translation>
        </message>
        <message>
            <source>the file is empty</source>
            <translation>the file is empty</translation>
        </message>
        <message>
            <source>it is not a text file</source>
            <translation>it is not a text file</translation>
        </message>
        <message>
            <source>the file holds no rows</source>
            <translation>the file holds no rows</translation>
        </message>
        <message>
            <source>it has more cells or columns than can be read</source>
            <translation>it has more cells or columns than can be read</translation>
        </message>
        <message>
            <source>it is not a readable spreadsheet (%1)</source>
            <translation>it is not a readable spreadsheet (%1)</translation>
        </message>
        <message>
            <source>it is not a spreadsheet: the part %1 is missing</source>
            <translation>it is not a spreadsheet: the part %1 is missing</translation>
        </message>
        <message>
            <source>its part %1 is damaged or truncated</source>
            <translation>its part %1 is damaged or truncated</translation>
        </message>
        <message>
            <source>its part %1 is damaged or truncated (%2 at byte %3)</source>
            <translation>its part %1 is damaged or truncated (%2 at byte %3)</translation>
        </message>
        <message>
            <source>its part %1 is too large</source>
            <translation>its part %1 is too large</translation>
        </message>
        <message>
            <source>its part %1 cannot be unpacked</source>
            <translation>its part %1 cannot be unpacked</translation>
        </message>
        <message>
            <source>it has no sheet %1</source>
            <translation>it has no sheet %1</translation>
        </message>
        <message>
            <source>the sheet holds no rows</source>
            <translation>the sheet holds no rows</translation>
        </message>
        <message>
            <source>the sheet has more cells or columns than can be read</source>
            <translation>the sheet has more cells or columns than can be read</translation>
        </message>
        <message>
            <source>it has fewer than three numeric columns</source>
            <translation>it has fewer than three numeric columns</translation>
        </message>
        <message>
            <source>it holds no data rows</source>
            <translation>it holds no data rows</translation>
        </message>
        <message>
            <source>none of its %1 rows holds a composition of three numbers, not negative, not all zero</source>
            <translation>none of its %1 rows holds a composition of three numbers, not negative, not all zero</translation>
        </message>
        <message>
            <source>Column %1</source>
            <translation>Column %1</translation>
        </message>
    </context>
</TS>
