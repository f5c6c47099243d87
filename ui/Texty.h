#pragma once

#include <QString>
#include <string>

namespace vertano::ui {

// The library keeps its texts in UTF-8.
inline QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string S(const QString& text) {
    return text.toUtf8().toStdString();
}

// "Word" + " ..." for items that open a window.
inline QString Okno(const std::string& text) {
    return Q(text) + QStringLiteral(" ...");
}

// The second word of a composed caption starts in lower case ("Save as").
inline QString Male(const std::string& text) {
    const QString q = Q(text);
    return q.isEmpty() ? q : q.left(1).toLower() + q.mid(1);
}

}  // namespace vertano::ui
