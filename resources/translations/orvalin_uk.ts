<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Перетворює зображення WebP на файли JPG — багато файлів за раз.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Використані бібліотеки:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Про Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Вільне програмне забезпечення за ліцензією GNU General Public License версії 3 або новішої.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Обробка: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>результат зник</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Не додано жодного файлу.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>Теки не існує. Виберіть іншу теку.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Готово.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Такі файли пропущено, оскільки вони не у форматі WebP:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Не вдалося перетворити такі файли:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Не вдалося зберегти такі файли:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Такі файли пропущено, оскільки JPG з цією назвою вже існує:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>перетворювач припинив роботу</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>тривало надто довго</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Зачекайте.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Індикатор поступу</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Файл оформлення завеликий</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Шлях не знайдено: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Не вдалося зберегти дати %1: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Не вдається запустити %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Неприпустимий виклик процедури або аргумент</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не знайдено</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Некоректне зображення</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Недостатньо пам’яті</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Неочікувана помилка</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>у %1, рядок %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Надішліть знімок екрана з цим повідомленням на адресу %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Помилка програми</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Файл із назвою результату є зображенням WebP, тому його залишено без змін</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Файл із назвою результату — посилання іншого користувача у спільній теці, тому перехід за ним не виконується</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Назва файлу вказує на теку</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Наявний файл %1 недоступний для запису</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Невідповідність типів</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Переповнення</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Ресурс не знайдено: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Диск заповнено</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Індекс поза межами</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Не вдалося додати такі файли й теки:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>назва не є коректним UTF-8</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>шлях задовгий</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>теку неможливо прочитати</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Виберіть теку:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Додати файли — утримуйте Ctrl, щоб вибрати кілька файлів</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Вибрано забагато файлів для додавання.<byte value="xd"/><byte value="xd"/>Спробуйте додати їх кнопкою «Додати всі…».</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> Файли WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Перетягніть файли сюди. Щоб вилучити елемент, двічі клацніть його. Щоб побачити повні назви, пересуньте лінію | праворуч за межі вікна.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Відкрити теку, у якій зберігаються ці файли-приклади (щоб переглянути їх перед роботою)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Не вдалося зберегти налаштування в «%1».<byte value="xd"/><byte value="xd"/>Усе працює як звичайно, але вибір, який ви зробите зараз, не буде збережено до наступного запуску програми.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Файли WebP для перетворення</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Додати файли WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Додати всі файли WebP з теки</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Очистити список</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Завантажити файли-приклади</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Почати перетворення</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Тека результатів</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Вибрати теку результатів</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Додати файли WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Додати всі файли WebP з &amp;теки...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>&amp;Завантажити файли-приклади</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Очистити список</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>&amp;Почати перетворення</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Вийти</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Довідка</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;Про Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Мова</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>&amp;Мова системи</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Вписати в %1 пікс.</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметри</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Якщо JPG із такою назвою &amp;існує</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Замінити його</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Зберегти &amp;обидва (пронумерувати новий)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Пропустити файл</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Зберігати &amp;підтеки в теці результатів</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Зберігати дати &amp;оригіналу</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>Мета&amp;дані</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>Зберігати &amp;всі</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Вилучати &amp;розташування</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Зберігати лише &amp;колір і орієнтацію</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Розмір</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Не змінювати розмір</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Вписати в &amp;інший розмір...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Вписати в інший розмір</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Найбільша кількість пікселів по довшій стороні (від 16 до 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Введіть ціле число від 16 до 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Якість вихідних зображень JPG: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Параметри збереження</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Зберігати результати в цю теку:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Зберігати в теці оригіналу</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Виберіть теку:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>на пристрої не залишилося місця</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>дискову квоту вичерпано</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>шлях задовгий</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>немає такого файлу або теки</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>доступ заборонено</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>файлова система доступна лише для читання</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>недостатньо пам’яті</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>помилка читання або запису на пристрої</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>забагато відкритих файлів</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>файл завеликий для цієї файлової системи</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>не файл WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>шлях до оригіналу містить нульовий байт</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>шлях до результату містить нульовий байт</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>зображення завелике (%1 × %2)</translation>
    </message>
</context>
</TS>
