// The whole client picture of every view, at the reference size and at half of
// it, against the digests of the pictures the program drew when they were
// recorded. Any pixel that moves, in any view, changes a digest: rendering work
// in the layer or the drawing has to keep them.
#include "apoio/janela.h"

#include <cstdlib>

namespace {

struct Cena {
    const char *nome;
    std::function<void()> prepara;  // the state, before the view is chosen
    int comando;                    // the menu command that shows the view (0: none)
    uint64_t digesto1024, digesto512;
};

void vetorescartesianos() { apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}, {-4, 0.5f, 6}, {2, -1, -2}}); }

void regiao(int sistema, int unidade, float r0, float r1, float r2, float r3, float r4, float r5) {
    vetorescartesianos();
    Scoord = sistema;
    Medgrau = unidade;
    const float l[6] = {r0, r1, r2, r3, r4, r5};
    for (int k = 0; k < 3; ++k) {
        reg[k][0] = l[2 * k];
        reg[k][1] = l[2 * k + 1];
    }
}

class ImagemInteira : public apoio::JanelaPrincipal {
protected:
    uint64_t digesto(const Cena &c, int largura, int altura) {
        reiniciaestado();
        // What the window made at its creation survives the reset of the tables.
        hInst = wintest::Instance();
        restaurarecursos();
        c.prepara();
        wintest::SetClientSize(hjan, largura, altura);
        if (c.comando) comando(c.comando);
        InvalidateRect(hjan, nullptr, TRUE);
        wintest::Pump();
        return wintest::ClientDigest(hjan);
    }
    void SetUp() override {
        apoio::JanelaPrincipal::SetUp();
        for (int k = 0; k < MAXVETORES; ++k) canetas[k] = caneta[k];
        fonte = hFonte;
        bitmap = BMP_Orbix;
    }
    void restaurarecursos() {
        for (int k = 0; k < MAXVETORES; ++k) caneta[k] = canetas[k];
        hFonte = fonte;
        BMP_Orbix = bitmap;
        inicia = 0;
        num = MODO_VETORES;
    }
    HPEN canetas[MAXVETORES] = {};
    HFONT fonte = nullptr;
    HBITMAP bitmap = nullptr;
};

// Clicks on the keypad at reference positions, scaled to the client size as the
// keys are.
void calcula(HWND hjan, std::initializer_list<std::pair<int, int>> teclas) {
    for (auto [x, y] : teclas) {
        wintest::Click(hjan, x * maxX / 1024, y * maxY / 768);
        wintest::Pump();
    }
}

TEST_F(ImagemInteira, EveryViewAtTheReferenceSizeAndAtHalfOfIt) {
    HWND h = hjan;
    const Cena cenas[] = {
        {"abertura",
         [] {
             num = MODO_ABERTURA;
             inicia = 1;
         },
         0, 0x7f5bb71edd023daaull, 0x39da2080e305530dull},
        {"eixos", [] {}, 0, 0x9cb0b3004af0efbdull, 0xd3a3678879d5cc27ull},
        {"vetores cartesianos", vetorescartesianos, IDM_DESENHARVET, 0x91d6b88a0fe7fd1aull, 0x3d5f6b7948956166ull},
        {"vetores, escala media",
         [] {
             vetorescartesianos();
             mostnum = ESCALA_MEDIA;
         },
         IDM_DESENHARVET, 0x8ff6aa33913c45f5ull, 0x23dc32a1afc09a52ull},
        {"vetores, sem rotulos, vista girada",
         [] {
             vetorescartesianos();
             mostnum = ESCALA_NENHUMA;
             angulox = 0.3926875;
             anguloz = 1.745277777777778;
         },
         IDM_DESENHARVET, 0xfd1744dd30268799ull, 0x8008c0ab39419fc7ull},
        {"vetores cilindricos",
         [] {
             apoio::guarda(CILINDRICO, GRAUS, {{3, 45, 2}, {1, 200, -1}});
         },
         IDM_DESENHARVET, 0x1542d8df08777275ull, 0x663de7173e5b6297ull},
        {"vetores esfericos",
         [] {
             apoio::guarda(ESFERICO, RADIANOS, {{2, 0.5f, 1}, {1, 2, 5}});
         },
         IDM_DESENHARVET, 0xca9ec45f472a9b80ull, 0x41166aeffe3b5df4ull},
        {"angulos", vetorescartesianos, IDM_ANGULO, 0xf4a1af09328c9e28ull, 0xb41c200c61e94e28ull},
        {"produtos escalares", vetorescartesianos, IDM_ESCALAR, 0x66396cfebedd6ull, 0xccc8bb1c297d7dd6ull},
        {"produtos vetoriais", vetorescartesianos, IDM_VETORIAL, 0xa341d63ffa4e486aull, 0xdab32c90a6d94c6aull},
        {"modulos", vetorescartesianos, IDM_MODULO, 0xee9b2b6d3d2d2ea8ull, 0x4cbc711cefda46a8ull},
        {"vetores e regiao", [] { regiao(CILINDRICO, RADIANOS, 0, 2, 0, 3.1415f, -1, 1); }, IDM_VERVET,
         0x990ff7137060f577ull, 0xbacc93cb771b0577ull},
        {"regiao cartesiana", [] { regiao(CARTESIANO, GRAUS, -1, 1, 0, 2, 0, 3); }, IDM_DESENHARREG,
         0xe21ed79c1e35aefull, 0x795d8e5649686849ull},
        {"regiao cilindrica", [] { regiao(CILINDRICO, GRAUS, 1, 5, 0, 90, 0, 4); }, IDM_DESENHARREG,
         0x8024e53498cba97full, 0x8f3ff7c2968c11a4ull},
        {"regiao esferica", [] { regiao(ESFERICO, GRAUS, 0, 10, 0, 180, 0, 360); }, IDM_DESENHARREG,
         0xe214ba8b712fcacfull, 0xebd037cde03be4d6ull},
        {"calculadora", [] { vetorescartesianos(); }, IDM_CALC, 0x198afea106fc20edull, 0xfcab6c2888cbd8afull},
    };
    for (const Cena &c : cenas)
        for (auto [w, hh, esperado] : {std::tuple{1024, 768, c.digesto1024}, std::tuple{512, 384, c.digesto512}}) {
            uint64_t d = digesto(c, w, hh);
            if (std::string(c.nome) == "calculadora") {
                // V(0) + V(1) = on the keypad, then the picture with the result shown.
                calcula(h, {{207, 176}, {370, 202}, {207, 211}, {370, 382}});
                d = wintest::ClientDigest(h);
            }
            EXPECT_EQ(d, esperado) << c.nome << " at " << w << " x " << hh;
            // ORBIX_IMAGENS=folder keeps every picture, to look at what changed.
            if (const char *pasta = std::getenv("ORBIX_IMAGENS"))
                wintest::SaveClientImage(h, std::string(pasta) + "/" + c.nome + "-" + std::to_string(w) + ".png");
        }
}

}  // namespace
