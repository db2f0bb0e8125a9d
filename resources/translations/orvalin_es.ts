<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Convierte imágenes WebP en archivos JPG, muchas a la vez.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Basado en:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Acerca de Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Software libre bajo la Licencia Pública General de GNU, versión 3 o posterior.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Procesando: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>el resultado ha desaparecido</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>No se ha añadido ningún archivo.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>La carpeta no existe. Seleccione otra carpeta.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminado.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Se omitieron los siguientes archivos porque no están en formato WebP:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>No se pudieron convertir los siguientes archivos:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>No se pudieron guardar los siguientes archivos:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Se omitieron los siguientes archivos porque ya existe un JPG con ese nombre:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>el convertidor se detuvo</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>tardó demasiado</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Espere, por favor.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Barra de progreso</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Archivo de apariencia demasiado grande</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>No se encontró la ruta: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>No se pudieron conservar las fechas de %1: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>No se puede iniciar %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Argumento o llamada a procedimiento no válidos</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>No se encontró el archivo</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Imagen no válida</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Error inesperado</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>en %1, en la línea %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Envíe una captura de pantalla de este mensaje por correo electrónico a %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Error de la aplicación</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>El archivo que tiene el nombre de salida es una imagen WebP y se conserva</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>El archivo que tiene el nombre de salida es un enlace de otro usuario en una carpeta compartida y no se sigue</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>El nombre de archivo corresponde a una carpeta</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>No se puede escribir en el archivo existente %1</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>No coinciden los tipos</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Desbordamiento</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>No se encontró el recurso: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco lleno</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Índice fuera del intervalo</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>No se pudieron añadir los siguientes archivos y carpetas:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>el nombre no es UTF-8 válido</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>la ruta es demasiado larga</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>no se puede leer la carpeta</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Seleccione una carpeta:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Añadir archivos - Mantenga pulsada la tecla Ctrl para seleccionar varios</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Ha seleccionado demasiados archivos para añadir.<byte value="xd"/><byte value="xd"/>Pruebe a añadirlos con el botón «Añadir los WebP de una carpeta».</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> Archivos WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Arrastre y suelte archivos aquí. Haga doble clic en un elemento para quitarlo. Mueva la línea | hacia la derecha, fuera de la ventana, para ver los nombres completos.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>¿Quiere que este programa abra la carpeta donde se guardan estos archivos de ejemplo (para verlos antes de trabajar con ellos)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>No se pudo guardar la configuración en «%1».<byte value="xd"/><byte value="xd"/>Todo funciona con normalidad, pero las opciones que elija ahora no se recordarán la próxima vez que se inicie el programa.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Archivos WebP que se van a convertir</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Añadir archivos WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Añadir los WebP de una carpeta</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vaciar la lista</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Cargar archivos de ejemplo</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Iniciar la conversión</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Carpeta de salida</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Elegir la carpeta de salida</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Añadir archivos WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Añadir todos los archivos WebP de una &amp;carpeta...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Cargar archivos de &amp;ejemplo</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Vaciar la lista</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>&amp;Iniciar la conversión</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;Acerca de Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>Idio&amp;ma del sistema</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Limitar a %1 píxeles</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Si ya &amp;existe un JPG con ese nombre</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Reemplazarlo</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Conservar &amp;ambos (numerar el nuevo)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Omitir el archivo</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Conservar las sub&amp;carpetas en la carpeta de salida</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Conservar las &amp;fechas del original</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Metadatos</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>Conservar &amp;todos</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Quitar la &amp;ubicación</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Conservar solo el &amp;color y la orientación</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Tamaño</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Conservar el tamaño</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Limitar a &amp;otro tamaño...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Limitar a otro tamaño</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Máximo de píxeles que puede tener el lado más largo (de 16 a 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Escriba un número entero del 16 al 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Calidad de las imágenes JPG de salida: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Opción de guardado</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Guardar en esta carpeta:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Guardar en la carpeta del original</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Seleccione una carpeta:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>no queda espacio en el dispositivo</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>se ha agotado la cuota de disco</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>la ruta es demasiado larga</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>no existe el archivo o la carpeta</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permiso denegado</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>el sistema de archivos es de solo lectura</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>memoria insuficiente</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>error de lectura o escritura en el dispositivo</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>demasiados archivos abiertos</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>el archivo es demasiado grande para su sistema de archivos</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>no es un archivo WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>la ruta de origen contiene un byte nulo</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>la ruta de salida contiene un byte nulo</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>la imagen es demasiado grande (%1 × %2)</translation>
    </message>
</context>
</TS>
