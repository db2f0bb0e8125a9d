<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Konwertuje obrazy WebP na pliki JPG, wiele naraz.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Zbudowano z użyciem:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>O programie Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Wolne oprogramowanie na licencji GNU General Public License w wersji 3 lub późniejszej.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Przetwarzanie: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>wynik zniknął</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Nie dodano żadnych plików.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>Folder nie istnieje. Wybierz inny folder.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Gotowe.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Następujące pliki zostały pominięte, ponieważ nie są w formacie WebP:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Nie udało się przekonwertować następujących plików:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Nie udało się zapisać następujących plików:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Następujące pliki zostały pominięte, ponieważ plik JPG o tej nazwie już istnieje:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>konwerter przestał działać</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>trwało zbyt długo</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Proszę czekać.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Pasek postępu</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Plik skórki jest za duży</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Nie znaleziono ścieżki: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Nie udało się zachować dat pliku %1: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Nie można uruchomić %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Nieprawidłowe wywołanie procedury lub argument</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Nie znaleziono pliku</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Nieprawidłowy obraz</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Brak pamięci</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Nieoczekiwany błąd</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>w %1, wiersz %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Wyślij zrzut ekranu tego komunikatu e-mailem na adres %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Błąd aplikacji</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Plik o nazwie docelowej jest obrazem WebP i zostaje zachowany</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Plik o nazwie docelowej jest dowiązaniem innego użytkownika w folderze współdzielonym i nie zostanie użyty</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Nazwa pliku wskazuje na folder</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Nie można zapisać istniejącego pliku %1</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Niezgodność typów</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Przepełnienie</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Nie znaleziono zasobu: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Dysk jest pełny</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Indeks poza zakresem</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Nie udało się dodać następujących plików i folderów:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>nazwa nie jest poprawnym tekstem UTF-8</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>ścieżka jest za długa</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>nie można odczytać folderu</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Wybierz folder:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Dodaj pliki - przytrzymaj Ctrl, aby zaznaczyć wiele plików</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Zaznaczono zbyt wiele plików do dodania.<byte value="xd"/><byte value="xd"/>Spróbuj dodać je przyciskiem „Dodaj wszystkie”.</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> Pliki WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Przeciągnij i upuść pliki tutaj. Kliknij dwukrotnie element, aby go usunąć. Przesuń linię | w prawo, poza okno, aby zobaczyć pełne nazwy.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Czy otworzyć folder, w którym są zapisane te pliki przykładowe (aby można je było obejrzeć przed rozpoczęciem pracy)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Nie udało się zapisać ustawień w „%1”.<byte value="xd"/><byte value="xd"/>Wszystko działa normalnie, ale wybory dokonane teraz nie zostaną zapamiętane przy następnym uruchomieniu programu.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Pliki WebP do konwersji</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Dodaj pliki WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Dodaj wszystkie z folderu</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Wyczyść listę</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Wczytaj pliki przykładowe</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Rozpocznij konwersję</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Folder docelowy</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Wybierz folder docelowy</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Dodaj pliki WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Dodaj wszystkie pliki WebP z &amp;folderu...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Wczytaj pliki &amp;przykładowe</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Wyczyść listę</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>Rozpocznij &amp;konwersję</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Pomo&amp;c</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;O programie Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Język</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>Język syste&amp;mu</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Dopasuj do %1 pikseli</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opcje</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Gdy plik JPG o tej nazwie &amp;istnieje</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Zastąp</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Zachowaj &amp;oba (numeruj nowy)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Pomiń plik</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Zachowaj pod&amp;foldery w folderze docelowym</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Zachowaj &amp;daty oryginału</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Metadane</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>Zachowaj &amp;wszystkie</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Usuń &amp;lokalizację</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Zachowaj tylko &amp;kolor i orientację</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Rozmiar</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Zachowaj rozmiar</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Dopasuj do &amp;innego rozmiaru...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Dopasuj do innego rozmiaru</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Największa liczba pikseli dłuższego boku (od 16 do 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Wpisz liczbę całkowitą od 16 do 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Jakość wynikowego obrazu JPG: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Opcja zapisu</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Zapisz wyniki w tym folderze:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Zapisz w folderze pliku oryginalnego</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Wybierz folder:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>brak miejsca na urządzeniu</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>wyczerpano limit dyskowy</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>ścieżka jest za długa</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>nie ma takiego pliku ani folderu</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>odmowa dostępu</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>system plików jest tylko do odczytu</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>za mało pamięci</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>błąd odczytu lub zapisu na urządzeniu</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>zbyt wiele otwartych plików</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>plik jest za duży dla systemu plików</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>to nie jest plik WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>ścieżka źródłowa zawiera bajt zerowy</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>ścieżka docelowa zawiera bajt zerowy</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>obraz jest za duży (%1 × %2)</translation>
    </message>
</context>
</TS>
