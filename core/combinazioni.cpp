// Load cases, combinations and envelopes.
#include "combinazioni.h"

#include "guasto.h"

namespace zelvo {

bool PsiCategoria(CategoriaQ c, CoefficientiPsi& psi) {
    switch (c) {
    case CategoriaQ::A:
    case CategoriaQ::B:
    case CategoriaQ::G:
        psi = {0.7, 0.5, 0.3};
        return true;
    case CategoriaQ::C:
    case CategoriaQ::D:
    case CategoriaQ::F:
        psi = {0.7, 0.7, 0.6};
        return true;
    case CategoriaQ::E:
        psi = {1.0, 0.9, 0.8};
        return true;
    case CategoriaQ::H:
        psi = {0.0, 0.0, 0.0};
        return true;
    case CategoriaQ::Vento:
        psi = {0.6, 0.2, 0.0};
        return true;
    case CategoriaQ::NeveSotto1000:
        psi = {0.5, 0.2, 0.0};
        return true;
    case CategoriaQ::NeveSopra1000:
        psi = {0.7, 0.5, 0.2};
        return true;
    case CategoriaQ::Temperatura:
        psi = {0.6, 0.5, 0.0};
        return true;
    case CategoriaQ::I:
    case CategoriaQ::K:
    case CategoriaQ::Personalizzata:
        return false;
    }
    return false;
}

std::string NomeCategoria(CategoriaQ c) {
    switch (c) {
    case CategoriaQ::A:
        return "A - Ambienti ad uso residenziale";
    case CategoriaQ::B:
        return "B - Uffici";
    case CategoriaQ::C:
        return "C - Ambienti suscettibili di affollamento";
    case CategoriaQ::D:
        return "D - Ambienti ad uso commerciale";
    case CategoriaQ::E:
        return "E - Magazzini, archivi, ambienti ad uso industriale";
    case CategoriaQ::F:
        return "F - Rimesse e parcheggi (veicoli ≤ 30 kN)";
    case CategoriaQ::G:
        return "G - Traffico di veicoli (> 30 kN)";
    case CategoriaQ::H:
        return "H - Coperture per sola manutenzione";
    case CategoriaQ::I:
        return "I - Coperture praticabili";
    case CategoriaQ::K:
        return "K - Coperture per usi speciali";
    case CategoriaQ::Vento:
        return "Vento";
    case CategoriaQ::NeveSotto1000:
        return "Neve (quota ≤ 1000 m)";
    case CategoriaQ::NeveSopra1000:
        return "Neve (quota > 1000 m)";
    case CategoriaQ::Temperatura:
        return "Variazioni termiche";
    case CategoriaQ::Personalizzata:
        return "Personalizzata";
    }
    return "";
}

const char* NomeTipoCaso(TipoCaso t) {
    switch (t) {
    case TipoCaso::G1:
        return "G1";
    case TipoCaso::G2:
        return "G2";
    case TipoCaso::Q:
        return "Q";
    }
    return "";
}

CoefficientiParziali CoefficientiNTC2018() {
    return CoefficientiParziali{};
}

CoefficientiParziali CoefficientiEN1990() {
    CoefficientiParziali c;
    c.gG1[0] = c.gG2[0] = 1.35;
    c.gG1[1] = c.gG2[1] = 1.0;
    c.gQ[0] = 1.5;
    c.gQ[1] = 0.0;
    return c;
}

LimitiFreccia LimitiPreset(PresetFreccia p) {
    switch (p) {
    case PresetFreccia::SolaiGenerali:
        return {250, 300};
    case PresetFreccia::Coperture:
        return {200, 250};
    case PresetFreccia::SolaiFragili:
        return {250, 350};
    case PresetFreccia::SolaiPilastri:
        return {400, 500};
    case PresetFreccia::Personalizzato:
        break;
    }
    return {250, 300};
}

std::string NomePreset(PresetFreccia p) {
    switch (p) {
    case PresetFreccia::SolaiGenerali:
        return "Solai in generale";
    case PresetFreccia::Coperture:
        return "Coperture";
    case PresetFreccia::SolaiFragili:
        return "Solai con tramezzi o finiture fragili";
    case PresetFreccia::SolaiPilastri:
        return "Solai che portano pilastri";
    case PresetFreccia::Personalizzato:
        return "Personalizzati";
    }
    return "";
}

std::vector<CasoCarico> CasiConPesoProprio(const DatiTrave& d, int* CasoPesoProprio) {
    std::vector<CasoCarico> casi = d.Casi;
    int indice = -1;
    if (d.PesoProprio) {
        for (size_t i = 0; i < casi.size() && indice < 0; ++i)
            if (casi[i].Tipo == TipoCaso::G1) indice = static_cast<int>(i);
        if (indice < 0) {
            CasoCarico pp;
            pp.Nome = "Peso proprio";
            pp.Tipo = TipoCaso::G1;
            casi.push_back(pp);
            indice = static_cast<int>(casi.size()) - 1;
        }
    }
    if (CasoPesoProprio) *CasoPesoProprio = indice;
    return casi;
}

const char* ChiaveCombinazione(TipoCombinazione t) {
    switch (t) {
    case TipoCombinazione::SLU:
        return "SLU";
    case TipoCombinazione::Rara:
        return "Rara";
    case TipoCombinazione::Frequente:
        return "Frequente";
    case TipoCombinazione::QuasiPermanente:
        return "QuasiPermanente";
    }
    return "";
}

const char* NomeCombinazione(TipoCombinazione t) {
    switch (t) {
    case TipoCombinazione::QuasiPermanente:
        return "Quasi permanente";
    default:
        return ChiaveCombinazione(t);
    }
}

} // namespace zelvo
