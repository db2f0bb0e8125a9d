<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>WebP画像をJPGファイルに一括変換します。</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>使用しているライブラリ：</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Orvalinについて</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>GNU 一般公衆ライセンス バージョン 3 以降のもとで配布されるフリーソフトウェアです。</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>処理中：%1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>変換結果が失われました</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>ファイルが追加されていません。</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>フォルダーが存在しません。別のフォルダーを選択してください。</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>完了しました。</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>次のファイルはWebP形式ではないため、スキップしました：</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>次のファイルを変換できませんでした：</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>次のファイルを保存できませんでした：</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>次のファイルは同じ名前のJPGが既に存在するため、スキップしました：</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>変換処理が停止しました</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>時間がかかりすぎました</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>お待ちください.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>進行状況バー</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>スキンファイルが大きすぎます</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>パスが見つかりません：%1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>%1 の日付を保持できませんでした：%2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>%1 を起動できません（%2）</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>プロシージャの呼び出し、または引数が不正です</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>ファイルが見つかりません</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>画像が無効です</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>メモリが不足しています</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>予期しないエラーが発生しました</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>発生箇所：%1、%2 行目</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>このメッセージのスクリーンショットを %1 までメールでお送りください</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>アプリケーションエラー</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>出力先と同じ名前のファイルはWebP画像のため、そのまま残します</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>出力先と同じ名前のファイルは共有フォルダー内の他のユーザーのリンクのため、リンク先をたどりません</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>ファイル名がフォルダーを指しています</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>既存のファイル %1 に書き込めません</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>型が一致しません</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>オーバーフローしました</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>リソースが見つかりません：%1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>ディスクがいっぱいです</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>インデックスが有効範囲にありません</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>次のファイルとフォルダーを追加できませんでした：</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>名前が有効なUTF-8ではありません</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>パスが長すぎます</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>フォルダーを読み取れません</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>フォルダーを選択してください：</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>ファイルの追加 - 複数のファイルを選択するには Ctrl キーを押したままにします</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>選択したファイルが多すぎるため追加できません。<byte value="xd"/><byte value="xd"/>「フォルダー内のWebPをすべて追加」ボタンで追加してください。</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> WebPファイル</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>ここにファイルをドラッグ＆ドロップしてください。項目をダブルクリックすると一覧から削除されます。完全な名前を表示するには、| の線を右へドラッグしてウィンドウの外に出します。</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>サンプルファイルが保存されているフォルダーを開きますか？（作業の前に内容を確認できます）</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>設定を「%1」に保存できませんでした。<byte value="xd"/><byte value="xd"/>通常どおり動作しますが、ここで行った選択は次回プログラムを起動したときには反映されません。</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>変換するWebPファイル</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>WebPファイルを追加</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>フォルダー内のWebPをすべて追加</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>リストをクリア</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>サンプルファイルを読み込む</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>変換を開始</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>出力フォルダー</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>出力フォルダーを選択</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>WebPファイルを追加(&amp;A)...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>フォルダー内のWebPファイルをすべて追加(&amp;F)...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>サンプルファイルを読み込む(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>リストをクリア(&amp;C)</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>変換を開始(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>Orvalinについて(&amp;A)</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>システムの言語(&amp;L)</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>%1 ピクセル以内に収める</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>同じ名前のJPGが存在する場合(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>置き換える(&amp;R)</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>両方とも残す（新しい方に番号を付ける）(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>このファイルをスキップする(&amp;S)</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>出力フォルダーでサブフォルダー構成を保持する(&amp;F)</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>元のファイルの日付を保持する(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>メタデータ(&amp;M)</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>すべて保持する(&amp;A)</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>位置情報を削除する(&amp;L)</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>色と向きの情報のみ保持する(&amp;C)</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>サイズ(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>サイズを変更しない(&amp;K)</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>その他のサイズに収める(&amp;O)...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>その他のサイズに収める</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>長辺の最大ピクセル数（16～65535）：</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>16～65535 の整数を入力してください。</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>出力JPGの画質：%1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>保存オプション</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>結果をこのフォルダーに保存：</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>元のファイルと同じフォルダーに保存</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>フォルダーを選択してください：</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>デバイスに空き領域がありません</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>ディスククォータを使い切りました</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>パスが長すぎます</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>ファイルまたはフォルダーが存在しません</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>ファイルシステムが読み取り専用です</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>メモリが不足しています</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>デバイスで読み取りまたは書き込みのエラーが発生しました</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>開いているファイルが多すぎます</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>ファイルシステムに対してファイルが大きすぎます</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>WebPファイルではありません</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>変換元のパスにヌルバイトが含まれています</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>出力先のパスにヌルバイトが含まれています</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>画像が大きすぎます（%1 × %2）</translation>
    </message>
</context>
</TS>
