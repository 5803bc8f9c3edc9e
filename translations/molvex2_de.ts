<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>About Molvex 2</source>
        <translation>Über Molvex 2</translation>
    </message>
    <message>
        <source>Chemical equations typeset as you type them.</source>
        <translation>Chemische Gleichungen, gesetzt während Sie tippen.</translation>
    </message>
    <message>
        <source>Copyright © Tamrel Software</source>
        <translation>Copyright © Tamrel Software</translation>
    </message>
</context>
<context>
    <name>CChemStatus</name>
    <message>
        <source> (+%1 more)</source>
        <translation> (+%1 weitere)</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Bilanz</translation>
    </message>
    <message>
        <source>Balance: %1</source>
        <translation>Bilanz: %1</translation>
    </message>
    <message>
        <source>Reading hint</source>
        <translation>Lesehinweis</translation>
    </message>
    <message>
        <source>Reading hint: %1</source>
        <translation>Lesehinweis: %1</translation>
    </message>
</context>
<context>
    <name>CContactDialog</name>
    <message>
        <source>About Tamrel</source>
        <translation>Über Tamrel</translation>
    </message>
    <message>
        <source>Makers of Molvex 2, the chemical equation editor.</source>
        <translation>Hersteller von Molvex 2, dem Editor für chemische Gleichungen.</translation>
    </message>
    <message>
        <source>Questions, suggestions and reports of problems are always welcome:</source>
        <translation>Fragen, Anregungen und Fehlermeldungen sind jederzeit willkommen:</translation>
    </message>
    <message>
        <source>please write to Tamrel Software support.</source>
        <translation>schreiben Sie bitte an den Support von Tamrel Software.</translation>
    </message>
</context>
<context>
    <name>CDocumentManager</name>
    <message>
        <source>File Save Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
</context>
<context>
    <name>CEntryBar</name>
    <message>
        <source>Drag to change the height of the entry box</source>
        <translation>Ziehen, um die Höhe des Eingabefelds zu ändern</translation>
    </message>
    <message>
        <source>Equation</source>
        <translation>Gleichung</translation>
    </message>
</context>
<context>
    <name>CEntryEdit</name>
    <message>
        <source>Equation text</source>
        <translation>Gleichungstext</translation>
    </message>
    <message>
        <source>One equation line per line, at most 20 lines. The picture is typeset as you type.</source>
        <translation>Eine Gleichungszeile pro Zeile, höchstens 20 Zeilen. Das Bild wird während der Eingabe gesetzt.</translation>
    </message>
</context>
<context>
    <name>CFileDialogs</name>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>SVG picture (*.svg)</source>
        <translation>SVG-Bild (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>Windows metafile (*.wmf)</source>
        <translation>Windows-Metadatei (*.wmf)</translation>
    </message>
    <message>
        <source>Export Picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>Scale of the PNG picture (1: the size on screen at 100%):</source>
        <translation>Maßstab des PNG-Bilds (1: die Größe auf dem Bildschirm bei 100&#xa0;%):</translation>
    </message>
    <message>
        <source>Molvex Files (*.mv2)</source>
        <translation>Molvex-Dateien (*.mv2)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
</context>
<context>
    <name>CFontChooser</name>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Kastanienbraun</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliv</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Marineblau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Silber</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
</context>
<context>
    <name>CIniStore</name>
    <message>
        <source>File Save Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>Unable to write file %1.

Administrator privileges are probably needed to save this file.  Please contact your IT staff.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden.

Zum Speichern dieser Datei sind wahrscheinlich Administratorrechte nötig. Wenden Sie sich bitte an Ihre IT-Betreuung.</translation>
    </message>
    <message>
        <source>Unable to write file %1.

It could not be read (%2), so saving would lose the settings it holds; it was left as it is.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden.

Sie konnte nicht gelesen werden (%2); Speichern würde die Einstellungen darin löschen, deshalb bleibt sie unverändert.</translation>
    </message>
</context>
<context>
    <name>CLevelDialog</name>
    <message>
        <source>Level of your equations</source>
        <translation>Höhe Ihrer Gleichungen</translation>
    </message>
    <message>
        <source>Very High</source>
        <translation>Sehr hoch</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>A Little High</source>
        <translation>Etwas hoch</translation>
    </message>
    <message>
        <source>A Little Low</source>
        <translation>Etwas tief</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Tief</translation>
    </message>
    <message>
        <source>Very Low</source>
        <translation>Sehr tief</translation>
    </message>
    <message>
        <source>Level: %1</source>
        <translation>Höhe: %1</translation>
    </message>
    <message>
        <source>Level Adjustment</source>
        <translation>Höhe anpassen</translation>
    </message>
    <message>
        <source>Your Equations Are</source>
        <translation>Ihre Gleichungen stehen</translation>
    </message>
    <message>
        <source>Move the level to %1</source>
        <translation>Höhe auf %1 setzen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Moves equations up or down against the surrounding text when they are placed into a document. It is used by the LibreOffice extension and by any container that reads the lowering hint.</source>
        <translation>Verschiebt Gleichungen gegenüber dem umgebenden Text nach oben oder unten, wenn sie in ein Dokument eingefügt werden. Die LibreOffice-Erweiterung und jedes Programm, das den Absenkungswert liest, verwenden diese Einstellung.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>The line of the equation the caret is on</source>
        <translation>Die Zeile der Gleichung, in der die Einfügemarke steht</translation>
    </message>
    <message>
        <source>An equation has at most %1 lines.</source>
        <translation>Eine Gleichung hat höchstens %1 Zeilen.</translation>
    </message>
    <message>
        <source>Line %1 of %2</source>
        <translation>Zeile %1 von %2</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>The picture was written to %1</source>
        <translation>Das Bild wurde nach %1 geschrieben</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Zoom of the equation view</source>
        <translation>Zoomstufe der Gleichungsansicht</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 lines are typeset</source>
        <translation>Nur die ersten %1 von %2 Zeilen werden gesetzt</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>The settings in %1 could not be read (%2). Changes to them will not be saved, so that nothing in the file is lost.</source>
        <translation>Die Einstellungen in %1 konnten nicht gelesen werden (%2). Änderungen daran werden nicht gespeichert, damit nichts in der Datei verloren geht.</translation>
    </message>
    <message>
        <source>Settings not read: %1</source>
        <translation>Einstellungen nicht gelesen: %1</translation>
    </message>
</context>
<context>
    <name>CMolvexApp</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Write Default Configuration File</source>
        <translation>Standardkonfigurationsdatei schreiben</translation>
    </message>
    <message>
        <source>Write your current options and level adjustment to
%1?

They become the settings of every user of this computer the next time each starts Molvex 2.</source>
        <translation>Ihre aktuellen Optionen und die Höheneinstellung nach
%1 schreiben?

Sie werden zu den Einstellungen aller Benutzer dieses Computers, sobald diese Molvex 2 das nächste Mal starten.</translation>
    </message>
</context>
<context>
    <name>CMolvexDoc</name>
    <message>
        <source>Unexpected file format.</source>
        <translation>Unerwartetes Dateiformat.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Cannot open the Clipboard</source>
        <translation>Die Zwischenablage kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot empty the Clipboard</source>
        <translation>Die Zwischenablage kann nicht geleert werden</translation>
    </message>
</context>
<context>
    <name>CMolvexView</name>
    <message>
        <source>The equation is empty.</source>
        <translation>Die Gleichung ist leer.</translation>
    </message>
    <message>
        <source>Line %1 is empty.</source>
        <translation>Zeile %1 ist leer.</translation>
    </message>
    <message>
        <source>Line %1: %2.</source>
        <translation>Zeile %1: %2.</translation>
    </message>
    <message>
        <source>The whole equation: %1</source>
        <translation>Die ganze Gleichung: %1</translation>
    </message>
    <message>
        <source>Equation picture</source>
        <translation>Bild der Gleichung</translation>
    </message>
    <message>
        <source>Equation picture: %1</source>
        <translation>Bild der Gleichung: %1</translation>
    </message>
    <message>
        <source>Line %1, “%2”: %3 (class %4), %5 (display code %6)</source>
        <translation>Zeile %1, „%2“: %3 (Klasse %4), %5 (Anzeigecode %6)</translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Value %1</source>
        <translation>Wert %1</translation>
    </message>
    <message>
        <source>Single line half arrows</source>
        <translation>Eine Linie, halbe Pfeilspitzen</translation>
    </message>
    <message>
        <source>Single line full arrows</source>
        <translation>Eine Linie, ganze Pfeilspitzen</translation>
    </message>
    <message>
        <source>Double lines half arrows</source>
        <translation>Zwei Linien, halbe Pfeilspitzen</translation>
    </message>
    <message>
        <source>Double lines full arrows</source>
        <translation>Zwei Linien, ganze Pfeilspitzen</translation>
    </message>
    <message>
        <source>Molvex 2 Options</source>
        <translation>Molvex 2 – Optionen</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Höhen</translation>
    </message>
    <message>
        <source>Arrows</source>
        <translation>Pfeile</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Hochgestellt</translation>
    </message>
    <message>
        <source>Subscript</source>
        <translation>Tiefgestellt</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Text Sizes</source>
        <translation>Textgrößen</translation>
    </message>
    <message>
        <source>Arrow Text</source>
        <translation>Pfeiltext</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertikal</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Equilibrium Arrow Type</source>
        <translation>Art des Gleichgewichtspfeils</translation>
    </message>
    <message>
        <source>Italicize Phase</source>
        <translation>Zustand kursiv</translation>
    </message>
    <message>
        <source>Default Arrow Width</source>
        <translation>Standardbreite der Pfeile</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Set as Default</source>
        <translation>Als Standard festlegen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CSaveChangesDialog</name>
    <message>
        <source>Unsaved Documents</source>
        <translation>Nicht gespeicherte Dokumente</translation>
    </message>
    <message>
        <source>These documents have changes that are not saved. Save the ticked ones?</source>
        <translation>Diese Dokumente enthalten ungespeicherte Änderungen. Sollen die angehakten gespeichert werden?</translation>
    </message>
    <message>
        <source>Unsaved documents</source>
        <translation>Nicht gespeicherte Dokumente</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Alle speichern</translation>
    </message>
    <message>
        <source>Discard All</source>
        <translation>Alle verwerfen</translation>
    </message>
    <message>
        <source>Save Selected</source>
        <translation>Auswahl speichern</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Strg+N</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Erstellt ein neues Dokument
Neu</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Öffnet ein vorhandenes Dokument
Öffnen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>Schließt das aktive Dokument
Schließen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Strg+S</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Speichert das aktive Dokument
Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Speichert das aktive Dokument unter einem neuen Namen
Speichern unter</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Ändert den Drucker und die Druckoptionen
Druckereinrichtung</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Drucken...	Strg+P</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Druckt das aktive Dokument
Drucken</translation>
    </message>
    <message>
        <source>Print the active document using current options
Quick Print</source>
        <translation>Druckt das aktive Dokument mit den aktuellen Optionen
Schnelldruck</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Zeigt ganze Seiten an
Druckvorschau</translation>
    </message>
    <message>
        <source>&amp;Update	Ctrl+S</source>
        <translation>&amp;Aktualisieren	Strg+S</translation>
    </message>
    <message>
        <source>Update the container to show any changes
Update</source>
        <translation>Übernimmt die Änderungen in das Dokument, das die Gleichung enthält
Aktualisieren</translation>
    </message>
    <message>
        <source>Save Copy &amp;As...</source>
        <translation>&amp;Kopie speichern unter...</translation>
    </message>
    <message>
        <source>Save a copy of the active document with a new name
Save Copy</source>
        <translation>Speichert eine Kopie des aktiven Dokuments unter einem neuen Namen
Kopie speichern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Beendet das Programm und fragt, ob Dokumente gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Strg+Z</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Macht die letzte Aktion rückgängig
Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Wiederholen	Strg+Y</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Stellt die zuletzt rückgängig gemachte Aktion wieder her
Wiederholen</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Strg+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Schneidet die Auswahl aus und legt sie in die Zwischenablage
Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Kopiert die Auswahl in die Zwischenablage
Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>&amp;Einfügen	Strg+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Fügt den Inhalt der Zwischenablage ein
Einfügen</translation>
    </message>
    <message>
        <source>Copy as Picture	Ctrl+M</source>
        <translation>Als Bild kopieren	Strg+M</translation>
    </message>
    <message>
        <source>Copies Equation to Clipboard as a Picture</source>
        <translation>Kopiert die Gleichung als Bild in die Zwischenablage</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Blendet die Symbolleiste ein oder aus
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Blendet die Statusleiste ein oder aus
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Zoom &amp;In	Ctrl++</source>
        <translation>Ver&amp;größern	Strg++</translation>
    </message>
    <message>
        <source>Show the equation larger
Zoom In</source>
        <translation>Zeigt die Gleichung größer an
Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out	Ctrl+-</source>
        <translation>Ver&amp;kleinern	Strg+-</translation>
    </message>
    <message>
        <source>Show the equation smaller
Zoom Out</source>
        <translation>Zeigt die Gleichung kleiner an
Verkleinern</translation>
    </message>
    <message>
        <source>&amp;Actual Size	Ctrl+0</source>
        <translation>&amp;Originalgröße	Strg+0</translation>
    </message>
    <message>
        <source>Show the equation at its actual size
Actual Size</source>
        <translation>Zeigt die Gleichung in Originalgröße an
Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message>
        <source>Arrange windows so they overlap
Cascade Windows</source>
        <translation>Ordnet die Fenster überlappend an
Überlappend anordnen</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>Arrange windows as non-overlapping tiles
Tile Windows</source>
        <translation>Ordnet die Fenster nebeneinander an, ohne dass sie sich überlappen
Nebeneinander anordnen</translation>
    </message>
    <message>
        <source>Ne&amp;xt	Ctrl+F6</source>
        <translation>N&amp;ächstes	Strg+F6</translation>
    </message>
    <message>
        <source>Activate the next document window
Next Window</source>
        <translation>Aktiviert das nächste Dokumentfenster
Nächstes Fenster</translation>
    </message>
    <message>
        <source>Pre&amp;vious	Ctrl+Shift+F6</source>
        <translation>&amp;Vorheriges	Strg+Umschalt+F6</translation>
    </message>
    <message>
        <source>Activate the previous document window
Previous Window</source>
        <translation>Aktiviert das vorherige Dokumentfenster
Vorheriges Fenster</translation>
    </message>
    <message>
        <source>&amp;Font ...</source>
        <translation>&amp;Schriftart ...</translation>
    </message>
    <message>
        <source>Select font used for equations</source>
        <translation>Wählt die Schriftart der Gleichungen</translation>
    </message>
    <message>
        <source>Change the Default Font</source>
        <translation>Standardschriftart ändern</translation>
    </message>
    <message>
        <source>&amp;Options ...</source>
        <translation>&amp;Optionen ...</translation>
    </message>
    <message>
        <source>Set options for drawing equations</source>
        <translation>Legt die Optionen für das Zeichnen der Gleichungen fest</translation>
    </message>
    <message>
        <source>Change the Equation Options</source>
        <translation>Gleichungsoptionen ändern</translation>
    </message>
    <message>
        <source>&amp;Adjust Level ...</source>
        <translation>&amp;Höhe anpassen ...</translation>
    </message>
    <message>
        <source>Adjust the level when returned to a document</source>
        <translation>Passt die Höhe an, in der Gleichungen im umgebenden Text stehen</translation>
    </message>
    <message>
        <source>Write Default Configuration File</source>
        <translation>Standardkonfigurationsdatei schreiben</translation>
    </message>
    <message>
        <source>Writes the default configuration file for all users</source>
        <translation>Schreibt die Standardkonfigurationsdatei für alle Benutzer</translation>
    </message>
    <message>
        <source>Read &amp;Help File</source>
        <translation>Hilfe&amp;datei lesen</translation>
    </message>
    <message>
        <source>Open the help file
Help File</source>
        <translation>Öffnet die Hilfedatei
Hilfedatei</translation>
    </message>
    <message>
        <source>Read &amp;Manual (PDF)</source>
        <translation>&amp;Handbuch lesen (PDF)</translation>
    </message>
    <message>
        <source>Open the manual
Manual</source>
        <translation>Öffnet das Handbuch
Handbuch</translation>
    </message>
    <message>
        <source>Read &amp;Quickref Card</source>
        <translation>&amp;Kurzreferenz lesen</translation>
    </message>
    <message>
        <source>Open the quick reference card
Quickref Card</source>
        <translation>Öffnet die Kurzreferenzkarte
Kurzreferenz</translation>
    </message>
    <message>
        <source>&amp;About Molvex 2...</source>
        <translation>Ü&amp;ber Molvex 2...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Zeigt Programminformationen, Versionsnummer und Copyright an
Info</translation>
    </message>
    <message>
        <source>About &amp;Tamrel...</source>
        <translation>Über &amp;Tamrel...</translation>
    </message>
    <message>
        <source>How to contact Tamrel Software
Contact</source>
        <translation>So erreichen Sie Tamrel Software
Kontakt</translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation>Listet die Hilfethemen auf
Hilfethemen</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation>Zeigt Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern an
Hilfe</translation>
    </message>
    <message>
        <source>Display help for current task or command
Help</source>
        <translation>Zeigt Hilfe zur aktuellen Aufgabe oder zum aktuellen Befehl an
Hilfe</translation>
    </message>
    <message>
        <source>Display instructions about how to use help
Help</source>
        <translation>Zeigt, wie die Hilfe benutzt wird
Hilfe</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Wechselt zum nächsten Fensterbereich
Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Wechselt zurück zum vorherigen Fensterbereich
Vorheriger Bereich</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Öffnet dieses Dokument</translation>
    </message>
    <message>
        <source>Activate this window</source>
        <translation>Aktiviert dieses Fenster</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
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
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>Write the equation as a picture file: PNG, SVG, PDF or WMF
Export</source>
        <translation>Schreibt die Gleichung als Bilddatei: PNG, SVG, PDF oder WMF
Exportieren</translation>
    </message>
</context>
<context>
    <name>DefaultConfig</name>
    <message>
        <source>A default configuration file has been written to
%1

Read the installation instructions for details
on how to use this feature.</source>
        <translation>Eine Standardkonfigurationsdatei wurde geschrieben nach
%1

Wie sie verwendet wird, steht
in der Installationsanleitung.</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>File Error</source>
        <translation>Dateifehler</translation>
    </message>
    <message>
        <source>I cannot locate that file</source>
        <translation>Diese Datei ist nicht zu finden</translation>
    </message>
    <message>
        <source>Cannot find Adobe Acrobat</source>
        <translation>Adobe Acrobat nicht gefunden</translation>
    </message>
    <message>
        <source>A PDF reader is needed to read this document, and none is set up to open PDF files.

Please install a PDF reader (for example Adobe Acrobat Reader, Okular or Evince) and try again.</source>
        <translation>Zum Lesen dieses Dokuments wird ein PDF-Betrachter benötigt, aber keiner ist zum Öffnen von PDF-Dateien eingerichtet.

Bitte installieren Sie einen PDF-Betrachter (zum Beispiel Adobe Acrobat Reader, Okular oder Evince) und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>

The document is
%1</source>
        <translation>

Das Dokument ist
%1</translation>
    </message>
    <message>
        <source>Cannot find a web browser</source>
        <translation>Kein Webbrowser gefunden</translation>
    </message>
    <message>
        <source>A web browser is needed to read the help file, and none could open it.

Please install a web browser and try again, or open the file yourself.</source>
        <translation>Zum Lesen der Hilfedatei wird ein Webbrowser benötigt, aber keiner konnte sie öffnen.

Bitte installieren Sie einen Webbrowser und versuchen Sie es erneut, oder öffnen Sie die Datei selbst.</translation>
    </message>
</context>
<context>
    <name>chem</name>
    <message>
        <source>hydrogen</source>
        <translation>Wasserstoff</translation>
    </message>
    <message>
        <source>helium</source>
        <translation>Helium</translation>
    </message>
    <message>
        <source>lithium</source>
        <translation>Lithium</translation>
    </message>
    <message>
        <source>beryllium</source>
        <translation>Beryllium</translation>
    </message>
    <message>
        <source>boron</source>
        <translation>Bor</translation>
    </message>
    <message>
        <source>carbon</source>
        <translation>Kohlenstoff</translation>
    </message>
    <message>
        <source>nitrogen</source>
        <translation>Stickstoff</translation>
    </message>
    <message>
        <source>oxygen</source>
        <translation>Sauerstoff</translation>
    </message>
    <message>
        <source>fluorine</source>
        <translation>Fluor</translation>
    </message>
    <message>
        <source>neon</source>
        <translation>Neon</translation>
    </message>
    <message>
        <source>sodium</source>
        <translation>Natrium</translation>
    </message>
    <message>
        <source>magnesium</source>
        <translation>Magnesium</translation>
    </message>
    <message>
        <source>aluminium</source>
        <translation>Aluminium</translation>
    </message>
    <message>
        <source>silicon</source>
        <translation>Silicium</translation>
    </message>
    <message>
        <source>phosphorus</source>
        <translation>Phosphor</translation>
    </message>
    <message>
        <source>sulfur</source>
        <translation>Schwefel</translation>
    </message>
    <message>
        <source>chlorine</source>
        <translation>Chlor</translation>
    </message>
    <message>
        <source>argon</source>
        <translation>Argon</translation>
    </message>
    <message>
        <source>potassium</source>
        <translation>Kalium</translation>
    </message>
    <message>
        <source>calcium</source>
        <translation>Calcium</translation>
    </message>
    <message>
        <source>scandium</source>
        <translation>Scandium</translation>
    </message>
    <message>
        <source>titanium</source>
        <translation>Titan</translation>
    </message>
    <message>
        <source>vanadium</source>
        <translation>Vanadium</translation>
    </message>
    <message>
        <source>chromium</source>
        <translation>Chrom</translation>
    </message>
    <message>
        <source>manganese</source>
        <translation>Mangan</translation>
    </message>
    <message>
        <source>iron</source>
        <translation>Eisen</translation>
    </message>
    <message>
        <source>cobalt</source>
        <translation>Cobalt</translation>
    </message>
    <message>
        <source>nickel</source>
        <translation>Nickel</translation>
    </message>
    <message>
        <source>copper</source>
        <translation>Kupfer</translation>
    </message>
    <message>
        <source>zinc</source>
        <translation>Zink</translation>
    </message>
    <message>
        <source>gallium</source>
        <translation>Gallium</translation>
    </message>
    <message>
        <source>germanium</source>
        <translation>Germanium</translation>
    </message>
    <message>
        <source>arsenic</source>
        <translation>Arsen</translation>
    </message>
    <message>
        <source>selenium</source>
        <translation>Selen</translation>
    </message>
    <message>
        <source>bromine</source>
        <translation>Brom</translation>
    </message>
    <message>
        <source>krypton</source>
        <translation>Krypton</translation>
    </message>
    <message>
        <source>rubidium</source>
        <translation>Rubidium</translation>
    </message>
    <message>
        <source>strontium</source>
        <translation>Strontium</translation>
    </message>
    <message>
        <source>yttrium</source>
        <translation>Yttrium</translation>
    </message>
    <message>
        <source>zirconium</source>
        <translation>Zirconium</translation>
    </message>
    <message>
        <source>niobium</source>
        <translation>Niob</translation>
    </message>
    <message>
        <source>molybdenum</source>
        <translation>Molybdän</translation>
    </message>
    <message>
        <source>technetium</source>
        <translation>Technetium</translation>
    </message>
    <message>
        <source>ruthenium</source>
        <translation>Ruthenium</translation>
    </message>
    <message>
        <source>rhodium</source>
        <translation>Rhodium</translation>
    </message>
    <message>
        <source>palladium</source>
        <translation>Palladium</translation>
    </message>
    <message>
        <source>silver</source>
        <translation>Silber</translation>
    </message>
    <message>
        <source>cadmium</source>
        <translation>Cadmium</translation>
    </message>
    <message>
        <source>indium</source>
        <translation>Indium</translation>
    </message>
    <message>
        <source>tin</source>
        <translation>Zinn</translation>
    </message>
    <message>
        <source>antimony</source>
        <translation>Antimon</translation>
    </message>
    <message>
        <source>tellurium</source>
        <translation>Tellur</translation>
    </message>
    <message>
        <source>iodine</source>
        <translation>Iod</translation>
    </message>
    <message>
        <source>xenon</source>
        <translation>Xenon</translation>
    </message>
    <message>
        <source>caesium</source>
        <translation>Caesium</translation>
    </message>
    <message>
        <source>barium</source>
        <translation>Barium</translation>
    </message>
    <message>
        <source>lanthanum</source>
        <translation>Lanthan</translation>
    </message>
    <message>
        <source>cerium</source>
        <translation>Cer</translation>
    </message>
    <message>
        <source>praseodymium</source>
        <translation>Praseodym</translation>
    </message>
    <message>
        <source>neodymium</source>
        <translation>Neodym</translation>
    </message>
    <message>
        <source>promethium</source>
        <translation>Promethium</translation>
    </message>
    <message>
        <source>samarium</source>
        <translation>Samarium</translation>
    </message>
    <message>
        <source>europium</source>
        <translation>Europium</translation>
    </message>
    <message>
        <source>gadolinium</source>
        <translation>Gadolinium</translation>
    </message>
    <message>
        <source>terbium</source>
        <translation>Terbium</translation>
    </message>
    <message>
        <source>dysprosium</source>
        <translation>Dysprosium</translation>
    </message>
    <message>
        <source>holmium</source>
        <translation>Holmium</translation>
    </message>
    <message>
        <source>erbium</source>
        <translation>Erbium</translation>
    </message>
    <message>
        <source>thulium</source>
        <translation>Thulium</translation>
    </message>
    <message>
        <source>ytterbium</source>
        <translation>Ytterbium</translation>
    </message>
    <message>
        <source>lutetium</source>
        <translation>Lutetium</translation>
    </message>
    <message>
        <source>hafnium</source>
        <translation>Hafnium</translation>
    </message>
    <message>
        <source>tantalum</source>
        <translation>Tantal</translation>
    </message>
    <message>
        <source>tungsten</source>
        <translation>Wolfram</translation>
    </message>
    <message>
        <source>rhenium</source>
        <translation>Rhenium</translation>
    </message>
    <message>
        <source>osmium</source>
        <translation>Osmium</translation>
    </message>
    <message>
        <source>iridium</source>
        <translation>Iridium</translation>
    </message>
    <message>
        <source>platinum</source>
        <translation>Platin</translation>
    </message>
    <message>
        <source>gold</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>mercury</source>
        <translation>Quecksilber</translation>
    </message>
    <message>
        <source>thallium</source>
        <translation>Thallium</translation>
    </message>
    <message>
        <source>lead</source>
        <translation>Blei</translation>
    </message>
    <message>
        <source>bismuth</source>
        <translation>Bismut</translation>
    </message>
    <message>
        <source>polonium</source>
        <translation>Polonium</translation>
    </message>
    <message>
        <source>astatine</source>
        <translation>Astat</translation>
    </message>
    <message>
        <source>radon</source>
        <translation>Radon</translation>
    </message>
    <message>
        <source>francium</source>
        <translation>Francium</translation>
    </message>
    <message>
        <source>radium</source>
        <translation>Radium</translation>
    </message>
    <message>
        <source>actinium</source>
        <translation>Actinium</translation>
    </message>
    <message>
        <source>thorium</source>
        <translation>Thorium</translation>
    </message>
    <message>
        <source>protactinium</source>
        <translation>Protactinium</translation>
    </message>
    <message>
        <source>uranium</source>
        <translation>Uran</translation>
    </message>
    <message>
        <source>neptunium</source>
        <translation>Neptunium</translation>
    </message>
    <message>
        <source>plutonium</source>
        <translation>Plutonium</translation>
    </message>
    <message>
        <source>americium</source>
        <translation>Americium</translation>
    </message>
    <message>
        <source>curium</source>
        <translation>Curium</translation>
    </message>
    <message>
        <source>berkelium</source>
        <translation>Berkelium</translation>
    </message>
    <message>
        <source>californium</source>
        <translation>Californium</translation>
    </message>
    <message>
        <source>einsteinium</source>
        <translation>Einsteinium</translation>
    </message>
    <message>
        <source>fermium</source>
        <translation>Fermium</translation>
    </message>
    <message>
        <source>mendelevium</source>
        <translation>Mendelevium</translation>
    </message>
    <message>
        <source>nobelium</source>
        <translation>Nobelium</translation>
    </message>
    <message>
        <source>lawrencium</source>
        <translation>Lawrencium</translation>
    </message>
    <message>
        <source>rutherfordium</source>
        <translation>Rutherfordium</translation>
    </message>
    <message>
        <source>dubnium</source>
        <translation>Dubnium</translation>
    </message>
    <message>
        <source>seaborgium</source>
        <translation>Seaborgium</translation>
    </message>
    <message>
        <source>bohrium</source>
        <translation>Bohrium</translation>
    </message>
    <message>
        <source>hassium</source>
        <translation>Hassium</translation>
    </message>
    <message>
        <source>meitnerium</source>
        <translation>Meitnerium</translation>
    </message>
    <message>
        <source>darmstadtium</source>
        <translation>Darmstadtium</translation>
    </message>
    <message>
        <source>roentgenium</source>
        <translation>Roentgenium</translation>
    </message>
    <message>
        <source>copernicium</source>
        <translation>Copernicium</translation>
    </message>
    <message>
        <source>nihonium</source>
        <translation>Nihonium</translation>
    </message>
    <message>
        <source>flerovium</source>
        <translation>Flerovium</translation>
    </message>
    <message>
        <source>moscovium</source>
        <translation>Moscovium</translation>
    </message>
    <message>
        <source>livermorium</source>
        <translation>Livermorium</translation>
    </message>
    <message>
        <source>tennessine</source>
        <translation>Tenness</translation>
    </message>
    <message>
        <source>oganesson</source>
        <translation>Oganesson</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>a species</source>
        <translation>ein Teilchen</translation>
    </message>
    <message>
        <source>%1 is not a species</source>
        <translation>%1 ist kein Teilchen</translation>
    </message>
    <message>
        <source>a stacked pair stands before nothing</source>
        <translation>auf ein Zahlenpaar folgt nichts</translation>
    </message>
    <message>
        <source>numbers too large</source>
        <translation>Zahlen zu groß</translation>
    </message>
    <message>
        <source>the stacked pair {%1,%2} is not two numbers</source>
        <translation>das Zahlenpaar {%1,%2} besteht nicht aus zwei Zahlen</translation>
    </message>
    <message>
        <source>%1 has no mass and atomic numbers</source>
        <translation>%1 hat keine Massen- und Ordnungszahl</translation>
    </message>
    <message>
        <source>the arrow is not closed</source>
        <translation>der Pfeil ist nicht geschlossen</translation>
    </message>
    <message>
        <source>nothing before the arrow</source>
        <translation>nichts vor dem Pfeil</translation>
    </message>
    <message>
        <source>nothing after the arrow</source>
        <translation>nichts nach dem Pfeil</translation>
    </message>
    <message>
        <source>mass number</source>
        <translation>Massenzahl</translation>
    </message>
    <message>
        <source>atomic number</source>
        <translation>Ordnungszahl</translation>
    </message>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message>
        <source>charge %1 → %2</source>
        <translation>Ladung %1 → %2</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>balanced</source>
        <translation>ausgeglichen</translation>
    </message>
    <message>
        <source>arrow %1: %2</source>
        <translation>Pfeil %1: %2</translation>
    </message>
    <message>
        <source>not balanced: %1</source>
        <translation>nicht ausgeglichen: %1</translation>
    </message>
    <message>
        <source>cannot check: %1</source>
        <translation>nicht prüfbar: %1</translation>
    </message>
    <message>
        <source>%1 is read as %2: type a capital letter to keep your own case</source>
        <translation>%1 wird als %2 gelesen: mit einem Großbuchstaben bleibt Ihre Schreibweise erhalten</translation>
    </message>
    <message>
        <source>%1 is read as %2 (%3): type a capital letter to keep your own case</source>
        <translation>%1 wird als %2 (%3) gelesen: mit einem Großbuchstaben bleibt Ihre Schreibweise erhalten</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 keeps its %2 as a subscript with charge %3: only the listed ions (such as Fe3+) raise a single digit</source>
        <translation>in %1 bleibt die %2 tiefgestellt, mit der Ladung %3: nur die bekannten Ionen (etwa Fe3+) stellen eine einzelne Ziffer hoch</translation>
    </message>
    <message>
        <source>%1 is read as %2 with charge %3: the last digit before a sign is the charge</source>
        <translation>%1 wird als %2 mit der Ladung %3 gelesen: die letzte Ziffer vor einem Vorzeichen ist die Ladung</translation>
    </message>
    <message>
        <source>the arrow opened by %1 at column %2 is never closed: end it with %3</source>
        <translation>der mit %1 in Spalte %2 begonnene Pfeil wird nicht geschlossen: mit %3 beenden</translation>
    </message>
    <message>
        <source>%1 at column %2 opens a reaction arrow; for an equals sign put it in quotes: %3</source>
        <translation>%1 in Spalte %2 beginnt einen Reaktionspfeil; ein Gleichheitszeichen in Anführungszeichen setzen: %3</translation>
    </message>
    <message>
        <source>the quote at column %1 is never closed: the rest of the line is drawn as typed</source>
        <translation>das Anführungszeichen in Spalte %1 wird nicht geschlossen: der Rest der Zeile erscheint wie eingegeben</translation>
    </message>
    <message>
        <source>the brace at column %1 is never closed: end the pair with %2</source>
        <translation>die geschweifte Klammer in Spalte %1 wird nicht geschlossen: das Zahlenpaar mit %2 beenden</translation>
    </message>
    <message>
        <source>above arrow %1: %2</source>
        <translation>über Pfeil %1: %2</translation>
    </message>
    <message>
        <source>below arrow %1: %2</source>
        <translation>unter Pfeil %1: %2</translation>
    </message>
    <message>
        <source>arrow texts are nested more than %1 deep</source>
        <translation>Pfeiltexte sind mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The running Molvex 2 refused to open %1.</source>
        <translation>Das laufende Molvex 2 hat das Öffnen von %1 abgelehnt.</translation>
    </message>
    <message>
        <source>The running Molvex 2 refused to make a new document.</source>
        <translation>Das laufende Molvex 2 hat das Anlegen eines neuen Dokuments abgelehnt.</translation>
    </message>
</context>
</TS>
