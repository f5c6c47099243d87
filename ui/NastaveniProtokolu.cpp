#include "NastaveniDialogy.h"
#include "Texty.h"
#include "workspace/Workspace.h"
#include "workspace/ZmenyNastaveni.h"

namespace vertano::ui {

namespace {

// The three groups of switches, each with a report of its own.
constexpr int kVyrovnani = 0;
constexpr int kTransformace = 1;
constexpr int kBodSmernik = 2;

QString Cislovani(int i, const QString& text) {
    return QStringLiteral("%1. ").arg(i, 2, 10, QChar('0')) + text;
}

}  // namespace

NastaveniProtokolOkno::NastaveniProtokolOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws,
                    Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.protokol.protokol1)) {
    nastaveni::Tprotokol& r = ws_.nastaveni.protokol;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    const jazyk::Tprotokol& w = ws_.jazyk.protokol;
    const QStringList meritka = {Q(w.sMeritkovymiKoeficienty), Q(w.bezMeritkovychKoeficientu)};
    const QStringList odchylky = {Q(w.seSmerodatnymiOdchylkami), Q(w.bezSmerodatnychOdchylek)};
    const QStringList presnosti = {Q(t.presnostApriori), Q(t.presnostAposteriori),
                                   Q(p.apriorni) + " / " + Q(t.presnostAposteriori)};
    int cislo = 0;
    int skupina = kVyrovnani;
    const auto box = [&](const QString& text, const QString& klic, bool& pole) {
        Zaskrtnuti(
            Cislovani(++cislo, text), klic, pole, [&pole](bool b) { pole = b; }, skupina);
    };
    const auto sVariantou = [&](const QString& text, const QString& klic, bool& pole,
                                const QStringList& varianty, uint8_t& varianta) {
        ZaskrtnutiSVyberem(
            Cislovani(++cislo, text), klic, pole, [&pole](bool b) { pole = b; }, varianty, varianta,
            [&varianta](int i) { varianta = static_cast<uint8_t>(i); }, skupina);
    };
    const auto skupinaRadku = [&](const char* pismeno, const std::string& nazev, int s) {
        Nadpis(QString(pismeno) + ". " + Q(nazev));
        cislo = 0;
        skupina = s;
    };
    const QString souradnice = Male(p.souradnice);
    const QString identicke = Male(t.identickeBody);
    const QString elipsoidy = Male(t.elipsoidy);

    skupinaRadku("A", ws_.jazyk.nadpis.zpracovaniMereni, kVyrovnani);
    box(Q(p.surova) + " " + Male(p.mereni), "suroveMereni", r.suroveMereni);
    box(Q(t.rozdilPoloh) + " [II-I]", "rozdilPoloh", r.rozdilPoloh);
    box(Q(t.prumerPoloh) + " [I/II]", "prumerPoloh", r.prumerPoloh);
    box(Q(t.prumerSkupin), "prumerSkupin", r.prumerSkupin);

    skupinaRadku("B", t.analyzaMereni, kVyrovnani);
    box(Q(t.kamenKamen), "mereniKamen", r.mereniKamen);
    sVariantou(Q(t.fixni) + " " + Male(p.body), "bodyFix", r.bodyFix, meritka, r.bodyFixMeritko);
    sVariantou(Q(t.souradnicePredVyrovnanim), "sourPredVyr", r.sourPredVyr, meritka,
               r.sourPredVyrMeritko);
    sVariantou(Q(t.mereniPredVyrovnanim), "merPredVyr", r.merPredVyr, odchylky, r.merPredVyrOdchyl);
    box(Q(p.vnitrniPresnost), "vnitrniPresnost", r.vnitrniPresnost);
    box(Q(p.vnejsiPresnost), "vnejsiPresnost", r.vnejsiPresnost);

    skupinaRadku("C", t.vyrovnaniSite, kVyrovnani);
    box(Q(p.zakladniInformace), "infoVyr", r.infoVyr);
    sVariantou(Q(p.vyrovnane) + " " + souradnice, "sourVyr", r.sourVyr, presnosti,
               r.sourVyrPresnost);
    sVariantou(Q(t.elipsoidy), "elipsVyr", r.elipsVyr, presnosti, r.elipsVyrPresnost);
    box(Q(t.odlehleHodnoty), "odlehleVyr", r.odlehleVyr);
    sVariantou(Q(p.vyrovnana) + " " + Male(p.mereni), "merVyr", r.merVyr, presnosti,
               r.merVyrPresnost);

    skupinaRadku("D", t.transformaceSVyrovnanim, kTransformace);
    sVariantou(Q(t.identickeBody), "bodyIdentTrans1", r.bodyIdentTransSVyr, odchylky,
               r.bodyIdentTransSVyrOdchyl);
    box(Q(t.informace) + " - " + identicke, "infoBodyIdent", r.infoBodyIdent);
    box(Q(t.informace) + " - " + Male(t.transformace), "infoTransKlic1", r.infoTransKlicSVyr);
    box(Q(t.odlehleHodnoty), "odlehleTrans", r.odlehleTrans);
    sVariantou(Q(p.vyrovnane) + " " + identicke, "sourVyrTrans", r.sourVyrTrans, presnosti,
               r.sourVyrTransPresnost);
    sVariantou(Q(p.transformovane) + " " + souradnice, "sourTrans1", r.sourTransSVyr, presnosti,
               r.sourTransSVyrPresnost);
    sVariantou(Q(p.transformovane) + " " + elipsoidy, "elipTrans1", r.elipTransSVyr, presnosti,
               r.elipTransSVyrPresnost);

    skupinaRadku("E", t.bodASmernik, kBodSmernik);
    box(Q(t.identickeBody), "bodyIdentTrans2", r.bodyIdentTransBodSm);
    box(Q(t.informace) + " - " + Male(t.transformace), "infoTransKlic2", r.infoTransKlicBodSm);
    sVariantou(Q(p.transformovane) + " " + souradnice, "sourTrans2", r.sourTransBodSm, presnosti,
               r.sourTransBodSmPresnost);
    sVariantou(Q(p.transformovane) + " " + elipsoidy, "elipTrans2", r.elipTransBodSm, presnosti,
               r.elipTransBodSmPresnost);
    Dokoncit();
}

void NastaveniProtokolOkno::PoUlozeni(unsigned skupiny) {
    PoZmeneProtokolu(ws_,
                     {(skupiny & (1u << kVyrovnani)) != 0, (skupiny & (1u << kTransformace)) != 0,
                      (skupiny & (1u << kBodSmernik)) != 0});
}

}  // namespace vertano::ui
