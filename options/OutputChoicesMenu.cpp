#include "options/OutputChoicesMenu.h"

#include "core/Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>

namespace orvalin {

namespace {

// Where the mnemonic goes in each size offered: no two items share a digit, and 0, 1 and 7
// are left for a size of the user's own.
const std::map<std::uint32_t, int> MnemonicDigit = {{3840, 0}, {2560, 1}, {1920, 1}, {1600, 1},
                                                    {1280, 1}, {1024, 3}, {800, 0}};

} // namespace

QString FitWithinText(std::uint32_t pixels)
{
    QString number = QString::number(pixels);
    if (const auto digit = MnemonicDigit.find(pixels); digit != MnemonicDigit.end())
        number.insert(digit->second, QLatin1Char('&'));
    else if (const qsizetype free = number.indexOf(QRegularExpression(QStringLiteral("[017]")));
             free >= 0)
        number.insert(free, QLatin1Char('&')); // a digit no size offered uses
    return QCoreApplication::translate("OutputChoicesMenu", "Fit Within %1 Pixels").arg(number);
}

OutputChoicesMenu::OutputChoicesMenu(QMenu& menu, SettingsStore& settings, QRadioButton& toFolder,
                                     std::function<WindowContext()> context)
    : m_menu(menu), m_settings(settings), m_toFolder(toFolder)
{
    m_ifExistsMenu = menu.addMenu(QString());
    auto* ifExistsGroup = new QActionGroup(m_ifExistsMenu);
    for (const IfExists choice : {IfExists::Replace, IfExists::KeepBoth, IfExists::Skip})
        m_ifExists[choice] = addChoice(*m_ifExistsMenu, ifExistsGroup);

    m_keepSubfolders = addChoice(menu, nullptr);
    m_keepDates = addChoice(menu, nullptr);

    m_metadataMenu = menu.addMenu(QString());
    auto* metadataGroup = new QActionGroup(m_metadataMenu);
    for (const MetadataKept kept :
         {MetadataKept::All, MetadataKept::NoLocation, MetadataKept::ColourAndOrientation})
        m_metadata[kept] = addChoice(*m_metadataMenu, metadataGroup);

    m_sizeMenu = menu.addMenu(QString());
    m_sizes = new QActionGroup(m_sizeMenu);
    m_fits[0] = addChoice(*m_sizeMenu, m_sizes);
    for (const std::uint32_t pixels : FitPresets)
        m_fits[pixels] = addChoice(*m_sizeMenu, m_sizes);
    m_otherSize = m_sizeMenu->addAction(QString());
    retranslate();

    for (QAction* item : {m_keepSubfolders, m_keepDates})
        QObject::connect(item, &QAction::triggered, &m_reactions, [this] { store(); });
    for (const auto& [choice, item] : m_ifExists)
        QObject::connect(item, &QAction::triggered, &m_reactions, [this] { store(); });
    for (const auto& [kept, item] : m_metadata)
        QObject::connect(item, &QAction::triggered, &m_reactions, [this] { store(); });
    for (const auto& [pixels, item] : m_fits)
        QObject::connect(item, &QAction::triggered, &m_reactions, [this, fit = pixels] {
            showFitWithin(fit);
            store();
        });
    QObject::connect(m_otherSize, &QAction::triggered, &m_reactions,
                     [this, context = std::move(context)] { askOtherSize(context()); });

    QObject::connect(&toFolder, &QRadioButton::toggled, &m_reactions,
                     [this](bool on) { m_keepSubfolders->setEnabled(on); });
    show(OutputChoices{});
}

OutputChoicesMenu::~OutputChoicesMenu() = default;

// A checkable item, its text given by retranslate(); one of a group when a group is given.
QAction* OutputChoicesMenu::addChoice(QMenu& menu, QActionGroup* group)
{
    QAction* item = menu.addAction(QString());
    item->setCheckable(true);
    if (group)
        group->addAction(item);
    return item;
}

void OutputChoicesMenu::retranslate()
{
    m_ifExistsMenu->setTitle(IfExistsMenuText());
    m_ifExists.at(IfExists::Replace)->setText(ReplaceItText());
    m_ifExists.at(IfExists::KeepBoth)->setText(KeepBothText());
    m_ifExists.at(IfExists::Skip)->setText(SkipTheFileText());
    m_keepSubfolders->setText(KeepSubfoldersText());
    m_keepDates->setText(KeepDatesText());
    m_metadataMenu->setTitle(MetadataMenuText());
    m_metadata.at(MetadataKept::All)->setText(KeepAllMetadataText());
    m_metadata.at(MetadataKept::NoLocation)->setText(RemoveLocationText());
    m_metadata.at(MetadataKept::ColourAndOrientation)->setText(ColourAndOrientationText());
    m_sizeMenu->setTitle(SizeMenuText());
    for (const auto& [pixels, item] : m_fits)
        item->setText(pixels == 0 ? KeepSizeText() : FitWithinText(pixels));
    if (m_ownSize)
        m_ownSize->setText(FitWithinText(m_fitWithin));
    m_otherSize->setText(OtherSizeText());
}

void OutputChoicesMenu::restore()
{
    show(StoredOutputChoices(m_settings));
    m_keepSubfolders->setEnabled(m_toFolder.isChecked());
}

void OutputChoicesMenu::show(const OutputChoices& choices)
{
    m_ifExists.at(choices.ifExists)->setChecked(true);
    m_keepSubfolders->setChecked(choices.keepSubfolders);
    m_keepDates->setChecked(choices.keepDates);
    m_metadata.at(choices.metadata)->setChecked(true);
    showFitWithin(choices.fitWithin);
}

// A size among the presets checks its item; any other gets a checked item of its own, above
// "Other Size...", for as long as it is the size chosen.
void OutputChoicesMenu::showFitWithin(std::uint32_t fit)
{
    m_fitWithin = fit;
    if (m_ownSize) {
        delete m_ownSize;
        m_ownSize = nullptr;
    }
    if (const auto preset = m_fits.find(fit); preset != m_fits.end()) {
        preset->second->setChecked(true);
        return;
    }
    m_ownSize = new QAction(FitWithinText(fit), m_sizeMenu);
    m_ownSize->setCheckable(true);
    m_sizes->addAction(m_ownSize);
    m_sizeMenu->insertAction(m_otherSize, m_ownSize);
    m_ownSize->setChecked(true);
}

OutputChoices OutputChoicesMenu::choices() const
{
    OutputChoices choices;
    for (const auto& [choice, item] : m_ifExists)
        if (item->isChecked())
            choices.ifExists = choice;
    choices.keepSubfolders = m_keepSubfolders->isChecked();
    choices.keepDates = m_keepDates->isChecked();
    for (const auto& [kept, item] : m_metadata)
        if (item->isChecked())
            choices.metadata = kept;
    choices.fitWithin = m_fitWithin;
    return choices;
}

void OutputChoicesMenu::store()
{
    StoreOutputChoices(m_settings, choices());
}

void OutputChoicesMenu::askOtherSize(const WindowContext& window)
{
    const std::optional<QString> answer = window.platform.inputDialogs.askText(
        window.owner, OtherSizeTitle(), OtherSizeLabel(),
        m_fitWithin ? QString::number(m_fitWithin) : QString());
    if (!answer)
        return;
    bool isNumber = false;
    const uint pixels = answer->trimmed().toUInt(&isNumber);
    if (!isNumber || pixels < protocol::FitMin || pixels > protocol::FitMax) {
        window.platform.messageBoxes.show(window.owner,
                                          {window.applicationTitle, OtherSizeRefused(),
                                           MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    showFitWithin(pixels);
    store();
}

} // namespace orvalin
