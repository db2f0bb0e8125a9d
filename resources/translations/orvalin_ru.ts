<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>took too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
