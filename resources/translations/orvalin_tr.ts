<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Converts WebP pictures to JPG files, many at once.</source>
        <translation>WebP resimlerini toplu olarak JPG dosyalarına dönüştürür.</translation>
    </message>
    <message>
        <source>Built on:</source>
        <translation>Kullanılan kitaplıklar:</translation>
    </message>
    <message>
        <source>About Orvalin</source>
        <translation>Orvalin Hakkında</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>GNU Genel Kamu Lisansı, sürüm 3 veya sonrası altında özgür yazılım.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Processing: %1</source>
        <translation>İşleniyor: %1</translation>
    </message>
    <message>
        <source>the result has gone</source>
        <translation>sonuç kayboldu</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Hiç dosya eklenmedi.</translation>
    </message>
    <message>
        <source>Folder does not exist. Please select another folder.</source>
        <translation>Klasör mevcut değil. Lütfen başka bir klasör seçin.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Tamamlandı.</translation>
    </message>
    <message>
        <source>The following files were skipped because they are not in WebP format:</source>
        <translation>Aşağıdaki dosyalar WebP biçiminde olmadığı için atlandı:</translation>
    </message>
    <message>
        <source>The following files could not be converted:</source>
        <translation>Aşağıdaki dosyalar dönüştürülemedi:</translation>
    </message>
    <message>
        <source>The following files could not be saved:</source>
        <translation>Aşağıdaki dosyalar kaydedilemedi:</translation>
    </message>
    <message>
        <source>The following files were skipped because a JPG of that name already exists:</source>
        <translation>Aşağıdaki dosyalar, aynı adlı bir JPG zaten var olduğu için atlandı:</translation>
    </message>
    <message>
        <source>the converter stopped</source>
        <translation>dönüştürücü durdu</translation>
    </message>
    <message>
        <source>took too long</source>
        <translation>çok uzun sürdü</translation>
    </message>
    <message>
        <source>Please wait.. %1</source>
        <translation>Lütfen bekleyin.. %1</translation>
    </message>
    <message>
        <source>Progress Bar</source>
        <translation>İlerleme Çubuğu</translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>Skin file too large</source>
        <translation>Dış görünüm dosyası çok büyük</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Yol bulunamadı: %1</translation>
    </message>
    <message>
        <source>The dates of %1 could not be kept: %2</source>
        <translation>%1 için tarihler korunamadı: %2</translation>
    </message>
    <message>
        <source>Cannot start %1 (%2)</source>
        <translation>%1 başlatılamıyor (%2)</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Geçersiz yordam çağrısı veya bağımsız değişken</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Dosya bulunamadı</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Geçersiz resim</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Bellek yetersiz</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Beklenmeyen hata</translation>
    </message>
    <message>
        <source>in %1 at line %2</source>
        <translation>%1 içinde, %2. satırda</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Lütfen bu iletinin ekran görüntüsünü %1 adresine e-postayla gönderin</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Uygulama Hatası</translation>
    </message>
    <message>
        <source>The file at the output name is a WebP picture and is kept</source>
        <translation>Çıktı adındaki dosya bir WebP resmi olduğu için korunuyor</translation>
    </message>
    <message>
        <source>The file at the output name is another user&apos;s link in a shared folder and is not followed</source>
        <translation>Çıktı adındaki dosya, paylaşılan bir klasörde başka bir kullanıcıya ait bir bağlantı olduğu için izlenmiyor</translation>
    </message>
    <message>
        <source>Filename refers to a directory</source>
        <translation>Dosya adı bir klasörü gösteriyor</translation>
    </message>
    <message>
        <source>Existing file %1 is not writable</source>
        <translation>Mevcut %1 dosyasına yazılamıyor</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tür uyuşmazlığı</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Taşma</translation>
    </message>
    <message>
        <source>Resource not found: %1</source>
        <translation>Kaynak bulunamadı: %1</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disk dolu</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Dizin sınırların dışında</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>The following files and folders could not be added:</source>
        <translation>Aşağıdaki dosya ve klasörler eklenemedi:</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8</source>
        <translation>ad geçerli bir UTF-8 değil</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>yol çok uzun</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>klasör okunamıyor</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Lütfen bir klasör seçin:</translation>
    </message>
    <message>
        <source>Add File(s) - Hold Ctrl to select multiple files</source>
        <translation>Dosya Ekle - Birden çok dosya seçmek için Ctrl tuşunu basılı tutun</translation>
    </message>
    <message>
        <source>You&apos;ve selected too many files to add.<byte value="xd"/><byte value="xd"/>Please try adding via the &quot;Add All&quot; button.</source>
        <translation>Eklemek için çok fazla dosya seçtiniz.<byte value="xd"/><byte value="xd"/>Lütfen &quot;Klasördeki Tüm WebP&apos;leri Ekle&quot; düğmesiyle eklemeyi deneyin.</translation>
    </message>
    <message>
        <source> WebP File(s)</source>
        <translation> WebP Dosyaları</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Dosyaları buraya sürükleyip bırakın. Bir öğeyi kaldırmak için üzerine çift tıklayın. Tam adları görmek için | çizgisini sağa, pencerenin dışına taşıyın.</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Bu örnek dosyaların bulunduğu klasör açılsın mı (onlarla çalışmadan önce göz atabilmeniz için)?</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Your settings could not be saved in &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>Everything works as usual, but the choices you make now will not be remembered the next time the program starts.</source>
        <translation>Ayarlarınız &quot;%1&quot; konumuna kaydedilemedi.<byte value="xd"/><byte value="xd"/>Her şey her zamanki gibi çalışır, ancak şimdi yaptığınız seçimler program bir sonraki açılışında hatırlanmayacak.</translation>
    </message>
    <message>
        <source>WebP files to convert</source>
        <translation>Dönüştürülecek WebP dosyaları</translation>
    </message>
    <message>
        <source>Add WebP File(s)</source>
        <translation>WebP Dosyası Ekle</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In Folder</source>
        <translation>Klasördeki Tüm WebP&apos;leri Ekle</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Listeyi Temizle</translation>
    </message>
    <message>
        <source>Load Sample/Example Files</source>
        <translation>Örnek Dosyaları Yükle</translation>
    </message>
    <message>
        <source>Start Converting</source>
        <translation>Dönüştürmeyi Başlat</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Çıktı klasörü</translation>
    </message>
    <message>
        <source>Choose output folder</source>
        <translation>Çıktı klasörünü seç</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Dosya</translation>
    </message>
    <message>
        <source>&amp;Add WebP File(s)...</source>
        <translation>WebP Dosyası &amp;Ekle...</translation>
    </message>
    <message>
        <source>Add All WebP File(s) In &amp;Folder...</source>
        <translation>Klasördeki &amp;Tüm WebP Dosyalarını Ekle...</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Files</source>
        <translation>Örnek Dosyaları &amp;Yükle</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Listeyi Temizle</translation>
    </message>
    <message>
        <source>Start C&amp;onverting</source>
        <translation>Dönüştürmeyi &amp;Başlat</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Çı&amp;kış</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Yardım</translation>
    </message>
    <message>
        <source>&amp;About Orvalin</source>
        <translation>&amp;Orvalin Hakkında</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Dil</translation>
    </message>
    <message>
        <source>The System&apos;s &amp;Language</source>
        <translation>Sistem Di&amp;li</translation>
    </message>
</context>
<context>
    <name>OutputChoicesMenu</name>
    <message>
        <source>Fit Within %1 Pixels</source>
        <translation>%1 Piksele Sığdır</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Seçenekler</translation>
    </message>
    <message>
        <source>If a JPG of That Name &amp;Exists</source>
        <translation>Aynı Adlı Bir JPG &amp;Varsa</translation>
    </message>
    <message>
        <source>&amp;Replace It</source>
        <translation>Üzerine &amp;Yaz</translation>
    </message>
    <message>
        <source>Keep &amp;Both (Number the New One)</source>
        <translation>İkisini de &amp;Koru (Yenisini Numaralandır)</translation>
    </message>
    <message>
        <source>&amp;Skip the File</source>
        <translation>Dosyayı &amp;Atla</translation>
    </message>
    <message>
        <source>Keep Sub-&amp;folders in the Output Folder</source>
        <translation>&amp;Alt Klasör Yapısını Çıktı Klasöründe Koru</translation>
    </message>
    <message>
        <source>Keep the Original&apos;s &amp;Dates</source>
        <translation>Orijinalin &amp;Tarihlerini Koru</translation>
    </message>
    <message>
        <source>&amp;Metadata</source>
        <translation>&amp;Meta Veriler</translation>
    </message>
    <message>
        <source>Keep &amp;All</source>
        <translation>&amp;Tümünü Koru</translation>
    </message>
    <message>
        <source>Remove the &amp;Location</source>
        <translation>&amp;Konumu Kaldır</translation>
    </message>
    <message>
        <source>Keep Only &amp;Colour and Orientation</source>
        <translation>Yalnızca &amp;Renk ve Yönlendirmeyi Koru</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>&amp;Boyut</translation>
    </message>
    <message>
        <source>&amp;Keep the Size</source>
        <translation>Boyutu &amp;Koru</translation>
    </message>
    <message>
        <source>Fit Within &amp;Other Size...</source>
        <translation>&amp;Farklı Bir Boyuta Sığdır...</translation>
    </message>
    <message>
        <source>Fit Within Other Size</source>
        <translation>Farklı Bir Boyuta Sığdır</translation>
    </message>
    <message>
        <source>The most pixels the longer side may have (16 to 65535):</source>
        <translation>Uzun kenarın en fazla piksel sayısı (16 ile 65535 arası):</translation>
    </message>
    <message>
        <source>Please enter a whole number from 16 to 65535.</source>
        <translation>Lütfen 16 ile 65535 arasında bir tam sayı girin.</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>Output JPG image quality: %1%</source>
        <translation>Çıktı JPG resim kalitesi: %1%</translation>
    </message>
    <message>
        <source>Save Option</source>
        <translation>Kaydetme Seçeneği</translation>
    </message>
    <message>
        <source>Save results to this folder:</source>
        <translation>Sonuçları bu klasöre kaydet:</translation>
    </message>
    <message>
        <source>Save results in folder of original file</source>
        <translation>Orijinal dosyanın klasörüne kaydet</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Lütfen bir klasör seçin:</translation>
    </message>
</context>
<context>
    <name>WorkerReason</name>
    <message>
        <source>no space left on the device</source>
        <translation>aygıtta boş alan kalmadı</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>disk kotası doldu</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>yol çok uzun</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>böyle bir dosya veya klasör yok</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>izin reddedildi</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>dosya sistemi salt okunur</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>yeterli bellek yok</translation>
    </message>
    <message>
        <source>a read or write error on the device</source>
        <translation>aygıtta okuma veya yazma hatası</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>çok fazla açık dosya var</translation>
    </message>
    <message>
        <source>the file is too large for its file system</source>
        <translation>dosya, bulunduğu dosya sistemi için çok büyük</translation>
    </message>
    <message>
        <source>not a WebP file</source>
        <translation>WebP dosyası değil</translation>
    </message>
    <message>
        <source>the source path holds a zero byte</source>
        <translation>kaynak yolunda sıfır baytı var</translation>
    </message>
    <message>
        <source>the output path holds a zero byte</source>
        <translation>çıktı yolunda sıfır baytı var</translation>
    </message>
    <message>
        <source>the picture is too large (%1 × %2)</source>
        <translation>resim çok büyük (%1 × %2)</translation>
    </message>
</context>
</TS>
