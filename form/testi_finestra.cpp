#include "form/testi_finestra.h"

#include "core/guasto.h"

namespace zelvo {

const std::vector<TestoControllo>& TestiFrmDati() {
    static const std::vector<TestoControllo> t = {
        // Menus: the index of an item is its position, separators included.
        {"MnuFile", -1, "&File", ""},
        {"MnuFileItem", 0, "&Nuovo", ""},
        {"MnuFileItem", 1, "&Apri", ""},
        {"MnuFileItem", 2, "&Salva", ""},
        {"MnuFileItem", 3, "S&alva come...", ""},
        {"MnuFileItem", 4, "", ""},
        {"MnuFileItem", 5, "Stam&pa", ""},
        {"MnuFileItem", 6, "&File di stampa (TXT)", ""},
        {"MnuFileItem", 7, "", ""},
        {"MnuFileItem", 8, "&Disegna Diagrammi in Autocad", ""},
        {"MnuFileItem", 9, "Stampa &Diagrammi", ""},
        {"MnuFileItem", 10, "E&xporta Diagrammi in DXF", ""},
        {"MnuFileItem", 11, "", ""},
        {"MnuFileItem", 12, "&Esci", ""},
        // Added later, shown after item 6 (the order is the command table's).
        {"MnuFileItem", 13, "Relazione &PDF...", ""},
        {"mnuUnits", -1, "&Unità", ""},
        {"mnuOpzioni", -1, "&Opzioni", ""},
        {"mnuOpzioniItem", 0, "&Scelta scale dwg, dxf", ""},
        {"mnuOpzioniItem", 1, "&Combinazioni...", ""},
        {"mnuOpzioniItem", 2, "&Verifiche...", ""},
        {"Aiuto", -1, "&?", ""},
        {"mnuAiutoItem", 0, "&Aiuto", ""},
        {"mnuAiutoItem", 1, "&Files di esempio", ""},
        {"mnuAiutoItem", 2, "&Informazioni", ""},
        // Toolbar: "Nuovo", "Apri", "Salva", "Stam&pa".
        {"ToolbarUp", 0, "New", "Nuovo"},
        {"ToolbarUp", 1, "Open", "Apri"},
        {"ToolbarUp", 2, "Save", "Salva"},
        {"ToolbarUp", 3, "Print", "Stampa"},
        // Data.
        {"txtTitolo", -1, "Titolo :", ""},
        {"txtDati", 0, "Luce", "Lunghezza trave"},
        {"txtDati", 1, "E", "Modulo elastico"},
        {"txtDati", 2, "J", "Momento d'inerzia"},
        {"txtDati", 3, " sezioni di calcolo", "Aumentare se si vuole maggior precisione"},
        {"cmdSezione", -1, "Sezione", "Caratteristiche sezione"},
        {"Frame1", -1, "Vincoli", ""},
        {"Optschema", 0, "App. - App.", ""},
        {"Optschema", 1, "Inc. - Inc.", ""},
        {"Optschema", 2, "Inc. - App.", ""},
        {"Optschema", 3, "Mensola", ""},
        {"Optschema", 4, "Fondazione", ""},
        {"Optschema", 5, "Continua", "Trave continua su più campate"},
        {"txtCampate", -1, "N° campate", "Numero di campate della trave continua"},
        {"GrigliaContinua", 0, " Campate", ""},
        {"GrigliaContinua", 1, " Appoggi", ""},
        {"fraContinua", -1, "Trave continua", ""},
        {"RisContinua", 0, "Appoggi", ""},
        {"RisContinua", 1, "Campate", ""},
        {"chkDistanzeParziali", -1, "Distanze parziali", ""},
        {"FlexGrid", 0, " Carichi dist. TRAPEZI", ""},
        {"FlexGrid", 1, " Carichi CONCENTRATI", ""},
        {"FlexGrid", 2, " Coppie CONCENTRATE", ""},
        {"txtRigheGriglia", 0, "N° trapezi", "Numero di carichi trapezi"},
        {"txtRigheGriglia", 1, "N° forze", "Numero di carichi concentrati"},
        {"txtRigheGriglia", 2, "N° coppie", "Numero di coppie concentrate"},
        {"FlexGridZoom", 0, "Zoom", ""},
        {"FlexGridZoom", 1, "Zoom", ""},
        {"FlexGridZoom", 2, "Zoom", ""},
        // Foundation.
        {"fraWinkler", -1, "Fondazione", ""},
        {"OptFond", 0, "Rigida", "Trave infinitamente rigida"},
        {"OptFond", 1, "Winkler", "Trave su suolo elastico"},
        {"chkReagTraz", -1, "Reag. traz.", "Suolo reagente a trazione"},
        {"txtWinkler", 0, "K", "Coefficiente di Winkler"},
        {"txtWinkler", 1, "b", "Larghezza fondazione"},
        {"txtWinkler", 2, "N° div.", "Numero di divisioni per la discretizzazione"},
        {"lblWinkler", 3, "Iterazione", "Numero di iterazioni effettuate"},
        {"btnCalcola", -1, "Calcola", ""},
        // Results.
        {"FrameRis", -1, "Risultati", ""},
        {"lblReazioni", -1, "Reazioni vincolari", ""},
        {"txtRis", 0, "MA", ""},
        {"txtRis", 1, "MB", ""},
        {"txtRis", 2, "RA", "Reazione vincolare (+ verso l'alto)"},
        {"txtRis", 3, "RB", "Reazione vincolare (+ verso l'alto)"},
        {"txtRis", 4, "Rot. A", "rotazione (+ oraria)"},
        {"txtRis", 5, "Rot. B", "rotazione (+ antioraria)"},
        {"txtRis", 6, "max M+", ""},
        {"txtRis", 7, "x max M+", ""},
        {"txtRis", 8, "max M-", ""},
        {"txtRis", 9, "x max M-", ""},
        {"txtRis", 10, "f max", ""},
        {"txtRis", 11, "x f max", ""},
        {"FrameFond", -1, "Risultati", ""},
        {"txtFond", 0, "Pressione A", "Pressione sul terreno in A"},
        {"txtFond", 1, "max M", ""},
        {"txtFond", 2, "max V", ""},
        {"txtFond", 3, "f max", ""},
        {"txtFond", 4, "Pressione B", "Pressione sul terreno in B"},
        {"txtFond", 5, "x max M", ""},
        {"txtFond", 6, "x max V", ""},
        {"txtFond", 7, "x f max", ""},
        {"txtFond", 8, "Pressione max", "Pressione massima sul terreno"},
        {"txtFond", 9, "x press. max", ""},
        {"frRisultatiInX", -1, "Risultati all'ascissa x", ""},
        {"txtX", 0, "x", "Ascissa "},
        {"txtX", 1, "M(x)", ""},
        {"txtX", 2, "V(x)", ""},
        {"txtX", 3, "f(x)", ""},
        {"txtX", 4, "Pressione(x)", "Pressione sul terreno all'ascissa x"},
        {"FrDiagrammi", -1, "Diagrammi", ""},
        {"lblVisualizza", -1, "Visualizza", ""},
        {"cbDiagramma", 0, "&M", "Diagramma dei momenti"},
        {"cbDiagramma", 1, "&V", "Diagramma dei tagli"},
        {"cbDiagramma", 2, "&C", "Diagramma dei carichi"},
        {"cbDiagramma", 3, "&Stampa", "Stampa dei tre diagrammi"},
    };
    return t;
}

const TestoControllo& TestoDi(std::string_view controllo, int indice) {
    for (const auto& e : TestiFrmDati())
        if (e.controllo == controllo && e.indice == indice) return e;
    throw Guasto("controllo senza testo");
}

std::vector<TestoControllo> TestiDi(std::string_view controllo) {
    std::vector<TestoControllo> v;
    for (const auto& e : TestiFrmDati())
        if (e.controllo == controllo) v.push_back(e);
    return v;
}

std::string Caption(std::string_view controllo, int indice) {
    return std::string(TestoDi(controllo, indice).caption);
}

std::string Tooltip(std::string_view controllo, int indice) {
    return std::string(TestoDi(controllo, indice).tooltip);
}

} // namespace zelvo
