<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Corvanta</name>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Drag and drop files here. Drag files up and down to change order. Double-click item to remove it.</source>
        <translation>Glissez-déposez des fichiers ici. Faites glisser les fichiers vers le haut ou le bas pour changer l’ordre. Double-cliquez sur un élément pour le retirer.</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Prompt for password because PDF files are password protected</source>
        <translation>Demander les mots de passe des fichiers PDF protégés</translation>
    </message>
    <message>
        <source>Files to join</source>
        <translation>Fichiers à fusionner</translation>
    </message>
    <message>
        <source>The PDF files to join, in order from top to bottom. Delete removes the current file; Ctrl+Up and Ctrl+Down move the selected files.</source>
        <translation>Les fichiers PDF à fusionner, dans l’ordre de haut en bas. Suppr retire le fichier actif&#xa0;; Ctrl+Haut et Ctrl+Bas déplacent les fichiers sélectionnés.</translation>
    </message>
    <message>
        <source>When ticked, Corvanta asks for each file&apos;s password before joining.</source>
        <translation>Si la case est cochée, Corvanta demande le mot de passe de chaque fichier avant la fusion.</translation>
    </message>
    <message>
        <source>Join progress</source>
        <translation>Progression de la fusion</translation>
    </message>
    <message>
        <source>How far the running join has got</source>
        <translation>Avancement de la fusion en cours</translation>
    </message>
    <message>
        <source>PDF Files - %1</source>
        <translation>Fichiers PDF - %1</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Ajouter des fichiers</translation>
    </message>
    <message>
        <source>Choose PDF files to add to the end of the list</source>
        <translation>Choisir des fichiers PDF à ajouter à la fin de la liste</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Choose a folder; its PDF files and those of its sub-folders are added to the list</source>
        <translation>Choisir un dossier&#xa0;; ses fichiers PDF et ceux de ses sous-dossiers sont ajoutés à la liste</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Remove every file from the list</source>
        <translation>Retirer tous les fichiers de la liste</translation>
    </message>
    <message>
        <source>Start Joining</source>
        <translation>Lancer la fusion</translation>
    </message>
    <message>
        <source>Join the listed files, from top to bottom, into joined.pdf on the Desktop</source>
        <translation>Fusionner les fichiers de la liste, de haut en bas, dans joined.pdf sur le Bureau</translation>
    </message>
    <message>
        <source>&amp;Add Files</source>
        <translation>&amp;Ajouter des fichiers</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>Ajouter un &amp;dossier</translation>
    </message>
    <message>
        <source>&amp;Clear Selected Files</source>
        <translation>&amp;Retirer les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>&amp;Clear All Files</source>
        <translation>&amp;Retirer tous les fichiers</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Load Sample/Example Files To Test With</source>
        <translation>&amp;Charger des fichiers d’exemple pour essayer</translation>
    </message>
    <message>
        <source>Quillmoor &amp;FAQ</source>
        <translation>&amp;FAQ de Quillmoor</translation>
    </message>
    <message>
        <source>&amp;Watch Old Demo Video</source>
        <translation>&amp;Voir l’ancienne vidéo de démonstration</translation>
    </message>
    <message>
        <source>&amp;Additional Help</source>
        <translation>&amp;Aide supplémentaire</translation>
    </message>
    <message>
        <source>&amp;Go To %1 For More Apps</source>
        <translation>&amp;Plus d’applications sur %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Quillmoor at </source>
        <translation>Des questions&#xa0;? Contactez l’équipe Quillmoor à l’adresse </translation>
    </message>
    <message>
        <source>at line </source>
        <translation>à la ligne </translation>
    </message>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Veuillez envoyer une capture d’écran de ce message par courriel à </translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Erreur de l’application</translation>
    </message>
    <message>
        <source>The Desktop folder cannot be determined.</source>
        <translation>Impossible de déterminer le dossier Bureau.</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Ajouter des fichiers - Maintenez Ctrl enfoncée pour sélectionner plusieurs fichiers</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Veuillez sélectionner un dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Voulez-vous que ce logiciel ouvre le dossier où sont enregistrés ces fichiers d’exemple (pour que vous puissiez les consulter avant de les utiliser)&#xa0;?</translation>
    </message>
    <message>
        <source>File %1 of %2 to join</source>
        <translation>Fichier %1 sur %2 à fusionner</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>le nom n’est pas en UTF-8 valide</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>le dossier ne peut pas être lu</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>le chemin est trop long</translation>
    </message>
    <message>
        <source>1 file or folder was left out:
</source>
        <translation>1 fichier ou dossier a été laissé de côté&#xa0;:
</translation>
    </message>
    <message>
        <source>%1 files or folders were left out:
</source>
        <translation>%1 fichiers ou dossiers ont été laissés de côté&#xa0;:
</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>
… and %1 more.</source>
        <translation>
… et %1 de plus.</translation>
    </message>
    <message>
        <source>needs a password; none was typed</source>
        <translation>nécessite un mot de passe&#xa0;; aucun n’a été saisi</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>n’existe pas</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>ne peut pas être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>is not a PDF file</source>
        <translation>n’est pas un fichier PDF</translation>
    </message>
    <message>
        <source>is password protected</source>
        <translation>est protégé par mot de passe</translation>
    </message>
    <message>
        <source>the password typed for it is wrong</source>
        <translation>le mot de passe saisi pour ce fichier est incorrect</translation>
    </message>
    <message>
        <source>is damaged</source>
        <translation>est endommagé</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>

pdftk reported:
</source>
        <translation>

pdftk a signalé&#xa0;:
</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote is incomplete or damaged.</source>
        <translation>pdftk a signalé une réussite, mais le fichier qu’il a écrit est incomplet ou endommagé.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of at least %2.</source>
        <translation>pdftk a signalé une réussite, mais le fichier qu’il a écrit n’a pas le bon nombre de pages&#xa0;: %1 au lieu d’au moins %2.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of %2.</source>
        <translation>pdftk a signalé une réussite, mais le fichier qu’il a écrit n’a pas le bon nombre de pages&#xa0;: %1 au lieu de %2.</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Aucun fichier ajouté.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminé.</translation>
    </message>
    <message>
        <source>Joined PDF was saved on the Desktop. Would you like to open the joined file to view the results? (%1)</source>
        <translation>Le PDF fusionné a été enregistré sur le Bureau. Voulez-vous ouvrir le fichier fusionné pour voir le résultat&#xa0;? (%1)</translation>
    </message>
    <message>
        <source>A join is already running. Would you like to stop it?

Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.</source>
        <translation>Une fusion est déjà en cours. Voulez-vous l’arrêter&#xa0;?

L’arrêter abandonne ce qui a été fusionné jusqu’ici&#xa0;; un joined.pdf existant reste tel quel.</translation>
    </message>
    <message>
        <source>Files are still being added to the list. Please start joining when they are all in.</source>
        <translation>Des fichiers sont encore en cours d’ajout à la liste. Lancez la fusion lorsqu’ils y seront tous.</translation>
    </message>
    <message>
        <source>

%1 could not be replaced (%2), so the joined file was saved as
%3</source>
        <translation>

%1 n’a pas pu être remplacé (%2), le fichier fusionné a donc été enregistré sous
%3</translation>
    </message>
    <message>
        <source>Input Password</source>
        <translation>Saisir le mot de passe</translation>
    </message>
    <message>
        <source>Enter password for file (%1): <byte value="xd"/>
Note: Leave this box blank if file is not password protected</source>
        <translation>Saisissez le mot de passe du fichier (%1)&#xa0;: <byte value="xd"/>
Remarque&#xa0;: laissez ce champ vide si le fichier n’est pas protégé par mot de passe</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>this file cannot be used.

</source>
        <translation>ce fichier ne peut pas être utilisé.

</translation>
    </message>
    <message>
        <source>these files cannot be used.

</source>
        <translation>ces fichiers ne peuvent pas être utilisés.

</translation>
    </message>
    <message>
        <source>

To join password-protected files, tick &quot;Prompt for password because PDF files are password protected&quot; and type each file&apos;s password when asked.</source>
        <translation>

Pour fusionner des fichiers protégés par mot de passe, cochez «&#xa0;Demander les mots de passe des fichiers PDF protégés&#xa0;» et saisissez le mot de passe de chaque fichier lorsqu’il vous est demandé.</translation>
    </message>
    <message>
        <source>a password is missing or wrong.

</source>
        <translation>un mot de passe est manquant ou incorrect.

</translation>
    </message>
    <message>
        <source>passwords are missing or wrong.

</source>
        <translation>des mots de passe sont manquants ou incorrects.

</translation>
    </message>
    <message>
        <source>pdftk was not found.

Corvanta looks for pdftk in its own folder (%1) and on the PATH.
</source>
        <translation>pdftk est introuvable.

Corvanta cherche pdftk dans son propre dossier (%1) et dans le PATH.
</translation>
    </message>
    <message>
        <source>pdftk could not be started.

</source>
        <translation>pdftk n’a pas pu être lancé.

</translation>
    </message>
    <message>
        <source>pdftk stopped unexpectedly.</source>
        <translation>pdftk s’est arrêté de façon inattendue.</translation>
    </message>
    <message>
        <source>pdftk reported success but wrote no file.</source>
        <translation>pdftk a signalé une réussite mais n’a écrit aucun fichier.</translation>
    </message>
    <message>
        <source>The PDF files were joined, but the result could not be saved as
%1

%2

The joined file is kept as
%3</source>
        <translation>Les fichiers PDF ont été fusionnés, mais le résultat n’a pas pu être enregistré sous
%1

%2

Le fichier fusionné est conservé sous
%3</translation>
    </message>
    <message>
        <source>pdftk could not repair this damaged file:
</source>
        <translation>pdftk n’a pas pu réparer ce fichier endommagé&#xa0;:
</translation>
    </message>
    <message>
        <source>pdftk could not repair these damaged files:
</source>
        <translation>pdftk n’a pas pu réparer ces fichiers endommagés&#xa0;:
</translation>
    </message>
    <message>
        <source>the joined file cannot be written to this folder:
</source>
        <translation>le fichier fusionné ne peut pas être écrit dans ce dossier&#xa0;:
</translation>
    </message>
    <message>
        <source>pdftk ended with exit code %1.</source>
        <translation>pdftk s’est terminé avec le code de sortie %1.</translation>
    </message>
    <message>
        <source>Put pdftk.exe in Corvanta&apos;s folder, or install pdftk and add its folder to the PATH.</source>
        <translation>Placez pdftk.exe dans le dossier de Corvanta, ou installez pdftk et ajoutez son dossier au PATH.</translation>
    </message>
    <message>
        <source>To install it with Homebrew: brew install pdftk-java</source>
        <translation>Pour l’installer avec Homebrew&#xa0;: brew install pdftk-java</translation>
    </message>
    <message>
        <source>To install it on Debian or Ubuntu: sudo apt install pdftk-java</source>
        <translation>Pour l’installer sous Debian ou Ubuntu&#xa0;: sudo apt install pdftk-java</translation>
    </message>
    <message>
        <source>Install the package pdftk-java (or pdftk) with your system&apos;s package manager.</source>
        <translation>Installez le paquet pdftk-java (ou pdftk) avec le gestionnaire de paquets de votre système.</translation>
    </message>
    <message>
        <source>The PDF files were not joined: %1</source>
        <translation>Les fichiers PDF n’ont pas été fusionnés&#xa0;: %1</translation>
    </message>
    <message>
        <source>
… and %1 more</source>
        <translation>
… et %1 de plus</translation>
    </message>
    <message>
        <source>Another program is still running.</source>
        <translation>Un autre programme est encore en cours d’exécution.</translation>
    </message>
    <message>
        <source>could not be checked safely: %1</source>
        <translation>n’a pas pu être vérifié sans risque&#xa0;: %1</translation>
    </message>
    <message>
        <source>the password typed for it has characters that pdftk cannot pass on; pdftk takes only the letters and signs of Western European languages</source>
        <translation>le mot de passe saisi contient des caractères que pdftk ne peut pas transmettre&#xa0;; pdftk n’accepte que les lettres et signes des langues d’Europe occidentale</translation>
    </message>
    <message>
        <source>pdftk cannot be given the password PROMPT: it takes that word as a request to ask for the password</source>
        <translation>pdftk ne peut pas recevoir le mot de passe PROMPT&#xa0;: il prend ce mot pour une demande de saisie du mot de passe</translation>
    </message>
    <message>
        <source>is encrypted in a way that pdftk cannot open (such as AES-256)</source>
        <translation>est chiffré d’une manière que pdftk ne peut pas ouvrir (par exemple AES-256)</translation>
    </message>
    <message>
        <source>has its pages nested more deeply than pdftk can follow</source>
        <translation>a des pages imbriquées plus profondément que pdftk ne peut le suivre</translation>
    </message>
    <message>
        <source>has a list of pages that leads back into itself</source>
        <translation>a une liste de pages qui renvoie à elle-même</translation>
    </message>
    <message>
        <source>page %1 has a size that pdftk cannot read</source>
        <translation>la page %1 a une taille que pdftk ne peut pas lire</translation>
    </message>
    <message>
        <source>it needs more memory than allowed</source>
        <translation>il demande plus de mémoire que permis</translation>
    </message>
    <message>
        <source>reading it takes too long</source>
        <translation>sa lecture prend trop de temps</translation>
    </message>
    <message>
        <source>reading it failed</source>
        <translation>sa lecture a échoué</translation>
    </message>
    <message>
        <source>pdftk reported success, but page %1 of the file it wrote is not page %2 of
%3</source>
        <translation>pdftk a signalé une réussite, mais la page %1 du fichier qu’il a écrit n’est pas la page %2 de
%3</translation>
    </message>
    <message>
        <source>Corvanta&apos;s PDF checker is missing:
%1

Please install Corvanta again.</source>
        <translation>le vérificateur de PDF de Corvanta est introuvable&#xa0;:
%1

Veuillez réinstaller Corvanta.</translation>
    </message>
    <message>
        <source>there is not enough free space for the joined file on the Desktop&apos;s drive (%1).

It needs about %2; %3 are free.</source>
        <translation>il n’y a pas assez d’espace libre pour le fichier fusionné sur le disque du Bureau (%1).

Il faut environ %2&#xa0;; %3 sont libres.</translation>
    </message>
    <message>
        <source>the Desktop&apos;s drive ran out of free space while pdftk wrote the joined file. It needs about %1.</source>
        <translation>le disque du Bureau a manqué d’espace libre pendant que pdftk écrivait le fichier fusionné. Il faut environ %1.</translation>
    </message>
    <message>
        <source>is compressed in a way that pdftk cannot read</source>
        <translation>est compressé d’une manière que pdftk ne peut pas lire</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote could not be verified (%1), so it was not kept. An existing joined.pdf is left as it was.</source>
        <translation>pdftk a signalé une réussite, mais le fichier qu’il a écrit n’a pas pu être vérifié (%1) ; il n’a donc pas été conservé. Un joined.pdf existant reste tel quel.</translation>
    </message>
    <message>
        <source>

The first file whose pages are not all in it:
%1</source>
        <translation>

Le premier fichier dont les pages n’y sont pas toutes :
%1</translation>
    </message>
    <message>
        <source>its hidden layers are visible</source>
        <translation>ses calques masqués sont visibles</translation>
    </message>
    <message>
        <source>form fields may show old values</source>
        <translation>les champs de formulaire peuvent afficher d’anciennes valeurs</translation>
    </message>
    <message>
        <source>page numbers such as i, ii are lost</source>
        <translation>les numéros de page tels que i, ii sont perdus</translation>
    </message>
    <message>
        <source>the view it opens with, such as its bookmarks shown, is lost</source>
        <translation>la vue à l’ouverture, par exemple avec ses signets affichés, est perdue</translation>
    </message>
    <message>
        <source>its pages could not all be checked</source>
        <translation>ses pages n’ont pas toutes pu être vérifiées</translation>
    </message>
    <message>
        <source>; </source>
        <translation> ; </translation>
    </message>
    <message>
        <source>pdftk cannot read this file:
%1</source>
        <translation>pdftk ne peut pas lire ce fichier :
%1</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be used: its name is not valid UTF-8, and pdftk takes only names that are.</source>
        <translation>Le dossier Bureau %1 ne peut pas être utilisé&#xa0;: son nom n’est pas en UTF-8 valide, et pdftk n’accepte que des noms qui le sont.</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be made: the folder it belongs in,
%2,
does not exist. Is a drive or network share missing?</source>
        <translation>Impossible de créer le dossier Bureau %1&#xa0;: le dossier qui doit le contenir,
%2,
n’existe pas. Manque-t-il un lecteur ou un partage réseau&#xa0;?</translation>
    </message>
    <message>
        <source>The password typed for file (%1) is wrong. Enter its password again:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>Le mot de passe saisi pour le fichier (%1) est incorrect. Saisissez-le à nouveau&#xa0;:
Remarque&#xa0;: laissez ce champ vide ou choisissez Annuler pour arrêter la fusion</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Autres boutons de la barre d’outils</translation>
    </message>
    <message>
        <source>Shows the toolbar buttons that do not fit in the window</source>
        <translation>Affiche les boutons de la barre d’outils qui ne tiennent pas dans la fenêtre</translation>
    </message>
    <message>
        <source>has cross-reference tables that lead back into themselves; pdftk would read it without end</source>
        <translation>a des tables de références croisées qui reviennent sur elles-mêmes ; pdftk le lirait sans fin</translation>
    </message>
    <message>
        <source>its size or rotation</source>
        <translation>sa taille ou sa rotation</translation>
    </message>
    <message>
        <source>what it draws</source>
        <translation>ce qu’elle dessine</translation>
    </message>
    <message>
        <source>the fonts, images or drawings it uses</source>
        <translation>les polices, images ou dessins qu’elle utilise</translation>
    </message>
    <message>
        <source>its annotations or form fields</source>
        <translation>ses annotations ou ses champs de formulaire</translation>
    </message>
    <message>
        <source>

What differs: %1.</source>
        <translation>

Ce qui diffère : %1.</translation>
    </message>
    <message>
        <source>%1 does not show everything of this file as the file itself does:

</source>
        <translation>%1 n’affiche pas tout ce fichier comme le fichier lui-même l’affiche :

</translation>
    </message>
    <message>
        <source>%1 does not show everything of these files as the files themselves do:

</source>
        <translation>%1 n’affiche pas tout de ces fichiers comme les fichiers eux-mêmes l’affichent :

</translation>
    </message>
    <message>
        <source>holds its pages in a dynamic XFA form, which pdftk cannot copy: the joined file would show only a &quot;Please wait&quot; page</source>
        <translation>contient ses pages dans un formulaire XFA dynamique, que pdftk ne peut pas copier : le fichier fusionné n’afficherait qu’une page « Veuillez patienter »</translation>
    </message>
    <message>
        <source>its layers can no longer be shown or hidden</source>
        <translation>ses calques ne peuvent plus être affichés ni masqués</translation>
    </message>
    <message>
        <source>its form fields may show their text in another style, or calculate in another order</source>
        <translation>ses champs de formulaire peuvent afficher leur texte dans un autre style, ou calculer dans un autre ordre</translation>
    </message>
    <message>
        <source>its form fields were renamed, because another file used the same names</source>
        <translation>ses champs de formulaire ont été renommés, car un autre fichier utilisait les mêmes noms</translation>
    </message>
    <message>
        <source>its XFA form data is lost; its form fields remain</source>
        <translation>ses données de formulaire XFA sont perdues ; ses champs de formulaire restent</translation>
    </message>
    <message>
        <source>its digital signature no longer applies</source>
        <translation>sa signature numérique ne s’applique plus</translation>
    </message>
    <message>
        <source>the named places in it, which links from other files can lead to, are lost</source>
        <translation>les emplacements nommés qu’il contient, vers lesquels des liens d’autres fichiers peuvent mener, sont perdus</translation>
    </message>
    <message>
        <source>its attached files are lost</source>
        <translation>ses fichiers joints sont perdus</translation>
    </message>
    <message>
        <source>its accessibility tags, which screen readers follow, are lost</source>
        <translation>ses balises d’accessibilité, que suivent les lecteurs d’écran, sont perdues</translation>
    </message>
    <message>
        <source>its scripts are left out</source>
        <translation>ses scripts sont laissés de côté</translation>
    </message>
    <message>
        <source>its claim to meet PDF/A or PDF/UA is left out, since the joined file does not meet it</source>
        <translation>sa déclaration de conformité à PDF/A ou PDF/UA est laissée de côté, car le fichier fusionné ne s’y conforme pas</translation>
    </message>
    <message>
        <source>the page it opens at is lost</source>
        <translation>la page à laquelle il s’ouvre est perdue</translation>
    </message>
    <message>
        <source>how it lays out its pages, such as two side by side, is lost</source>
        <translation>la disposition de ses pages, par exemple deux côte à côte, est perdue</translation>
    </message>
    <message>
        <source>its settings for the viewer are lost</source>
        <translation>ses réglages pour la visionneuse sont perdus</translation>
    </message>
    <message>
        <source>its language setting is lost</source>
        <translation>son réglage de langue est perdu</translation>
    </message>
    <message>
        <source>its title, author, subject and keywords are lost</source>
        <translation>son titre, son auteur, son sujet et ses mots-clés sont perdus</translation>
    </message>
    <message>
        <source>its description (XMP metadata) is lost</source>
        <translation>sa description (métadonnées XMP) est perdue</translation>
    </message>
    <message>
        <source>The file (%1) is password protected. Enter its password:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>Le fichier (%1) est protégé par un mot de passe. Saisissez son mot de passe :
Remarque : laissez ce champ vide ou choisissez Annuler pour arrêter la fusion</translation>
    </message>
</context>
</TS>
