#include "io/stampa.h"

#include <algorithm>

namespace zelvo {

namespace {
constexpr int kPassoGriglia = 15;
} // namespace

int LunghezzaCaratteri(std::string_view testo) {
    int n = 0;
    for (size_t i = 0; i < testo.size();) {
        const auto c = static_cast<unsigned char>(testo[i]);
        size_t l = 1;
        if (c >= 0xC2 && c <= 0xDF)
            l = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            l = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            l = 4;
        // A sequence counts as one character only when it is complete.
        if (l > 1) {
            if (i + l > testo.size())
                l = 1;
            else
                for (size_t k = 1; k < l; ++k)
                    if ((static_cast<unsigned char>(testo[i + k]) & 0xC0) != 0x80) {
                        l = 1;
                        break;
                    }
        }
        i += l;
        ++n;
    }
    return n;
}

std::string Rifila(std::string_view testo) {
    size_t a = 0, b = testo.size();
    while (a < b && (testo[a] == ' ' || testo[a] == '\t'))
        ++a;
    while (b > a && (testo[b - 1] == ' ' || testo[b - 1] == '\t'))
        --b;
    return std::string(testo.substr(a, b - a));
}

void TestoStampa::StampaTesto(std::string_view testo) {
    // Line breaks inside the text (a two-line title) restart the column.
    size_t inizio = 0;
    while (inizio <= testo.size()) {
        const size_t fine = testo.find_first_of("\r\n", inizio);
        const std::string_view pezzo = testo.substr(
            inizio, fine == std::string_view::npos ? std::string_view::npos : fine - inizio);
        testo_.append(pezzo);
        colonna_ += LunghezzaCaratteri(pezzo);
        if (fine == std::string_view::npos) break;
        // CR LF, a lone CR or a lone LF: one line break, written as CR LF.
        size_t dopo = fine + 1;
        if (testo[fine] == '\r' && dopo < testo.size() && testo[dopo] == '\n') ++dopo;
        testo_.append("\r\n");
        colonna_ = 1;
        inizio = dopo;
    }
}

void TestoStampa::StampaTab(int n) {
    n = std::max(n, 1);
    if (colonna_ > n) {
        testo_.append("\r\n");
        colonna_ = 1;
    }
    testo_.append(static_cast<size_t>(n - colonna_), ' ');
    colonna_ = n;
}

void TestoStampa::StampaRiga(std::string_view testo) {
    StampaTesto(testo);
    testo_.append("\r\n");
    colonna_ = 1;
}

void TestoStampa::StampaGriglia(const GrigliaTesto& griglia) {
    if (griglia.Righe() <= 1) return;
    const int colonne = griglia.Colonne();
    for (int r = 0; r < griglia.Righe(); ++r) {
        for (int c = 0; c < colonne; ++c) {
            const std::string t = Rifila(griglia.Testo(r, c));
            StampaTesto(t.empty() ? std::string(" ") : t);
            StampaTab(kPassoGriglia * (c + 1));
        }
        StampaRiga(" ");
    }
}

std::string TestoStampa::TestoLF() const {
    std::string s;
    s.reserve(testo_.size());
    for (size_t i = 0; i < testo_.size(); ++i) {
        if (testo_[i] == '\r' && i + 1 < testo_.size() && testo_[i + 1] == '\n') continue;
        s.push_back(testo_[i]);
    }
    return s;
}

std::vector<std::string> TestoStampa::Righe() const {
    std::vector<std::string> righe;
    size_t inizio = 0;
    while (true) {
        const size_t fine = testo_.find("\r\n", inizio);
        if (fine == std::string::npos) break;
        righe.push_back(testo_.substr(inizio, fine - inizio));
        inizio = fine + 2;
    }
    if (inizio < testo_.size()) righe.push_back(testo_.substr(inizio));
    return righe;
}

} // namespace zelvo
