<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Corvanta</name>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Drag and drop files here. Drag files up and down to change order. Double-click item to remove it.</source>
        <translation>Dateien hierher ziehen und ablegen. Dateien nach oben oder unten ziehen, um die Reihenfolge zu ändern. Doppelklick auf einen Eintrag entfernt ihn.</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Prompt for password because PDF files are password protected</source>
        <translation>Nach den Passwörtern geschützter PDF-Dateien fragen</translation>
    </message>
    <message>
        <source>Files to join</source>
        <translation>Zusammenzufügende Dateien</translation>
    </message>
    <message>
        <source>The PDF files to join, in order from top to bottom. Delete removes the current file; Ctrl+Up and Ctrl+Down move the selected files.</source>
        <translation>Die zusammenzufügenden PDF-Dateien, in der Reihenfolge von oben nach unten. Entf entfernt die aktuelle Datei; Strg+Pfeil nach oben und Strg+Pfeil nach unten verschieben die ausgewählten Dateien.</translation>
    </message>
    <message>
        <source>When ticked, Corvanta asks for each file&apos;s password before joining.</source>
        <translation>Wenn angekreuzt, fragt Corvanta vor dem Zusammenfügen nach dem Passwort jeder Datei.</translation>
    </message>
    <message>
        <source>Join progress</source>
        <translation>Fortschritt des Zusammenfügens</translation>
    </message>
    <message>
        <source>How far the running join has got</source>
        <translation>Wie weit das laufende Zusammenfügen ist</translation>
    </message>
    <message>
        <source>PDF Files - %1</source>
        <translation>PDF-Dateien - %1</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Choose PDF files to add to the end of the list</source>
        <translation>PDF-Dateien auswählen, die ans Ende der Liste angefügt werden</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Choose a folder; its PDF files and those of its sub-folders are added to the list</source>
        <translation>Einen Ordner auswählen; seine PDF-Dateien und die seiner Unterordner werden der Liste hinzugefügt</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Remove every file from the list</source>
        <translation>Alle Dateien aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Start Joining</source>
        <translation>Zusammenfügen starten</translation>
    </message>
    <message>
        <source>Join the listed files, from top to bottom, into joined.pdf on the Desktop</source>
        <translation>Die aufgelisteten Dateien von oben nach unten zu joined.pdf auf dem Schreibtisch zusammenfügen</translation>
    </message>
    <message>
        <source>&amp;Add Files</source>
        <translation>Dateien &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>&amp;Ordner hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Clear Selected Files</source>
        <translation>Ausgewählte Dateien &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Clear All Files</source>
        <translation>Alle Dateien &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Load Sample/Example Files To Test With</source>
        <translation>&amp;Beispieldateien zum Ausprobieren laden</translation>
    </message>
    <message>
        <source>Quillmoor &amp;FAQ</source>
        <translation>Quillmoor-&amp;FAQ</translation>
    </message>
    <message>
        <source>&amp;Watch Old Demo Video</source>
        <translation>Altes &amp;Demo-Video ansehen</translation>
    </message>
    <message>
        <source>&amp;Additional Help</source>
        <translation>&amp;Weitere Hilfe</translation>
    </message>
    <message>
        <source>&amp;Go To %1 For More Apps</source>
        <translation>Weitere &amp;Apps auf %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Quillmoor at </source>
        <translation>Fragen? Bitte wenden Sie sich an das Quillmoor-Team unter </translation>
    </message>
    <message>
        <source>at line </source>
        <translation>in Zeile </translation>
    </message>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an </translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
    <message>
        <source>The Desktop folder cannot be determined.</source>
        <translation>Der Schreibtisch-Ordner kann nicht ermittelt werden.</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Datei(en) hinzufügen - Strg gedrückt halten, um mehrere Dateien auszuwählen</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Bitte Ordner auswählen:</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Soll der Ordner geöffnet werden, in dem diese Beispieldateien liegen (damit Sie sie ansehen können, bevor Sie mit ihnen arbeiten)?</translation>
    </message>
    <message>
        <source>File %1 of %2 to join</source>
        <translation>Datei %1 von %2 zum Zusammenfügen</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>der Name ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>der Ordner kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>der Pfad ist zu lang</translation>
    </message>
    <message>
        <source>1 file or folder was left out:
</source>
        <translation>1 Datei oder Ordner wurde ausgelassen:
</translation>
    </message>
    <message>
        <source>%1 files or folders were left out:
</source>
        <translation>%1 Dateien oder Ordner wurden ausgelassen:
</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>
… and %1 more.</source>
        <translation>
… und %1 weitere.</translation>
    </message>
    <message>
        <source>needs a password; none was typed</source>
        <translation>braucht ein Passwort; es wurde keines eingegeben</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>ist keine normale Datei</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is not a PDF file</source>
        <translation>ist keine PDF-Datei</translation>
    </message>
    <message>
        <source>is password protected</source>
        <translation>ist passwortgeschützt</translation>
    </message>
    <message>
        <source>the password typed for it is wrong</source>
        <translation>das dafür eingegebene Passwort ist falsch</translation>
    </message>
    <message>
        <source>is damaged</source>
        <translation>ist beschädigt</translation>
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

pdftk meldete:
</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote is incomplete or damaged.</source>
        <translation>pdftk meldete Erfolg, aber die geschriebene Datei ist unvollständig oder beschädigt.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of at least %2.</source>
        <translation>pdftk meldete Erfolg, aber die geschriebene Datei hat die falsche Seitenzahl: %1 statt mindestens %2.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of %2.</source>
        <translation>pdftk meldete Erfolg, aber die geschriebene Datei hat die falsche Seitenzahl: %1 statt %2.</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Keine Dateien hinzugefügt.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>Joined PDF was saved on the Desktop. Would you like to open the joined file to view the results? (%1)</source>
        <translation>Die zusammengefügte PDF-Datei wurde auf dem Schreibtisch gespeichert. Möchten Sie sie öffnen, um das Ergebnis anzusehen? (%1)</translation>
    </message>
    <message>
        <source>A join is already running. Would you like to stop it?

Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.</source>
        <translation>Es wird bereits zusammengefügt. Möchten Sie das Zusammenfügen abbrechen?

Beim Abbrechen wird verworfen, was bisher zusammengefügt wurde; eine vorhandene joined.pdf bleibt unverändert.</translation>
    </message>
    <message>
        <source>Files are still being added to the list. Please start joining when they are all in.</source>
        <translation>Es werden noch Dateien zur Liste hinzugefügt. Bitte starten Sie das Zusammenfügen, wenn alle aufgenommen sind.</translation>
    </message>
    <message>
        <source>

%1 could not be replaced (%2), so the joined file was saved as
%3</source>
        <translation>

%1 konnte nicht ersetzt werden (%2), daher wurde die zusammengefügte Datei gespeichert als
%3</translation>
    </message>
    <message>
        <source>Input Password</source>
        <translation>Passwort eingeben</translation>
    </message>
    <message>
        <source>Enter password for file (%1): <byte value="xd"/>
Note: Leave this box blank if file is not password protected</source>
        <translation>Passwort für die Datei eingeben (%1): <byte value="xd"/>
Hinweis: Lassen Sie dieses Feld leer, wenn die Datei nicht passwortgeschützt ist</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Der Ordner %1 kann nicht erstellt werden.</translation>
    </message>
    <message>
        <source>this file cannot be used.

</source>
        <translation>Diese Datei kann nicht verwendet werden.

</translation>
    </message>
    <message>
        <source>these files cannot be used.

</source>
        <translation>Diese Dateien können nicht verwendet werden.

</translation>
    </message>
    <message>
        <source>

To join password-protected files, tick &quot;Prompt for password because PDF files are password protected&quot; and type each file&apos;s password when asked.</source>
        <translation>

Um passwortgeschützte Dateien zusammenzufügen, kreuzen Sie „Nach den Passwörtern geschützter PDF-Dateien fragen“ an und geben Sie das Passwort jeder Datei ein, wenn Sie danach gefragt werden.</translation>
    </message>
    <message>
        <source>a password is missing or wrong.

</source>
        <translation>Ein Passwort fehlt oder ist falsch.

</translation>
    </message>
    <message>
        <source>passwords are missing or wrong.

</source>
        <translation>Passwörter fehlen oder sind falsch.

</translation>
    </message>
    <message>
        <source>pdftk was not found.

Corvanta looks for pdftk in its own folder (%1) and on the PATH.
</source>
        <translation>pdftk wurde nicht gefunden.

Corvanta sucht pdftk in seinem eigenen Ordner (%1) und im PATH.
</translation>
    </message>
    <message>
        <source>pdftk could not be started.

</source>
        <translation>pdftk konnte nicht gestartet werden.

</translation>
    </message>
    <message>
        <source>pdftk stopped unexpectedly.</source>
        <translation>pdftk wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>pdftk reported success but wrote no file.</source>
        <translation>pdftk meldete Erfolg, schrieb aber keine Datei.</translation>
    </message>
    <message>
        <source>The PDF files were joined, but the result could not be saved as
%1

%2

The joined file is kept as
%3</source>
        <translation>Die PDF-Dateien wurden zusammengefügt, aber das Ergebnis konnte nicht gespeichert werden als
%1

%2

Die zusammengefügte Datei bleibt erhalten als
%3</translation>
    </message>
    <message>
        <source>pdftk could not repair this damaged file:
</source>
        <translation>pdftk konnte diese beschädigte Datei nicht reparieren:
</translation>
    </message>
    <message>
        <source>pdftk could not repair these damaged files:
</source>
        <translation>pdftk konnte diese beschädigten Dateien nicht reparieren:
</translation>
    </message>
    <message>
        <source>the joined file cannot be written to this folder:
</source>
        <translation>Die zusammengefügte Datei kann nicht in diesen Ordner geschrieben werden:
</translation>
    </message>
    <message>
        <source>pdftk ended with exit code %1.</source>
        <translation>pdftk endete mit dem Exit-Code %1.</translation>
    </message>
    <message>
        <source>Put pdftk.exe in Corvanta&apos;s folder, or install pdftk and add its folder to the PATH.</source>
        <translation>Legen Sie pdftk.exe in den Ordner von Corvanta, oder installieren Sie pdftk und nehmen Sie dessen Ordner in den PATH auf.</translation>
    </message>
    <message>
        <source>To install it with Homebrew: brew install pdftk-java</source>
        <translation>So installieren Sie es mit Homebrew: brew install pdftk-java</translation>
    </message>
    <message>
        <source>To install it on Debian or Ubuntu: sudo apt install pdftk-java</source>
        <translation>So installieren Sie es unter Debian oder Ubuntu: sudo apt install pdftk-java</translation>
    </message>
    <message>
        <source>Install the package pdftk-java (or pdftk) with your system&apos;s package manager.</source>
        <translation>Installieren Sie das Paket pdftk-java (oder pdftk) mit der Paketverwaltung Ihres Systems.</translation>
    </message>
    <message>
        <source>The PDF files were not joined: %1</source>
        <translation>Die PDF-Dateien wurden nicht zusammengefügt: %1</translation>
    </message>
    <message>
        <source>
… and %1 more</source>
        <translation>
… und %1 weitere</translation>
    </message>
    <message>
        <source>Another program is still running.</source>
        <translation>Ein anderes Programm läuft noch.</translation>
    </message>
    <message>
        <source>could not be checked safely: %1</source>
        <translation>konnte nicht sicher geprüft werden: %1</translation>
    </message>
    <message>
        <source>the password typed for it has characters that pdftk cannot pass on; pdftk takes only the letters and signs of Western European languages</source>
        <translation>das dafür eingegebene Passwort enthält Zeichen, die pdftk nicht weitergeben kann; pdftk nimmt nur die Buchstaben und Zeichen westeuropäischer Sprachen an</translation>
    </message>
    <message>
        <source>pdftk cannot be given the password PROMPT: it takes that word as a request to ask for the password</source>
        <translation>pdftk kann das Passwort PROMPT nicht übergeben werden: pdftk versteht dieses Wort als Aufforderung, nach dem Passwort zu fragen</translation>
    </message>
    <message>
        <source>is encrypted in a way that pdftk cannot open (such as AES-256)</source>
        <translation>ist auf eine Weise verschlüsselt, die pdftk nicht öffnen kann (etwa AES-256)</translation>
    </message>
    <message>
        <source>has its pages nested more deeply than pdftk can follow</source>
        <translation>hat Seiten, die tiefer verschachtelt sind, als pdftk folgen kann</translation>
    </message>
    <message>
        <source>has a list of pages that leads back into itself</source>
        <translation>hat eine Seitenliste, die in sich selbst zurückführt</translation>
    </message>
    <message>
        <source>page %1 has a size that pdftk cannot read</source>
        <translation>Seite %1 hat eine Größe, die pdftk nicht lesen kann</translation>
    </message>
    <message>
        <source>it needs more memory than allowed</source>
        <translation>sie braucht mehr Speicher als erlaubt</translation>
    </message>
    <message>
        <source>reading it takes too long</source>
        <translation>das Lesen dauert zu lange</translation>
    </message>
    <message>
        <source>reading it failed</source>
        <translation>das Lesen ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>pdftk reported success, but page %1 of the file it wrote is not page %2 of
%3</source>
        <translation>pdftk meldete Erfolg, aber Seite %1 der geschriebenen Datei ist nicht Seite %2 von
%3</translation>
    </message>
    <message>
        <source>Corvanta&apos;s PDF checker is missing:
%1

Please install Corvanta again.</source>
        <translation>Die PDF-Prüfung von Corvanta fehlt:
%1

Bitte installieren Sie Corvanta erneut.</translation>
    </message>
    <message>
        <source>there is not enough free space for the joined file on the Desktop&apos;s drive (%1).

It needs about %2; %3 are free.</source>
        <translation>Auf dem Laufwerk des Schreibtischs (%1) ist nicht genug freier Speicherplatz für die zusammengefügte Datei.

Sie braucht etwa %2; frei sind %3.</translation>
    </message>
    <message>
        <source>the Desktop&apos;s drive ran out of free space while pdftk wrote the joined file. It needs about %1.</source>
        <translation>Auf dem Laufwerk des Schreibtischs ging der freie Speicherplatz aus, während pdftk die zusammengefügte Datei schrieb. Sie braucht etwa %1.</translation>
    </message>
    <message>
        <source>is compressed in a way that pdftk cannot read</source>
        <translation>ist auf eine Weise komprimiert, die pdftk nicht lesen kann</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote could not be verified (%1), so it was not kept. An existing joined.pdf is left as it was.</source>
        <translation>pdftk meldete Erfolg, aber die geschriebene Datei konnte nicht überprüft werden (%1) und wurde deshalb nicht behalten. Eine vorhandene joined.pdf bleibt, wie sie war.</translation>
    </message>
    <message>
        <source>

The first file whose pages are not all in it:
%1</source>
        <translation>

Die erste Datei, deren Seiten nicht alle darin sind:
%1</translation>
    </message>
    <message>
        <source>its hidden layers are visible</source>
        <translation>seine verborgenen Ebenen sind sichtbar</translation>
    </message>
    <message>
        <source>form fields may show old values</source>
        <translation>Formularfelder zeigen womöglich alte Werte</translation>
    </message>
    <message>
        <source>page numbers such as i, ii are lost</source>
        <translation>Seitennummern wie i, ii gehen verloren</translation>
    </message>
    <message>
        <source>the view it opens with, such as its bookmarks shown, is lost</source>
        <translation>die Ansicht, mit der sie sich öffnet, etwa mit eingeblendeten Lesezeichen, geht verloren</translation>
    </message>
    <message>
        <source>its pages could not all be checked</source>
        <translation>ihre Seiten konnten nicht alle geprüft werden</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>pdftk cannot read this file:
%1</source>
        <translation>pdftk kann diese Datei nicht lesen:
%1</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be used: its name is not valid UTF-8, and pdftk takes only names that are.</source>
        <translation>Der Schreibtisch-Ordner %1 kann nicht verwendet werden: Sein Name ist kein gültiges UTF-8, und pdftk nimmt nur Namen in UTF-8 an.</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be made: the folder it belongs in,
%2,
does not exist. Is a drive or network share missing?</source>
        <translation>Der Schreibtisch-Ordner %1 kann nicht erstellt werden: Der Ordner, in dem er liegen soll,
%2,
existiert nicht. Fehlt ein Laufwerk oder eine Netzwerkfreigabe?</translation>
    </message>
    <message>
        <source>The password typed for file (%1) is wrong. Enter its password again:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>Das für die Datei (%1) eingegebene Passwort ist falsch. Passwort erneut eingeben:
Hinweis: Lassen Sie dieses Feld leer oder wählen Sie „Abbrechen“, um das Zusammenfügen zu beenden</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Weitere Schaltflächen der Symbolleiste</translation>
    </message>
    <message>
        <source>Shows the toolbar buttons that do not fit in the window</source>
        <translation>Zeigt die Schaltflächen der Symbolleiste, die im Fenster keinen Platz haben</translation>
    </message>
    <message>
        <source>has cross-reference tables that lead back into themselves; pdftk would read it without end</source>
        <translation>hat Querverweistabellen, die auf sich selbst zurückführen; pdftk würde sie ohne Ende lesen</translation>
    </message>
    <message>
        <source>its size or rotation</source>
        <translation>ihre Größe oder Drehung</translation>
    </message>
    <message>
        <source>what it draws</source>
        <translation>was sie zeichnet</translation>
    </message>
    <message>
        <source>the fonts, images or drawings it uses</source>
        <translation>die Schriften, Bilder oder Zeichnungen, die sie verwendet</translation>
    </message>
    <message>
        <source>its annotations or form fields</source>
        <translation>ihre Anmerkungen oder Formularfelder</translation>
    </message>
    <message>
        <source>

What differs: %1.</source>
        <translation>

Was abweicht: %1.</translation>
    </message>
    <message>
        <source>%1 does not show everything of this file as the file itself does:

</source>
        <translation>%1 zeigt nicht alles von dieser Datei so, wie die Datei selbst es zeigt:

</translation>
    </message>
    <message>
        <source>%1 does not show everything of these files as the files themselves do:

</source>
        <translation>%1 zeigt nicht alles von diesen Dateien so, wie die Dateien selbst es zeigen:

</translation>
    </message>
    <message>
        <source>holds its pages in a dynamic XFA form, which pdftk cannot copy: the joined file would show only a &quot;Please wait&quot; page</source>
        <translation>enthält ihre Seiten in einem dynamischen XFA-Formular, das pdftk nicht kopieren kann: Die zusammengefügte Datei zeigte nur eine Seite „Bitte warten“</translation>
    </message>
    <message>
        <source>its layers can no longer be shown or hidden</source>
        <translation>ihre Ebenen lassen sich nicht mehr ein- oder ausblenden</translation>
    </message>
    <message>
        <source>its form fields may show their text in another style, or calculate in another order</source>
        <translation>ihre Formularfelder zeigen ihren Text womöglich in einem anderen Stil oder rechnen in anderer Reihenfolge</translation>
    </message>
    <message>
        <source>its form fields were renamed, because another file used the same names</source>
        <translation>ihre Formularfelder wurden umbenannt, weil eine andere Datei dieselben Namen verwendet</translation>
    </message>
    <message>
        <source>its XFA form data is lost; its form fields remain</source>
        <translation>ihre XFA-Formulardaten gehen verloren; ihre Formularfelder bleiben</translation>
    </message>
    <message>
        <source>its digital signature no longer applies</source>
        <translation>ihre digitale Signatur gilt nicht mehr</translation>
    </message>
    <message>
        <source>the named places in it, which links from other files can lead to, are lost</source>
        <translation>die benannten Stellen darin, zu denen Verweise aus anderen Dateien führen können, gehen verloren</translation>
    </message>
    <message>
        <source>its attached files are lost</source>
        <translation>ihre angehängten Dateien gehen verloren</translation>
    </message>
    <message>
        <source>its accessibility tags, which screen readers follow, are lost</source>
        <translation>ihre Tags für Barrierefreiheit, denen Bildschirmleser folgen, gehen verloren</translation>
    </message>
    <message>
        <source>its scripts are left out</source>
        <translation>ihre Skripte werden weggelassen</translation>
    </message>
    <message>
        <source>its claim to meet PDF/A or PDF/UA is left out, since the joined file does not meet it</source>
        <translation>ihre Angabe, PDF/A oder PDF/UA zu erfüllen, wird weggelassen, da die zusammengefügte Datei es nicht erfüllt</translation>
    </message>
    <message>
        <source>the page it opens at is lost</source>
        <translation>die Seite, auf der sie sich öffnet, geht verloren</translation>
    </message>
    <message>
        <source>how it lays out its pages, such as two side by side, is lost</source>
        <translation>die Anordnung ihrer Seiten, etwa zwei nebeneinander, geht verloren</translation>
    </message>
    <message>
        <source>its settings for the viewer are lost</source>
        <translation>ihre Einstellungen für das Anzeigeprogramm gehen verloren</translation>
    </message>
    <message>
        <source>its language setting is lost</source>
        <translation>ihre Spracheinstellung geht verloren</translation>
    </message>
    <message>
        <source>its title, author, subject and keywords are lost</source>
        <translation>ihr Titel, Autor, Thema und ihre Stichwörter gehen verloren</translation>
    </message>
    <message>
        <source>its description (XMP metadata) is lost</source>
        <translation>ihre Beschreibung (XMP-Metadaten) geht verloren</translation>
    </message>
    <message>
        <source>The file (%1) is password protected. Enter its password:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>Die Datei (%1) ist passwortgeschützt. Geben Sie ihr Passwort ein:
Hinweis: Lassen Sie dieses Feld leer oder wählen Sie „Abbrechen“, um das Zusammenfügen zu beenden</translation>
    </message>
</context>
</TS>
