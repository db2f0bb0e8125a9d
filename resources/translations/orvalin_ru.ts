<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Пакетно преобразует изображения WebP в файлы JPG.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Создано на основе:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>О программе Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Свободное программное обеспечение под лицензией GNU General Public License версии 3 или более поздней.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Обработка: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>результат исчез</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Файлы не добавлены.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>Папка не существует. Выберите другую папку.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Готово.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Следующие файлы пропущены, так как они не в формате WebP:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Не удалось преобразовать следующие файлы:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Не удалось сохранить следующие файлы:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Следующие файлы пропущены, так как JPG с таким именем уже существует:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>конвертер прекратил работу</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>превышено время ожидания</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Подождите.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Индикатор выполнения</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Файл обложки слишком велик</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Путь не найден: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Не удалось сохранить даты файла %1: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Не удаётся запустить %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Недопустимый вызов процедуры или аргумент</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Недопустимое изображение</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Недостаточно памяти</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Непредвиденная ошибка</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>в %1, строка %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Отправьте снимок экрана с этим сообщением по электронной почте на адрес %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Ошибка приложения</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Файл с выходным именем является изображением WebP и оставлен без изменений</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Файл с выходным именем является ссылкой другого пользователя в общей папке, переход по ней не выполняется</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Имя файла указывает на папку</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Существующий файл %1 недоступен для записи</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Несоответствие типа</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Переполнение</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Ресурс не найден: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Диск заполнен</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Индекс вне допустимого диапазона</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Не удалось добавить следующие файлы и папки:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>имя не является корректной строкой UTF-8</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>слишком длинный путь</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>не удаётся прочитать папку</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Выберите папку:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Добавить файлы — удерживайте Ctrl, чтобы выбрать несколько файлов</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Выбрано слишком много файлов для добавления.<byte value="xd"/><byte value="xd"/>Попробуйте добавить их кнопкой «Добавить все из папки».</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> Файлы WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Перетащите файлы сюда. Дважды щёлкните элемент, чтобы удалить его. Сдвиньте линию | вправо за пределы окна, чтобы увидеть полные имена.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Открыть папку, в которой хранятся эти файлы-примеры (чтобы просмотреть их перед работой)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Не удалось сохранить настройки в «%1».<byte value="xd"/><byte value="xd"/>Всё работает как обычно, но выбранные сейчас параметры не будут запомнены при следующем запуске программы.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Файлы WebP для преобразования</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Добавить файлы WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Добавить все из папки</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Очистить список</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Загрузить файлы-примеры</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Начать преобразование</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Выходная папка</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Выбрать выходную папку</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Добавить файлы WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Добавить все файлы WebP из &amp;папки...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>&amp;Загрузить файлы-примеры</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Очистить список</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>&amp;Начать преобразование</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;О программе Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>&amp;Язык системы</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Вписать в %1 пикс.</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметры</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Если JPG с таким именем &amp;уже есть</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Сохранить &amp;оба (пронумеровать новый)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Пропустить файл</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Сохранять &amp;подпапки в выходной папке</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Сохранять &amp;даты исходного файла</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Метаданные</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>Сохранять &amp;все</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Удалять &amp;местоположение</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Сохранять только &amp;цвет и ориентацию</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Размер</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Сохранять размер</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Вписать в &amp;другой размер...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Вписать в другой размер</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Наибольший размер длинной стороны в пикселях (от 16 до 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Введите целое число от 16 до 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Качество выходного изображения JPG: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Параметры сохранения</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Сохранять результаты в папку:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Сохранять в папку оригинала</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Выберите папку:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>на устройстве не осталось места</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>исчерпана дисковая квота</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>слишком длинный путь</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>нет такого файла или папки</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>отказано в доступе</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>файловая система доступна только для чтения</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>недостаточно памяти</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>ошибка чтения или записи на устройстве</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>слишком много открытых файлов</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>файл слишком велик для файловой системы</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>не файл WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>исходный путь содержит нулевой байт</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>выходной путь содержит нулевой байт</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>изображение слишком велико (%1 × %2)</translation>
    </message>
</context>
</TS>
