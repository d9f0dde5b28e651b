// One QApplication for every window test; `--classe Name` runs one class,
// other arguments go to Qt Test.
#include "test_ui.h"

#include <QApplication>
#include <QTest>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace zelvo::test {

namespace {
std::map<std::string, CreaTest>& Elenco() {
    static std::map<std::string, CreaTest> e;
    return e;
}
} // namespace

bool RegistraTestUi(const char* nome, CreaTest crea) {
    Elenco()[nome] = std::move(crea);
    return true;
}

} // namespace zelvo::test

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<char*> argomenti{argv[0]};
    std::string classe;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--classe") == 0 && i + 1 < argc)
            classe = argv[++i];
        else
            argomenti.push_back(argv[i]);
    }
    int n = 1;
    QApplication app(n, argv);
    std::setlocale(LC_NUMERIC, "C");
    int esito = 0;
    bool trovata = false;
    for (auto& [nome, crea] : zelvo::test::Elenco()) {
        if (!classe.empty() && nome != classe) continue;
        trovata = true;
        std::unique_ptr<QObject> t = crea();
        esito |= QTest::qExec(t.get(), static_cast<int>(argomenti.size()), argomenti.data());
    }
    if (!trovata) {
        std::fprintf(stderr, "test class not found: %s\n", classe.c_str());
        return 2;
    }
    return esito;
}
