#pragma once

#include "app/Translations.h"
#include "core/Platform.h"

#include <QCoreApplication>
#include <QCursor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSlider;

namespace orvalin {

class ConversionRun;
class ConversionRunControls;
class FileListView;
class LanguageMenu;
class ListEditing;
class OutputChoicesMenu;
class OutputOptions;
class ProgressBarWithText;
class SettingsStore;

// What the window works with besides its own controls.
struct Form1Services
{
    Platform platform;
    SettingsStore& settings;
    // The folder that holds the program file, where its optional files are looked up.
    QString programFolder;
    // The desktop folder with a trailing separator; throws when it cannot be determined.
    std::function<QString()> desktopFolder;
};

inline QString FileMenuText()
{
    return QCoreApplication::translate("Form1", "&File");
}
inline QString AddFilesItemText()
{
    return QCoreApplication::translate("Form1", "&Add WebP File(s)...");
}
inline QString AddFolderItemText()
{
    return QCoreApplication::translate("Form1", "Add All WebP File(s) In &Folder...");
}
inline QString SamplesItemText()
{
    return QCoreApplication::translate("Form1", "Load &Sample/Example Files");
}
inline QString ClearItemText()
{
    return QCoreApplication::translate("Form1", "&Clear List");
}
inline QString StartItemText()
{
    return QCoreApplication::translate("Form1", "Start C&onverting");
}
inline QString QuitItemText()
{
    return QCoreApplication::translate("Form1", "&Quit");
}
inline QString HelpMenuText()
{
    return QCoreApplication::translate("Form1", "&Help");
}
inline QString AboutItemText()
{
    return QCoreApplication::translate("Form1", "&About Orvalin");
}

// Told once per run when a setting could not be written.
QString SettingsNotSavedMessage(const QString& location);

// The main window. Its controls carry their design names as object names; each reaction's
// logic lives with its subsystem, the window only connects them.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // The load step, run once before the window is first shown.
    void Form_Load();

    PointerKind mousePointer() const { return m_pointer; }
    void setMousePointer(PointerKind kind);
    bool isBusy() const { return m_pointer == PointerKind::Busy; }
    bool hasCustomPointer() const { return m_customPointer.has_value(); }

    const QString& applicationTitle() const { return m_applicationTitle; }
    WindowContext context() { return {this, m_platform, m_applicationTitle}; }

    FileListView& fileList() { return *ListView1; }
    ConversionRun& conversionRun() { return *m_conversionRun; }

    // Paths handed to the program (at its start, or by a later start) join the list as a
    // drop of them would, and the window comes to the front.
    void takeHandedPaths(const QStringList& paths);

    // "Start Converting" with every result beside its source, for this run only: the save
    // option shown and stored stays as it is.
    void convertBesideSources();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenuBar();
    // Gives every control and menu item its text in the language now in use.
    void retranslate();
    void placeBelowMenuBar();
    void arrangeTabOrder();
    void connectReactions();
    void watchPointerMoves();
    QCursor dragPointer() const;
    void centreOnScreen();

    void PushButton1_Click();
    void PushButton2_Click();
    void PushButton4_Click();
    void PushButton6_Click();
    void PushButton7_Click();
    void showAbout();
    // The busy state lasts while a run or a scan of "Add All" is going on, whichever of them
    // ends first: each says busy or not for itself, and the pointer shows whether any is.
    void showWorkPointer();
    void tellSettingsNotSaved(const QString& location);

    Platform m_platform;
    SettingsStore& m_settings;
    QString m_programFolder;
    std::unique_ptr<OutputOptions> m_outputOptions;
    std::unique_ptr<OutputChoicesMenu> m_outputChoices;
    Translations m_translations;
    std::unique_ptr<LanguageMenu> m_languageMenu;
    std::unique_ptr<ConversionRunControls> m_runControls;
    std::unique_ptr<ConversionRun> m_conversionRun;
    ListEditing* m_listEditing = nullptr;
    QString m_applicationTitle;
    PointerKind m_pointer = PointerKind::Default;
    bool m_runShowsBusy = false;
    int m_scansShowingBusy = 0;
    // Set when the window closes: long work stops at its next yield.
    bool m_closing = false;
    std::optional<QCursor> m_customPointer;

    QMenuBar* m_menuBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_addFilesItem = nullptr;
    QAction* m_addFolderItem = nullptr;
    QAction* m_samplesItem = nullptr;
    QAction* m_clearItem = nullptr;
    QAction* m_startItem = nullptr;
    QAction* m_quitItem = nullptr;
    QAction* m_aboutItem = nullptr;
    bool m_loaded = false; // the load step has run: the quality frame shows the quality
    int m_barHeight = 0;   // the menu bar's, by which the controls sit lower
    FileListView* ListView1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QPushButton* PushButton9 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QSlider* Slider1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLineEdit* Text1 = nullptr;
    ProgressBarWithText* ProgressBar1 = nullptr;
};

} // namespace orvalin
