<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>将 WebP 图片批量转换为 JPG 文件。</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>使用的库：</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>关于 Orvalin</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>依据 GNU 通用公共许可证第 3 版或更新版本发布的自由软件。</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>正在处理：%1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>转换结果已丢失</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>未添加任何文件。</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>文件夹不存在。请选择其他文件夹。</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>完成。</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>以下文件不是 WebP 格式，已跳过：</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>以下文件无法转换：</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>以下文件无法保存：</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>以下文件因已存在同名 JPG 文件而被跳过：</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>转换程序已停止</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>耗时过长</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>请稍候.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>进度条</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>皮肤文件过大</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>找不到路径：%1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>无法保留 %1 的日期：%2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>无法启动 %1（%2）</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>无效的过程调用或参数</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>找不到文件</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>无效的图片</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>意外错误</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>位置：%1，第 %2 行</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>请将此消息的截图通过电子邮件发送至 %1</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>应用程序错误</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>与输出文件同名的文件是 WebP 图片，已予保留</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>与输出文件同名的文件是共享文件夹中其他用户的链接，不会跟随该链接</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>文件名指向的是文件夹</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>现有文件 %1 不可写</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>类型不匹配</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>溢出</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>找不到资源：%1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>索引超出范围</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>以下文件和文件夹无法添加：</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>名称不是有效的 UTF-8</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>路径过长</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>无法读取该文件夹</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>请选择文件夹：</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>添加文件 - 按住 Ctrl 键可选择多个文件</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>选择添加的文件过多。<byte value="xd"/><byte value="xd"/>请尝试通过“添加文件夹中的所有 WebP 文件”按钮添加。</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> WebP 文件</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>将文件拖放到此处。双击某一项可将其移除。将 | 线向右拖出窗口即可显示完整名称。</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>要打开存放这些示例文件的文件夹吗？（以便在使用前查看它们）</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>无法将设置保存到“%1”。<byte value="xd"/><byte value="xd"/>程序仍可照常使用，但您现在所做的选择在下次启动程序时将不会保留。</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>要转换的 WebP 文件</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>添加 WebP 文件</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>添加文件夹中的所有 WebP 文件</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>清空列表</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>加载示例文件</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>开始转换</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>添加 WebP 文件(&amp;A)...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>添加文件夹中的所有 WebP 文件(&amp;F)...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>加载示例文件(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>清空列表(&amp;C)</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>开始转换(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>关于 Orvalin(&amp;A)</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>系统语言(&amp;L)</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>缩放至 %1 像素以内</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>已存在同名 JPG 时(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>替换(&amp;R)</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>保留两者（为新文件编号）(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>跳过该文件(&amp;S)</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>在输出文件夹中保留子文件夹结构(&amp;F)</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>保留原文件的日期(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>元数据(&amp;M)</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>全部保留(&amp;A)</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>删除位置信息(&amp;L)</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>仅保留颜色和方向信息(&amp;C)</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>尺寸(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>保持原尺寸(&amp;K)</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>缩放至其他尺寸以内(&amp;O)...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>缩放至其他尺寸以内</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>长边的最大像素数（16 到 65535）：</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>请输入 16 到 65535 之间的整数。</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>输出 JPG 图像质量：%1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>保存选项</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>将结果保存到此文件夹：</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>将结果保存到原文件所在文件夹</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>请选择文件夹：</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>设备上没有剩余空间</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>磁盘配额已用完</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>路径过长</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>没有该文件或文件夹</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>权限被拒绝</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>文件系统为只读</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>设备读写错误</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>打开的文件过多</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>文件超出其文件系统的大小限制</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>不是 WebP 文件</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>源路径中含有零字节</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>输出路径中含有零字节</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>图片过大（%1 × %2）</translation>
    </message>
</context>
</TS>
