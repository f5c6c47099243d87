#include "OknoKresby.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include <QAction>

#include "DesktopTexts.h"
#include "Dialogy.h"
#include "Texty.h"
#include "drawing/VolbyKresby.h"
#include "workspace/MapaSite.h"
#include "workspace/VystupySite.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

constexpr int kKrokPosunu = 10;  // pixels per pan button

QIcon IkonaBarvy(int index) {
    QPixmap p(36, 12);
    const BarvaRgb b = BarvaPalety(index);
    p.fill(QColor(b.r, b.g, b.b));
    QPainter malir(&p);
    malir.setPen(Qt::gray);
    malir.drawRect(0, 0, p.width() - 1, p.height() - 1);
    return QIcon(p);
}

QComboBox* VyberBarvy(QWidget* rodic) {
    auto* c = new QComboBox(rodic);
    c->setIconSize(QSize(36, 12));
    for (int i = 0; i < kPocetBarev; ++i) c->addItem(IkonaBarvy(i), QString());
    return c;
}

template <size_t N>
QComboBox* VyberCisla(QWidget* rodic, const std::array<int, N>& seznam) {
    auto* c = new QComboBox(rodic);
    for (const int v : seznam) c->addItem(QString::number(v));
    return c;
}

QComboBox* VyberSirky(QWidget* rodic) {
    auto* c = new QComboBox(rodic);
    for (int i = 1; i <= 7; ++i) c->addItem(QString::number(i));
    return c;
}

uint8_t Index(const QComboBox* c) {
    return static_cast<uint8_t>(std::max(0, c->currentIndex()));
}

// A stored index the list cannot show falls back to `vychozi`.
void NastavitIndex(QComboBox* c, int index, int vychozi) {
    c->setCurrentIndex(index >= 0 && index < c->count() ? index : vychozi);
}

}  // namespace

// ---- the picture ----

PlatnoKresby::PlatnoKresby(QWidget* rodic) : QWidget(rodic) {
    setObjectName("platnoKresby");
    setMinimumSize(200, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::OpenHandCursor);
    obrazek_ = QImage(size(), QImage::Format_RGB32);
    platno_.ConnectBitmap(obrazek_);
}

void PlatnoKresby::Prekreslit() {
    if (obrazek_.size() != size() && !size().isEmpty()) {
        obrazek_ = QImage(size(), QImage::Format_RGB32);
        platno_.ConnectBitmap(obrazek_);
    }
    if (!pohled_) {
        platno_.CalcDefView();
        pohled_ = true;
    }
    platno_.PaintAll();
    update();
}

void PlatnoKresby::Vse() {
    pohled_ = false;
    vlastniPohled_ = false;
    Prekreslit();
}

void PlatnoKresby::Zoom(bool dovnitr) {
    vlastniPohled_ = true;
    if (dovnitr) {
        platno_.ZoomIn();
    } else {
        platno_.ZoomOut();
    }
    Prekreslit();
}

void PlatnoKresby::Posun(int dx, int dy) {
    vlastniPohled_ = true;
    platno_.Trans(dx, dy);
    Prekreslit();
}

void PlatnoKresby::PriblizitNaBod(int i) {
    platno_.CalcDefView();
    platno_.Vycentrovat(i);
    platno_.Zoom(4);
    pohled_ = true;
    vlastniPohled_ = true;
    platno_.PaintAll();
    update();
}

void PlatnoKresby::NastavitVybrany(int bod) {
    vybrany_ = bod;
    update();
}

void PlatnoKresby::NastavitZvyraznene(std::vector<int> body,
                                      std::vector<std::pair<int, int>> spojnice) {
    zvyrazneneBody_ = std::move(body);
    spojnice_ = std::move(spojnice);
    update();
}

// The lines and points of the selected table rows in magenta, wide enough to
// show under the lines of the drawing; the point clicked or found in a circle
// with a cross-hair gap, so that its own symbol stays readable.
void PlatnoKresby::Oznacit(QPainter& p) const {
    const auto px = [this](int i) {
        const T2DPoint b = platno_.CalcPixCoords(i);
        return QPointF(static_cast<double>(b[0]), static_cast<double>(b[1]));
    };
    const QColor zvyrazneni(255, 0, 255);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor pruhledna = zvyrazneni;
    pruhledna.setAlpha(150);
    p.setPen(QPen(pruhledna, 5, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [a, b] : spojnice_) p.drawLine(px(a), px(b));
    p.setPen(QPen(zvyrazneni, 2));
    p.setBrush(Qt::NoBrush);
    for (const int i : zvyrazneneBody_) p.drawEllipse(px(i), 9, 9);
    if (vybrany_ >= 0) {
        p.setPen(QPen(zvyrazneni, 3));
        p.drawEllipse(px(vybrany_), 14, 14);
    }
    p.restore();
}

QImage PlatnoKresby::SOznacenim() const {
    QImage obrazek = obrazek_.copy();
    QPainter p(&obrazek);
    Oznacit(p);
    return obrazek;
}

void PlatnoKresby::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, obrazek_);
    Oznacit(p);
}

void PlatnoKresby::resizeEvent(QResizeEvent*) {
    // The bitmap follows the size of the picture; a view the user chose stays.
    obrazek_ = QImage(size(), QImage::Format_RGB32);
    obrazek_.fill(Qt::black);
    platno_.ConnectBitmap(obrazek_);
    if (!vlastniPohled_) pohled_ = false;
    if (platno_.data != nullptr && platno_.data->pocetBodu > 1) Prekreslit();
}

void PlatnoKresby::wheelEvent(QWheelEvent* e) {
    const int krok = e->angleDelta().y();
    if (krok == 0) return;
    Zoom(krok > 0);
    emit zmenaPohledu();
    e->accept();
}

void PlatnoKresby::mousePressEvent(QMouseEvent* e) {
    if ((e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton) &&
        e->modifiers() == Qt::NoModifier) {
        tazeni_ = true;
        posunuto_ = false;
        tah_ = e->position().toPoint();
        stisk_ = tah_;
        setCursor(Qt::ClosedHandCursor);
    }
}

void PlatnoKresby::mouseMoveEvent(QMouseEvent* e) {
    if (!tazeni_) return;
    const QPoint bod = e->position().toPoint();
    // A hand that trembles while clicking does not pan.
    if (!posunuto_ && (bod - stisk_).manhattanLength() < 4) return;
    posunuto_ = true;
    const QPoint d = bod - tah_;
    tah_ = bod;
    if (d.isNull()) return;
    Posun(d.x(), d.y());
    emit zmenaPohledu();
}

void PlatnoKresby::mouseReleaseEvent(QMouseEvent* e) {
    const bool klik = tazeni_ && !posunuto_ && e->button() == Qt::LeftButton;
    tazeni_ = false;
    setCursor(Qt::OpenHandCursor);
    if (!klik) return;
    const QPoint bod = e->position().toPoint();
    emit klikNaBod(platno_.BodNaPixelu(bod.x(), bod.y(), 10));
}

// ---- the window ----

OknoKresby::OknoKresby(QWidget* rodic, Workspace& ws, Dialogy& dialogy, DruhVysledku vysledek)
    : QDialog(rodic), ws_(ws), dialogy_(dialogy), vysledek_(vysledek) {
    setObjectName("oknoKresby");
    setModal(false);
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    const std::string& co = vysledek == DruhVysledku::BodASmernik ? t.bodASmernik
                            : vysledek == DruhVysledku::TransformaceSVyrovnanim
                                ? t.transformaceSVyrovnanim
                                : t.vyrovnaniSite;
    setWindowTitle(Q(t.kresba) + " - " + Q(co));
    ws_.nastaveni.okno.grafika = static_cast<uint8_t>(vysledek);

    platno_ = new PlatnoKresby(this);
    panel_ = new PanelMapy(this, ws_);
    VytvoritOvladani();
    setMinimumSize(1025, 681);
    resize(1320, 720);

    // Data, default view, controls, picture.
    NacistData();
    platno_->Kontejner().PaintSettings.AxesType = ws_.nastaveni.jednotky.souradnicovySystem;
    platno_->Kontejner().PaintSettings.UnitType = ws_.nastaveni.jednotky.souradnice;
    NacistNastaveni(ws_.nastaveni.grafika);
    o_.ulozit->setFocus();
}

void OknoKresby::NacistData() {
    if (!DataKresbySite(ws_, vysledek_, data_)) data_ = TgrafikaData{};
    platno_->Kontejner().ConnectData(data_);
    platno_->Kontejner().zvlastniSpojnice = ZvlastniSpojniceMapy(ws_, data_);
    platno_->NastavitVybrany(-1);
    platno_->NastavitZvyraznene({}, {});
    panel_->Vychozi();
}

void OknoKresby::VybratBod(int bod) {
    platno_->NastavitVybrany(bod);
    panel_->NastavitZpravu({});
    if (bod < 0 || static_cast<std::size_t>(bod) >= data_.body.size()) {
        panel_->Vychozi();
        return;
    }
    const std::string& cislo = data_.body[static_cast<std::size_t>(bod)].cislo;
    BodMapy b;
    const bool apriori = o_.presnost->currentIndex() == 0;
    const bool ma = InformaceBodu(ws_, vysledek_, cislo, apriori, b);
    panel_->ZobrazitBod(Q(cislo), ma ? &b : nullptr);
}

bool OknoKresby::NajitBod(const QString& cislo) {
    const int i = NajitBodKresby(data_, S(cislo));
    if (i < 0) {
        panel_->NastavitZpravu(
            TextyPlochy(ws_.nastaveni.typJazyk).pointNotFound.arg(cislo.trimmed()));
        return false;
    }
    platno_->PriblizitNaBod(i);
    VybratBod(i);
    return true;
}

void OknoKresby::ZvyraznitVyber(const VyberMapy& vyber) {
    std::vector<int> body;
    for (const QString& cislo : vyber.body) {
        const int i = NajitBodKresby(data_, S(cislo));
        if (i >= 0) body.push_back(i);
    }
    std::vector<std::pair<int, int>> spojnice;
    for (const auto& [a, b] : vyber.spojnice) {
        const int i = NajitBodKresby(data_, S(a));
        const int j = NajitBodKresby(data_, S(b));
        if (i >= 0 && j >= 0 && i != j) spojnice.emplace_back(i, j);
    }
    // The panel shows the row now, not the point clicked before.
    platno_->NastavitVybrany(-1);
    platno_->NastavitZvyraznene(std::move(body), std::move(spojnice));
    if (vyber.popis.isEmpty()) {
        panel_->Vychozi();
    } else {
        panel_->ZobrazitRadek(vyber.popis);
    }
}

void OknoKresby::VytvoritOvladani() {
    const Tjazyk& j = ws_.jazyk;
    const jazyk::Tpopis& p = j.popis;
    const jazyk::Ttlacitko& t = j.tlacitko;
    const auto dvojtecka = [](const QString& s) { return s + ":"; };

    auto* panel = new QVBoxLayout;
    panel->setSpacing(6);

    // Elements: switch, colour, width.
    auto* prvky = new QGroupBox(Q(p.prvky), this);
    auto* g = new QGridLayout(prvky);
    g->addWidget(new QLabel(Q(p.barva), prvky), 0, 1);
    g->addWidget(new QLabel(Q(p.sirka), prvky), 0, 2);
    int r = 1;
    const auto radek = [&](QWidget* a, QWidget* b, QWidget* c) {
        if (a != nullptr) g->addWidget(a, r, 0);
        if (b != nullptr) g->addWidget(b, r, 1);
        if (c != nullptr) g->addWidget(c, r, 2);
        ++r;
    };
    o_.bod = new QCheckBox(dvojtecka(Q(p.bod)), prvky);
    o_.sirkaBod = VyberSirky(prvky);
    radek(o_.bod, nullptr, o_.sirkaBod);
    o_.barvaFix = VyberBarvy(prvky);
    radek(new QLabel("    " + dvojtecka(Q(t.fixni) + " " + Male(p.bod)), prvky), o_.barvaFix,
          nullptr);
    o_.barvaVyr = VyberBarvy(prvky);
    radek(new QLabel("    " + dvojtecka(Q(p.vyrovnany) + " " + Male(p.bod)), prvky), o_.barvaVyr,
          nullptr);
    o_.krizek = VyberCisla(prvky, kVelikostiZnacek);
    radek(new QLabel("    " + dvojtecka(Q(p.krizek)), prvky), o_.krizek, nullptr);
    o_.krouzek = VyberCisla(prvky, kVelikostiZnacek);
    radek(new QLabel("    " + dvojtecka(Q(p.krouzek)), prvky), o_.krouzek, nullptr);
    o_.linie = new QCheckBox(dvojtecka(Q(p.spojniceMereni)), prvky);
    o_.barvaMereni = VyberBarvy(prvky);
    o_.sirkaMereni = VyberSirky(prvky);
    radek(o_.linie, o_.barvaMereni, o_.sirkaMereni);
    o_.popis = new QCheckBox(dvojtecka(Q(p.popisyMereni)), prvky);
    auto* odsazeni = new QWidget(prvky);
    auto* o = new QHBoxLayout(odsazeni);
    o->setContentsMargins(16, 0, 0, 0);
    o->addWidget(o_.popis);
    radek(odsazeni, nullptr, nullptr);
    o_.elipsa = new QCheckBox(dvojtecka(Q(p.elipsaChyb)), prvky);
    o_.barvaElipsa = VyberBarvy(prvky);
    o_.sirkaElipsa = VyberSirky(prvky);
    radek(o_.elipsa, o_.barvaElipsa, o_.sirkaElipsa);
    o_.zvetseni = VyberCisla(prvky, kZvetseniElipsy);
    radek(new QLabel("    " + dvojtecka(Q(p.meritkoElips)), prvky), o_.zvetseni, nullptr);
    o_.presnost = new QComboBox(prvky);
    o_.presnost->addItems({Q(p.apriorni), Q(p.aposteriorni)});
    radek(new QLabel("    " + dvojtecka(Q(p.presnost)), prvky), o_.presnost, nullptr);
    o_.osy = new QCheckBox(dvojtecka(Q(p.osy)), prvky);
    o_.sirkaOsa = VyberSirky(prvky);
    radek(o_.osy, nullptr, o_.sirkaOsa);
    o_.meritko = new QCheckBox(dvojtecka(Q(p.meritko)), prvky);
    o_.sirkaMeritko = VyberSirky(prvky);
    radek(o_.meritko, nullptr, o_.sirkaMeritko);
    o_.barvaPozadi = VyberBarvy(prvky);
    radek(new QLabel(dvojtecka(Q(p.pozadi)), prvky), o_.barvaPozadi, nullptr);
    auto* predvolby = new QHBoxLayout;
    o_.barvyVychozi = new QPushButton(Q(t.vychozi), prvky);
    o_.cernobile = new QPushButton(Q(p.cernobily), prvky);
    predvolby->addWidget(o_.barvyVychozi);
    predvolby->addWidget(o_.cernobile);
    g->addLayout(predvolby, r++, 1, 1, 2);
    panel->addWidget(prvky);

    // Text.
    auto* text = new QGroupBox(Q(p.text), this);
    auto* gt = new QGridLayout(text);
    o_.pismo = new QFontComboBox(text);
    o_.pismo->setMaximumWidth(190);
    gt->addWidget(o_.pismo, 0, 0, 1, 2);
    o_.velikost = VyberCisla(text, kVelikostiPisma);
    gt->addWidget(new QLabel(dvojtecka(Q(p.velikost)), text), 1, 0);
    gt->addWidget(o_.velikost, 1, 1);
    o_.rez = new QComboBox(text);
    o_.rez->addItems({Q(p.normalni), Q(p.tucne)});
    gt->addWidget(new QLabel(dvojtecka(Q(p.styl)), text), 2, 0);
    gt->addWidget(o_.rez, 2, 1);
    panel->addWidget(text);

    // View.
    auto* pohled = new QGridLayout;
    const auto tlacitko = [this](const QString& s) {
        auto* b = new QPushButton(s, this);
        b->setAutoDefault(false);
        b->setMinimumWidth(34);
        return b;
    };
    o_.vse = tlacitko(Q(p.vse));
    o_.zvetsit = tlacitko("+");
    o_.zmensit = tlacitko("--");
    o_.vlevo = tlacitko("<");
    o_.vpravo = tlacitko(">");
    o_.nahoru = tlacitko("^");
    o_.dolu = tlacitko("v");
    pohled->addWidget(o_.zvetsit, 0, 0);
    pohled->addWidget(o_.nahoru, 0, 1);
    pohled->addWidget(o_.zmensit, 0, 2);
    pohled->addWidget(o_.vlevo, 1, 0);
    pohled->addWidget(o_.vse, 1, 1);
    pohled->addWidget(o_.vpravo, 1, 2);
    pohled->addWidget(o_.dolu, 2, 1);
    panel->addLayout(pohled);
    panel->addStretch(1);
    o_.vychozi = tlacitko(Q(t.vychozi));
    o_.ulozit = tlacitko(Q(t.ulozit) + " ...");
    o_.zavrit = tlacitko(Q(t.ukoncit));
    auto* dole = new QHBoxLayout;
    dole->addWidget(o_.vychozi);
    dole->addWidget(o_.ulozit);
    dole->addWidget(o_.zavrit);
    panel->addLayout(dole);

    auto* hlavni = new QHBoxLayout(this);
    hlavni->setContentsMargins(8, 8, 8, 8);
    hlavni->addLayout(panel, 0);
    hlavni->addWidget(platno_, 1);
    panel_->setFixedWidth(320);
    hlavni->addWidget(panel_, 0);

    // The map: a click selects a point, F3 or Ctrl+F searches one.
    connect(platno_, &PlatnoKresby::klikNaBod, this, &OknoKresby::VybratBod);
    connect(panel_, &PanelMapy::hledat, this, [this](const QString& cislo) { NajitBod(cislo); });
    for (const QKeySequence& klavesa :
         {QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_F)}) {
        auto* a = new QAction(this);
        a->setShortcut(klavesa);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, panel_, &PanelMapy::ZacitHledani);
        addAction(a);
    }
    // The figures follow the accuracy chosen.
    connect(o_.presnost, &QComboBox::currentIndexChanged, this, [this] {
        if (platno_->Vybrany() >= 0) VybratBod(platno_->Vybrany());
    });

    // Any change of a control repaints at once.
    for (QCheckBox* c : {o_.bod, o_.linie, o_.popis, o_.elipsa, o_.osy, o_.meritko})
        connect(c, &QCheckBox::toggled, this, &OknoKresby::Prekreslit);
    for (QComboBox* c : {o_.barvaFix, o_.barvaVyr, o_.barvaMereni, o_.barvaElipsa, o_.barvaPozadi,
                         o_.sirkaBod, o_.sirkaMereni, o_.sirkaElipsa, o_.sirkaOsa, o_.sirkaMeritko,
                         o_.velikost, o_.rez, o_.krizek, o_.krouzek, o_.zvetseni, o_.presnost})
        connect(c, &QComboBox::currentIndexChanged, this, &OknoKresby::Prekreslit);
    connect(o_.pismo, &QFontComboBox::currentFontChanged, this, &OknoKresby::Prekreslit);
    const auto predvolba = [this](bool cernobila) {
        VolbyKresby v;
        if (cernobila) v.BarvyCernobile();
        nacitani_ = true;
        o_.barvaFix->setCurrentIndex(v.barvaFixBod);
        o_.barvaVyr->setCurrentIndex(v.barvaVyrBod);
        o_.barvaMereni->setCurrentIndex(v.barvaMereni);
        o_.barvaElipsa->setCurrentIndex(v.barvaElipsa);
        o_.barvaPozadi->setCurrentIndex(v.barvaPozadi);
        nacitani_ = false;
        Prekreslit();
    };
    connect(o_.barvyVychozi, &QPushButton::clicked, this, [predvolba] { predvolba(false); });
    connect(o_.cernobile, &QPushButton::clicked, this, [predvolba] { predvolba(true); });
    connect(o_.vychozi, &QPushButton::clicked, this, &OknoKresby::Vychozi);
    connect(o_.vse, &QPushButton::clicked, this, [this] { platno_->Vse(); });
    connect(o_.zvetsit, &QPushButton::clicked, this, [this] { platno_->Zoom(true); });
    connect(o_.zmensit, &QPushButton::clicked, this, [this] { platno_->Zoom(false); });
    connect(o_.vlevo, &QPushButton::clicked, this, [this] { platno_->Posun(-kKrokPosunu, 0); });
    connect(o_.vpravo, &QPushButton::clicked, this, [this] { platno_->Posun(kKrokPosunu, 0); });
    connect(o_.nahoru, &QPushButton::clicked, this, [this] { platno_->Posun(0, -kKrokPosunu); });
    connect(o_.dolu, &QPushButton::clicked, this, [this] { platno_->Posun(0, kKrokPosunu); });
    connect(o_.ulozit, &QPushButton::clicked, this, &OknoKresby::PrikazUlozit);
    connect(o_.zavrit, &QPushButton::clicked, this, &QDialog::reject);
}

nastaveni::Tgrafika OknoKresby::Nastaveni() const {
    nastaveni::Tgrafika g;
    g.barvaFixBod = Index(o_.barvaFix);
    g.barvaVyrBod = Index(o_.barvaVyr);
    g.barvaMereni = Index(o_.barvaMereni);
    g.barvaElipsa = Index(o_.barvaElipsa);
    g.barvaPozadi = Index(o_.barvaPozadi);
    g.kreslitBod = o_.bod->isChecked();
    g.kreslitMereniLinie = o_.linie->isChecked();
    g.kreslitMereniPopis = o_.popis->isChecked();
    g.kreslitElipsa = o_.elipsa->isChecked();
    g.kreslitOsa = o_.osy->isChecked();
    g.kreslitMeritko = o_.meritko->isChecked();
    g.tloustkaBod = Index(o_.sirkaBod);
    g.tloustkaMereni = Index(o_.sirkaMereni);
    g.tloustkaElipsa = Index(o_.sirkaElipsa);
    g.tloustkaOsa = Index(o_.sirkaOsa);
    g.tloustkaMeritko = Index(o_.sirkaMeritko);
    // The font as its index in the system's list; one it does not list stays
    // as it was stored.
    const qsizetype pismo = QFontDatabase::families().indexOf(o_.pismo->currentFont().family());
    g.textFont = pismo >= 0 ? static_cast<int16_t>(pismo) : ws_.nastaveni.grafika.textFont;
    g.textVelikost = Index(o_.velikost);
    g.textRez = Index(o_.rez);
    g.krizek = Index(o_.krizek);
    g.krouzek = Index(o_.krouzek);
    g.zvetseniElipsa = Index(o_.zvetseni);
    g.presnost = o_.presnost->currentIndex() == 0;
    return g;
}

void OknoKresby::NacistNastaveni(const nastaveni::Tgrafika& g) {
    // Through the mapping of the canvas, so a stored value outside its list
    // falls back as the DXF export and the picture of the command line do.
    const VolbyKresby v = VolbyZNastaveni(g);
    Tnastaveni vychozi;
    vychozi.Default();
    const nastaveni::Tgrafika& d = vychozi.grafika;
    nacitani_ = true;
    o_.barvaFix->setCurrentIndex(v.barvaFixBod);
    o_.barvaVyr->setCurrentIndex(v.barvaVyrBod);
    o_.barvaMereni->setCurrentIndex(v.barvaMereni);
    o_.barvaElipsa->setCurrentIndex(v.barvaElipsa);
    o_.barvaPozadi->setCurrentIndex(v.barvaPozadi);
    o_.bod->setChecked(v.kreslitBod);
    o_.linie->setChecked(v.kreslitMereniLinie);
    o_.popis->setChecked(v.kreslitMereniPopis);
    o_.elipsa->setChecked(v.kreslitElipsa);
    o_.osy->setChecked(v.kreslitOsa);
    o_.meritko->setChecked(v.kreslitMeritko);
    o_.sirkaBod->setCurrentIndex(v.tloustkaBod - 1);
    o_.sirkaMereni->setCurrentIndex(v.tloustkaMereni - 1);
    o_.sirkaElipsa->setCurrentIndex(v.tloustkaElipsa - 1);
    o_.sirkaOsa->setCurrentIndex(v.tloustkaOsa - 1);
    o_.sirkaMeritko->setCurrentIndex(v.tloustkaMeritko - 1);
    const QStringList rodiny = QFontDatabase::families();
    o_.pismo->setCurrentFont(
        QFont(g.textFont >= 0 && g.textFont < rodiny.size() ? rodiny[g.textFont] : Q(v.pismo)));
    NastavitIndex(o_.velikost, g.textVelikost, d.textVelikost);
    o_.rez->setCurrentIndex(v.tucne ? 1 : 0);
    NastavitIndex(o_.krizek, g.krizek, d.krizek);
    NastavitIndex(o_.krouzek, g.krouzek, d.krouzek);
    NastavitIndex(o_.zvetseni, g.zvetseniElipsa, d.zvetseniElipsa);
    o_.presnost->setCurrentIndex(v.apriorni ? 0 : 1);
    nacitani_ = false;
    Prekreslit();
}

void OknoKresby::Vychozi() {
    Tnastaveni vychozi;
    vychozi.Default();
    NacistNastaveni(vychozi.grafika);
    platno_->Vse();
}

void OknoKresby::ObnovitData() {
    NacistData();
    Prekreslit();
    platno_->Vse();
}

void OknoKresby::Prekreslit() {
    if (nacitani_) return;
    VolbyKresby v = VolbyZNastaveni(Nastaveni());
    v.indexPisma = -1;
    v.pismo = o_.pismo->currentFont().family().toStdString();
    platno_->Kontejner().NastavitVolby(v);
    platno_->Prekreslit();
    Zmrazit();
}

void OknoKresby::Zmrazit() {
    const bool bod = o_.bod->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{o_.barvaFix, o_.barvaVyr, o_.sirkaBod,
                                                      o_.krizek, o_.krouzek})
        w->setEnabled(bod);
    const bool linie = o_.linie->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{o_.barvaMereni, o_.sirkaMereni, o_.popis})
        w->setEnabled(linie);
    const bool elipsa = o_.elipsa->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{o_.barvaElipsa, o_.sirkaElipsa, o_.zvetseni, o_.presnost})
        w->setEnabled(elipsa);
    o_.sirkaOsa->setEnabled(o_.osy->isChecked());
    o_.sirkaMeritko->setEnabled(o_.meritko->isChecked());
    const bool text =
        bod || o_.osy->isChecked() || o_.meritko->isChecked() || (linie && o_.popis->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{o_.pismo, o_.velikost, o_.rez})
        w->setEnabled(text);
}

void OknoKresby::PrikazUlozit() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::Grafika, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    std::string pripona = cesta.extension().string();
    std::transform(pripona.begin(), pripona.end(), pripona.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    VysledekUlozeni v;
    if (pripona == ".dxf") {
        VolbyKresby volby = VolbyZNastaveni(Nastaveni());
        v = ExportovatDXFSite(ws_, cesta, volby, ws_.nastaveni.typJazyk, vysledek_);
    } else {
        v = UlozitObrazekOkna(ws_, cesta, platno_->Obrazek());
    }
    if (!v.uspech) OznamitChybuUlozeni(dialogy_, this, ws_, v.chyba);
}

void OknoKresby::done(int vysledek) {
    ws_.nastaveni.grafika = Nastaveni();
    QDialog::done(vysledek);
}

}  // namespace vertano::ui
