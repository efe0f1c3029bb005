// Every view of the program as stored data: for each scene (a state and the command that shows
// it) the GDI calls of its paint against a stored trace, the picture against a stored image at
// the screen's device pixel ratio (CTest runs this program at ratios 1, 1.5 and 2), and, where
// the scene has them, its listing as the clipboard takes it and its report. Any tick, label,
// arrow, dot or text that moves changes a stored file; scripts/update-stored.sh rewrites them
// after an intended change.
#include "apoio/teste.h"
#include "draw/listagem.h"
#include "report/relatorio.h"
#include "testing/stored.h"

#include "apoio/pasta.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Cena {
    const char *nome;
    void (*prepara)();
    int comando;                       // the menu command that shows the view (0: none)
    std::vector<const char *> teclas;  // calculator keys clicked after it
    bool relatorio = false;            // the scene's state also gives a stored report
};

void cartesianos() { apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}, {-4, 0.5f, 6}, {2, -1, -2}}); }

void limites(int sistema, int unidade, std::initializer_list<float> l) {
    cartesianos();
    Scoord = sistema;
    Medgrau = unidade;
    memcpy(reg, l.begin(), sizeof reg);
}

// Fifteen vectors, each unlike the others.
void quinze() {
    Scoord = CARTESIANO;
    numpt = MAXVETORES;
    for (int k = 0; k < MAXVETORES; ++k) {
        vetores[0][k] = float(k - 7);
        vetores[1][k] = 0.5f * float(k);
        vetores[2][k] = 3 - 0.25f * float(k * k % 11);
    }
}

// clang-format off
const std::vector<Cena> CENAS = {
    {"abertura", [] { num = MODO_ABERTURA, inicia = 1; }, 0, {}},
    {"eixos", [] {}, 0, {}},
    {"vetores-cartesianos", cartesianos, IDM_DESENHARVET, {}, true},
    {"vetores-escala-media", [] { cartesianos(), mostnum = ESCALA_MEDIA; }, IDM_DESENHARVET, {}},
    {"vetores-sem-rotulos-girada", [] { cartesianos(), mostnum = ESCALA_NENHUMA, angulox = GIRO_MIN, anguloz = ANGULOZ_MAX; }, IDM_DESENHARVET, {}},
    {"vetores-cilindricos", [] { apoio::guarda(CILINDRICO, GRAUS, {{3, 45, 2}, {1, 200, -1}}); }, IDM_DESENHARVET, {}, true},
    {"vetores-esfericos", [] { apoio::guarda(ESFERICO, RADIANOS, {{2, 0.5f, 1}, {1, 2, 5}}); }, IDM_DESENHARVET, {}, true},
    {"angulos", cartesianos, IDM_ANGULO, {}},
    {"produtos-escalares", cartesianos, IDM_ESCALAR, {}},
    {"produtos-vetoriais", cartesianos, IDM_VETORIAL, {}},
    {"modulos", cartesianos, IDM_MODULO, {}},
    {"vetores-e-regiao", [] { limites(CILINDRICO, RADIANOS, {0, 2, 0, 3.1415f, -1, 1}); }, IDM_VERVET, {}, true},
    {"regiao-cartesiana", [] { limites(CARTESIANO, GRAUS, {-1, 1, 0, 2, 0, 3}); }, IDM_DESENHARREG, {}},
    {"regiao-cilindrica", [] { limites(CILINDRICO, GRAUS, {1, 5, 0, 90, 0, 4}); }, IDM_DESENHARREG, {}, true},
    {"regiao-esferica", [] { limites(ESFERICO, GRAUS, {0, 10, 30, 90, 0, 120}); }, IDM_DESENHARREG, {}},
    // Pairs reversed, a negative radius, the labels of the largest value or none.
    {"regiao-cilindrica-radianos", [] { limites(CILINDRICO, RADIANOS, {3, -1, 0, 1.5f, 2, -2}), mostnum = ESCALA_MEDIA; }, IDM_DESENHARREG, {}},
    {"regiao-esferica-radianos", [] { limites(ESFERICO, RADIANOS, {4, 1, 2, 0.5f, 0, 1}), mostnum = ESCALA_NENHUMA; }, IDM_DESENHARREG, {}, true},
    {"vetores-cilindricos-girada", [] { apoio::guarda(CILINDRICO, GRAUS, {{3, 45, 2}, {1, 200, -1}, {2, 300, 4}}), angulox = anguloz = GIRO_MIN; },
     IDM_DESENHARVET, {}},
    {"angulos-vetor-nulo", [] { apoio::guarda(ESFERICO, GRAUS, {{0, 0, 0}, {2, 30, 60}, {1, 90, 45}}); }, IDM_ANGULO, {}, true},
    {"vetores-e-regiao-esfericos", [] { limites(ESFERICO, GRAUS, {1, 4, 10, 80, 0, 270}); }, IDM_VERVET, {}, true},
    {"vetores-e-regiao-cartesianos", [] { limites(CARTESIANO, GRAUS, {-1, 1, 0, 2, 0, 3}); }, IDM_VERVET, {}},
    {"produtos-vetoriais-rolados", [] { quinze(), SBPosy = 40; }, IDM_VETORIAL, {}, true},
    {"calculadora", cartesianos, IDM_CALC, {"V0", "+", "V1", "="}},
    // Every vector in the three systems: axes, ends of phi and theta, the origin, a negative radius.
    {"tres-sistemas-cilindricos", [] { apoio::guarda(CILINDRICO, GRAUS, {{2, 0, 1}, {-2, 90, 0}, {0, 0, 0}, {3, 270, -1}, {1, 359.9f, 2}}); },
     IDM_SISTEMAS, {}},
    {"tres-sistemas-esfericos-radianos", [] { apoio::guarda(ESFERICO, RADIANOS, {{1, 0, 0}, {2, 3.1415f, 1}, {1.5f, 1, 6.283f}}); },
     IDM_SISTEMAS, {}},
    {"tres-sistemas-rolados", [] { quinze(), SBPosy = 20; }, IDM_SISTEMAS, {}},
    // Scrolled: the pair listings and the moduli move up, the vector list stays.
    {"angulos-rolados", [] { cartesianos(), SBPosy = 3; }, IDM_ANGULO, {}},
    {"modulos-rolados", [] { cartesianos(), SBPosy = 2; }, IDM_MODULO, {}},
    {"vetores-e-regiao-rolados", [] { limites(CARTESIANO, GRAUS, {-1, 1, 0, 2, 0, 3}), SBPosy = 5; }, IDM_VERVET, {}},
    // Lines longer than a listing line or a report record, cut.
    {"produtos-vetoriais-enormes", [] { apoio::guarda(CARTESIANO, GRAUS, {{1e19f, 1e19f, 0}, {0, 1e19f, 1e19f}, {3.4e38f, -3.4e38f, 3.4e38f}}); },
     IDM_VETORIAL, {}, true},
    // The region's limits in the report: angles in degrees whatever the unit, Cartesian ones never converted.
    {"regiao-cartesiana-radianos", [] { limites(CARTESIANO, RADIANOS, {-1, 1, 0, 3.1415f, 0, 3}); }, IDM_DESENHARREG, {}, true},
};
// clang-format on

std::string dados(const std::string &nome) { return std::string(ORBIX_DADOS) + "/cenas/" + nome; }

double razao() {
    const char *f = std::getenv("QT_SCALE_FACTOR");
    return f ? std::max(1.0, std::atof(f)) : 1.0;
}

class Cenas : public apoio::JanelaPrincipal {
protected:
    void SetUp() override {
        apoio::JanelaPrincipal::SetUp();
        feitos.guarda();
    }
    // The scene at a client size, with what the window made at its creation kept; returns the
    // calls of its last paint.
    apoio::Chamadas mostra(const Cena &c, int largura, int altura) {
        reiniciaestado();
        feitos.devolve();
        inicia = 0;
        num = MODO_VETORES;
        c.prepara();
        wintest::SetClientSize(hjan, largura, altura);
        if (c.comando) comando(c.comando);
        InvalidateRect(hjan, nullptr, TRUE);
        wintest::GdiRecorder rec;
        wintest::Pump();
        for (const char *k : c.teclas) {
            const apoio::Tecla t = apoio::tecla(k);
            rec.clear();
            wintest::Click(hjan, (t.e + t.d) / 2 * largura / 1024, (t.t + t.b) / 2 * altura / 768);
            wintest::Pump();
        }
        return rec.calls();
    }
    apoio::Recursos feitos;
};

TEST_F(Cenas, EveryViewAsItsStoredTraceAndPicture) {
    char r[16];
    snprintf(r, sizeof r, "%g", razao());
    for (const Cena &c : CENAS)
        for (int largura : {1024, 512}) {
            const std::string nome = std::string(c.nome) + "-" + std::to_string(largura);
            const apoio::Chamadas chamadas = mostra(c, largura, largura * 3 / 4);
            EXPECT_TRUE(wintest::MatchesStoredText(dados(nome + ".trace"), wintest::Trace(chamadas))) << nome;
            // The half size shows how positions are truncated; its pixels at ratio 1 suffice.
            if (largura == 1024 || razao() == 1) {
                EXPECT_TRUE(wintest::MatchesStoredImage(dados(nome + "@" + r + "x.png"), hjan)) << nome;
            }
        }
}

// What the listings and the report of the scenes hold: the same at every ratio, so read once.
TEST_F(Cenas, ListingsAndReportsAsStored) {
    if (razao() != 1) GTEST_SKIP() << "the texts do not depend on the screen";
    apoio::Pasta pasta;
    for (const Cena &c : CENAS) {
        mostra(c, 1024, 768);
        const std::string listagem = textolistagem(num);
        if (!listagem.empty()) {
            EXPECT_TRUE(wintest::MatchesStoredText(dados(std::string(c.nome) + ".txt"), listagem));
        }
        if (!c.relatorio) continue;
        const std::string caminho = (pasta / "r.TXD").string();
        ASSERT_TRUE(gravarelatorio(caminho.c_str()));
        EXPECT_TRUE(wintest::MatchesStoredText(dados(std::string(c.nome) + ".TXD"), apoio::le(caminho)));
    }
}

}  // namespace
