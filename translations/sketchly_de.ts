<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Unbekannte Option „%1“.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Fehlender Wert nach „%1“.</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Unerwarteter Wert nach „%1“.</translation>
    </message>
</context>
<context>
    <name>calc</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>%1 (key %2)</source>
        <translation>%1 (Taste %2)</translation>
    </message>
    <message>
        <source>Decimal point</source>
        <translation>Dezimalpunkt</translation>
    </message>
    <message>
        <source>. or ,</source>
        <translation>. oder ,</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Addieren</translation>
    </message>
    <message>
        <source>Subtract</source>
        <translation>Subtrahieren</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>Multiplizieren</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>Dividieren</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>= or Enter</source>
        <translation>= oder Eingabe</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Quadrat</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>Quadratwurzel</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Alles löschen</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Clear entry</source>
        <translation>Eingabe löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entf</translation>
    </message>
    <message>
        <source>Subtract one</source>
        <translation>Eins abziehen</translation>
    </message>
    <message>
        <source>Add one</source>
        <translation>Eins addieren</translation>
    </message>
    <message>
        <source>Take back the last digit</source>
        <translation>Letzte Ziffer zurücknehmen</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Ziffern</translation>
    </message>
    <message>
        <source>Memory holds %1</source>
        <translation>Im Speicher: %1</translation>
    </message>
</context>
<context>
    <name>colours</name>
    <message>
        <source>white</source>
        <translation>weiß</translation>
    </message>
    <message>
        <source>light yellow</source>
        <translation>hellgelb</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>silver</source>
        <translation>silber</translation>
    </message>
    <message>
        <source>light red</source>
        <translation>hellrot</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>light green</source>
        <translation>hellgrün</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>light cyan</source>
        <translation>helltürkis</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>türkis</translation>
    </message>
    <message>
        <source>light magenta</source>
        <translation>hellmagenta</translation>
    </message>
    <message>
        <source>purple</source>
        <translation>violett</translation>
    </message>
    <message>
        <source>navy</source>
        <translation>marineblau</translation>
    </message>
    <message>
        <source>teal</source>
        <translation>blaugrün</translation>
    </message>
    <message>
        <source>pale green</source>
        <translation>blassgrün</translation>
    </message>
    <message>
        <source>pale cyan</source>
        <translation>blasstürkis</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>blau</translation>
    </message>
    <message>
        <source>olive</source>
        <translation>oliv</translation>
    </message>
    <message>
        <source>dark olive</source>
        <translation>dunkeloliv</translation>
    </message>
    <message>
        <source>black</source>
        <translation>schwarz</translation>
    </message>
    <message>
        <source>grey</source>
        <translation>grau</translation>
    </message>
    <message>
        <source>lime</source>
        <translation>limettengrün</translation>
    </message>
    <message>
        <source>bright blue</source>
        <translation>leuchtend blau</translation>
    </message>
    <message>
        <source>aqua</source>
        <translation>aquamarin</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>maroon</source>
        <translation>kastanienbraun</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>rot %1, grün %2, blau %3</translation>
    </message>
</context>
<context>
    <name>common</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Licence: MIT</source>
        <translation>Lizenz: MIT</translation>
    </message>
    <message>
        <source>Qt version: %1</source>
        <translation>Qt-Version: %1</translation>
    </message>
    <message>
        <source>cannot connect to a display</source>
        <translation>keine Verbindung zu einer Anzeige möglich</translation>
    </message>
    <message>
        <source>Qt&apos;s own options work too, such as -platform NAME, -display DISPLAY,
-style NAME and -reverse.</source>
        <translation>Auch Qts eigene Optionen wirken, etwa -platform NAME, -display ANZEIGE,
-style NAME und -reverse.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Aufruf: %1 [Optionen]</translation>
    </message>
    <message>
        <source>The file to open at start.</source>
        <translation>Die beim Start zu öffnende Datei.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Mehr dazu mit „%1 --help“.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;.</source>
        <translation>unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>cannot connect to a display (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <translation>keine Verbindung zu einer Anzeige möglich (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)</translation>
    </message>
    <message>
        <source>Sketchly: draw lines, shapes and freehand strokes.</source>
        <translation>Sketchly: Linien, Formen und Freihandstriche zeichnen.</translation>
    </message>
    <message>
        <source>A pocket calculator with one pending operation.</source>
        <translation>Ein Taschenrechner mit einer anstehenden Rechenart.</translation>
    </message>
    <message>
        <source>This is not finished: %1 Stop it and close the window?</source>
        <translation>Das ist noch nicht fertig: %1 Abbrechen und das Fenster schließen?</translation>
    </message>
    <message>
        <source>The program that holds the clipboard does not answer. Nothing was pasted.</source>
        <translation>Das Programm, dem die Zwischenablage gehört, antwortet nicht. Es wurde nichts eingefügt.</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>Ü&amp;berschreiben</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
</context>
<context>
    <name>controls</name>
    <message>
        <source>Canvas</source>
        <translation>Leinwand</translation>
    </message>
    <message>
        <source>Move tool</source>
        <translation>Zeiger</translation>
    </message>
    <message>
        <source>Freehand tool</source>
        <translation>Freihandwerkzeug</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>Linienwerkzeug</translation>
    </message>
    <message>
        <source>Circle tool</source>
        <translation>Kreiswerkzeug</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>Rechteckwerkzeug</translation>
    </message>
    <message>
        <source>Clear canvas</source>
        <translation>Leinwand leeren</translation>
    </message>
    <message>
        <source>Filled rectangle tool</source>
        <translation>Werkzeug gefülltes Rechteck</translation>
    </message>
    <message>
        <source>Filled circle tool</source>
        <translation>Werkzeug gefüllter Kreis</translation>
    </message>
    <message>
        <source>Thick brush</source>
        <translation>Dicker Pinsel</translation>
    </message>
    <message>
        <source>Palette colour: </source>
        <translation>Palettenfarbe: </translation>
    </message>
    <message>
        <source>Current colour: </source>
        <translation>Aktuelle Farbe: </translation>
    </message>
</context>
<context>
    <name>faults</name>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Ungültiges Argument</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <source>Invalid operation</source>
        <translation>Ungültige Operation</translation>
    </message>
    <message>
        <source>The number is too large for the calculator (beyond about 1.8E+308). The calculator kept its previous state.</source>
        <translation>Die Zahl ist zu groß für den Rechner (über etwa 1.8E+308). Der Rechner hat seinen vorigen Stand behalten.</translation>
    </message>
    <message>
        <source>The display does not hold a number this key can read, such as a number with two decimal points. The calculator kept its previous state.</source>
        <translation>Die Anzeige enthält keine Zahl, die diese Taste lesen kann, etwa eine Zahl mit zwei Dezimalpunkten. Der Rechner hat seinen vorigen Stand behalten.</translation>
    </message>
    <message>
        <source>The square root of a negative number is not defined. The calculator kept its previous state.</source>
        <translation>Die Quadratwurzel einer negativen Zahl ist nicht definiert. Der Rechner hat seinen vorigen Stand behalten.</translation>
    </message>
    <message>
        <source>A number cannot be divided by zero. The calculator kept its previous state.</source>
        <translation>Eine Zahl kann nicht durch null geteilt werden. Der Rechner hat seinen vorigen Stand behalten.</translation>
    </message>
    <message>
        <source>The result is not a number. The calculator kept its previous state.</source>
        <translation>Das Ergebnis ist keine Zahl. Der Rechner hat seinen vorigen Stand behalten.</translation>
    </message>
</context>
<context>
    <name>menus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Image</source>
        <translation>B&amp;ild</translation>
    </message>
    <message>
        <source>Picture &amp;Size...</source>
        <translation>Bild&amp;größe...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;About Sketchly</source>
        <translation>Ü&amp;ber Sketchly</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>&amp;About Calculator</source>
        <translation>Ü&amp;ber Calculator</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Fit in Window</source>
        <translation>In &amp;Fenster einpassen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Sc&amp;ale...</source>
        <translation>&amp;Skalieren...</translation>
    </message>
    <message>
        <source>C&amp;rop to Selection</source>
        <translation>Auf Auswahl &amp;zuschneiden</translation>
    </message>
    <message>
        <source>Rotate 90° &amp;Clockwise</source>
        <translation>Um 90° im &amp;Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Rotate 90° Counter-Clock&amp;wise</source>
        <translation>Um 90° gegen den Uhrzeigersinn &amp;drehen</translation>
    </message>
    <message>
        <source>Rotate &amp;180°</source>
        <translation>Um &amp;180° drehen</translation>
    </message>
    <message>
        <source>Flip &amp;Horizontally</source>
        <translation>&amp;Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Flip &amp;Vertically</source>
        <translation>&amp;Vertikal spiegeln</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Auswählen</translation>
    </message>
    <message>
        <source>Pick &amp;Colour</source>
        <translation>&amp;Farbe aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Fill</source>
        <translation>F&amp;üllen</translation>
    </message>
    <message>
        <source>Hi&amp;story</source>
        <translation>&amp;Verlauf</translation>
    </message>
    <message>
        <source>&amp;Copy History</source>
        <translation>Verlauf &amp;kopieren</translation>
    </message>
    <message>
        <source>C&amp;lear History</source>
        <translation>Verlauf &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>&amp;Speicher</translation>
    </message>
    <message>
        <source>Memory &amp;Store</source>
        <translation>Im Speicher &amp;ablegen</translation>
    </message>
    <message>
        <source>Memory &amp;Recall</source>
        <translation>Speicher a&amp;brufen</translation>
    </message>
    <message>
        <source>Memory &amp;Add</source>
        <translation>Zum Speicher a&amp;ddieren</translation>
    </message>
    <message>
        <source>Memory S&amp;ubtract</source>
        <translation>Vom Speicher s&amp;ubtrahieren</translation>
    </message>
    <message>
        <source>Memory &amp;Clear</source>
        <translation>Speicher &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation>&amp;Rechnen</translation>
    </message>
    <message>
        <source>&amp;Percent</source>
        <translation>&amp;Prozent</translation>
    </message>
    <message>
        <source>Ad&amp;just</source>
        <translation>&amp;Anpassen</translation>
    </message>
    <message>
        <source>&amp;Brightness and Contrast...</source>
        <translation>&amp;Helligkeit und Kontrast...</translation>
    </message>
    <message>
        <source>&amp;Saturation...</source>
        <translation>&amp;Sättigung...</translation>
    </message>
    <message>
        <source>&amp;Greyscale</source>
        <translation>&amp;Graustufen</translation>
    </message>
    <message>
        <source>&amp;Invert Colours</source>
        <translation>Farben &amp;umkehren</translation>
    </message>
    <message>
        <source>&amp;Rotate...</source>
        <translation>D&amp;rehen...</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>Te&amp;xt</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>&amp;Linie</translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation>&amp;Pfeil</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rechteck</translation>
    </message>
    <message>
        <source>Elli&amp;pse</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>&amp;Highlighter</source>
        <translation>&amp;Textmarker</translation>
    </message>
    <message>
        <source>R&amp;edact</source>
        <translation>&amp;Schwärzen</translation>
    </message>
    <message>
        <source>Thi&amp;nner</source>
        <translation>&amp;Dünner</translation>
    </message>
    <message>
        <source>Thic&amp;ker</source>
        <translation>D&amp;icker</translation>
    </message>
    <message>
        <source>Text F&amp;ont...</source>
        <translation>Sc&amp;hrift...</translation>
    </message>
    <message>
        <source>&amp;Dashed Lines</source>
        <translation>&amp;Gestrichelte Linien</translation>
    </message>
    <message>
        <source>F&amp;illed Shapes</source>
        <translation>&amp;Gefüllte Formen</translation>
    </message>
    <message>
        <source>S&amp;mooth Edges</source>
        <translation>&amp;Glatte Kanten</translation>
    </message>
    <message>
        <source>Redact in &amp;Blocks</source>
        <translation>In &amp;Blöcken schwärzen</translation>
    </message>
    <message>
        <source>Line &amp;Width</source>
        <translation>Linien&amp;breite</translation>
    </message>
</context>
<context>
    <name>paint</name>
    <message>
        <source>is not an image file</source>
        <translation>ist keine Bilddatei</translation>
    </message>
    <message>
        <source>is damaged or cut short (%1)</source>
        <translation>ist beschädigt oder abgeschnitten (%1)</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>ist ein Ordner</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>Images (%1);;All files (*)</source>
        <translation>Bilder (%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Picture Size</source>
        <translation>Bildgröße</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
    <message>
        <source>Pasting...</source>
        <translation>Einfügen...</translation>
    </message>
    <message>
        <source>Could not paste the image: it %1.</source>
        <translation>Das Bild konnte nicht eingefügt werden: Es %1.</translation>
    </message>
    <message>
        <source>The pasted image is larger than the picture. Enlarge the picture to fit it?</source>
        <translation>Das eingefügte Bild ist größer als das Bild. Das Bild passend vergrößern?</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>Opening %1...</source>
        <translation>%1 wird geöffnet...</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: it %2.</source>
        <translation>„%1“ konnte nicht geöffnet werden: Die Datei %2.</translation>
    </message>
    <message>
        <source>Save Drawing</source>
        <translation>Zeichnung speichern</translation>
    </message>
    <message>
        <source>The drawing has changes that are not saved. Save them?</source>
        <translation>Die Zeichnung hat ungespeicherte Änderungen. Speichern?</translation>
    </message>
    <message>
        <source>Scroll the picture</source>
        <translation>Bild rollen</translation>
    </message>
    <message>
        <source>Mouse wheel</source>
        <translation>Mausrad</translation>
    </message>
    <message>
        <source>Scroll across</source>
        <translation>Seitwärts rollen</translation>
    </message>
    <message>
        <source>Shift+Mouse wheel</source>
        <translation>Umschalt+Mausrad</translation>
    </message>
    <message>
        <source>A drawing program: ten tools, a palette of twenty colours, undo, the clipboard and image files at their own size.</source>
        <translation>Ein Zeichenprogramm: zehn Werkzeuge, eine Palette mit zwanzig Farben, Rückgängig, die Zwischenablage und Bilddateien in ihrer eigenen Größe.</translation>
    </message>
    <message>
        <source>is too large to open (%1 × %2 pixels; at most %3 a side)</source>
        <translation>ist zu groß zum Öffnen (%1 × %2 Pixel; höchstens %3 je Seite)</translation>
    </message>
    <message>
        <source>%1 pictures can be at most %2 pixels wide</source>
        <translation>%1-Bilder können höchstens %2 Pixel breit sein</translation>
    </message>
    <message>
        <source>%1 pictures can be at most %2 pixels high</source>
        <translation>%1-Bilder können höchstens %2 Pixel hoch sein</translation>
    </message>
    <message>
        <source>Sketchly was not closed properly. Recover the unsaved drawing from %1?</source>
        <translation>Sketchly wurde nicht ordnungsgemäß beendet. Die nicht gespeicherte Zeichnung von %1 wiederherstellen?</translation>
    </message>
    <message>
        <source>Sketchly was not closed properly. Recover the unsaved changes to &quot;%1&quot; from %2?</source>
        <translation>Sketchly wurde nicht ordnungsgemäß beendet. Die nicht gespeicherten Änderungen an „%1“ von %2 wiederherstellen?</translation>
    </message>
    <message>
        <source>The pasted image would make the picture larger than %1 × %1 pixels, the largest there can be. Nothing was pasted.</source>
        <translation>Das eingefügte Bild würde das Bild größer als %1 × %1 Pixel machen, größer als jedes mögliche Bild. Es wurde nichts eingefügt.</translation>
    </message>
    <message>
        <source>Changing the picture size...</source>
        <translation>Bildgröße wird geändert …</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: %2.</source>
        <translation>„%1“ konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Undoing...</source>
        <translation>Wird rückgängig gemacht …</translation>
    </message>
    <message>
        <source>Redoing...</source>
        <translation>Wird wiederhergestellt …</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Picture size: %1</source>
        <translation>Bildgröße: %1</translation>
    </message>
    <message>
        <source>Zoom: %1</source>
        <translation>Zoom: %1</translation>
    </message>
    <message>
        <source>Zoom about the pointer</source>
        <translation>Um den Mauszeiger zoomen</translation>
    </message>
    <message>
        <source>Ctrl+Mouse wheel</source>
        <translation>Strg+Mausrad</translation>
    </message>
    <message>
        <source>Move about the picture (canvas focused)</source>
        <translation>Im Bild bewegen (Leinwand im Fokus)</translation>
    </message>
    <message>
        <source>Arrow keys, Page Up, Page Down, Home, End, Ctrl+Home, Ctrl+End</source>
        <translation>Pfeiltasten, Bild auf, Bild ab, Pos1, Ende, Strg+Pos1, Strg+Ende</translation>
    </message>
    <message>
        <source>the picture is empty</source>
        <translation>das Bild ist leer</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>der Speicher reicht nicht</translation>
    </message>
    <message>
        <source>saving was cancelled</source>
        <translation>das Speichern wurde abgebrochen</translation>
    </message>
    <message>
        <source>writing failed</source>
        <translation>das Schreiben schlug fehl</translation>
    </message>
    <message>
        <source>uses a kind of %1 that this system cannot read</source>
        <translation>ist eine Art %1, die dieses System nicht lesen kann</translation>
    </message>
    <message>
        <source>is a %1 image, which this system cannot read</source>
        <translation>ist ein %1-Bild, das dieses System nicht lesen kann</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; does not exist</source>
        <translation>der Ordner „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; cannot be written (%2)</source>
        <translation>in den Ordner „%1“ kann nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 pictures cannot be written</source>
        <translation>%1-Bilder können nicht geschrieben werden</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1 pictures cannot be written.</source>
        <translation>%1-Bilder können nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Only part of it could be read: the rest would be lost.</source>
        <translation>Nur ein Teil davon konnte gelesen werden: der Rest ginge verloren.</translation>
    </message>
    <message>
        <source>Its animation would be lost: only the first of its %1 frames would be kept.</source>
        <translation>Die Animation ginge verloren: nur das erste ihrer %1 Einzelbilder bliebe erhalten.</translation>
    </message>
    <message>
        <source>Its colours would be reduced to 8 bits per channel.</source>
        <translation>Die Farben würden auf 8 Bit je Kanal verringert.</translation>
    </message>
    <message>
        <source>Its colours would be lost: %1 pictures hold only grey.</source>
        <translation>Die Farben gingen verloren: %1-Bilder enthalten nur Grau.</translation>
    </message>
    <message>
        <source>Its transparency would be lost: %1 pictures have none.</source>
        <translation>Die Transparenz ginge verloren: %1-Bilder haben keine.</translation>
    </message>
    <message>
        <source>It would be compressed again at quality %1, which changes all of it.</source>
        <translation>Es würde erneut mit Qualität %1 komprimiert, was das ganze Bild verändert.</translation>
    </message>
    <message>
        <source>drawing</source>
        <translation>Zeichnung</translation>
    </message>
    <message>
        <source>%1 image (%2)</source>
        <translation>%1-Bild (%2)</translation>
    </message>
    <message>
        <source>Image Quality</source>
        <translation>Bildqualität</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>&amp;Qualität:</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Working out the file size…</source>
        <translation>Dateigröße wird ermittelt…</translation>
    </message>
    <message>
        <source>The file size is not known</source>
        <translation>Die Dateigröße ist nicht bekannt</translation>
    </message>
    <message>
        <source>About %1, lossless</source>
        <translation>Etwa %1, verlustfrei</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Etwa %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged: only part of the picture could be read.</source>
        <translation>„%1“ ist beschädigt: nur ein Teil des Bildes konnte gelesen werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program since it was opened or saved here. Overwrite it with this drawing?</source>
        <translation>„%1“ wurde von einem anderen Programm geändert, seit es hier geöffnet oder gespeichert wurde. Mit dieser Zeichnung überschreiben?</translation>
    </message>
    <message>
        <source>The file was not changed. Save the picture under another name?</source>
        <translation>Die Datei wurde nicht verändert. Das Bild unter einem anderen Namen speichern?</translation>
    </message>
    <message>
        <source>Save the picture as PNG instead?</source>
        <translation>Das Bild stattdessen als PNG speichern?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Replace it?</source>
        <translation>„%1“ existiert bereits. Ersetzen?</translation>
    </message>
    <message>
        <source>Save it all the same?</source>
        <translation>Trotzdem speichern?</translation>
    </message>
    <message>
        <source>Saving %1...</source>
        <translation>%1 wird gespeichert...</translation>
    </message>
    <message>
        <source>Select: drag a rectangle; drag inside it to move what it holds</source>
        <translation>Auswählen: ein Rechteck aufziehen; darin ziehen verschiebt seinen Inhalt</translation>
    </message>
    <message>
        <source>Pick Colour: click the picture to take its colour</source>
        <translation>Farbe aufnehmen: ins Bild klicken, um seine Farbe zu übernehmen</translation>
    </message>
    <message>
        <source>Fill: click an area of one colour to fill it with the current colour</source>
        <translation>Füllen: eine einfarbige Fläche anklicken, um sie mit der aktuellen Farbe zu füllen</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Skalieren</translation>
    </message>
    <message>
        <source>In &amp;percent</source>
        <translation>In &amp;Prozent</translation>
    </message>
    <message>
        <source>&amp;Keep proportions</source>
        <translation>Seiten&amp;verhältnis beibehalten</translation>
    </message>
    <message>
        <source>The picture becomes %1 × %2 pixels.</source>
        <translation>Das Bild wird %1 × %2 Pixel groß.</translation>
    </message>
    <message>
        <source>Each side must be 1 to %1 pixels.</source>
        <translation>Jede Seite muss 1 bis %1 Pixel lang sein.</translation>
    </message>
    <message>
        <source>Scaling the picture...</source>
        <translation>Bild wird skaliert...</translation>
    </message>
    <message>
        <source>Cropping the picture...</source>
        <translation>Bild wird zugeschnitten...</translation>
    </message>
    <message>
        <source>Rotating the picture...</source>
        <translation>Bild wird gedreht...</translation>
    </message>
    <message>
        <source>Flipping the picture...</source>
        <translation>Bild wird gespiegelt...</translation>
    </message>
    <message>
        <source>Put a paste in place</source>
        <translation>Eingefügtes absetzen</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Drop the selection or a paste</source>
        <translation>Auswahl oder Eingefügtes verwerfen</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Helligkeit:</translation>
    </message>
    <message>
        <source>&amp;Contrast:</source>
        <translation>&amp;Kontrast:</translation>
    </message>
    <message>
        <source>&amp;Saturation:</source>
        <translation>&amp;Sättigung:</translation>
    </message>
    <message>
        <source>&amp;Angle:</source>
        <translation>&amp;Winkel:</translation>
    </message>
    <message>
        <source>Turned, the picture would be %1 × %2 pixels: at most %3 a side can be.</source>
        <translation>Gedreht wäre das Bild %1 × %2 Pixel groß: höchstens %3 je Seite sind möglich.</translation>
    </message>
    <message>
        <source>Adjusting the picture...</source>
        <translation>Bild wird angepasst...</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>En&amp;large a small picture to fill the page</source>
        <translation>Kleines Bild auf die ganze Seite &amp;vergrößern</translation>
    </message>
    <message>
        <source>Printing %1...</source>
        <translation>%1 wird gedruckt...</translation>
    </message>
    <message>
        <source>Could not print the picture: the printer did not start.</source>
        <translation>Das Bild konnte nicht gedruckt werden: Der Drucker hat nicht begonnen.</translation>
    </message>
    <message>
        <source>Enlarge to Fill the Page</source>
        <translation>Auf die ganze Seite vergrößern</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer there: it is taken off the recent files.</source>
        <translation>„%1“ ist nicht mehr vorhanden und wird aus den zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>Width: %1 px</source>
        <translation>Breite: %1 px</translation>
    </message>
    <message>
        <source>Move Selection</source>
        <translation>Auswahl verschieben</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Füllen</translation>
    </message>
    <message>
        <source>Highlighter: drag over what to mark in the current colour</source>
        <translation>Textmarker: über das ziehen, was in der aktuellen Farbe markiert werden soll</translation>
    </message>
    <message>
        <source>Highlighter</source>
        <translation>Textmarker</translation>
    </message>
    <message>
        <source>Redact: drag a rectangle over what to hide</source>
        <translation>Schwärzen: ein Rechteck über das ziehen, was verborgen werden soll</translation>
    </message>
    <message>
        <source>Redact</source>
        <translation>Schwärzen</translation>
    </message>
    <message>
        <source>Line: drag from one end to the other; Shift keeps it to 45° steps</source>
        <translation>Linie: von einem Ende zum anderen ziehen; mit Umschalt in 45°-Schritten</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Arrow: drag from its tail to where it points; Shift keeps it to 45° steps</source>
        <translation>Pfeil: vom Ende zur Spitze ziehen; mit Umschalt in 45°-Schritten</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Pfeil</translation>
    </message>
    <message>
        <source>Rectangle: drag from corner to corner; Shift makes a square</source>
        <translation>Rechteck: von Ecke zu Ecke ziehen; mit Umschalt ein Quadrat</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse: drag across the box it fills; Shift makes a circle</source>
        <translation>Ellipse: über das Rechteck ziehen, das sie füllt; mit Umschalt ein Kreis</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Text Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Fett</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Kursiv</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schriftart:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>Text: click and type; drag the text to move it; Escape or a click outside sets it down</source>
        <translation>Text: klicken und tippen; den Text ziehen, um ihn zu verschieben; Escape oder ein Klick daneben setzt ihn ab</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Bewegen</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Freihand</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Kreis</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Filled Rectangle</source>
        <translation>Gefülltes Rechteck</translation>
    </message>
    <message>
        <source>Filled Circle</source>
        <translation>Gefüllter Kreis</translation>
    </message>
    <message>
        <source>Brush</source>
        <translation>Pinsel</translation>
    </message>
    <message>
        <source>Photo Details</source>
        <translation>Fotoangaben</translation>
    </message>
    <message>
        <source>This photo tells where it was taken and names people.</source>
        <translation>Dieses Foto verrät, wo es aufgenommen wurde, und nennt Personen.</translation>
    </message>
    <message>
        <source>This photo tells where it was taken.</source>
        <translation>Dieses Foto verrät, wo es aufgenommen wurde.</translation>
    </message>
    <message>
        <source>This photo names people.</source>
        <translation>Dieses Foto nennt Personen.</translation>
    </message>
    <message>
        <source>&amp;Remove location and personal details</source>
        <translation>Ort und persönliche Angaben &amp;entfernen</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>The picture tells where it was taken</source>
        <translation>Das Bild verrät, wo es aufgenommen wurde</translation>
    </message>
    <message>
        <source>it declares no size</source>
        <translation>es gibt keine Größe an</translation>
    </message>
    <message>
        <source>the JPEG XL data ends too early</source>
        <translation>die JPEG-XL-Daten enden zu früh</translation>
    </message>
    <message>
        <source>the JPEG XL data is not valid</source>
        <translation>die JPEG-XL-Daten sind ungültig</translation>
    </message>
    <message>
        <source>the JPEG XL encoder failed</source>
        <translation>der JPEG-XL-Encoder ist gescheitert</translation>
    </message>
    <message>
        <source>its details could not be written</source>
        <translation>seine Angaben konnten nicht geschrieben werden</translation>
    </message>
    <message>
        <source>its details could not be written (%1)</source>
        <translation>seine Angaben konnten nicht geschrieben werden (%1)</translation>
    </message>
</context>
</TS>
