#include "OknoMatice.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vertano::ui {

OknoMatice::OknoMatice(QWidget* rodic, const QString& nadpis, const QString& text, int n)
    : QDialog(rodic) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    auto* hlavni = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The matrix text ends its rows with CR LF, as files do.
    QString radky = text;
    radky.replace("\r\n", "\n");
    text_->setPlainText(radky);
    hlavni->addWidget(text_, 1);
    rozmer_ =
        new QLabel(" " + QString::number(n) + QString::fromUtf8(" × ") + QString::number(n), this);
    rozmer_->setObjectName("rozmer");
    hlavni->addWidget(rozmer_);
    const QFontMetrics fm(text_->font());
    resize(fm.horizontalAdvance(QString(90, '0')) + 40, fm.height() * 24 + 80);
}

QString OtazkaVelkeMatice(uint8_t typJazyk, int n) {
    const QString rozmer = QString::number(n) + QString::fromUtf8(" × ") + QString::number(n);
    if (typJazyk == 0) {
        return QString::fromUtf8("Matice váhových koeficientů má ") + rozmer +
               QString::fromUtf8(
                   " prvků. Její výpočet a zobrazení může trvat dlouho a potřebovat mnoho "
                   "paměti. Opravdu chcete pokračovat?");
    }
    return "The weight coefficient matrix has " + rozmer +
           " elements. Computing and showing it may take long and need much memory. Do you "
           "really want to continue?";
}

}  // namespace vertano::ui
