#include "DesktopSettings.h"

#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QVariant>

namespace vertano::ui {

namespace {

QSettings* g_store = nullptr;

constexpr const char* kRecent = "recentProjects";
// Set when a dialog is shown: its key is needed again when it is hidden, which
// may happen while it is being destroyed and no longer knows its class.
constexpr const char* kKeyProperty = "vertanoLayoutKey";

// The tables of the window itself, not of the windows it owns.
QList<QTableView*> Tables(const QWidget& window) {
    QList<QTableView*> tables;
    for (QTableView* t : window.findChildren<QTableView*>()) {
        if (t->window() == &window) tables << t;
    }
    return tables;
}

QString Canonical(const QString& path) {
    const QFileInfo info(path);
    return info.absoluteFilePath();
}

}  // namespace

void DesktopSettings::Use(QSettings* store) {
    g_store = store;
}

QSettings* DesktopSettings::Store() {
    return g_store;
}

QStringList RecentProjects() {
    if (g_store == nullptr) return {};
    QStringList list = g_store->value(kRecent).toStringList();
    list.removeAll(QString());
    while (list.size() > kMaxRecent) list.removeLast();
    return list;
}

void RememberProject(const QString& path) {
    if (g_store == nullptr || path.isEmpty()) return;
    const QString full = Canonical(path);
    QStringList list = RecentProjects();
    list.removeAll(full);
    list.prepend(full);
    while (list.size() > kMaxRecent) list.removeLast();
    g_store->setValue(kRecent, list);
    g_store->sync();
}

void ForgetProject(const QString& path) {
    if (g_store == nullptr) return;
    QStringList list = RecentProjects();
    list.removeAll(path);
    list.removeAll(Canonical(path));
    g_store->setValue(kRecent, list);
    g_store->sync();
}

void ForgetAllProjects() {
    if (g_store == nullptr) return;
    g_store->remove(kRecent);
    g_store->sync();
}

QString WindowLayoutKey(const QWidget& window) {
    QString key = QString::fromLatin1(window.metaObject()->className()).replace("::", ".");
    if (!window.objectName().isEmpty()) key += "." + window.objectName();
    const QList<QTableView*> tables = Tables(window);
    if (!tables.isEmpty() && tables.front()->model() != nullptr)
        key += ".c" + QString::number(tables.front()->model()->columnCount());
    return key;
}

void SaveWindowLayout(const QWidget& window, const QString& key) {
    if (g_store == nullptr || key.isEmpty()) return;
    g_store->beginGroup("windows/" + key);
    g_store->setValue("geometry", window.saveGeometry());
    const QList<QTableView*> tables = Tables(window);
    for (int t = 0; t < tables.size(); ++t) {
        QList<QVariant> widths;
        const QHeaderView* header = tables[t]->horizontalHeader();
        for (int s = 0; s < header->count(); ++s) widths << header->sectionSize(s);
        g_store->setValue("columns" + QString::number(t), widths);
    }
    g_store->endGroup();
    g_store->sync();
}

bool RestoreWindowLayout(QWidget& window, const QString& key) {
    if (g_store == nullptr || key.isEmpty()) return false;
    g_store->beginGroup("windows/" + key);
    const QByteArray geometry = g_store->value("geometry").toByteArray();
    const QList<QTableView*> tables = Tables(window);
    for (int t = 0; t < tables.size(); ++t) {
        const QList<QVariant> widths = g_store->value("columns" + QString::number(t)).toList();
        QHeaderView* header = tables[t]->horizontalHeader();
        if (widths.size() != header->count()) continue;
        for (int s = 0; s < widths.size(); ++s) {
            // A width from a damaged file is not taken.
            const int w = widths[s].toInt();
            if (w >= 8 && w <= 4000) header->resizeSection(s, w);
        }
    }
    g_store->endGroup();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

namespace {

// The windows a user sizes to his data: those with tables, the drawing, the
// matrix and the report. Messages and settings keep their own size.
bool Remembered(const QDialog& dialog) {
    return !Tables(dialog).isEmpty() || dialog.inherits("vertano::ui::OknoKresby") ||
           dialog.inherits("vertano::ui::OknoMatice") ||
           dialog.inherits("vertano::ui::ProtokolOkno");
}

}  // namespace

bool WindowLayoutKeeper::eventFilter(QObject* object, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || event->spontaneous()) return false;
    auto* dialog = qobject_cast<QDialog*>(object);
    if (dialog == nullptr || !dialog->isWindow()) return false;
    if (type == QEvent::Show && !Remembered(*dialog)) return false;
    if (type == QEvent::Show) {
        const QString key = WindowLayoutKey(*dialog);
        dialog->setProperty(kKeyProperty, key);
        RestoreWindowLayout(*dialog, key);
    } else {
        SaveWindowLayout(*dialog, dialog->property(kKeyProperty).toString());
    }
    return false;
}

}  // namespace vertano::ui
