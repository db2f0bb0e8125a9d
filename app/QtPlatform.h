#pragma once

#include "core/Platform.h"

namespace orvalin {

// The seams as the program uses them: Qt's message boxes, file and input dialogs and desktop
// services.

class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget* owner, const MessageRequest& request) override;
};

class QtFileDialogs : public FileDialogs
{
public:
    QStringList openFiles(QWidget* owner, const OpenFilesRequest& request) override;
    QString pickFolder(QWidget* owner, const QString& title, const QString& initialFolder) override;
};

class QtInputDialogs : public InputDialogs
{
public:
    std::optional<QString> askText(QWidget* owner, const QString& title, const QString& label,
                                   const QString& text) override;
};

class QtShell : public Shell
{
public:
    bool openFolder(const QString& folder) override;
};

} // namespace orvalin
