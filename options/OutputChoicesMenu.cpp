#include "options/OutputChoicesMenu.h"

#include "core/Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QRadioButton>

namespace orvalin {

QString FitWithinText(std::uint32_t pixels)
{
    return QStringLiteral("Fit Within %1 Pixels").arg(pixels);
}

OutputChoicesMenu::OutputChoicesMenu(QMenu& menu, SettingsStore& settings, QRadioButton& toFolder,
                                     std::function<WindowContext()> context)
    : m_menu(menu), m_settings(settings), m_toFolder(toFolder)
{
    QMenu* ifExists = menu.addMenu(IfExistsMenuText);
    auto* ifExistsGroup = new QActionGroup(ifExists);
    m_ifExists[IfExists::Replace] = addChoice(*ifExists, ifExistsGroup, ReplaceItText);
    m_ifExists[IfExists::KeepBoth] = addChoice(*ifExists, ifExistsGroup, KeepBothText);
    m_ifExists[IfExists::Skip] = addChoice(*ifExists, ifExistsGroup, SkipTheFileText);

    m_keepSubfolders = addChoice(menu, nullptr, KeepSubfoldersText);
    m_keepDates = addChoice(menu, nullptr, KeepDatesText);

    QMenu* metadata = menu.addMenu(MetadataMenuText);
    auto* metadataGroup = new QActionGroup(metadata);
    m_metadata[MetadataKept::All] = addChoice(*metadata, metadataGroup, KeepAllMetadataText);
    m_metadata[MetadataKept::NoLocation] = addChoice(*metadata, metadataGroup, RemoveLocationText);
    m_metadata[MetadataKept::ColourAndOrientation] =
        addChoice(*metadata, metadataGroup, ColourAndOrientationText);

    m_sizeMenu = menu.addMenu(SizeMenuText);
    m_sizes = new QActionGroup(m_sizeMenu);
    m_fits[0] = addChoice(*m_sizeMenu, m_sizes, KeepSizeText);
    for (const std::uint32_t pixels : FitPresets)
        m_fits[pixels] = addChoice(*m_sizeMenu, m_sizes, FitWithinText(pixels));
    m_otherSize = m_sizeMenu->addAction(OtherSizeText);

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

// A checkable item; one of a group when a group is given.
QAction* OutputChoicesMenu::addChoice(QMenu& menu, QActionGroup* group, const QString& text)
{
    QAction* item = menu.addAction(text);
    item->setCheckable(true);
    if (group)
        group->addAction(item);
    return item;
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
        window.owner, OtherSizeTitle, OtherSizeLabel,
        m_fitWithin ? QString::number(m_fitWithin) : QString());
    if (!answer)
        return;
    bool isNumber = false;
    const uint pixels = answer->trimmed().toUInt(&isNumber);
    if (!isNumber || pixels < protocol::FitMin || pixels > protocol::FitMax) {
        window.platform.messageBoxes.show(window.owner, {window.applicationTitle, OtherSizeRefused,
                                                         MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    showFitWithin(pixels);
    store();
}

} // namespace orvalin
