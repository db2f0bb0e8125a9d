#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace orvalin {

// The platform's dialogs and shell, each behind a small interface: the program uses Qt's,
// tests use recorders that keep what they were asked and give scripted answers.

enum class MessageIcon { None, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest
{
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Modal message boxes; show() returns when the user has closed the box.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(QWidget* owner, const MessageRequest& request) = 0;
};

struct OpenFilesRequest
{
    QString title;
    QString filter; // one Qt filter entry, such as "WebP (*.webp)"
    bool multipleSelection = false;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen files as absolute paths with native separators, usually all in one folder; empty
    // when the user cancels.
    virtual QStringList openFiles(QWidget* owner, const OpenFilesRequest& request) = 0;
    // The chosen folder with native separators, the root keeping its separator and every other
    // folder without a trailing one; empty when the user cancels.
    virtual QString pickFolder(QWidget* owner, const QString& title,
                               const QString& initialFolder) = 0;
};

class Shell
{
public:
    virtual ~Shell() = default;
    // Opens the folder in the desktop's file manager; false when that could not be started.
    virtual bool openFolder(const QString& folder) = 0;
};

// A desktop with no dialogs and no file manager, for runs no one watches (the console
// program's, a benchmark's): every dialog is cancelled and no folder opens.
class NoFileDialogs : public FileDialogs
{
public:
    QStringList openFiles(QWidget*, const OpenFilesRequest&) override { return {}; }
    QString pickFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

class NoShell : public Shell
{
public:
    bool openFolder(const QString&) override { return false; }
};

// A line of text asked of the user.
class InputDialogs
{
public:
    virtual ~InputDialogs() = default;
    // What the user typed, or nothing when the dialog was cancelled.
    virtual std::optional<QString> askText(QWidget* owner, const QString& title,
                                           const QString& label, const QString& text) = 0;
};

// Asks nothing: every question is cancelled. For windows no one answers, such as a benchmark's.
class NoInputDialogs : public InputDialogs
{
public:
    std::optional<QString> askText(QWidget*, const QString&, const QString&,
                                   const QString&) override
    {
        return std::nullopt;
    }
    static NoInputDialogs& instance()
    {
        static NoInputDialogs none;
        return none;
    }
};

// The window's button on the taskbar or in the dock.
class Taskbar
{
public:
    virtual ~Taskbar() = default;
    // Shows the share of a run done, from 0 to 1, on the window's button.
    virtual void showProgress(QWidget* window, double share) = 0;
    // Takes the progress off the button.
    virtual void clearProgress(QWidget* window) = 0;
    // Asks for the user's attention to the window, which is not the active one.
    virtual void requestAttention(QWidget* window) = 0;
};

// Shows nothing: for windows of no desktop, such as a benchmark's.
class NoTaskbar : public Taskbar
{
public:
    void showProgress(QWidget*, double) override {}
    void clearProgress(QWidget*) override {}
    void requestAttention(QWidget*) override {}
    static NoTaskbar& instance()
    {
        static NoTaskbar none;
        return none;
    }
};

// The seams one window works with.
struct Platform
{
    MessageBoxes& messageBoxes;
    FileDialogs& fileDialogs;
    Shell& shell;
    InputDialogs& inputDialogs = NoInputDialogs::instance();
    Taskbar& taskbar = NoTaskbar::instance();
};

// The window's pointer kinds. The busy kind marks the window as busy while a folder scan or a
// conversion run works.
enum class PointerKind { Default = 0, Busy = 11, Custom = 99 };

// What a reaction needs of the window it runs for: the owner of its dialogs, the seams, and
// the title of message boxes that name none of their own.
struct WindowContext
{
    QWidget* owner;
    Platform platform;
    QString applicationTitle;
};

} // namespace orvalin
