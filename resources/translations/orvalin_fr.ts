<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Convertit des images WebP en fichiers JPG, plusieurs à la fois.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Basé sur&#xa0;:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>À propos d&apos;Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Logiciel libre sous la licence publique générale GNU, version 3 ou ultérieure.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Traitement&#xa0;: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>le résultat a disparu</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Aucun fichier ajouté.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>Le dossier n&apos;existe pas. Veuillez choisir un autre dossier.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminé.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Les fichiers suivants ont été ignorés, car ils ne sont pas au format WebP&#xa0;:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Les fichiers suivants n&apos;ont pas pu être convertis&#xa0;:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Les fichiers suivants n&apos;ont pas pu être enregistrés&#xa0;:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Les fichiers suivants ont été ignorés, car un fichier JPG du même nom existe déjà&#xa0;:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>le convertisseur s&apos;est arrêté</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>a pris trop de temps</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Veuillez patienter.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Barre de progression</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Fichier d&apos;habillage trop volumineux</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Chemin introuvable&#xa0;: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Les dates de %1 n&apos;ont pas pu être conservées&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Impossible de démarrer %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Argument ou appel de procédure incorrect</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Image non valide</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Erreur inattendue</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>dans %1 à la ligne %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Veuillez envoyer une capture d&apos;écran de ce message par e-mail à %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Erreur de l&apos;application</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Le fichier qui porte le nom de sortie est une image WebP et il est conservé</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Le fichier qui porte le nom de sortie est un lien d&apos;un autre utilisateur dans un dossier partagé et il n&apos;est pas suivi</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Le nom de fichier désigne un dossier</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Le fichier existant %1 n&apos;est pas accessible en écriture</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Incompatibilité de type</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Ressource introuvable&#xa0;: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disque plein</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Index hors limites</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Les fichiers et dossiers suivants n&apos;ont pas pu être ajoutés&#xa0;:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>le nom n&apos;est pas en UTF-8 valide</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>le chemin est trop long</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>le dossier est illisible</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Veuillez choisir un dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Ajouter des fichiers - Maintenez Ctrl enfoncée pour en sélectionner plusieurs</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Vous avez sélectionné trop de fichiers à ajouter.<byte value="xd"/><byte value="xd"/>Essayez plutôt le bouton «&#xa0;Ajouter les WebP d&apos;un dossier&#xa0;».</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> Fichiers WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Glissez-déposez des fichiers ici. Double-cliquez sur un élément pour le retirer. Faites glisser la ligne | vers la droite, hors de la fenêtre, pour voir les noms complets.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Voulez-vous que ce logiciel ouvre le dossier où sont rangés ces fichiers d’exemple (pour les voir avant de travailler avec eux) ?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Vos paramètres n&apos;ont pas pu être enregistrés dans «&#xa0;%1&#xa0;».<byte value="xd"/><byte value="xd"/>Tout fonctionne normalement, mais les choix que vous faites maintenant ne seront pas mémorisés au prochain démarrage du programme.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Fichiers WebP à convertir</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Ajouter des fichiers WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Ajouter les WebP d&apos;un dossier</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Charger les fichiers d&apos;exemple</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Lancer la conversion</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Ajouter des fichiers WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Ajouter tous les fichiers WebP d&apos;un &amp;dossier...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Charger les fichiers d&apos;&amp;exemple</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Vider la liste</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>&amp;Lancer la conversion</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>À &amp;propos d&apos;Orvalin</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>&amp;Langue du système</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Limiter à %1 pixels</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Si un fichier JPG du même nom &amp;existe</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Remplacer</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Conserver les &amp;deux (numéroter le nouveau)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Ignorer le fichier</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Conserver les &amp;sous-dossiers dans le dossier de sortie</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Conserver les &amp;dates de l&apos;original</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Métadonnées</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>&amp;Tout conserver</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Supprimer la &amp;localisation</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Ne conserver que la &amp;couleur et l&apos;orientation</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Taille</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Conserver la taille</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Limiter à une &amp;autre taille...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Limiter à une autre taille</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Nombre maximal de pixels du côté le plus long (16 à 65535)&#xa0;:</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Veuillez saisir un nombre entier compris entre 16 et 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Qualité des images JPG en sortie&#xa0;: %1&#xa0;%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Enregistrer dans ce dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Enregistrer dans le dossier d&apos;origine</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Veuillez choisir un dossier&#xa0;:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>plus d&apos;espace disponible sur le périphérique</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>le quota de disque est épuisé</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>le chemin est trop long</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>fichier ou dossier introuvable</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>le système de fichiers est en lecture seule</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>erreur de lecture ou d&apos;écriture sur le périphérique</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>trop de fichiers ouverts</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>le fichier est trop volumineux pour son système de fichiers</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>ce n&apos;est pas un fichier WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>le chemin source contient un octet nul</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>le chemin de sortie contient un octet nul</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>l&apos;image est trop grande (%1 × %2)</translation>
    </message>
</context>
</TS>
