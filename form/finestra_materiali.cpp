// The materials panel of the section window: the materials file shown as a
// table, rows added, deleted and checked, a material confirmed.
#include "form/finestra_property.h"

#include "core/guasto.h"
#include "io/numeri.h"

#include <algorithm>

namespace zelvo {

namespace {

// A grid cell as a field shows it: without the blank kept for the sign.
std::string SenzaBordi(const std::string& t) {
    const size_t a = t.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

// The materials grid's column captions (its refusals name them).
const char* const ColonneMateriali[] = {"", "Name", "E", "Poisson", "Density", "Therm. Exp."};

void IntestaMateriali(TabellaMateriali& t) {
    for (int c = 0; c < 6; ++c)
        t.Griglia.Scrivi(0, c, ColonneMateriali[c]);
}

} // namespace

std::string MaterialeFuoriLimiti(double E, double nU, double Density,
                                 const std::array<std::string, 3>& nomi, const Separatori& s) {
    if (!(E > 0)) return nomi[0] + ": il valore deve essere maggiore di 0.";
    if (!(nU >= 0 && nU < 0.5))
        return nomi[1] + ": il valore deve essere almeno 0 e minore di 0" + s.decimale + "5.";
    if (!(Density >= 0)) return nomi[2] + ": il valore non può essere negativo.";
    return "";
}

std::string AvvisoMaterialiPredefiniti(const std::filesystem::path& fileUtente) {
    std::error_code e;
    if (fileUtente.empty() || std::filesystem::exists(fileUtente, e)) return "";
    return "Materiali predefiniti: «Save Materials» li scriverà in " + fileUtente.string();
}

// ---------------------------------------------------------------------------
// Materials panel.

void FinestraProperty::cmdMaterials_Click() {
    eventi_.Esegui(
        [&] {
            FrameMaterials = true;
            lblUnitaMateriali = U().Etichetta(Grandezza::Tensione);
            for (auto& t : Text)
                t.clear();
            FileMaterialiLeggeScrive(MSFlexGrid1, Verso::Leggi, Msg, U(), FileMateriali,
                                     FileMaterialiPredefiniti);
            lblPredefiniti = AvvisoMaterialiPredefiniti(FileMateriali);
            IntestaMateriali(MSFlexGrid1);
            int scelta = 1;
            for (int r = 1; r < MSFlexGrid1.Righe(); ++r)
                if (MSFlexGrid1.Griglia.Testo(r, 1) == txtMateriale.testo) {
                    scelta = r;
                    break;
                }
            MSFlexGrid1_Click(scelta);
        },
        "cmdMaterials_Click");
}

void FinestraProperty::MSFlexGrid1_Click(int riga) {
    if (riga < 1 || riga >= MSFlexGrid1.Righe()) return;
    eventi_.Esegui(
        [&] {
            GrigliaTesto& g = MSFlexGrid1.Griglia;
            for (int r = 1; r < g.Righe(); ++r)
                g.Scrivi(r, 0, "");
            g.Scrivi(riga, 0, ">");
            g.CellaCorrente(riga, 1);
            MSFlexGrid1.Selezionata = riga;
            for (int c = 1; c <= 5; ++c)
                Text[static_cast<size_t>(c)] = SenzaBordi(g.Testo(riga, c));
        },
        "MSFlexGrid1_Click");
}

void FinestraProperty::cmdAggiungi_Click() {
    eventi_.Esegui(
        [&] {
            const int n = MSFlexGrid1.Righe();
            if (n >= 32767) throw Guasto("troppi materiali");
            const Separatori& sep = U().separatori;
            double v[6] = {};
            for (int c = 2; c <= 5; ++c) {
                try {
                    v[c] = Finito(
                        LeggiTipizzato(Text[static_cast<size_t>(c)], sep, ColonneMateriali[c]));
                } catch (const NumeroRifiutato&) {
                    Rifiuta(FuocoProperty::Text, c);
                    throw;
                }
            }
            const double E = Finito(U().Interna(Grandezza::Tensione, v[2]));
            const std::string fuori = MaterialeFuoriLimiti(
                E, v[3], v[4], {ColonneMateriali[2], ColonneMateriali[3], ColonneMateriali[4]},
                sep);
            if (!fuori.empty()) {
                Rifiuta(FuocoProperty::Text, !(E > 0) ? 2 : !(v[3] >= 0 && v[3] < 0.5) ? 3 : 4);
                Msg.Mostra(fuori, Icona::Critica);
                return;
            }
            MSFlexGrid1.Riempi(n, Text[1], E, v[3], v[4], v[5], U());
            MSFlexGrid1_Click(n);
        },
        "cmdAggiungi_Click");
}

void FinestraProperty::cmdEliminRiga_Click() {
    eventi_.Esegui(
        [&] {
            if (MSFlexGrid1.EliminaRiga(MSFlexGrid1.Selezionata, Msg))
                MSFlexGrid1_Click(std::min(MSFlexGrid1.Selezionata, MSFlexGrid1.Righe() - 1));
        },
        "cmdEliminRiga_Click");
}

void FinestraProperty::cmdMatDefault_Click() {
    eventi_.Esegui(
        [&] {
            MSFlexGrid1.Default(U());
            IntestaMateriali(MSFlexGrid1);
            MSFlexGrid1_Click(1);
        },
        "cmdMatDefault_Click");
}

void FinestraProperty::cmdSalvaMat_Click() {
    eventi_.Esegui(
        [&] {
            // every row is checked first: nothing out of range reaches the file
            const Separatori& sep = U().separatori;
            const GrigliaTesto& g = MSFlexGrid1.Griglia;
            for (int r = 1; r < MSFlexGrid1.Righe(); ++r) {
                double v[6] = {};
                for (int c = 2; c <= 5; ++c) {
                    const std::string luogo =
                        "Materiali, riga " + std::to_string(r) + ", colonna " + ColonneMateriali[c];
                    v[c] = LeggiTipizzato(SenzaBordi(g.Testo(r, c)), sep, luogo);
                }
                const std::string riga = "Materiali, riga " + std::to_string(r) + ", colonna ";
                const std::string fuori =
                    MaterialeFuoriLimiti(U().Interna(Grandezza::Tensione, v[2]), v[3], v[4],
                                         {riga + ColonneMateriali[2], riga + ColonneMateriali[3],
                                          riga + ColonneMateriali[4]},
                                         sep);
                if (!fuori.empty()) {
                    MSFlexGrid1_Click(r);
                    Msg.Mostra(fuori, Icona::Critica);
                    return;
                }
            }
            FileMaterialiLeggeScrive(MSFlexGrid1, Verso::Scrivi, Msg, U(), FileMateriali);
            lblPredefiniti = AvvisoMaterialiPredefiniti(FileMateriali);
        },
        "cmdSalvaMat_Click");
}

void FinestraProperty::cmdOKMateriali_Click(int i) {
    eventi_.Esegui(
        [&] {
            if (i == 0) {
                const int r = MSFlexGrid1.Selezionata;
                if (r >= 1 && r < MSFlexGrid1.Righe()) {
                    const GrigliaTesto& g = MSFlexGrid1.Griglia;
                    txtMateriale.Scrivi(SenzaBordi(g.Testo(r, 1)));
                    for (int k = 0; k < 4; ++k)
                        txtStru[static_cast<size_t>(k)].Scrivi(SenzaBordi(g.Testo(r, k + 2)));
                    confermato_ = true; // a material confirmed: its E goes to the beam
                }
                for (int riga = 1; riga < MSFlexGrid1.Righe(); ++riga)
                    MSFlexGrid1.Griglia.Scrivi(riga, 0, "");
            }
            FrameMaterials = false;
        },
        "cmdOKMateriali_Click");
}

} // namespace zelvo
