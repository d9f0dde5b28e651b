// Registration of the window tests: one QApplication for the whole program,
// every test class run by name (`ui_tests --classe Name`) or all in turn.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace zelvo::test {

using CreaTest = std::function<std::unique_ptr<QObject>()>;
bool RegistraTestUi(const char* nome, CreaTest crea);

} // namespace zelvo::test

// At file level, at the start of a line: registers the QObject test class.
#define ZELVO_TEST_UI(Classe)                                                                      \
    static const bool registrato_##Classe =                                                        \
        zelvo::test::RegistraTestUi(#Classe, [] { return std::make_unique<Classe>(); });
