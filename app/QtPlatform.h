#pragma once

#include "core/Platform.h"

namespace orvalin {

// The seams as the program uses them: Qt's message boxes, file dialogs and desktop services.

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

class QtShell : public Shell
{
public:
    bool openFolder(const QString& folder) override;
};

} // namespace orvalin
