#include "ResultFiles.h"

#include "drawing/OffscreenGui.h"
#include "workspace/VystupySite.h"

namespace vertano::cli {

namespace {

// The drawing window's controls as the settings and the options give them.
VolbyKresby DrawingOptions(const Session& s) {
    const Options& o = s.options;
    VolbyKresby v = VolbyZNastaveni(s.ws.nastaveni.grafika);
    if (o.ellipseScale > 0) v.zvetseni = o.ellipseScale;
    if (o.ellipses >= 0) v.apriorni = o.ellipses == 1;
    if (o.plotStyle == 0) v.BarvyVychozi();
    if (o.plotStyle == 1) v.BarvyCernobile();
    return v;
}

bool Report(Session& s, const std::string& path, const VysledekUlozeni& r) {
    if (r.uspech) {
        s.out << "Wrote " << path << "\n";
        return true;
    }
    // The command announced message 28; the reason follows it.
    s.Show(s.ws.chyby.cisloOznameni);
    s.err << "vertano-cli: " << r.chyba << "\n";
    return false;
}

// An epoch file larger than a user would expect is written only when asked for.
bool WriteEpoch(Session& s, DruhVysledku vysledek) {
    const Options& o = s.options;
    const int64_t bytes = VelikostEtapySite(s.ws, vysledek);
    if (bytes > kVelkaEtapa && !o.largeEpoch) {
        s.err << "vertano-cli: the epoch file " << o.epoch << " would take about "
              << std::to_string((bytes + (int64_t{1} << 20) - 1) >> 20)
              << " MB (the cofactors grow with the square of the network); give --large-epoch "
                 "to write it\n";
        return false;
    }
    return Report(s, o.epoch, ZapsatEtapuSite(s.ws, o.epoch, vysledek));
}

}  // namespace

bool WriteResultFiles(Session& s, DruhVysledku vysledek) {
    const Options& o = s.options;
    bool all = true;
    if (!o.epoch.empty()) all = WriteEpoch(s, vysledek) && all;
    if (!o.dxf.empty()) {
        const int language = o.dxfLanguage >= 0 ? o.dxfLanguage : s.ws.nastaveni.typJazyk;
        all = Report(s, o.dxf,
                     ExportovatDXFSite(s.ws, o.dxf, DrawingOptions(s), language, vysledek)) &&
              all;
    }
    if (!o.plot.empty()) {
        const OffscreenGui gui;
        all =
            Report(s, o.plot,
                   UlozitObrazekSite(s.ws, o.plot, DrawingOptions(s), o.plotWidth, o.plotHeight)) &&
            all;
    }
    return all;
}

}  // namespace vertano::cli
