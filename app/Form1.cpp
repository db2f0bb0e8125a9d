#include "app/Form1.h"

#include "app/AboutBox.h"
#include "app/Appearance.h"
#include "app/ConversionRunControls.h"
#include "app/LanguageMenu.h"
#include "app/PointerFile.h"
#include "app/ProgramIcon.h"
#include "app/ProgressBarWithText.h"
#include "core/ConversionRun.h"
#include "core/Failure.h"
#include "core/FailureReport.h"
#include "core/PathHelpers.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Twips.h"
#include "filelist/AddAllInFolder.h"
#include "filelist/AddFilesByDialog.h"
#include "filelist/ClearList.h"
#include "filelist/DropFiles.h"
#include "filelist/FileListView.h"
#include "filelist/ListEditing.h"
#include "filelist/SampleFiles.h"
#include "options/OutputChoicesMenu.h"
#include "options/OutputOptions.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>

namespace orvalin {

namespace {

constexpr int ClientWidthTwips = 8040;
constexpr int ClientHeightTwips = 7650;

QFont arialBold(qreal points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

template <typename Control>
Control* makeControl(QWidget* container, const char* name, QRect twips)
{
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name));
    const qreal dpiX = container->logicalDpiX();
    const qreal dpiY = container->logicalDpiY();
    control->setGeometry(
        twipsToRect(twips.x(), twips.y(), twips.width(), twips.height(), dpiX, dpiY));
    return control;
}

QPushButton* makeButton(QWidget* container, const char* name, QRect twips)
{
    auto* button = makeControl<QPushButton>(container, name, twips);
    button->setFont(arialBold(11.25));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    button->setPalette(palette);
    return button;
}

} // namespace

QString SettingsNotSavedMessage(const QString& location)
{
    return QCoreApplication::translate(
               "Form1", "Your settings could not be saved in \"%1\".\r\r"
                        "Everything works as usual, but the choices you make now will not be "
                        "remembered the next time the program starts.")
        .arg(location);
}

Form1::Form1(Form1Services services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_platform(services.platform), m_settings(services.settings),
      m_programFolder(std::move(services.programFolder))
{
    setObjectName(QStringLiteral("Form1"));
    setFont(arialBold(9));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFixedSize(twipsToPixels(ClientWidthTwips, logicalDpiX()),
                 twipsToPixels(ClientHeightTwips, logicalDpiY()));

    createControls();
    m_outputOptions = std::make_unique<OutputOptions>(
        OutputOptionControls{*Frame1, *Slider1, *Option1, *Option2, *Frame3, *Text1}, m_settings,
        services.desktopFolder ? services.desktopFolder : GetDesktopFolder);
    m_runControls = std::make_unique<ConversionRunControls>(
        *ListView1, *Text1, *Option1, *Option2, *Slider1, *ProgressBar1,
        [this](PointerKind kind) {
            m_runShowsBusy = kind == PointerKind::Busy;
            showWorkPointer();
        },
        [this] { return m_outputChoices->choices(); }, m_platform.taskbar);
    m_conversionRun =
        std::make_unique<ConversionRun>(*m_runControls, *m_runControls, *m_runControls);
    m_settings.setWriteFailureHandler(
        [this](const QString& location) { tellSettingsNotSaved(location); });
    m_listEditing =
        new ListEditing(*ListView1, {[this] { return isBusy(); },
                                     [this] { setMousePointer(PointerOverSurface(m_pointer)); },
                                     [this] { return dragPointer(); }});
    createMenuBar();
    retranslate();
    placeBelowMenuBar();
    arrangeTabOrder();
    connectReactions();
    watchPointerMoves();
    centreOnScreen();
    ListView1->setFocus();
}

Form1::~Form1()
{
    m_settings.setWriteFailureHandler({});
}

void Form1::createControls()
{
    ListView1 = makeControl<FileListView>(this, "ListView1", {120, 120, 7800, 2535});

    PushButton1 = makeButton(this, "PushButton1", {120, 2750, 3840, 405});
    PushButton4 = makeButton(this, "PushButton4", {4080, 2740, 3840, 405});
    PushButton6 = makeButton(this, "PushButton6", {120, 3260, 3840, 405});
    PushButton7 = makeButton(this, "PushButton7", {4080, 3260, 3840, 405});

    Frame1 = makeControl<QGroupBox>(this, "Frame1", {120, 3720, 7800, 885});
    Frame1->setTitle(QualityFrameDesignCaption);
    Slider1 = makeControl<QSlider>(Frame1, "Slider1", {120, 240, 7560, 540});
    setUpQualitySlider(*Slider1);

    Frame5 = makeControl<QGroupBox>(this, "Frame5", {120, 4665, 7800, 1815});
    Option1 = makeControl<QRadioButton>(Frame5, "Option1", {240, 300, 3615, 255});
    Option1->setChecked(true);
    Frame3 = makeControl<QGroupBox>(Frame5, "Frame3", {480, 510, 6840, 810});
    Text1 = makeControl<QLineEdit>(Frame3, "Text1", {240, 300, 5670, 345});
    PushButton9 = makeButton(Frame3, "PushButton9", {6000, 300, 600, 345});
    PushButton9->setText(BrowseButtonCaption);
    Option2 = makeControl<QRadioButton>(Frame5, "Option2", {240, 1410, 3615, 255});

    PushButton2 = makeButton(this, "PushButton2", {120, 6600, 7800, 405});
    ProgressBar1 = makeControl<ProgressBarWithText>(this, "ProgressBar1", {120, 7120, 7800, 405});
}

// File, Options and Help. The File menu's items run exactly the reactions of their buttons.
void Form1::createMenuBar()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("MenuBar"));
    QFont menuFont = font(); // the window's Arial, as menus show it: not bold
    menuFont.setBold(false);
    m_menuBar->setFont(menuFont);
    m_fileMenu = m_menuBar->addMenu(QString());
    m_addFilesItem = m_fileMenu->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                                           &Form1::PushButton1_Click);
    m_addFolderItem = m_fileMenu->addAction(
        QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this, &Form1::PushButton4_Click);
    m_samplesItem = m_fileMenu->addAction(QString(), this, &Form1::PushButton7_Click);
    m_clearItem = m_fileMenu->addAction(QString(), this, &Form1::PushButton6_Click);
    m_fileMenu->addSeparator();
    m_startItem = m_fileMenu->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_Return), this,
                                        &Form1::PushButton2_Click);
    m_fileMenu->addSeparator();
    m_quitItem =
        m_fileMenu->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);

    m_optionsMenu = m_menuBar->addMenu(QString());
    m_outputChoices = std::make_unique<OutputChoicesMenu>(*m_optionsMenu, m_settings, *Option1,
                                                          [this] { return context(); });
    m_optionsMenu->addSeparator();
    m_languageMenu = std::make_unique<LanguageMenu>(*m_optionsMenu, m_settings, m_translations);

    m_helpMenu = m_menuBar->addMenu(QString());
    m_aboutItem = m_helpMenu->addAction(QString(), this, &Form1::showAbout);
}

void Form1::retranslate()
{
    ListView1->setToolTip(FileListToolTip());
    ListView1->setAccessibleName(QCoreApplication::translate("Form1", "WebP files to convert"));
    ListView1->setColumnHeader(1, FileListColumnHeader());
    PushButton1->setText(QCoreApplication::translate("Form1", "Add WebP File(s)"));
    PushButton4->setText(QCoreApplication::translate("Form1", "Add All WebP File(s) In Folder"));
    PushButton6->setText(QCoreApplication::translate("Form1", "Clear List"));
    PushButton7->setText(QCoreApplication::translate("Form1", "Load Sample/Example Files"));
    PushButton2->setText(QCoreApplication::translate("Form1", "Start Converting"));
    if (m_loaded)
        Frame1->setTitle(QualityCaption(Slider1->value()));
    Frame5->setTitle(SaveOptionFrameCaption());
    Option1->setText(SaveToFolderCaption());
    Option2->setText(SaveBesideSourceCaption());
    Text1->setAccessibleName(QCoreApplication::translate("Form1", "Output folder"));
    PushButton9->setAccessibleName(
        QCoreApplication::translate("Form1", "Choose output folder")); // it shows "..."
    if (!m_conversionRun || !m_conversionRun->IsConverting())
        ProgressBar1->setText(ProgressBarIdleText());

    m_fileMenu->setTitle(FileMenuText());
    m_addFilesItem->setText(AddFilesItemText());
    m_addFolderItem->setText(AddFolderItemText());
    m_samplesItem->setText(SamplesItemText());
    m_clearItem->setText(ClearItemText());
    m_startItem->setText(StartItemText());
    m_quitItem->setText(QuitItemText());
    m_optionsMenu->setTitle(OptionsMenuText());
    m_outputChoices->retranslate();
    m_languageMenu->retranslate();
    m_helpMenu->setTitle(HelpMenuText());
    m_aboutItem->setText(AboutItemText());
    if (m_barHeight > 0)
        placeBelowMenuBar();
}

void Form1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

// The controls keep their places, measured from below the menu bar, and the window grows by
// the bar's height.
// The bar's height follows its texts: titles in Japanese or Chinese stand taller than in
// English, and a bar too low for them would fold its menus away.
void Form1::placeBelowMenuBar()
{
    const int barHeight = m_menuBar->sizeHint().height();
    const int grown = barHeight - m_barHeight;
    if (grown == 0)
        return;
    m_barHeight = barHeight;
    m_menuBar->setGeometry(0, 0, width(), barHeight);
    m_menuBar->setFixedHeight(barHeight); // a skin does not move the controls under it
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control != m_menuBar)
            control->move(control->pos() + QPoint(0, grown));
    setFixedSize(width(), height() + grown);
}

void Form1::arrangeTabOrder()
{
    // Only controls that take the focus are in the chain; frames and the progress bar do not.
    QWidget* const chain[] = {ListView1,   PushButton1, PushButton4, PushButton2,
                              PushButton6, PushButton7, Option1,     Option2,
                              Text1,       PushButton9, Slider1};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void Form1::connectReactions()
{
    connect(PushButton1, &QPushButton::clicked, this, &Form1::PushButton1_Click);
    connect(PushButton2, &QPushButton::clicked, this, &Form1::PushButton2_Click);
    connect(PushButton4, &QPushButton::clicked, this, &Form1::PushButton4_Click);
    connect(PushButton6, &QPushButton::clicked, this, &Form1::PushButton6_Click);
    connect(PushButton7, &QPushButton::clicked, this, &Form1::PushButton7_Click);
    ListView1->setDropHandler(
        [this](const QStringList& paths) { DropFiles(*ListView1, paths, context(), m_closing); });
    connect(PushButton9, &QPushButton::clicked, this,
            [this] { m_outputOptions->browseForOutputFolder(context()); });
    m_outputOptions->connectReactions();
}

void Form1::watchPointerMoves()
{
    for (QWidget* watched :
         std::initializer_list<QWidget*>{this, Frame1, Frame3, Frame5, PushButton1, PushButton2,
                                         PushButton4, PushButton6, PushButton7, PushButton9}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
        return QWidget::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (qobject_cast<QPushButton*>(widget)) {
        setMousePointer(PointerOverButton(m_pointer));
    } else {
        // Only the surface itself counts: a move that a control passed on to its container
        // (an option button, the slider, the text box) has no pointer reaction.
        const QPoint at = event->type() == QEvent::MouseMove
                              ? static_cast<QMouseEvent*>(event)->position().toPoint()
                              : widget->mapFromGlobal(QCursor::pos());
        if (!widget->childAt(at))
            setMousePointer(PointerOverSurface(m_pointer));
    }
    return QWidget::eventFilter(watched, event);
}

QCursor Form1::dragPointer() const
{
    try {
        return loadPointerFile(m_programFolder + Separator + QStringLiteral("drag.ico"));
    } catch (const Failure&) {
        return QCursor(Qt::ClosedHandCursor); // no drag pointer file: the drag still works
    }
}

void Form1::takeHandedPaths(const QStringList& paths)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    DropFiles(*ListView1, paths, context(), m_closing);
}

void Form1::centreOnScreen()
{
    // A Wayland compositor places windows itself.
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        return;
    const QRect available = screen()->availableGeometry();
    move(available.center() - QPoint(width() / 2, height() / 2));
}

void Form1::Form_Load()
{
    GuardedSteps guard(GuardedProcedure::FormLoad, m_platform.messageBoxes, this);

    guard.step(100, [&] {
        SetUpSkin(*this, {Frame1, Frame5, Frame3, Option1, Option2}, m_programFolder);
    });

    const QString handPointerFile = m_programFolder + Separator + HandPointerFileName;
    if (guard.test(102, [&] { return PathExists(handPointerFile); }))
        guard.step(104, [&] { m_customPointer = loadPointerFile(handPointerFile); });

    guard.step(130, [&] { setWindowTitle(ProductName); });
    guard.step(130, [&] { setWindowIcon(ProgramIcon()); });
    guard.step(130, [&] { m_applicationTitle = ApplicationTitle(ProductName); });

    guard.step(132, [&] { ListView1->addColumnHeader(FileListColumnHeader()); });
    guard.step(134, [&] { ListView1->setColumnWidthTwips(1, FileListColumnWidthTwips); });

    m_outputOptions->restore(guard);
    m_outputChoices->restore();
    m_loaded = true;
    m_languageMenu->restore();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The program ends with its window: a scan stops at its next yield, and a run still
    // working stops its tool and removes its working folder on the way out.
    m_closing = true;
    if (m_conversionRun->IsConverting())
        m_conversionRun->abandon();
    QWidget::closeEvent(event);
}

void Form1::setMousePointer(PointerKind kind)
{
    // Pointer moves ask for the kind they already have most of the time.
    if (kind == m_pointer && testAttribute(Qt::WA_SetCursor))
        return;
    m_pointer = kind;
    switch (kind) {
    case PointerKind::Default: setCursor(Qt::ArrowCursor); break;
    case PointerKind::Busy: setCursor(Qt::WaitCursor); break;
    case PointerKind::Custom:
        setCursor(m_customPointer ? *m_customPointer : QCursor(Qt::ArrowCursor));
        break;
    }
}

void Form1::PushButton1_Click()
{
    AddFilesByDialog(*ListView1, context());
}

void Form1::PushButton2_Click()
{
    m_conversionRun->start(context());
}

void Form1::convertBesideSources()
{
    if (m_conversionRun->IsConverting())
        return;
    m_runControls->setResultsBesideSources(true);
    connect(
        m_conversionRun.get(), &ConversionRun::ended, this,
        [this] { m_runControls->setResultsBesideSources(false); }, Qt::SingleShotConnection);
    m_conversionRun->start(context());
}

void Form1::PushButton7_Click()
{
    LoadSampleFiles(*ListView1, m_programFolder, context());
}

void Form1::showAbout()
{
    m_platform.messageBoxes.show(
        this, {AboutTitle(), AboutText(), MessageIcon::None, MessageButtons::Ok});
}

void Form1::PushButton4_Click()
{
    bool busy = false; // this scan's part in the busy state
    const auto setScanPointer = [this, &busy](PointerKind kind) {
        if (busy != (kind == PointerKind::Busy)) {
            busy = !busy;
            m_scansShowingBusy += busy ? 1 : -1;
        }
        showWorkPointer();
    };
    AddAllInFolder(*ListView1, m_settings, context(), setScanPointer, m_closing);
    if (busy) // a scan that ended early, with the window
        --m_scansShowingBusy;
}

void Form1::showWorkPointer()
{
    setMousePointer(m_runShowsBusy || m_scansShowingBusy > 0 ? PointerKind::Busy
                                                             : PointerKind::Default);
}

void Form1::PushButton6_Click()
{
    ClearList(*ListView1, isBusy(), context());
}

void Form1::tellSettingsNotSaved(const QString& location)
{
    const QString title = m_applicationTitle.isEmpty() ? ProductName : m_applicationTitle;
    m_platform.messageBoxes.show(
        this, {title, SettingsNotSavedMessage(location), MessageIcon::Warning, MessageButtons::Ok});
}

} // namespace orvalin
