<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Converte immagini WebP in file JPG, molte alla volta.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Basato su:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Informazioni su Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Software libero sotto la GNU General Public License, versione 3 o successiva.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Elaborazione: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>il risultato è scomparso</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Nessun file aggiunto.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>La cartella non esiste. Selezionare un&apos;altra cartella.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Completato.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>I seguenti file sono stati ignorati perché non sono in formato WebP:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Impossibile convertire i seguenti file:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Impossibile salvare i seguenti file:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>I seguenti file sono stati ignorati perché esiste già un JPG con lo stesso nome:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>il convertitore si è interrotto</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>ha impiegato troppo tempo</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Attendere.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Barra di avanzamento</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>File della skin troppo grande</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Percorso non trovato: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Impossibile mantenere le date di %1: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Impossibile avviare %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chiamata di routine o argomento non validi</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>File non trovato</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Immagine non valida</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insufficiente</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Errore imprevisto</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>in %1 alla riga %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Inviare per e-mail uno screenshot di questo messaggio a %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Errore dell&apos;applicazione</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Il file con il nome di output è un&apos;immagine WebP e viene mantenuto</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Il file con il nome di output è un collegamento di un altro utente in una cartella condivisa e non viene seguito</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Il nome file corrisponde a una cartella</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Il file esistente %1 non è scrivibile</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tipo non corrispondente</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Risorsa non trovata: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco pieno</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Indice non compreso nell&apos;intervallo</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Impossibile aggiungere i seguenti file e cartelle:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>il nome non è UTF-8 valido</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>il percorso è troppo lungo</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>impossibile leggere la cartella</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selezionare una cartella:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Aggiungi file - Tenere premuto Ctrl per selezionare più file</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Sono stati selezionati troppi file da aggiungere.<byte value="xd"/><byte value="xd"/>Provare ad aggiungerli con il pulsante &quot;Aggiungi i WebP di una cartella&quot;.</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> File WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Trascinare qui i file. Fare doppio clic su un elemento per rimuoverlo. Spostare la linea | verso destra, fuori dalla finestra, per vedere i nomi completi.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Vuoi che questo programma apra la cartella in cui si trovano questi file di esempio (per vederli prima di lavorarci)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Impossibile salvare le impostazioni in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Tutto funziona normalmente, ma le scelte fatte ora non verranno ricordate al prossimo avvio del programma.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>File WebP da convertire</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Aggiungi file WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Aggiungi i WebP di una cartella</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Svuota elenco</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Carica file di esempio</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Avvia conversione</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Cartella di destinazione</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Scegli la cartella di destinazione</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Aggiungi file WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Aggiungi tutti i file WebP di una &amp;cartella...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Carica &amp;file di esempio</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Svuota elenco</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>Avvia c&amp;onversione</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;Informazioni su Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Lingua</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>&amp;Lingua del sistema</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Limita a %1 pixel</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opzioni</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Se &amp;esiste già un JPG con lo stesso nome</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Sostituisci</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Mantieni &amp;entrambi (numera il nuovo)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Ignora il file</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Mantieni le &amp;sottocartelle nella cartella di destinazione</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Mantieni le da&amp;te dell&apos;originale</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Metadati</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>Mantieni &amp;tutti</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Rimuovi la &amp;posizione</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Mantieni solo &amp;colore e orientamento</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Dimensioni</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Mantieni le dimensioni</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Limita ad &amp;altre dimensioni...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Limita ad altre dimensioni</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Numero massimo di pixel del lato più lungo (da 16 a 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Immettere un numero intero da 16 a 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Qualità delle immagini JPG in uscita: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Opzione di salvataggio</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Salva in questa cartella:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Salva nella cartella del file originale</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selezionare una cartella:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>spazio esaurito sul dispositivo</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>la quota del disco è esaurita</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>il percorso è troppo lungo</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>file o cartella inesistente</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permesso negato</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>il file system è di sola lettura</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>memoria insufficiente</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>errore di lettura o scrittura sul dispositivo</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>troppi file aperti</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>il file è troppo grande per il suo file system</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>non è un file WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>il percorso di origine contiene un byte nullo</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>il percorso di output contiene un byte nullo</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>l&apos;immagine è troppo grande (%1 × %2)</translation>
    </message>
</context>
</TS>
