<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>Corvanta</name>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Drag and drop files here. Drag files up and down to change order. Double-click item to remove it.</source>
        <translation>Arraste e solte arquivos aqui. Arraste os arquivos para cima ou para baixo para mudar a ordem. Clique duas vezes em um item para removê-lo.</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Opção</translation>
    </message>
    <message>
        <source>Prompt for password because PDF files are password protected</source>
        <translation>Pedir a senha dos arquivos PDF protegidos por senha</translation>
    </message>
    <message>
        <source>Files to join</source>
        <translation>Arquivos a juntar</translation>
    </message>
    <message>
        <source>The PDF files to join, in order from top to bottom. Delete removes the current file; Ctrl+Up and Ctrl+Down move the selected files.</source>
        <translation>Os arquivos PDF a juntar, em ordem de cima para baixo. Delete remove o arquivo atual; Ctrl+Seta para cima e Ctrl+Seta para baixo movem os arquivos selecionados.</translation>
    </message>
    <message>
        <source>When ticked, Corvanta asks for each file&apos;s password before joining.</source>
        <translation>Quando marcada, o Corvanta pede a senha de cada arquivo antes de juntá-los.</translation>
    </message>
    <message>
        <source>Join progress</source>
        <translation>Progresso da junção</translation>
    </message>
    <message>
        <source>How far the running join has got</source>
        <translation>Quanto a junção em andamento já avançou</translation>
    </message>
    <message>
        <source>PDF Files - %1</source>
        <translation>Arquivos PDF - %1</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Adicionar arquivos</translation>
    </message>
    <message>
        <source>Choose PDF files to add to the end of the list</source>
        <translation>Escolher arquivos PDF para adicionar ao fim da lista</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Adicionar pasta</translation>
    </message>
    <message>
        <source>Choose a folder; its PDF files and those of its sub-folders are added to the list</source>
        <translation>Escolher uma pasta; os arquivos PDF dela e das subpastas são adicionados à lista</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Limpar lista</translation>
    </message>
    <message>
        <source>Remove every file from the list</source>
        <translation>Remover todos os arquivos da lista</translation>
    </message>
    <message>
        <source>Start Joining</source>
        <translation>Iniciar junção</translation>
    </message>
    <message>
        <source>Join the listed files, from top to bottom, into joined.pdf on the Desktop</source>
        <translation>Juntar os arquivos da lista, de cima para baixo, em joined.pdf na Área de trabalho</translation>
    </message>
    <message>
        <source>&amp;Add Files</source>
        <translation>&amp;Adicionar arquivos</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>Adicionar &amp;pasta</translation>
    </message>
    <message>
        <source>&amp;Clear Selected Files</source>
        <translation>&amp;Remover os arquivos selecionados</translation>
    </message>
    <message>
        <source>&amp;Clear All Files</source>
        <translation>&amp;Remover todos os arquivos</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Load Sample/Example Files To Test With</source>
        <translation>&amp;Carregar arquivos de exemplo para testar</translation>
    </message>
    <message>
        <source>Quillmoor &amp;FAQ</source>
        <translation>&amp;Perguntas frequentes da Quillmoor</translation>
    </message>
    <message>
        <source>&amp;Watch Old Demo Video</source>
        <translation>Assistir ao &amp;vídeo de demonstração antigo</translation>
    </message>
    <message>
        <source>&amp;Additional Help</source>
        <translation>&amp;Ajuda adicional</translation>
    </message>
    <message>
        <source>&amp;Go To %1 For More Apps</source>
        <translation>&amp;Mais aplicativos em %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;juda</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Quillmoor at </source>
        <translation>Dúvidas? Entre em contato com a equipe da Quillmoor em </translation>
    </message>
    <message>
        <source>at line </source>
        <translation>na linha </translation>
    </message>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Envie uma captura de tela desta mensagem por e-mail para </translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Erro do aplicativo</translation>
    </message>
    <message>
        <source>The Desktop folder cannot be determined.</source>
        <translation>Não é possível determinar a pasta Área de trabalho.</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Adicionar arquivo(s) - Segure Ctrl para selecionar vários arquivos</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>Arquivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selecione uma pasta:</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Deseja que este programa abra a pasta onde estes arquivos de exemplo estão guardados (para que você possa vê-los antes de trabalhar com eles)?</translation>
    </message>
    <message>
        <source>File %1 of %2 to join</source>
        <translation>Arquivo %1 de %2 a juntar</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>o nome não é UTF-8 válido</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>não é possível ler a pasta</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>o caminho é longo demais</translation>
    </message>
    <message>
        <source>1 file or folder was left out:
</source>
        <translation>1 arquivo ou pasta foi deixado de fora:
</translation>
    </message>
    <message>
        <source>%1 files or folders were left out:
</source>
        <translation>%1 arquivos ou pastas foram deixados de fora:
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
… e mais %1.</translation>
    </message>
    <message>
        <source>needs a password; none was typed</source>
        <translation>precisa de senha; nenhuma foi digitada</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>não existe</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>não é um arquivo comum</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>não pode ser lido: %1</translation>
    </message>
    <message>
        <source>is not a PDF file</source>
        <translation>não é um arquivo PDF</translation>
    </message>
    <message>
        <source>is password protected</source>
        <translation>é protegido por senha</translation>
    </message>
    <message>
        <source>the password typed for it is wrong</source>
        <translation>a senha digitada para ele está errada</translation>
    </message>
    <message>
        <source>is damaged</source>
        <translation>está danificado</translation>
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

O pdftk informou:
</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote is incomplete or damaged.</source>
        <translation>o pdftk informou sucesso, mas o arquivo que ele gravou está incompleto ou danificado.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of at least %2.</source>
        <translation>o pdftk informou sucesso, mas o arquivo que ele gravou tem o número errado de páginas: %1 em vez de pelo menos %2.</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote has the wrong number of pages: %1 instead of %2.</source>
        <translation>o pdftk informou sucesso, mas o arquivo que ele gravou tem o número errado de páginas: %1 em vez de %2.</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Nenhum arquivo adicionado.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Concluído.</translation>
    </message>
    <message>
        <source>Joined PDF was saved on the Desktop. Would you like to open the joined file to view the results? (%1)</source>
        <translation>O PDF juntado foi salvo na Área de trabalho. Deseja abrir o arquivo juntado para ver o resultado? (%1)</translation>
    </message>
    <message>
        <source>A join is already running. Would you like to stop it?

Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.</source>
        <translation>Uma junção já está em andamento. Deseja interrompê-la?

Interromper descarta o que foi juntado até agora; um joined.pdf existente fica como estava.</translation>
    </message>
    <message>
        <source>Files are still being added to the list. Please start joining when they are all in.</source>
        <translation>Ainda estão sendo adicionados arquivos à lista. Inicie a junção quando todos estiverem nela.</translation>
    </message>
    <message>
        <source>

%1 could not be replaced (%2), so the joined file was saved as
%3</source>
        <translation>

Não foi possível substituir %1 (%2), então o arquivo juntado foi salvo como
%3</translation>
    </message>
    <message>
        <source>Input Password</source>
        <translation>Digite a senha</translation>
    </message>
    <message>
        <source>Enter password for file (%1): <byte value="xd"/>
Note: Leave this box blank if file is not password protected</source>
        <translation>Digite a senha do arquivo (%1): <byte value="xd"/>
Observação: deixe esta caixa em branco se o arquivo não for protegido por senha</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Não é possível criar a pasta %1.</translation>
    </message>
    <message>
        <source>this file cannot be used.

</source>
        <translation>este arquivo não pode ser usado.

</translation>
    </message>
    <message>
        <source>these files cannot be used.

</source>
        <translation>estes arquivos não podem ser usados.

</translation>
    </message>
    <message>
        <source>

To join password-protected files, tick &quot;Prompt for password because PDF files are password protected&quot; and type each file&apos;s password when asked.</source>
        <translation>

Para juntar arquivos protegidos por senha, marque “Pedir a senha dos arquivos PDF protegidos por senha” e digite a senha de cada arquivo quando ela for pedida.</translation>
    </message>
    <message>
        <source>a password is missing or wrong.

</source>
        <translation>uma senha está faltando ou errada.

</translation>
    </message>
    <message>
        <source>passwords are missing or wrong.

</source>
        <translation>há senhas faltando ou erradas.

</translation>
    </message>
    <message>
        <source>pdftk was not found.

Corvanta looks for pdftk in its own folder (%1) and on the PATH.
</source>
        <translation>o pdftk não foi encontrado.

O Corvanta procura o pdftk na própria pasta (%1) e no PATH.
</translation>
    </message>
    <message>
        <source>pdftk could not be started.

</source>
        <translation>não foi possível iniciar o pdftk.

</translation>
    </message>
    <message>
        <source>pdftk stopped unexpectedly.</source>
        <translation>o pdftk parou inesperadamente.</translation>
    </message>
    <message>
        <source>pdftk reported success but wrote no file.</source>
        <translation>o pdftk informou sucesso, mas não gravou nenhum arquivo.</translation>
    </message>
    <message>
        <source>The PDF files were joined, but the result could not be saved as
%1

%2

The joined file is kept as
%3</source>
        <translation>Os arquivos PDF foram juntados, mas não foi possível salvar o resultado como
%1

%2

O arquivo juntado foi mantido como
%3</translation>
    </message>
    <message>
        <source>pdftk could not repair this damaged file:
</source>
        <translation>o pdftk não conseguiu reparar este arquivo danificado:
</translation>
    </message>
    <message>
        <source>pdftk could not repair these damaged files:
</source>
        <translation>o pdftk não conseguiu reparar estes arquivos danificados:
</translation>
    </message>
    <message>
        <source>the joined file cannot be written to this folder:
</source>
        <translation>o arquivo juntado não pode ser gravado nesta pasta:
</translation>
    </message>
    <message>
        <source>pdftk ended with exit code %1.</source>
        <translation>o pdftk terminou com o código de saída %1.</translation>
    </message>
    <message>
        <source>Put pdftk.exe in Corvanta&apos;s folder, or install pdftk and add its folder to the PATH.</source>
        <translation>Coloque o pdftk.exe na pasta do Corvanta ou instale o pdftk e adicione a pasta dele ao PATH.</translation>
    </message>
    <message>
        <source>To install it with Homebrew: brew install pdftk-java</source>
        <translation>Para instalá-lo com o Homebrew: brew install pdftk-java</translation>
    </message>
    <message>
        <source>To install it on Debian or Ubuntu: sudo apt install pdftk-java</source>
        <translation>Para instalá-lo no Debian ou Ubuntu: sudo apt install pdftk-java</translation>
    </message>
    <message>
        <source>Install the package pdftk-java (or pdftk) with your system&apos;s package manager.</source>
        <translation>Instale o pacote pdftk-java (ou pdftk) com o gerenciador de pacotes do seu sistema.</translation>
    </message>
    <message>
        <source>The PDF files were not joined: %1</source>
        <translation>Os arquivos PDF não foram juntados: %1</translation>
    </message>
    <message>
        <source>
… and %1 more</source>
        <translation>
… e mais %1</translation>
    </message>
    <message>
        <source>Another program is still running.</source>
        <translation>Outro programa ainda está em execução.</translation>
    </message>
    <message>
        <source>could not be checked safely: %1</source>
        <translation>não pôde ser verificado com segurança: %1</translation>
    </message>
    <message>
        <source>the password typed for it has characters that pdftk cannot pass on; pdftk takes only the letters and signs of Western European languages</source>
        <translation>a senha digitada tem caracteres que o pdftk não consegue repassar; o pdftk aceita apenas as letras e sinais dos idiomas da Europa Ocidental</translation>
    </message>
    <message>
        <source>pdftk cannot be given the password PROMPT: it takes that word as a request to ask for the password</source>
        <translation>o pdftk não pode receber a senha PROMPT: ele entende essa palavra como um pedido para perguntar a senha</translation>
    </message>
    <message>
        <source>is encrypted in a way that pdftk cannot open (such as AES-256)</source>
        <translation>está criptografado de um jeito que o pdftk não consegue abrir (como AES-256)</translation>
    </message>
    <message>
        <source>has its pages nested more deeply than pdftk can follow</source>
        <translation>tem páginas aninhadas em mais níveis do que o pdftk consegue seguir</translation>
    </message>
    <message>
        <source>has a list of pages that leads back into itself</source>
        <translation>tem uma lista de páginas que leva de volta a si mesma</translation>
    </message>
    <message>
        <source>page %1 has a size that pdftk cannot read</source>
        <translation>a página %1 tem um tamanho que o pdftk não consegue ler</translation>
    </message>
    <message>
        <source>it needs more memory than allowed</source>
        <translation>precisa de mais memória do que o permitido</translation>
    </message>
    <message>
        <source>reading it takes too long</source>
        <translation>a leitura demora demais</translation>
    </message>
    <message>
        <source>reading it failed</source>
        <translation>a leitura falhou</translation>
    </message>
    <message>
        <source>pdftk reported success, but page %1 of the file it wrote is not page %2 of
%3</source>
        <translation>o pdftk informou sucesso, mas a página %1 do arquivo que ele gravou não é a página %2 de
%3</translation>
    </message>
    <message>
        <source>Corvanta&apos;s PDF checker is missing:
%1

Please install Corvanta again.</source>
        <translation>o verificador de PDF do Corvanta não foi encontrado:
%1

Instale o Corvanta novamente.</translation>
    </message>
    <message>
        <source>there is not enough free space for the joined file on the Desktop&apos;s drive (%1).

It needs about %2; %3 are free.</source>
        <translation>não há espaço livre suficiente para o arquivo juntado na unidade da Área de trabalho (%1).

Ele precisa de cerca de %2; há %3 livres.</translation>
    </message>
    <message>
        <source>the Desktop&apos;s drive ran out of free space while pdftk wrote the joined file. It needs about %1.</source>
        <translation>a unidade da Área de trabalho ficou sem espaço livre enquanto o pdftk gravava o arquivo juntado. Ele precisa de cerca de %1.</translation>
    </message>
    <message>
        <source>is compressed in a way that pdftk cannot read</source>
        <translation>está compactado de um jeito que o pdftk não consegue ler</translation>
    </message>
    <message>
        <source>pdftk reported success, but the file it wrote could not be verified (%1), so it was not kept. An existing joined.pdf is left as it was.</source>
        <translation>O pdftk informou sucesso, mas o arquivo que ele gravou não pôde ser verificado (%1), então não foi mantido. Um joined.pdf existente continua como estava.</translation>
    </message>
    <message>
        <source>

The first file whose pages are not all in it:
%1</source>
        <translation>

O primeiro arquivo cujas páginas não estão todas nele:
%1</translation>
    </message>
    <message>
        <source>its hidden layers are visible</source>
        <translation>as camadas ocultas dele ficam visíveis</translation>
    </message>
    <message>
        <source>form fields may show old values</source>
        <translation>os campos de formulário podem mostrar valores antigos</translation>
    </message>
    <message>
        <source>page numbers such as i, ii are lost</source>
        <translation>números de página como i, ii se perdem</translation>
    </message>
    <message>
        <source>the view it opens with, such as its bookmarks shown, is lost</source>
        <translation>a visualização com que ele abre, como com os marcadores à mostra, se perde</translation>
    </message>
    <message>
        <source>its pages could not all be checked</source>
        <translation>nem todas as páginas dele puderam ser verificadas</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>pdftk cannot read this file:
%1</source>
        <translation>o pdftk não consegue ler este arquivo:
%1</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be used: its name is not valid UTF-8, and pdftk takes only names that are.</source>
        <translation>Não é possível usar a pasta Área de trabalho %1: o nome dela não é UTF-8 válido, e o pdftk só aceita nomes que sejam.</translation>
    </message>
    <message>
        <source>The Desktop folder %1 cannot be made: the folder it belongs in,
%2,
does not exist. Is a drive or network share missing?</source>
        <translation>Não é possível criar a pasta Área de trabalho %1: a pasta em que ela deve ficar,
%2,
não existe. Falta uma unidade ou um compartilhamento de rede?</translation>
    </message>
    <message>
        <source>The password typed for file (%1) is wrong. Enter its password again:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>A senha digitada para o arquivo (%1) está errada. Digite a senha novamente:
Observação: deixe esta caixa em branco ou escolha Cancelar para interromper a junção</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Mais botões da barra de ferramentas</translation>
    </message>
    <message>
        <source>Shows the toolbar buttons that do not fit in the window</source>
        <translation>Mostra os botões da barra de ferramentas que não cabem na janela</translation>
    </message>
    <message>
        <source>has cross-reference tables that lead back into themselves; pdftk would read it without end</source>
        <translation>tem tabelas de referência cruzada que levam de volta a si mesmas; o pdftk o leria sem fim</translation>
    </message>
    <message>
        <source>its size or rotation</source>
        <translation>seu tamanho ou sua rotação</translation>
    </message>
    <message>
        <source>what it draws</source>
        <translation>o que ela desenha</translation>
    </message>
    <message>
        <source>the fonts, images or drawings it uses</source>
        <translation>as fontes, imagens ou desenhos que ela usa</translation>
    </message>
    <message>
        <source>its annotations or form fields</source>
        <translation>suas anotações ou campos de formulário</translation>
    </message>
    <message>
        <source>

What differs: %1.</source>
        <translation>

O que difere: %1.</translation>
    </message>
    <message>
        <source>%1 does not show everything of this file as the file itself does:

</source>
        <translation>%1 não mostra tudo deste arquivo como o próprio arquivo mostra:

</translation>
    </message>
    <message>
        <source>%1 does not show everything of these files as the files themselves do:

</source>
        <translation>%1 não mostra tudo destes arquivos como os próprios arquivos mostram:

</translation>
    </message>
    <message>
        <source>holds its pages in a dynamic XFA form, which pdftk cannot copy: the joined file would show only a &quot;Please wait&quot; page</source>
        <translation>guarda suas páginas em um formulário XFA dinâmico, que o pdftk não consegue copiar: o arquivo unido mostraria só uma página “Aguarde”</translation>
    </message>
    <message>
        <source>its layers can no longer be shown or hidden</source>
        <translation>suas camadas não podem mais ser mostradas nem ocultadas</translation>
    </message>
    <message>
        <source>its form fields may show their text in another style, or calculate in another order</source>
        <translation>seus campos de formulário podem mostrar o texto em outro estilo, ou calcular em outra ordem</translation>
    </message>
    <message>
        <source>its form fields were renamed, because another file used the same names</source>
        <translation>seus campos de formulário foram renomeados, porque outro arquivo usava os mesmos nomes</translation>
    </message>
    <message>
        <source>its XFA form data is lost; its form fields remain</source>
        <translation>seus dados de formulário XFA se perdem; seus campos de formulário permanecem</translation>
    </message>
    <message>
        <source>its digital signature no longer applies</source>
        <translation>sua assinatura digital não vale mais</translation>
    </message>
    <message>
        <source>the named places in it, which links from other files can lead to, are lost</source>
        <translation>os lugares com nome que ele contém, aos quais links de outros arquivos podem levar, se perdem</translation>
    </message>
    <message>
        <source>its attached files are lost</source>
        <translation>seus arquivos anexados se perdem</translation>
    </message>
    <message>
        <source>its accessibility tags, which screen readers follow, are lost</source>
        <translation>suas etiquetas de acessibilidade, que os leitores de tela seguem, se perdem</translation>
    </message>
    <message>
        <source>its scripts are left out</source>
        <translation>seus scripts ficam de fora</translation>
    </message>
    <message>
        <source>its claim to meet PDF/A or PDF/UA is left out, since the joined file does not meet it</source>
        <translation>sua declaração de atender ao PDF/A ou PDF/UA fica de fora, pois o arquivo unido não o atende</translation>
    </message>
    <message>
        <source>the page it opens at is lost</source>
        <translation>a página em que ele abre se perde</translation>
    </message>
    <message>
        <source>how it lays out its pages, such as two side by side, is lost</source>
        <translation>o modo como dispõe suas páginas, por exemplo duas lado a lado, se perde</translation>
    </message>
    <message>
        <source>its settings for the viewer are lost</source>
        <translation>suas configurações para o visualizador se perdem</translation>
    </message>
    <message>
        <source>its language setting is lost</source>
        <translation>sua configuração de idioma se perde</translation>
    </message>
    <message>
        <source>its title, author, subject and keywords are lost</source>
        <translation>seu título, autor, assunto e palavras-chave se perdem</translation>
    </message>
    <message>
        <source>its description (XMP metadata) is lost</source>
        <translation>sua descrição (metadados XMP) se perde</translation>
    </message>
    <message>
        <source>The file (%1) is password protected. Enter its password:
Note: Leave this box blank or choose Cancel to stop joining</source>
        <translation>O arquivo (%1) está protegido por senha. Digite a senha dele:
Observação: deixe esta caixa em branco ou escolha Cancelar para interromper a junção</translation>
    </message>
</context>
</TS>
