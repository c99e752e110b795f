<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Corvanta</name>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Drag and drop files here. Drag files up and down to change order. Double-click item to remove it.</source>
        <translation>Arrastre y suelte archivos aquí. Arrastre los archivos hacia arriba o hacia abajo para cambiar el orden. Haga doble clic en un elemento para quitarlo.</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Opción</translation>
    </message>
    <message>
        <source>Prompt for password because PDF files are password protected</source>
        <translation>Pedir las contraseñas de los archivos PDF protegidos</translation>
    </message>
    <message>
        <source>Files to join</source>
        <translation>Archivos que unir</translation>
    </message>
    <message>
        <source>The PDF files to join, in order from top to bottom. Delete removes the current file; Ctrl+Up and Ctrl+Down move the selected files.</source>
        <translation>Los archivos PDF que unir, en orden de arriba abajo. Supr quita el archivo actual; Ctrl+Arriba y Ctrl+Abajo mueven los archivos seleccionados.</translation>
    </message>
    <message>
        <source>When ticked, Corvanta asks for each file&apos;s password before joining.</source>
        <translation>Si está marcada, Corvanta pide la contraseña de cada archivo antes de unirlos.</translation>
    </message>
    <message>
        <source>Join progress</source>
        <translation>Progreso de la unión</translation>
    </message>
    <message>
        <source>How far the running join has got</source>
        <translation>Cuánto ha avanzado la unión en curso</translation>
    </message>
    <message>
        <source>PDF Files - %1</source>
        <translation>Archivos PDF - %1</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Añadir archivos</translation>
    </message>
    <message>
        <source>Choose PDF files to add to the end of the list</source>
        <translation>Elegir archivos PDF para añadirlos al final de la lista</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Añadir carpeta</translation>
    </message>
    <message>
        <source>Choose a folder; its PDF files and those of its sub-folders are added to the list</source>
        <translation>Elegir una carpeta; sus archivos PDF y los de sus subcarpetas se añaden a la lista</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vaciar lista</translation>
    </message>
    <message>
        <source>Remove every file from the list</source>
        <translation>Quitar todos los archivos de la lista</translation>
    </message>
    <message>
        <source>Start Joining</source>
        <translation>Iniciar unión</translation>
    </message>
    <message>
        <source>Join the listed files, from top to bottom, into joined.pdf on the Desktop</source>
        <translation>Unir los archivos de la lista, de arriba abajo, en joined.pdf en el Escritorio</translation>
    </message>
    <message>
        <source>&amp;Add Files</source>
        <translation>Añadir &amp;archivos</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>Añadir &amp;carpeta</translation>
    </message>
    <message>
        <source>&amp;Clear Selected Files</source>
        <translation>&amp;Quitar los archivos seleccionados</translation>
    </message>
    <message>
        <source>&amp;Clear All Files</source>
        <translation>&amp;Quitar todos los archivos</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Load Sample/Example Files To Test With</source>
        <translation>&amp;Cargar archivos de ejemplo para probar</translation>
    </message>
    <message>
        <source>Quillmoor &amp;FAQ</source>
        <translation>&amp;Preguntas frecuentes de Quillmoor</translation>
    </message>
    <message>
        <source>&amp;Watch Old Demo Video</source>
        <translation>&amp;Ver el antiguo vídeo de demostración</translation>
    </message>
    <message>
        <source>&amp;Additional Help</source>
        <translation>&amp;Ayuda adicional</translation>
    </message>
    <message>
        <source>&amp;Go To %1 For More Apps</source>
        <translation>&amp;Más aplicaciones en %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Quillmoor at </source>
        <translation>¿Preguntas? Póngase en contacto con el equipo de Quillmoor en </translation>
    </message>
    <message>
        <source>at line </source>
        <translation>en la línea </translation>
    </message>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Envíe una captura de pantalla de este mensaje por correo electrónico a </translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Error de la aplicación</translation>
    </message>
    <message>
        <source>The Desktop folder cannot be determined.</source>
        <translation>No se puede determinar la carpeta Escritorio.</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Añadir archivo(s) - Mantenga pulsada Ctrl para seleccionar varios archivos</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Seleccione una carpeta:</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>¿Desea que este programa abra la carpeta donde se guardan estos archivos de ejemplo (para que pueda verlos antes de trabajar con ellos)?</translation>
    </message>
    <message>
        <source>File %1 of %2 to join</source>
        <translation>Archivo %1 de %2 que unir</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>el nombre no es UTF-8 válido</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>no se puede leer la carpeta</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>la ruta es demasiado larga</translation>
    </message>
    <message>
        <source>1 file or folder was left out:
</source>
        <translation>Se omitió 1 archivo o carpeta:
</translation>
    </message>
    <message>
        <source>%1 files or folders were left out:
</source>
        <translation>Se omitieron %1 archivos o carpetas:
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
… y %1 más.</translation>
    </message>
    <message>
        <source>needs a password; none was typed</source>
        <translation>necesita una contraseña; no se escribió ninguna</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>no existe</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>is not a PDF file</source>
        <translation>no es un archivo PDF</translation>
    </message>
    <message>
        <source>is password protected</source>
        <translation>está protegido con contraseña</translation>
    </message>
    <message>
        <source>the password typed for it is wrong</source>
        <translation>la contraseña escrita para él es incorrecta</translation>
    </message>
    <message>
        <source>is damaged</source>
        <translation>está dañado</translation>
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

pdftk informó:
</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote is incomplete or damaged.</source>
        <translation>pdftk informó de que todo fue bien, pero el archivo que escribió está incompleto o dañado.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of at least %2.</source>
        <translation>pdftk informó de que todo fue bien, pero el archivo que escribió tiene un número de páginas incorrecto: %1 en lugar de al menos %2.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of %2.</source>
        <translation>pdftk informó de que todo fue bien, pero el archivo que escribió tiene un número de páginas incorrecto: %1 en lugar de %2.</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>No se ha añadido ningún archivo.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Hecho.</translation>
    </message>
    <message>
        <source>Joined PDF was saved on the Desktop. Would you like to open the joined file to view the results? (%1)</source>
        <translation>El PDF unido se ha guardado en el Escritorio. ¿Desea abrir el archivo unido para ver el resultado? (%1)</translation>
    </message>
    <message>
        <source>A join is already running. Would you like to stop it?

Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.</source>
        <translation>Ya hay una unión en curso. ¿Desea detenerla?

Al detenerla se descarta lo unido hasta ahora; un joined.pdf existente se queda como estaba.</translation>
    </message>
    <message>
        <source>Files are still being added to the list. Please start joining when they are all in.</source>
        <translation>Todavía se están añadiendo archivos a la lista. Inicie la unión cuando estén todos.</translation>
    </message>
    <message>
        <source>

%1 could not be replaced (%2), so the joined file was saved as
%3</source>
        <translation>

No se pudo reemplazar %1 (%2), así que el archivo unido se guardó como
%3</translation>
    </message>
    <message>
        <source>Input Password</source>
        <translation>Introducir contraseña</translation>
    </message>
    <message>
        <source>Enter password for file (%1): <byte value="xd"/>
Note: Leave this box blank if file is not password protected</source>
        <translation>Introduzca la contraseña del archivo (%1): <byte value="xd"/>
Nota: deje este cuadro en blanco si el archivo no está protegido con contraseña</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>No se puede crear la carpeta %1.</translation>
    </message>
    <message>
        <source>this file cannot be used.

</source>
        <translation>este archivo no se puede usar.

</translation>
    </message>
    <message>
        <source>these files cannot be used.

</source>
        <translation>estos archivos no se pueden usar.

</translation>
    </message>
    <message>
        <source>

To join password-protected files, tick &quot;Prompt for password because PDF files are password protected&quot; and type each file&apos;s password when asked.</source>
        <translation>

Para unir archivos protegidos con contraseña, marque «Pedir las contraseñas de los archivos PDF protegidos» y escriba la contraseña de cada archivo cuando se le pida.</translation>
    </message>
    <message>
        <source>a password is missing or wrong.

</source>
        <translation>falta una contraseña o es incorrecta.

</translation>
    </message>
    <message>
        <source>passwords are missing or wrong.

</source>
        <translation>faltan contraseñas o son incorrectas.

</translation>
    </message>
    <message>
        <source>pdftk was not found.

Corvanta looks for pdftk in its own folder (%1) and on the PATH.
</source>
        <translation>no se encontró pdftk.

Corvanta busca pdftk en su propia carpeta (%1) y en el PATH.
</translation>
    </message>
    <message>
        <source>pdftk could not be started.

</source>
        <translation>no se pudo iniciar pdftk.

</translation>
    </message>
    <message>
        <source>pdftk stopped unexpectedly.</source>
        <translation>pdftk se detuvo de forma inesperada.</translation>
    </message>
    <message>
        <source>pdftk reported success but wrote no file.</source>
        <translation>pdftk informó de que todo fue bien, pero no escribió ningún archivo.</translation>
    </message>
    <message>
        <source>The PDF files were joined, but the result could not be saved as
%1

%2

The joined file is kept as
%3</source>
        <translation>Los archivos PDF se unieron, pero el resultado no se pudo guardar como
%1

%2

El archivo unido se conserva como
%3</translation>
    </message>
    <message>
        <source>pdftk could not repair this damaged file:
</source>
        <translation>pdftk no pudo reparar este archivo dañado:
</translation>
    </message>
    <message>
        <source>pdftk could not repair these damaged files:
</source>
        <translation>pdftk no pudo reparar estos archivos dañados:
</translation>
    </message>
    <message>
        <source>the joined file cannot be written to this folder:
</source>
        <translation>el archivo unido no se puede escribir en esta carpeta:
</translation>
    </message>
    <message>
        <source>pdftk ended with exit code %1.</source>
        <translation>pdftk terminó con el código de salida %1.</translation>
    </message>
    <message>
        <source>Put pdftk.exe in Corvanta&apos;s folder, or install pdftk and add its folder to the PATH.</source>
        <translation>Coloque pdftk.exe en la carpeta de Corvanta, o instale pdftk y añada su carpeta al PATH.</translation>
    </message>
    <message>
        <source>To install it with Homebrew: brew install pdftk-java</source>
        <translation>Para instalarlo con Homebrew: brew install pdftk-java</translation>
    </message>
    <message>
        <source>To install it on Debian or Ubuntu: sudo apt install pdftk-java</source>
        <translation>Para instalarlo en Debian o Ubuntu: sudo apt install pdftk-java</translation>
    </message>
    <message>
        <source>Install the package pdftk-java (or pdftk) with your system&apos;s package manager.</source>
        <translation>Instale el paquete pdftk-java (o pdftk) con el gestor de paquetes de su sistema.</translation>
    </message>
    <message>
        <source>The PDF files were not joined: %1</source>
        <translation>Los archivos PDF no se han unido: %1</translation>
    </message>
    <message>
        <source>
… and %1 more</source>
        <translation>
… y %1 más</translation>
    </message>
    <message>
        <source>Another program is still running.</source>
        <translation>Otro programa sigue en ejecución.</translation>
    </message>
    <message>
        <source>could not be checked safely: %1</source>
        <translation>no se pudo comprobar de forma segura: %1</translation>
    </message>
    <message>
        <source>the password typed for it has characters that pdftk cannot pass on; pdftk takes only the letters and signs of Western European languages</source>
        <translation>la contraseña escrita tiene caracteres que pdftk no puede transmitir; pdftk solo acepta las letras y signos de las lenguas de Europa occidental</translation>
    </message>
    <message>
        <source>pdftk cannot be given the password PROMPT: it takes that word as a request to ask for the password</source>
        <translation>no se le puede dar a pdftk la contraseña PROMPT: la toma como una petición de preguntar la contraseña</translation>
    </message>
    <message>
        <source>is encrypted in a way that pdftk cannot open (such as AES-256)</source>
        <translation>está cifrado de una forma que pdftk no puede abrir (como AES-256)</translation>
    </message>
    <message>
        <source>has its pages nested more deeply than pdftk can follow</source>
        <translation>tiene las páginas anidadas a más profundidad de la que pdftk puede seguir</translation>
    </message>
    <message>
        <source>has a list of pages that leads back into itself</source>
        <translation>tiene una lista de páginas que vuelve sobre sí misma</translation>
    </message>
    <message>
        <source>page %1 has a size that pdftk cannot read</source>
        <translation>la página %1 tiene un tamaño que pdftk no puede leer</translation>
    </message>
    <message>
        <source>it needs more memory than allowed</source>
        <translation>necesita más memoria de la permitida</translation>
    </message>
    <message>
        <source>reading it takes too long</source>
        <translation>leerlo lleva demasiado tiempo</translation>
    </message>
    <message>
        <source>reading it failed</source>
        <translation>no se pudo leer</translation>
    </message>
    <message>
        <source>pdftk reported success, but page %1 of the file it wrote is not page %2 of
%3</source>
        <translation>pdftk informó de que todo fue bien, pero la página %1 del archivo que escribió no es la página %2 de
%3</translation>
    </message>
    <message>
        <source>Corvanta&apos;s PDF checker is missing:
%1

Please install Corvanta again.</source>
        <translation>falta el comprobador de PDF de Corvanta:
%1

Vuelva a instalar Corvanta.</translation>
    </message>
    <message>
        <source>there is not enough free space for the joined file on the Desktop&apos;s drive (%1).

It needs about %2; %3 are free.</source>
        <translation>no hay suficiente espacio libre para el archivo unido en la unidad del Escritorio (%1).

Necesita unos %2; hay %3 libres.</translation>
    </message>
    <message>
        <source>the Desktop&apos;s drive ran out of free space while pdftk wrote the joined file. It needs about %1.</source>
        <translation>la unidad del Escritorio se quedó sin espacio libre mientras pdftk escribía el archivo unido. Necesita unos %1.</translation>
    </message>
    <message>
        <source>is compressed in a way that pdftk cannot read</source>
        <translation>está comprimido de una forma que pdftk no puede leer</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote could not be verified (%1), so it was not kept. An existing joined.pdf is left as it was.</source>
        <translation>pdftk informó de que lo había logrado, pero el archivo que escribió no se pudo verificar (%1), así que no se conservó. Un joined.pdf existente queda como estaba.</translation>
    </message>
    <message>
        <source>

The first file whose pages are not all in it:
%1</source>
        <translation>

El primer archivo cuyas páginas no están todas en él:
%1</translation>
    </message>
    <message>
        <source>its hidden layers are visible</source>
        <translation>sus capas ocultas son visibles</translation>
    </message>
    <message>
        <source>form fields may show old values</source>
        <translation>los campos de formulario pueden mostrar valores antiguos</translation>
    </message>
    <message>
        <source>page numbers such as i, ii are lost</source>
        <translation>se pierden los números de página como i, ii</translation>
    </message>
    <message>
        <source>the view it opens with, such as its bookmarks shown, is lost</source>
        <translation>se pierde la vista con la que se abre, por ejemplo con sus marcadores visibles</translation>
    </message>
    <message>
        <source>its pages could not all be checked</source>
        <translation>no se pudieron comprobar todas sus páginas</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>pdftk cannot read this file:
%1</source>
        <translation>pdftk no puede leer este archivo:
%1</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be used: its name is not valid UTF-8, and pdftk takes only names that are.</source>
        <translation>No se puede usar la carpeta Escritorio %1: su nombre no es UTF-8 válido, y pdftk solo acepta nombres que lo sean.</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be made: the folder it belongs in,
%2,
does not exist. Is a drive or network share missing?</source>
        <translation>No se puede crear la carpeta Escritorio %1: la carpeta que debe contenerla,
%2,
no existe. ¿Falta una unidad o un recurso compartido de red?</translation>
    </message>
    <message>
        <source>The password typed for file (%1) is wrong. Enter its password again:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>La contraseña introducida para el archivo (%1) es incorrecta. Vuelva a introducirla:
Nota: deje este cuadro en blanco o elija Cancelar para detener la unión</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Más botones de la barra de herramientas</translation>
    </message>
    <message>
        <source>Shows the toolbar buttons that do not fit in the window</source>
        <translation>Muestra los botones de la barra de herramientas que no caben en la ventana</translation>
    </message>
    <message>
        <source>has cross-reference tables that lead back into themselves; pdftk would read it without end</source>
        <translation>tiene tablas de referencias cruzadas que vuelven sobre sí mismas; pdftk lo leería sin fin</translation>
    </message>
    <message>
        <source>its size or rotation</source>
        <translation>su tamaño o su rotación</translation>
    </message>
    <message>
        <source>what it draws</source>
        <translation>lo que dibuja</translation>
    </message>
    <message>
        <source>the fonts, images or drawings it uses</source>
        <translation>las fuentes, imágenes o dibujos que usa</translation>
    </message>
    <message>
        <source>its annotations or form fields</source>
        <translation>sus anotaciones o campos de formulario</translation>
    </message>
    <message>
        <source>

What differs: %1.</source>
        <translation>

Lo que difiere: %1.</translation>
    </message>
    <message>
        <source>%1 does not show everything of this file as the file itself does:

</source>
        <translation>%1 no muestra todo este archivo como lo muestra el propio archivo:

</translation>
    </message>
    <message>
        <source>%1 does not show everything of these files as the files themselves do:

</source>
        <translation>%1 no muestra todo de estos archivos como lo muestran los propios archivos:

</translation>
    </message>
    <message>
        <source>holds its pages in a dynamic XFA form, which pdftk cannot copy: the joined file would show only a &quot;Please wait&quot; page</source>
        <translation>guarda sus páginas en un formulario XFA dinámico, que pdftk no puede copiar: el archivo unido solo mostraría una página «Espere, por favor»</translation>
    </message>
    <message>
        <source>its layers can no longer be shown or hidden</source>
        <translation>sus capas ya no se pueden mostrar ni ocultar</translation>
    </message>
    <message>
        <source>its form fields may show their text in another style, or calculate in another order</source>
        <translation>sus campos de formulario pueden mostrar su texto con otro estilo, o calcularse en otro orden</translation>
    </message>
    <message>
        <source>its form fields were renamed, because another file used the same names</source>
        <translation>sus campos de formulario se renombraron, porque otro archivo usaba los mismos nombres</translation>
    </message>
    <message>
        <source>its XFA form data is lost; its form fields remain</source>
        <translation>se pierden sus datos de formulario XFA; sus campos de formulario se mantienen</translation>
    </message>
    <message>
        <source>its digital signature no longer applies</source>
        <translation>su firma digital ya no es válida</translation>
    </message>
    <message>
        <source>the named places in it, which links from other files can lead to, are lost</source>
        <translation>se pierden los lugares con nombre que contiene, a los que pueden llevar enlaces de otros archivos</translation>
    </message>
    <message>
        <source>its attached files are lost</source>
        <translation>se pierden sus archivos adjuntos</translation>
    </message>
    <message>
        <source>its accessibility tags, which screen readers follow, are lost</source>
        <translation>se pierden sus etiquetas de accesibilidad, que siguen los lectores de pantalla</translation>
    </message>
    <message>
        <source>its scripts are left out</source>
        <translation>se dejan fuera sus scripts</translation>
    </message>
    <message>
        <source>its claim to meet PDF/A or PDF/UA is left out, since the joined file does not meet it</source>
        <translation>se deja fuera su declaración de cumplir PDF/A o PDF/UA, porque el archivo unido no lo cumple</translation>
    </message>
    <message>
        <source>the page it opens at is lost</source>
        <translation>se pierde la página en la que se abre</translation>
    </message>
    <message>
        <source>how it lays out its pages, such as two side by side, is lost</source>
        <translation>se pierde cómo dispone sus páginas, por ejemplo dos una al lado de otra</translation>
    </message>
    <message>
        <source>its settings for the viewer are lost</source>
        <translation>se pierden sus ajustes para el visor</translation>
    </message>
    <message>
        <source>its language setting is lost</source>
        <translation>se pierde su ajuste de idioma</translation>
    </message>
    <message>
        <source>its title, author, subject and keywords are lost</source>
        <translation>se pierden su título, autor, asunto y palabras clave</translation>
    </message>
    <message>
        <source>its description (XMP metadata) is lost</source>
        <translation>se pierde su descripción (metadatos XMP)</translation>
    </message>
    <message>
        <source>The file (%1) is password protected. Enter its password:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>El archivo (%1) está protegido con contraseña. Introduzca su contraseña:
Nota: deje este cuadro en blanco o elija Cancelar para detener la unión</translation>
    </message>
</context>
</TS>
