#include "OknoInformace.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "Texty.h"

namespace vertano::ui {

OknoInformace::OknoInformace(QWidget* rodic, const QString& nadpis, const QString& kopirovat,
                             const std::vector<InfoSkupina>& skupiny)
    : QDialog(rodic) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* hlavni = new QVBoxLayout(this);
    auto* mrizka = new QGridLayout;
    mrizka->setHorizontalSpacing(24);
    mrizka->setVerticalSpacing(3);
    hlavni->addLayout(mrizka);
    hlavni->addStretch();
    text_ = nadpis + "\r\n";
    int radek = 0;
    for (const InfoSkupina& g : skupiny) {
        auto* nadpisSkupiny = new QLabel(Q(g.nadpis), this);
        QFont tucne = nadpisSkupiny->font();
        tucne.setBold(true);
        nadpisSkupiny->setFont(tucne);
        if (radek > 0) mrizka->setRowMinimumHeight(radek++, 8);
        mrizka->addWidget(nadpisSkupiny, radek++, 0, 1, 2);
        auto* cara = new QFrame(this);
        cara->setFrameShape(QFrame::HLine);
        cara->setFrameShadow(QFrame::Sunken);
        mrizka->addWidget(cara, radek++, 0, 1, 2);
        text_ += "\r\n" + Q(g.nadpis) + "\r\n";
        for (const InfoRadek& r : g.radky) {
            auto* popis = new QLabel(Q(r.popis), this);
            if (r.jenText) {
                mrizka->addWidget(popis, radek++, 0, 1, 2);
                text_ += Q(r.popis) + "\r\n";
                continue;
            }
            auto* hodnota = new QLabel(Q(r.hodnota), this);
            hodnota->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            hodnota->setTextInteractionFlags(Qt::TextSelectableByMouse);
            mrizka->addWidget(popis, radek, 0);
            mrizka->addWidget(hodnota, radek++, 1);
            text_ += Q(r.popis) + "\t" + Q(r.hodnota) + "\r\n";
        }
    }
    auto* kopie = new QAction(kopirovat, this);
    kopie->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(kopie, &QAction::triggered, this, &OknoInformace::Kopirovat);
    addAction(kopie);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this, kopie](const QPoint& bod) {
        QMenu menu(this);
        menu.addAction(kopie);
        menu.exec(mapToGlobal(bod));
    });
}

QString OknoInformace::Text() const {
    return text_;
}

void OknoInformace::Kopirovat() const {
    QApplication::clipboard()->setText(text_);
}

}  // namespace vertano::ui
