#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSettings;
class QWidget;

namespace vertano::ui {

// What the desktop remembers between runs: the recent projects and the layout
// of the windows. It lives in one QSettings object that the program (or a
// test, with a file of its own) hands over; without one nothing is read or
// written, so that a window made by a test never touches the user's settings.
// The settings of the work itself stay in the project files.
class DesktopSettings {
  public:
    // The store to use from now on (not owned; null switches remembering off).
    static void Use(QSettings* store);
    static QSettings* Store();
};

// The projects opened or saved last, newest first, at most kMaxRecent.
inline constexpr int kMaxRecent = 8;
QStringList RecentProjects();
// A project opened or saved: to the top of the list (once, by its absolute path).
void RememberProject(const QString& path);
void ForgetProject(const QString& path);
void ForgetAllProjects();

// The size and position of a top-level window and the widths of the columns of
// its tables, under a key that names the kind of window.
void SaveWindowLayout(const QWidget& window, const QString& key);
// False when nothing was remembered under the key. Column widths are restored
// only to tables that still have the columns remembered.
bool RestoreWindowLayout(QWidget& window, const QString& key);
// The key of a window: its class, its object name when it has one and the
// columns of its first table (one class shows lists of several kinds).
QString WindowLayoutKey(const QWidget& window);

// Remembers the layout of every dialog of the program: restored when it is
// shown, saved when it is hidden. Installed on the application.
class WindowLayoutKeeper : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override;
};

}  // namespace vertano::ui
