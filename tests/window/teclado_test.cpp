// The keys of the main window and the clipboard, through the program's own message loop.
#include "apoio/janela.h"
#include "draw/listagem.h"

#include <string.h>

namespace {

class Teclado : public apoio::JanelaPrincipal {
protected:
    // A key pressed in the window, then the loop run as WinMain runs it.
    void tecla(int vk, unsigned mods = 0) {
        wintest::PressKey(hjan, vk, mods);
        bombeia();
    }
};

// Each arrow does what its command on the menu bar does, limits included: the same angles after
// every press, and one repaint each time.
TEST_F(Teclado, ArrowsTurnTheViewExactlyAsTheMenuBarDoes) {
    const struct {
        int vk, id;
    } setas[] = {{VK_LEFT, IDM_ESQUERDA}, {VK_RIGHT, IDM_DIREITA}, {VK_UP, IDM_CIMA}, {VK_DOWN, IDM_BAIXO}};
    for (auto &s : setas) {
        std::vector<std::pair<double, double>> pelomenu, pelateclado;
        for (bool teclado : {false, true}) {
            angulox = ANGULOX_INICIAL, anguloz = ANGULOZ_INICIAL;
            for (int i = 0; i < 30; ++i) {  // thirty presses reach every limit and stay there
                teclado ? wintest::PressKey(hjan, s.vk) : wintest::ChooseMenuItem(hjan, s.id);
                EXPECT_EQ(pinturas(), 1) << s.vk << (teclado ? " key " : " menu ") << i;
                (teclado ? pelateclado : pelomenu).push_back({angulox, anguloz});
            }
        }
        EXPECT_EQ(pelateclado, pelomenu) << s.vk;
        EXPECT_NE(pelomenu.front(), std::make_pair(ANGULOX_INICIAL, ANGULOZ_INICIAL)) << s.vk;
        EXPECT_EQ(pelomenu[28], pelomenu[29]) << s.vk << " stops at its limit";
    }
}

TEST_F(Teclado, TheCommandKeysNeedTheirModifiersAndNothingElse) {
    struct Linha {
        const char *nome;
        int vk;
        unsigned mods;
        bool abre;
    } linhas[] = {
        {"Ctrl+O opens", 'O', wintest::Ctrl, true},
        {"O alone does nothing", 'O', 0, false},
        {"Ctrl+Shift+O does nothing", 'O', wintest::Ctrl | wintest::Shift, false},
        {"Ctrl+Alt+O does nothing", 'O', wintest::Alt | wintest::Ctrl, false},
    };
    for (auto &l : linhas) {
        wintest::OpenDialogDriver abrir;
        abrir.cancel();
        tecla(l.vk, l.mods);
        EXPECT_EQ(abrir.calls.size(), l.abre ? 1u : 0u) << l.nome;
    }
    {
        wintest::SaveDialogDriver salvar;
        salvar.cancel();
        tecla('S', wintest::Ctrl);
        EXPECT_EQ(salvar.calls.size(), 1u) << "Ctrl+S saves a work";
        EXPECT_EQ(salvar.calls[0].defExt, "orbix");
    }
    EXPECT_EQ(hDlgnmodal, nullptr);
    tecla(VK_F1);
    ASSERT_NE(hDlgnmodal, nullptr) << "F1 opens the help";
    wintest::PressKey(hjan, VK_LEFT);
    const double x = angulox;
    bombeia();
    EXPECT_NE(angulox, x) << "the main window still has its own keys";
    DestroyWindow(hDlgnmodal);
    bombeia();
}

// What the clipboard holds after Copiar, read back through the clipboard functions.
struct Area {
    bool texto, figura;
    std::string conteudo;
    int largura = 0, altura = 0;
    std::vector<COLORREF> pixels;
};
Area area() {
    Area a;
    a.conteudo = wintest::ClipboardText();
    a.texto = !a.conteudo.empty();
    a.figura = wintest::ClipboardImage(&a.largura, &a.altura);
    for (int y = 0; y < a.altura; ++y)
        for (int x = 0; x < a.largura; ++x) a.pixels.push_back(wintest::ClipboardPixel(x, y));
    return a;
}

class AreaDeTransferencia : public Teclado {
protected:
    std::vector<COLORREF> tela() {
        std::vector<COLORREF> out;
        for (int y = 0; y < maxY; ++y)
            for (int x = 0; x < maxX; ++x) out.push_back(wintest::ClientPixel(hjan, x, y));
        return out;
    }
};

TEST_F(AreaDeTransferencia, AViewIsCopiedAsThePictureOnScreen) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}, {-4, 0.5f, 6}});
    wintest::SetClientSize(hjan, 640, 480);
    for (int id : {IDM_DESENHARVET, IDM_DESENHARREG, IDM_CALC}) {
        comando(id);
        bombeia();
        tecla('C', wintest::Ctrl);
        const Area a = area();
        EXPECT_FALSE(a.texto) << id;
        ASSERT_TRUE(a.figura) << id;
        EXPECT_EQ(std::make_pair(a.largura, a.altura), std::make_pair(640, 480)) << id;
        EXPECT_TRUE(a.pixels == tela()) << id << ": the copy is not the picture on screen";
    }
}

TEST_F(AreaDeTransferencia, AListingIsCopiedWholeAsTextAndAsThePicture) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 0, 0}, {0, 1, 0}});
    const struct {
        int id;
        std::string texto;
    } casos[] = {
        {IDM_ESCALAR, "V(0).V(0) =  1.00\r\nV(0).V(1) =  0.00\r\nV(1).V(1) =  1.00\r\n"},
        {IDM_MODULO, "Módulo de V(0) -> |V(0)| =  1.00\r\nMódulo de V(1) -> |V(1)| =  1.00\r\n"},
        {IDM_VERVET,
         "Vetores em Coordenadas Cartesianas:\r\nV(0) =  1.00a_x +  0.00a_y +  0.00a_z\r\n"
         "V(1) =  0.00a_x +  1.00a_y +  0.00a_z\r\n\r\nRegião em Coordenadas Cartesianas:\r\n"
         " 0.00 < x <  0.00\r\n 0.00 < y <  0.00\r\n 0.00 < z <  0.00\r\n"},
        {IDM_ANGULO,
         "Ângulo entre: V(0) e V(0) =  0.00\r\nÂngulo entre: V(0) e V(1) = 89.96\r\n"
         "Ângulo entre: V(1) e V(1) =  0.00\r\n"},
        {IDM_VETORIAL,
         "V(0) X V(0) =  0.00a_x +  0.00a_y +  0.00a_z\r\nV(0) X V(1) =  0.00a_x +  0.00a_y +  1.00a_z\r\n"
         "V(1) X V(1) =  0.00a_x +  0.00a_y +  0.00a_z\r\n"},
    };
    for (auto &c : casos) {
        wintest::ChooseMenuItem(hjan, c.id);
        bombeia();
        wintest::ChooseMenuItem(hjan, IDM_COPIAR);
        bombeia();
        const Area a = area();
        EXPECT_EQ(a.conteudo, c.texto) << c.id;
        EXPECT_TRUE(a.figura && a.pixels == tela()) << c.id;
    }
}

// Every line of a listing, also those scrolled off the window.
TEST_F(AreaDeTransferencia, ALongListingIsCopiedWhole) {
    std::vector<std::vector<float>> quinze(MAXVETORES, {1, 2, 3});
    apoio::guarda(CARTESIANO, GRAUS, quinze);
    comando(IDM_VETORIAL);
    SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 90), 0);
    bombeia();
    tecla('C', wintest::Ctrl);
    const std::string t = area().conteudo;
    size_t linhas = 0;
    for (size_t i = 0; (i = t.find("\r\n", i)) != std::string::npos; i += 2) ++linhas;
    EXPECT_EQ(linhas, size_t(MAXVETORES * (MAXVETORES + 1) / 2));
    EXPECT_EQ(t.rfind("V(0) X V(0) = ", 0), 0u);
    EXPECT_NE(t.find("\r\nV(14) X V(14) = "), std::string::npos);
    EXPECT_EQ(t.find('\n', 0), t.find("\r\n", 0) + 1) << "lines end with CR LF";
}

TEST_F(AreaDeTransferencia, AClipboardHeldElsewhereIsReportedNotIgnored) {
    ASSERT_TRUE(OpenClipboard(nullptr));  // another program holds it
    wintest::MessageBoxLog log;
    tecla('C', wintest::Ctrl);
    CloseClipboard();
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_NE(log.calls()[0].text.find("área de transferência"), std::string::npos);
}

}  // namespace
