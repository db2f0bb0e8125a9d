#pragma once

#include "core/Platform.h"

#include <QList>
#include <QStringList>

namespace orvalin::testing {

// Seams for tests: each keeps what it was asked and gives the answers scripted for it.

class RecordingMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget* owner, const MessageRequest& request) override
    {
        owners.append(owner);
        shown.append(request);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }

    QList<QWidget*> owners;
    QList<MessageRequest> shown;
    QList<MessageAnswer> answers;
};

class RecordingFileDialogs : public FileDialogs
{
public:
    struct FolderRequest
    {
        QString title;
        QString initialFolder;
    };

    QStringList openFiles(QWidget* owner, const OpenFilesRequest& request) override
    {
        owners.append(owner);
        openRequests.append(request);
        return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
    }

    QString pickFolder(QWidget* owner, const QString& title, const QString& initialFolder) override
    {
        owners.append(owner);
        folderRequests.append({title, initialFolder});
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    QList<QWidget*> owners;
    QList<OpenFilesRequest> openRequests;
    QList<QStringList> openAnswers;
    QList<FolderRequest> folderRequests;
    QStringList folderAnswers;
};

class RecordingShell : public Shell
{
public:
    bool openFolder(const QString& folder) override
    {
        opened.append(folder);
        return true;
    }

    QStringList opened;
};

class RecordingInputDialogs : public InputDialogs
{
public:
    struct Question
    {
        QString title;
        QString label;
        QString text;
    };

    std::optional<QString> askText(QWidget* owner, const QString& title, const QString& label,
                                   const QString& text) override
    {
        owners.append(owner);
        asked.append({title, label, text});
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }

    QList<QWidget*> owners;
    QList<Question> asked;
    QList<std::optional<QString>> answers; // nothing: cancelled
};

// What the taskbar was asked to show, in order: "progress 0.5", "clear", "attention".
class RecordingTaskbar : public Taskbar
{
public:
    void showProgress(QWidget*, double share) override
    {
        calls.append(QStringLiteral("progress %1").arg(share));
    }
    void clearProgress(QWidget*) override { calls.append(QStringLiteral("clear")); }
    void requestAttention(QWidget*) override { calls.append(QStringLiteral("attention")); }

    QStringList calls;
};

struct RecordingPlatform
{
    RecordingMessageBoxes messageBoxes;
    RecordingFileDialogs fileDialogs;
    RecordingShell shell;
    RecordingInputDialogs inputDialogs;
    RecordingTaskbar taskbar;

    Platform platform() { return {messageBoxes, fileDialogs, shell, inputDialogs, taskbar}; }
};

} // namespace orvalin::testing
