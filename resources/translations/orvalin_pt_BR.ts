<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>Converte imagens WebP em arquivos JPG, várias de uma só vez.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Desenvolvido com:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Sobre o Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Software livre sob a Licença Pública Geral GNU, versão 3 ou posterior.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>Processando: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>o resultado desapareceu</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Nenhum arquivo adicionado.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>A pasta não existe. Selecione outra pasta.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Concluído.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Os arquivos a seguir foram ignorados porque não estão no formato WebP:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Não foi possível converter os arquivos a seguir:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Não foi possível salvar os arquivos a seguir:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Os arquivos a seguir foram ignorados porque já existe um JPG com o mesmo nome:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>o conversor parou</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>demorou demais</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Aguarde.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>Barra de progresso</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Arquivo de tema grande demais</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Caminho não encontrado: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>Não foi possível manter as datas de %1: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>Não é possível iniciar %1 (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chamada de procedimento ou argumento inválido</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Arquivo não encontrado</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Imagem inválida</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memória insuficiente</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Erro inesperado</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>em %1 na linha %2</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Envie uma captura de tela desta mensagem por e-mail para %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Erro do aplicativo</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>O arquivo com o nome de saída é uma imagem WebP e será mantido</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>O arquivo com o nome de saída é um link de outro usuário em uma pasta compartilhada e não será seguido</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>O nome do arquivo se refere a uma pasta</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>O arquivo existente %1 não permite gravação</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tipos incompatíveis</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Estouro de capacidade</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Recurso não encontrado: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco cheio</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Índice fora dos limites</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Não foi possível adicionar os arquivos e pastas a seguir:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>o nome não é UTF-8 válido</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>o caminho é longo demais</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>não é possível ler a pasta</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selecione a pasta:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Adicionar arquivo(s) - Mantenha Ctrl pressionado para selecionar vários arquivos</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Você selecionou arquivos demais para adicionar.<byte value="xd"/><byte value="xd"/>Tente adicioná-los com o botão &quot;Adicionar todos&quot;.</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> Arquivo(s) WebP</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Arraste e solte os arquivos aqui. Clique duas vezes em um item para removê-lo. Mova a linha | para a direita, para fora da janela, para ver os nomes completos.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Deseja que este programa abra a pasta onde estão esses arquivos de exemplo (para vê-los antes de trabalhar com eles)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Não foi possível salvar suas configurações em &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Tudo funciona normalmente, mas as escolhas que você fizer agora não serão lembradas na próxima vez que o programa for iniciado.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Arquivos WebP a converter</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>Adicionar arquivo(s) WebP</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Adicionar todos os WebP da pasta</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Limpar lista</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Carregar arquivos de exemplo</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Iniciar conversão</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Pasta de saída</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Escolher a pasta de saída</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>&amp;Adicionar arquivo(s) WebP...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Adicionar todos os arquivos WebP da &amp;pasta...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Carregar arquivos de &amp;exemplo</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Limpar lista</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>Iniciar &amp;conversão</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;Sobre o Orvalin</translation>
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
        <translation>Idioma do siste&amp;ma</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>Limitar a %1 pixels</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opções</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Se já existir um JPG com o mesmo &amp;nome</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>&amp;Substituir</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>Manter &amp;ambos (numerar o novo)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>&amp;Ignorar o arquivo</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>Manter as &amp;subpastas na pasta de saída</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Manter as &amp;datas do original</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Metadados</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>Manter &amp;tudo</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>Remover a &amp;localização</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Manter somente &amp;cor e orientação</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Tamanho</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>&amp;Manter o tamanho</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>Limitar a &amp;outro tamanho...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Limitar a outro tamanho</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Número máximo de pixels do lado maior (16 a 65535):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Digite um número inteiro de 16 a 65535.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Qualidade da imagem JPG de saída: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Opção de salvamento</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Salvar resultados nesta pasta:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Salvar na pasta do arquivo original</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Selecione a pasta:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>não há espaço livre no dispositivo</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>a cota de disco se esgotou</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>o caminho é longo demais</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>arquivo ou pasta inexistente</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permissão negada</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>o sistema de arquivos é somente leitura</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>memória insuficiente</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>erro de leitura ou gravação no dispositivo</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>arquivos abertos demais</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>o arquivo é grande demais para o sistema de arquivos</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>não é um arquivo WebP</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>o caminho de origem contém um byte nulo</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>o caminho de saída contém um byte nulo</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>a imagem é grande demais (%1 × %2)</translation>
    </message>
</context>
</TS>
