<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>Corvanta</name>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Drag and drop files here. Drag files up and down to change order. Double-click item to remove it.</source>
        <translation>Trascina qui i file. Trascina i file in alto o in basso per cambiarne l’ordine. Fai doppio clic su un elemento per rimuoverlo.</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Opzione</translation>
    </message>
    <message>
        <source>Prompt for password because PDF files are password protected</source>
        <translation>Chiedi le password dei file PDF protetti</translation>
    </message>
    <message>
        <source>Files to join</source>
        <translation>File da unire</translation>
    </message>
    <message>
        <source>The PDF files to join, in order from top to bottom. Delete removes the current file; Ctrl+Up and Ctrl+Down move the selected files.</source>
        <translation>I file PDF da unire, nell’ordine dall’alto in basso. Canc rimuove il file corrente; Ctrl+Su e Ctrl+Giù spostano i file selezionati.</translation>
    </message>
    <message>
        <source>When ticked, Corvanta asks for each file&apos;s password before joining.</source>
        <translation>Se è selezionata, Corvanta chiede la password di ogni file prima di unirli.</translation>
    </message>
    <message>
        <source>Join progress</source>
        <translation>Avanzamento dell’unione</translation>
    </message>
    <message>
        <source>How far the running join has got</source>
        <translation>A che punto è l’unione in corso</translation>
    </message>
    <message>
        <source>PDF Files - %1</source>
        <translation>File PDF - %1</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Aggiungi file</translation>
    </message>
    <message>
        <source>Choose PDF files to add to the end of the list</source>
        <translation>Scegli i file PDF da aggiungere in fondo all’elenco</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Aggiungi cartella</translation>
    </message>
    <message>
        <source>Choose a folder; its PDF files and those of its sub-folders are added to the list</source>
        <translation>Scegli una cartella; i suoi file PDF e quelli delle sottocartelle vengono aggiunti all’elenco</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Svuota elenco</translation>
    </message>
    <message>
        <source>Remove every file from the list</source>
        <translation>Rimuovi tutti i file dall’elenco</translation>
    </message>
    <message>
        <source>Start Joining</source>
        <translation>Avvia unione</translation>
    </message>
    <message>
        <source>Join the listed files, from top to bottom, into joined.pdf on the Desktop</source>
        <translation>Unisci i file dell’elenco, dall’alto in basso, in joined.pdf sulla Scrivania</translation>
    </message>
    <message>
        <source>&amp;Add Files</source>
        <translation>&amp;Aggiungi file</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>Aggiungi &amp;cartella</translation>
    </message>
    <message>
        <source>&amp;Clear Selected Files</source>
        <translation>&amp;Rimuovi i file selezionati</translation>
    </message>
    <message>
        <source>&amp;Clear All Files</source>
        <translation>&amp;Rimuovi tutti i file</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Load Sample/Example Files To Test With</source>
        <translation>&amp;Carica file di esempio per provare</translation>
    </message>
    <message>
        <source>Quillmoor &amp;FAQ</source>
        <translation>&amp;FAQ di Quillmoor</translation>
    </message>
    <message>
        <source>&amp;Watch Old Demo Video</source>
        <translation>&amp;Guarda il vecchio video dimostrativo</translation>
    </message>
    <message>
        <source>&amp;Additional Help</source>
        <translation>&amp;Aiuto aggiuntivo</translation>
    </message>
    <message>
        <source>&amp;Go To %1 For More Apps</source>
        <translation>&amp;Vai su %1 per altre app</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Quillmoor at </source>
        <translation>Domande? Contatta il team di Quillmoor all’indirizzo </translation>
    </message>
    <message>
        <source>at line </source>
        <translation>alla riga </translation>
    </message>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Invia uno screenshot di questo messaggio via e-mail a </translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Errore dell’applicazione</translation>
    </message>
    <message>
        <source>The Desktop folder cannot be determined.</source>
        <translation>Impossibile determinare la cartella Scrivania.</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Aggiungi file - Tieni premuto Ctrl per selezionare più file</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>File PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Seleziona una cartella:</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Vuoi che questo programma apra la cartella in cui sono salvati questi file di esempio (così puoi vederli prima di usarli)?</translation>
    </message>
    <message>
        <source>File %1 of %2 to join</source>
        <translation>File %1 di %2 da unire</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>il nome non è UTF-8 valido</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>impossibile leggere la cartella</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>il percorso è troppo lungo</translation>
    </message>
    <message>
        <source>1 file or folder was left out:
</source>
        <translation>È stato escluso 1 file o cartella:
</translation>
    </message>
    <message>
        <source>%1 files or folders were left out:
</source>
        <translation>Sono stati esclusi %1 file o cartelle:
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
… e altri %1.</translation>
    </message>
    <message>
        <source>needs a password; none was typed</source>
        <translation>richiede una password; non ne è stata digitata nessuna</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>non esiste</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>non è un file normale</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>non può essere letto: %1</translation>
    </message>
    <message>
        <source>is not a PDF file</source>
        <translation>non è un file PDF</translation>
    </message>
    <message>
        <source>is password protected</source>
        <translation>è protetto da password</translation>
    </message>
    <message>
        <source>the password typed for it is wrong</source>
        <translation>la password digitata per questo file è errata</translation>
    </message>
    <message>
        <source>is damaged</source>
        <translation>è danneggiato</translation>
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

pdftk ha segnalato:
</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote is incomplete or damaged.</source>
        <translation>pdftk ha segnalato la riuscita, ma il file che ha scritto è incompleto o danneggiato.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of at least %2.</source>
        <translation>pdftk ha segnalato la riuscita, ma il file che ha scritto ha un numero di pagine errato: %1 invece di almeno %2.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of %2.</source>
        <translation>pdftk ha segnalato la riuscita, ma il file che ha scritto ha un numero di pagine errato: %1 invece di %2.</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Nessun file aggiunto.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fatto.</translation>
    </message>
    <message>
        <source>Joined PDF was saved on the Desktop. Would you like to open the joined file to view the results? (%1)</source>
        <translation>Il PDF unito è stato salvato sulla Scrivania. Vuoi aprire il file unito per vedere il risultato? (%1)</translation>
    </message>
    <message>
        <source>A join is already running. Would you like to stop it?

Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.</source>
        <translation>È già in corso un’unione. Vuoi interromperla?

Interrompendola si scarta quanto unito finora; un joined.pdf esistente resta com’era.</translation>
    </message>
    <message>
        <source>Files are still being added to the list. Please start joining when they are all in.</source>
        <translation>Si stanno ancora aggiungendo file all’elenco. Avvia l’unione quando ci sono tutti.</translation>
    </message>
    <message>
        <source>

%1 could not be replaced (%2), so the joined file was saved as
%3</source>
        <translation>

Impossibile sostituire %1 (%2), quindi il file unito è stato salvato come
%3</translation>
    </message>
    <message>
        <source>Input Password</source>
        <translation>Inserisci password</translation>
    </message>
    <message>
        <source>Enter password for file (%1): <byte value="xd"/>
Note: Leave this box blank if file is not password protected</source>
        <translation>Inserisci la password del file (%1): <byte value="xd"/>
Nota: lascia vuota questa casella se il file non è protetto da password</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Impossibile creare la cartella %1.</translation>
    </message>
    <message>
        <source>this file cannot be used.

</source>
        <translation>questo file non può essere usato.

</translation>
    </message>
    <message>
        <source>these files cannot be used.

</source>
        <translation>questi file non possono essere usati.

</translation>
    </message>
    <message>
        <source>

To join password-protected files, tick &quot;Prompt for password because PDF files are password protected&quot; and type each file&apos;s password when asked.</source>
        <translation>

Per unire file protetti da password, seleziona «Chiedi le password dei file PDF protetti» e digita la password di ogni file quando ti viene chiesta.</translation>
    </message>
    <message>
        <source>a password is missing or wrong.

</source>
        <translation>una password manca o è errata.

</translation>
    </message>
    <message>
        <source>passwords are missing or wrong.

</source>
        <translation>alcune password mancano o sono errate.

</translation>
    </message>
    <message>
        <source>pdftk was not found.

Corvanta looks for pdftk in its own folder (%1) and on the PATH.
</source>
        <translation>pdftk non è stato trovato.

Corvanta cerca pdftk nella propria cartella (%1) e nel PATH.
</translation>
    </message>
    <message>
        <source>pdftk could not be started.

</source>
        <translation>impossibile avviare pdftk.

</translation>
    </message>
    <message>
        <source>pdftk stopped unexpectedly.</source>
        <translation>pdftk si è interrotto inaspettatamente.</translation>
    </message>
    <message>
        <source>pdftk reported success but wrote no file.</source>
        <translation>pdftk ha segnalato la riuscita ma non ha scritto alcun file.</translation>
    </message>
    <message>
        <source>The PDF files were joined, but the result could not be saved as
%1

%2

The joined file is kept as
%3</source>
        <translation>I file PDF sono stati uniti, ma non è stato possibile salvare il risultato come
%1

%2

Il file unito è conservato come
%3</translation>
    </message>
    <message>
        <source>pdftk could not repair this damaged file:
</source>
        <translation>pdftk non è riuscito a riparare questo file danneggiato:
</translation>
    </message>
    <message>
        <source>pdftk could not repair these damaged files:
</source>
        <translation>pdftk non è riuscito a riparare questi file danneggiati:
</translation>
    </message>
    <message>
        <source>the joined file cannot be written to this folder:
</source>
        <translation>il file unito non può essere scritto in questa cartella:
</translation>
    </message>
    <message>
        <source>pdftk ended with exit code %1.</source>
        <translation>pdftk è terminato con il codice di uscita %1.</translation>
    </message>
    <message>
        <source>Put pdftk.exe in Corvanta&apos;s folder, or install pdftk and add its folder to the PATH.</source>
        <translation>Metti pdftk.exe nella cartella di Corvanta, oppure installa pdftk e aggiungi la sua cartella al PATH.</translation>
    </message>
    <message>
        <source>To install it with Homebrew: brew install pdftk-java</source>
        <translation>Per installarlo con Homebrew: brew install pdftk-java</translation>
    </message>
    <message>
        <source>To install it on Debian or Ubuntu: sudo apt install pdftk-java</source>
        <translation>Per installarlo su Debian o Ubuntu: sudo apt install pdftk-java</translation>
    </message>
    <message>
        <source>Install the package pdftk-java (or pdftk) with your system&apos;s package manager.</source>
        <translation>Installa il pacchetto pdftk-java (o pdftk) con il gestore di pacchetti del sistema.</translation>
    </message>
    <message>
        <source>The PDF files were not joined: %1</source>
        <translation>I file PDF non sono stati uniti: %1</translation>
    </message>
    <message>
        <source>
… and %1 more</source>
        <translation>
… e altri %1</translation>
    </message>
    <message>
        <source>Another program is still running.</source>
        <translation>Un altro programma è ancora in esecuzione.</translation>
    </message>
    <message>
        <source>could not be checked safely: %1</source>
        <translation>non è stato possibile controllarlo in modo sicuro: %1</translation>
    </message>
    <message>
        <source>the password typed for it has characters that pdftk cannot pass on; pdftk takes only the letters and signs of Western European languages</source>
        <translation>la password digitata contiene caratteri che pdftk non può trasmettere; pdftk accetta solo le lettere e i segni delle lingue dell’Europa occidentale</translation>
    </message>
    <message>
        <source>pdftk cannot be given the password PROMPT: it takes that word as a request to ask for the password</source>
        <translation>non è possibile dare a pdftk la password PROMPT: la interpreta come una richiesta di chiedere la password</translation>
    </message>
    <message>
        <source>is encrypted in a way that pdftk cannot open (such as AES-256)</source>
        <translation>è cifrato in un modo che pdftk non può aprire (come AES-256)</translation>
    </message>
    <message>
        <source>has its pages nested more deeply than pdftk can follow</source>
        <translation>ha le pagine annidate più in profondità di quanto pdftk riesca a seguire</translation>
    </message>
    <message>
        <source>has a list of pages that leads back into itself</source>
        <translation>ha un elenco di pagine che rimanda a se stesso</translation>
    </message>
    <message>
        <source>page %1 has a size that pdftk cannot read</source>
        <translation>la pagina %1 ha una dimensione che pdftk non può leggere</translation>
    </message>
    <message>
        <source>it needs more memory than allowed</source>
        <translation>richiede più memoria di quella consentita</translation>
    </message>
    <message>
        <source>reading it takes too long</source>
        <translation>leggerlo richiede troppo tempo</translation>
    </message>
    <message>
        <source>reading it failed</source>
        <translation>la lettura non è riuscita</translation>
    </message>
    <message>
        <source>pdftk reported success, but page %1 of the file it wrote is not page %2 of
%3</source>
        <translation>pdftk ha segnalato la riuscita, ma la pagina %1 del file che ha scritto non è la pagina %2 di
%3</translation>
    </message>
    <message>
        <source>Corvanta&apos;s PDF checker is missing:
%1

Please install Corvanta again.</source>
        <translation>manca il controllo PDF di Corvanta:
%1

Reinstallare Corvanta.</translation>
    </message>
    <message>
        <source>there is not enough free space for the joined file on the Desktop&apos;s drive (%1).

It needs about %2; %3 are free.</source>
        <translation>non c’è abbastanza spazio libero per il file unito sull’unità della Scrivania (%1).

Servono circa %2; ne sono liberi %3.</translation>
    </message>
    <message>
        <source>the Desktop&apos;s drive ran out of free space while pdftk wrote the joined file. It needs about %1.</source>
        <translation>l’unità della Scrivania ha esaurito lo spazio libero mentre pdftk scriveva il file unito. Servono circa %1.</translation>
    </message>
    <message>
        <source>is compressed in a way that pdftk cannot read</source>
        <translation>è compresso in un modo che pdftk non sa leggere</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote could not be verified (%1), so it was not kept. An existing joined.pdf is left as it was.</source>
        <translation>pdftk ha segnalato un successo, ma il file che ha scritto non è stato possibile verificarlo (%1), perciò non è stato tenuto. Un joined.pdf già presente resta com’era.</translation>
    </message>
    <message>
        <source>

The first file whose pages are not all in it:
%1</source>
        <translation>

Il primo file le cui pagine non ci sono tutte:
%1</translation>
    </message>
    <message>
        <source>its hidden layers are visible</source>
        <translation>i suoi livelli nascosti sono visibili</translation>
    </message>
    <message>
        <source>form fields may show old values</source>
        <translation>i campi del modulo possono mostrare valori vecchi</translation>
    </message>
    <message>
        <source>page numbers such as i, ii are lost</source>
        <translation>i numeri di pagina come i, ii vanno persi</translation>
    </message>
    <message>
        <source>the view it opens with, such as its bookmarks shown, is lost</source>
        <translation>la vista con cui si apre, per esempio con i segnalibri mostrati, va persa</translation>
    </message>
    <message>
        <source>its pages could not all be checked</source>
        <translation>non è stato possibile controllare tutte le sue pagine</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>pdftk cannot read this file:
%1</source>
        <translation>pdftk non riesce a leggere questo file:
%1</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be used: its name is not valid UTF-8, and pdftk takes only names that are.</source>
        <translation>Impossibile usare la cartella Scrivania %1: il suo nome non è UTF-8 valido e pdftk accetta solo nomi che lo sono.</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be made: the folder it belongs in,
%2,
does not exist. Is a drive or network share missing?</source>
        <translation>Impossibile creare la cartella Scrivania %1: la cartella che deve contenerla,
%2,
non esiste. Manca un’unità o una condivisione di rete?</translation>
    </message>
    <message>
        <source>The password typed for file (%1) is wrong. Enter its password again:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>La password inserita per il file (%1) è errata. Inseriscila di nuovo:
Nota: lascia vuota questa casella o scegli Annulla per interrompere l’unione</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Altri pulsanti della barra degli strumenti</translation>
    </message>
    <message>
        <source>Shows the toolbar buttons that do not fit in the window</source>
        <translation>Mostra i pulsanti della barra degli strumenti che non entrano nella finestra</translation>
    </message>
    <message>
        <source>has cross-reference tables that lead back into themselves; pdftk would read it without end</source>
        <translation>ha tabelle dei riferimenti incrociati che riportano a sé stesse; pdftk lo leggerebbe senza fine</translation>
    </message>
    <message>
        <source>its size or rotation</source>
        <translation>le sue dimensioni o la sua rotazione</translation>
    </message>
    <message>
        <source>what it draws</source>
        <translation>ciò che disegna</translation>
    </message>
    <message>
        <source>the fonts, images or drawings it uses</source>
        <translation>i caratteri, le immagini o i disegni che usa</translation>
    </message>
    <message>
        <source>its annotations or form fields</source>
        <translation>le sue annotazioni o i suoi campi modulo</translation>
    </message>
    <message>
        <source>

What differs: %1.</source>
        <translation>

Ciò che differisce: %1.</translation>
    </message>
    <message>
        <source>%1 does not show everything of this file as the file itself does:

</source>
        <translation>%1 non mostra tutto di questo file come lo mostra il file stesso:

</translation>
    </message>
    <message>
        <source>%1 does not show everything of these files as the files themselves do:

</source>
        <translation>%1 non mostra tutto di questi file come lo mostrano i file stessi:

</translation>
    </message>
    <message>
        <source>holds its pages in a dynamic XFA form, which pdftk cannot copy: the joined file would show only a &quot;Please wait&quot; page</source>
        <translation>contiene le sue pagine in un modulo XFA dinamico, che pdftk non può copiare: il file unito mostrerebbe solo una pagina «Attendere»</translation>
    </message>
    <message>
        <source>its layers can no longer be shown or hidden</source>
        <translation>i suoi livelli non si possono più mostrare né nascondere</translation>
    </message>
    <message>
        <source>its form fields may show their text in another style, or calculate in another order</source>
        <translation>i suoi campi modulo possono mostrare il testo in un altro stile, o calcolare in un altro ordine</translation>
    </message>
    <message>
        <source>its form fields were renamed, because another file used the same names</source>
        <translation>i suoi campi modulo sono stati rinominati, perché un altro file usava gli stessi nomi</translation>
    </message>
    <message>
        <source>its XFA form data is lost; its form fields remain</source>
        <translation>i suoi dati del modulo XFA vanno persi; i suoi campi modulo restano</translation>
    </message>
    <message>
        <source>its digital signature no longer applies</source>
        <translation>la sua firma digitale non vale più</translation>
    </message>
    <message>
        <source>the named places in it, which links from other files can lead to, are lost</source>
        <translation>i punti con nome che contiene, a cui possono portare collegamenti di altri file, vanno persi</translation>
    </message>
    <message>
        <source>its attached files are lost</source>
        <translation>i suoi file allegati vanno persi</translation>
    </message>
    <message>
        <source>its accessibility tags, which screen readers follow, are lost</source>
        <translation>i suoi tag di accessibilità, che i lettori di schermo seguono, vanno persi</translation>
    </message>
    <message>
        <source>its scripts are left out</source>
        <translation>i suoi script vengono tralasciati</translation>
    </message>
    <message>
        <source>its claim to meet PDF/A or PDF/UA is left out, since the joined file does not meet it</source>
        <translation>la sua dichiarazione di conformità a PDF/A o PDF/UA viene tralasciata, perché il file unito non è conforme</translation>
    </message>
    <message>
        <source>the page it opens at is lost</source>
        <translation>la pagina a cui si apre va persa</translation>
    </message>
    <message>
        <source>how it lays out its pages, such as two side by side, is lost</source>
        <translation>la disposizione delle sue pagine, per esempio due affiancate, va persa</translation>
    </message>
    <message>
        <source>its settings for the viewer are lost</source>
        <translation>le sue impostazioni per il visualizzatore vanno perse</translation>
    </message>
    <message>
        <source>its language setting is lost</source>
        <translation>la sua impostazione della lingua va persa</translation>
    </message>
    <message>
        <source>its title, author, subject and keywords are lost</source>
        <translation>il suo titolo, autore, oggetto e parole chiave vanno persi</translation>
    </message>
    <message>
        <source>its description (XMP metadata) is lost</source>
        <translation>la sua descrizione (metadati XMP) va persa</translation>
    </message>
    <message>
        <source>The file (%1) is password protected. Enter its password:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>Il file (%1) è protetto da password. Inserisci la sua password:
Nota: lascia vuota questa casella o scegli Annulla per interrompere l’unione</translation>
    </message>
</context>
</TS>
