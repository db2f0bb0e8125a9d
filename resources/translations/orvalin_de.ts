<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Wandelt WebP-Bilder in JPG-Dateien um, viele auf einmal.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Basiert auf:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Über Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder später.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Verarbeitung: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>das Ergebnis ist nicht mehr vorhanden</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Keine Dateien hinzugefügt.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>Der Ordner existiert nicht. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Folgende Dateien wurden übersprungen, da sie nicht im WebP-Format vorliegen:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Folgende Dateien konnten nicht konvertiert werden:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Folgende Dateien konnten nicht gespeichert werden:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Folgende Dateien wurden übersprungen, da bereits eine gleichnamige JPG-Datei existiert:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>der Konverter wurde beendet</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>hat zu lange gedauert</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Bitte warten.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Fortschrittsanzeige</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Skin-Datei zu groß</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Pfad nicht gefunden: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Die Datumsangaben von %1 konnten nicht beibehalten werden: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>%1 kann nicht gestartet werden (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Unzulässiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>in %1 in Zeile %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Die Datei unter dem Ausgabenamen ist ein WebP-Bild und bleibt erhalten</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Die Datei unter dem Ausgabenamen ist ein Link eines anderen Benutzers in einem gemeinsam genutzten Ordner und wird nicht verfolgt</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Der Dateiname verweist auf einen Ordner</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Die vorhandene Datei %1 ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Ressource nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Folgende Dateien und Ordner konnten nicht hinzugefügt werden:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>der Name ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>der Pfad ist zu lang</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>der Ordner kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Bitte Ordner auswählen:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Datei(en) hinzufügen - Strg gedrückt halten, um mehrere Dateien auszuwählen</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Sie haben zu viele Dateien zum Hinzufügen ausgewählt.<byte value="xd"/><byte value="xd"/>Bitte fügen Sie sie über die Schaltfläche „Alle WebP im Ordner hinzufügen“ hinzu.</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> WebP-Datei(en)</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Dateien hierher ziehen und ablegen. Doppelklick auf einen Eintrag entfernt ihn. Die Linie | nach rechts aus dem Fenster ziehen, um die vollständigen Namen zu sehen.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Soll der Ordner geöffnet werden, in dem diese Beispieldateien liegen (damit Sie sie ansehen können, bevor Sie mit ihnen arbeiten)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Ihre Einstellungen konnten nicht in „%1“ gespeichert werden.<byte value="xd"/><byte value="xd"/>Alles funktioniert wie gewohnt, aber Ihre jetzigen Einstellungen werden beim nächsten Programmstart nicht übernommen.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Zu konvertierende WebP-Dateien</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>WebP-Datei(en) hinzufügen</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Alle WebP im Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Beispieldateien laden</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Konvertierung starten</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>WebP-Datei(en) &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Alle WebP-Dateien im &amp;Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Bei&amp;spieldateien laden</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>&amp;Konvertierung starten</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>Ü&amp;ber Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>Syste&amp;msprache</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Auf %1 Pixel begrenzen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Falls eine gleichnamige JPG-Datei &amp;existiert</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>&amp;Beide behalten (die neue nummerieren)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>Datei über&amp;springen</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>&amp;Unterordner im Ausgabeordner beibehalten</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>&amp;Datumsangaben des Originals beibehalten</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Metadaten</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>&amp;Alle beibehalten</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>&amp;Standortdaten entfernen</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Nur &amp;Farbe und Ausrichtung beibehalten</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>Größe &amp;beibehalten</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Auf &amp;andere Größe begrenzen...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Auf andere Größe begrenzen</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Höchstzahl an Pixeln für die längere Seite (16 bis 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Bitte geben Sie eine ganze Zahl von 16 bis 65535 ein.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Bildqualität der JPG-Ausgabe: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>In diesem Ordner speichern:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Im Ordner des Originals speichern</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Bitte Ordner auswählen:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>kein freier Speicherplatz auf dem Datenträger</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>das Datenträgerkontingent ist ausgeschöpft</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>der Pfad ist zu lang</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>das Dateisystem ist schreibgeschützt</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genügend Speicher</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>ein Lese- oder Schreibfehler auf dem Datenträger</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>zu viele geöffnete Dateien</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>die Datei ist zu groß für ihr Dateisystem</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>keine WebP-Datei</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>der Quellpfad enthält ein Nullbyte</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>der Ausgabepfad enthält ein Nullbyte</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>das Bild ist zu groß (%1 × %2)</translation>
    </message>
</context>
</TS>
