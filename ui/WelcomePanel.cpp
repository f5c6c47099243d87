#include "WelcomePanel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DesktopTexts.h"

namespace vertano::ui {

namespace {

QPushButton* Button(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumWidth(260);
    b->setMinimumHeight(b->sizeHint().height() + 8);
    return b;
}

}  // namespace

WelcomePanel::WelcomePanel(QWidget* parent) : QWidget(parent) {
    setObjectName("uvitani");
    setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(40, 32, 40, 24);
    outer->setSpacing(10);
    title_ = new QLabel(this);
    QFont big = title_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title_->setFont(big);
    intro_ = new QLabel(this);
    intro_->setWordWrap(true);
    intro_->setMaximumWidth(640);
    outer->addWidget(title_);
    outer->addWidget(intro_);
    outer->addSpacing(12);
    example_ = Button(this, "otevritUkazku");
    raw_ = Button(this, "pridatSurova");
    project_ = Button(this, "otevritProjekt");
    for (QPushButton* b : {example_, raw_, project_}) outer->addWidget(b, 0, Qt::AlignLeft);
    // The way past the welcome stays with the other first steps, as a plain link.
    empty_ = Button(this, "prazdnaTabulka");
    empty_->setFlat(true);
    outer->addWidget(empty_, 0, Qt::AlignLeft);
    outer->addSpacing(16);
    recentTitle_ = new QLabel(this);
    QFont bold = recentTitle_->font();
    bold.setBold(true);
    recentTitle_->setFont(bold);
    outer->addWidget(recentTitle_);
    recentList_ = new QVBoxLayout;
    recentList_->setSpacing(2);
    outer->addLayout(recentList_);
    outer->addStretch(1);
}

void WelcomePanel::Fill(const DesktopTexts& texts, const QStringList& recent, bool exampleExists) {
    title_->setText(texts.welcomeTitle);
    intro_->setText(texts.welcomeIntro);
    example_->setText(texts.openExample);
    example_->setEnabled(exampleExists);
    example_->setToolTip(exampleExists ? QString() : texts.exampleMissing);
    raw_->setText(texts.addRawFiles);
    project_->setText(texts.openProject);
    empty_->setText(texts.emptyTable);
    recentTitle_->setText(texts.welcomeRecent);
    recent_.clear();
    while (QLayoutItem* item = recentList_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (recent.isEmpty()) {
        recentList_->addWidget(new QLabel("  " + texts.recentNone, this));
        return;
    }
    for (const QString& path : recent) {
        // The name first, the folder after it: the name is what a user looks for.
        const QFileInfo info(path);
        auto* b = new QPushButton(
            info.fileName() + "   —   " + QDir::toNativeSeparators(info.absolutePath()), this);
        b->setFlat(true);
        b->setAutoDefault(false);
        b->setToolTip(QDir::toNativeSeparators(path));
        b->setStyleSheet("text-align: left; padding: 2px 6px;");
        connect(b, &QPushButton::clicked, this, [this, path] { emit recentChosen(path); });
        recentList_->addWidget(b);
        recent_.push_back(b);
    }
}

QString ExampleProject() {
    const QString program = QCoreApplication::applicationDirPath();
    QStringList candidates = {program + "/../share/vertano/examples/sit.gpr",
                              program + "/../../examples/sit.gpr",
                              program + "/../examples/sit.gpr"};
#ifdef VERTANO_EXAMPLES_DIR
    candidates << QString::fromUtf8(VERTANO_EXAMPLES_DIR) + "/sit.gpr";
#endif
    for (const QString& c : candidates) {
        const QFileInfo info(c);
        if (info.isFile()) return info.canonicalFilePath();
    }
    return {};
}

}  // namespace vertano::ui
