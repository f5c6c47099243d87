#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace vertano::ui {

// What the rows selected in a result table show in the drawing: their points,
// the lines of their observations (station, target), and the current row as
// "caption: value" lines for the side panel of the drawing.
struct VyberMapy {
    QStringList body;
    QList<QPair<QString, QString>> spojnice;
    QString popis;

    bool operator==(const VyberMapy&) const = default;
};

}  // namespace vertano::ui
