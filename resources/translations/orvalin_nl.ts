<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Zet WebP-afbeeldingen om naar JPG-bestanden, vele tegelijk.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Gebaseerd op:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Over Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Vrije software onder de GNU General Public License, versie 3 of later.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Verwerken: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>het resultaat is verdwenen</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Geen bestanden toegevoegd.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>De map bestaat niet. Selecteer een andere map.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Klaar.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>De volgende bestanden zijn overgeslagen omdat het geen WebP-bestanden zijn:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>De volgende bestanden konden niet worden geconverteerd:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>De volgende bestanden konden niet worden opgeslagen:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>De volgende bestanden zijn overgeslagen omdat er al een JPG met die naam bestaat:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>het conversieprogramma is gestopt</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>duurde te lang</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Even geduld.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Voortgangsbalk</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Skinbestand is te groot</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Pad niet gevonden: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>De datums van %1 konden niet worden behouden: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Kan %1 niet starten (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ongeldige procedureaanroep of ongeldig argument</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Bestand niet gevonden</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ongeldige afbeelding</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Onvoldoende geheugen</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Onverwachte fout</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>in %1 op regel %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Stuur een schermafbeelding van dit bericht per e-mail naar %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Toepassingsfout</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Het bestand met de uitvoernaam is een WebP-afbeelding en blijft behouden</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Het bestand met de uitvoernaam is een koppeling van een andere gebruiker in een gedeelde map en wordt niet gevolgd</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Bestandsnaam verwijst naar een map</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Bestaand bestand %1 is niet beschrijfbaar</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen komen niet overeen</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overloop</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Resource niet gevonden: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Schijf vol</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Index buiten bereik</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>De volgende bestanden en mappen konden niet worden toegevoegd:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>de naam is geen geldige UTF-8</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>het pad is te lang</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>de map kan niet worden gelezen</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selecteer een map:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Bestand(en) toevoegen - Houd Ctrl ingedrukt om meerdere bestanden te selecteren</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>U hebt te veel bestanden geselecteerd om toe te voegen.<byte value="xd"/><byte value="xd"/>Probeer ze toe te voegen met de knop &quot;Alle WebP&apos;s uit map toevoegen&quot;.</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> WebP-bestand(en)</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Sleep bestanden hierheen. Dubbelklik op een item om het te verwijderen. Sleep de lijn | naar rechts, buiten het venster, om de volledige namen te zien.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Wilt u dat dit programma de map opent waarin deze voorbeeldbestanden staan (zodat u ze kunt bekijken voordat u ermee werkt)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Uw instellingen konden niet worden opgeslagen in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Alles werkt zoals gewoonlijk, maar de keuzes die u nu maakt, worden bij de volgende start van het programma niet onthouden.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Te converteren WebP-bestanden</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>WebP-bestand(en) toevoegen</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Alle WebP&apos;s uit map toevoegen</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Lijst wissen</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Voorbeeldbestanden laden</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Conversie starten</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Uitvoermap</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Uitvoermap kiezen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>WebP-bestand(en) &amp;toevoegen...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Alle WebP-bestanden uit &amp;map toevoegen...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>&amp;Voorbeeldbestanden laden</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>Lijst &amp;wissen</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>Conversie &amp;starten</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Afsluiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;Over Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Taal</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>Systeemtaa&amp;l</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Inpassen in %1 pixels</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opties</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Als er al een JPG met die &amp;naam bestaat</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Vervangen</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Beide &amp;behouden (nieuwe nummeren)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>Bestand &amp;overslaan</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>&amp;Submappen behouden in de uitvoermap</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Oorspronkelijke &amp;datums behouden</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Metagegevens</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>&amp;Alles behouden</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>&amp;Locatie verwijderen</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Alleen &amp;kleur en oriëntatie behouden</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Grootte</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>Grootte &amp;behouden</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Inpassen in &amp;andere grootte...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Inpassen in andere grootte</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Maximaal aantal pixels van de langste zijde (16 tot en met 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Voer een geheel getal in van 16 tot en met 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Beeldkwaliteit van de JPG-uitvoer: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Opslaglocatie</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Resultaten opslaan in deze map:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Opslaan in de map van het origineel</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selecteer een map:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>geen ruimte meer op het apparaat</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>het schijfquotum is opgebruikt</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>het pad is te lang</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>bestand of map bestaat niet</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>toegang geweigerd</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>het bestandssysteem is alleen-lezen</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>onvoldoende geheugen</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>lees- of schrijffout op het apparaat</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>te veel geopende bestanden</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>het bestand is te groot voor het bestandssysteem</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>geen WebP-bestand</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>het bronpad bevat een nulbyte</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>het uitvoerpad bevat een nulbyte</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>de afbeelding is te groot (%1 × %2)</translation>
    </message>
</context>
</TS>
