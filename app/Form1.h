#pragma once

#include "core/Platform.h"

#include <QCursor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QGroupBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSlider;

namespace orvalin {

class ConversionRun;
class ConversionRunControls;
class FileListView;
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

inline const QString FileMenuText = QStringLiteral("&File");
inline const QString AddFilesItemText = QStringLiteral("Add WebP File(s)...");
inline const QString AddFolderItemText = QStringLiteral("Add All WebP File(s) In Folder...");
inline const QString QuitItemText = QStringLiteral("Quit");
inline const QString HelpMenuText = QStringLiteral("&Help");
inline const QString AboutItemText = QStringLiteral("About Orvalin");

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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenuBar();
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
