// The whole client picture of every view, at the reference size and at half of
// it, against the digests of the pictures the program drew when they were
// recorded. Any pixel that moves, in any view, changes a digest: rendering work
// in the layer or the drawing has to keep them.
#include "apoio/janela.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

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

const std::vector<Cena> &cenas() {
    static const std::vector<Cena> todas = {
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
    return todas;
}

TEST_F(ImagemInteira, EveryViewAtTheReferenceSizeAndAtHalfOfIt) {
    HWND h = hjan;
    for (const Cena &c : cenas())
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

// The same views on a screen of another device pixel ratio: CTest runs these at QT_SCALE_FACTOR
// 2 and 1.5 (and unscaled). The program draws them with the very same GDI calls, in its logical
// coordinates; the layer renders each call at the device resolution.
class ImagemEscalada : public ImagemInteira {
protected:
    static double razao() {
        const char *f = std::getenv("QT_SCALE_FACTOR");
        return f ? std::max(1.0, std::atof(f)) : 1.0;
    }
    // The first device pixel of logical pixel v.
    static int borda(int v) { return int(std::ceil(v * razao() - 0.5)); }
    void prepara(const Cena &c) {
        reiniciaestado();
        hInst = wintest::Instance();
        restaurarecursos();
        // And the client size the window told the program, which a size it keeps does not repeat.
        RECT r;
        GetClientRect(hjan, &r);
        maxX = r.right;
        maxY = r.bottom;
        c.prepara();
    }
    // What the window paints of the scene at the logical client size w x h.
    apoio::Chamadas pintajanela(const Cena &c, int w, int h) {
        prepara(c);
        wintest::SetClientSize(hjan, w, h);
        if (c.comando) comando(c.comando);
        InvalidateRect(hjan, nullptr, TRUE);
        wintest::GdiRecorder rec;
        wintest::Pump();
        return rec.calls();
    }
    // What the paint routine draws of it on a bitmap, unscaled, for a client area of w x h.
    apoio::Chamadas pintabitmap(const Cena &c, int w, int h) {
        prepara(c);
        if (c.comando) comando(c.comando);
        maxX = w;
        maxY = h;
        HDC mem = CreateCompatibleDC(nullptr);
        apoio::Chamadas chamadas;
        {
            wintest::GdiRecorder rec;
            display(mem, num);
            chamadas = rec.calls();
        }
        DeleteDC(mem);
        wintest::Pump();  // the window's own paint, which the command asked for
        return chamadas;
    }
    COLORREF ponto(int x, int y) { return wintest::ClientDevicePixel(hjan, x, y); }
    // The runs [first, last] of black device pixels on a device column (or row) from a to b.
    std::vector<std::pair<int, int>> tinta(bool coluna, int em, int a, int b) {
        std::vector<std::pair<int, int>> out;
        for (int i = a; i <= b; ++i) {
            if ((coluna ? ponto(em, i) : ponto(i, em)) != RGB(0, 0, 0)) continue;
            if (!out.empty() && out.back().second == i - 1)
                out.back().second = i;
            else
                out.emplace_back(i, i);
        }
        return out;
    }
    const Cena &cena(const char *nome) {
        for (const Cena &c : cenas())
            if (std::string(c.nome) == nome) return c;
        throw std::runtime_error(nome);
    }
};

TEST_F(ImagemEscalada, EveryViewIsDrawnWithTheSameGdiCallsAsUnscaled) {
    for (const Cena &c : cenas())
        for (auto [w, h] : {std::pair{1024, 768}, std::pair{512, 384}}) {
            const apoio::Chamadas janela = pintajanela(c, w, h), bitmap = pintabitmap(c, w, h);
            ASSERT_GT(janela.size(), 0u) << c.nome;
            ASSERT_EQ(janela.size(), bitmap.size()) << c.nome << " at " << w;
            for (size_t i = 0; i < janela.size(); ++i) {
                const wintest::GdiCall &a = janela[i], &b = bitmap[i];
                ASSERT_TRUE(a.op == b.op && a.x == b.x && a.y == b.y && a.x2 == b.x2 && a.y2 == b.y2 &&
                            a.text == b.text && a.color == b.color && a.width == b.width && a.stock == b.stock)
                    << c.nome << " at " << w << ": call " << i << " (" << a.op << " " << a.x << "," << a.y << " \""
                    << a.text << "\") against (" << b.op << " " << b.x << "," << b.y << " \"" << b.text << "\")";
            }
        }
}

TEST_F(ImagemEscalada, AxesStandAtRatioTimesTheirPlacesRatioThickAndTheObliqueOneUnbroken) {
    pintajanela(cena("eixos"), 1024, 768);
    SIZE s = wintest::ClientDeviceSize(hjan);
    EXPECT_EQ(std::make_pair(s.cx, s.cy), std::make_pair(LONG(borda(1024)), LONG(borda(768))));
    // The main y axis along row 350 and the z axis along column 300, as are the panels' axes.
    for (auto [x, y] : {std::pair{100, 350}, {450, 350}, {700, 150}, {800, 570}})
        EXPECT_EQ(tinta(true, borda(x), borda(y - 10), borda(y + 10)),
                  (std::vector<std::pair<int, int>>{{borda(y), borda(y + 1) - 1}}))
            << "a row axis at " << x << "," << y;
    for (auto [x, y] : {std::pair{300, 200}, {300, 500}, {750, 100}, {750, 420}})
        EXPECT_EQ(tinta(false, borda(y), borda(x - 10), borda(x + 10)),
                  (std::vector<std::pair<int, int>>{{borda(x), borda(x + 1) - 1}}))
            << "a column axis at " << x << "," << y;
    // The oblique x axis from (425, 225) toward its tip at (174, 474): in every device column its
    // ink touches that of the column before, with no device pixel of gap.
    const double r = razao();
    auto meio = [r](int v) { return (v + 0.5) * r - 0.5; };
    const double x0 = meio(425), y0 = meio(225), x1 = meio(184), y1 = meio(464);  // short of the arrowhead
    std::pair<int, int> antes{0, -1};
    for (int x = int(std::floor(x0)); x >= int(std::ceil(x1)); --x) {
        const int y = int(std::lround(y0 + (y1 - y0) * (x - x0) / (x1 - x0)));
        const auto t = tinta(true, x, y - 3 * int(r) - 3, y + 3 * int(r) + 3);
        ASSERT_FALSE(t.empty()) << "a gap at device column " << x;
        // Near the origin the y axis crosses the window too: the axis's ink is the run nearest.
        auto longe = [y](const std::pair<int, int> &c) { return std::max({c.first - y, y - c.second, 0}); };
        const std::pair<int, int> corrida =
            *std::min_element(t.begin(), t.end(), [&](auto &a, auto &b) { return longe(a) < longe(b); });
        if (antes.second >= antes.first) {
            EXPECT_LE(corrida.first, antes.second + 1) << x;
            EXPECT_GE(corrida.second, antes.first - 1) << x;
        }
        antes = corrida;
    }
}

TEST_F(ImagemEscalada, TextIsDrawnAtTheScaledSizeNotBlownUp) {
    // The splash's line, here on the window and unscaled on a bitmap.
    pintajanela(cena("abertura"), 1024, 768);
    HBITMAP alvo = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    HDC mem = CreateCompatibleDC(nullptr);
    SelectObject(mem, alvo);
    maxX = 1024;
    maxY = 768;
    display(mem, MODO_ABERTURA);
    const char *linha = "Carregando o ORBIX...";
    SIZE caixa;
    ASSERT_TRUE(GetTextExtentPoint32A(mem, linha, int(strlen(linha)), &caixa));
    RECT um{1 << 20, 1 << 20, -1, -1}, escalado = um;
    auto cresce = [](RECT &k, int x, int y) {
        k = RECT{std::min(k.left, LONG(x)), std::min(k.top, LONG(y)), std::max(k.right, LONG(x)),
                 std::max(k.bottom, LONG(y))};
    };
    for (int y = 20; y < 20 + caixa.cy; ++y)
        for (int x = 300; x < 300 + caixa.cx; ++x)
            if (GetPixel(mem, x, y) == RGB(0, 0, 0)) cresce(um, x, y);
    bool ampliado = true;  // every device pixel the colour of its logical pixel unscaled
    for (int y = borda(20); y < borda(20 + caixa.cy); ++y)
        for (int x = borda(300); x < borda(300 + caixa.cx); ++x) {
            if (ponto(x, y) == RGB(0, 0, 0)) cresce(escalado, x, y);
            const int lx = int(std::floor((x + 0.5) / razao())), ly = int(std::floor((y + 0.5) / razao()));
            if (ponto(x, y) != GetPixel(mem, lx, ly)) ampliado = false;
        }
    DeleteDC(mem);
    DeleteObject(alvo);
    const double r = razao();
    ASSERT_GE(um.right, um.left);
    EXPECT_NEAR(escalado.bottom - escalado.top + 1, r * (um.bottom - um.top + 1), 1.5 * r) << "the height";
    // Glyphs hinted at each size round their advances their own way: along a line of 21
    // characters the widths part by a few per cent.
    EXPECT_NEAR(escalado.right - escalado.left + 1, r * (um.right - um.left + 1), 0.08 * r * (um.right - um.left + 1))
        << "the width";
    EXPECT_EQ(ampliado, r == 1) << "drawn at the device size, not enlarged from the unscaled text";
}
