// The keys of the main window and the clipboard, through the program's own message loop.
#include "apoio/teste.h"
#include "draw/listagem.h"

namespace {

class Teclado : public apoio::JanelaPrincipal {
protected:
    // A key pressed in the window, then the loop run as WinMain runs it.
    void tecla(int vk, unsigned mods = 0) {
        wintest::PressKey(hjan, vk, mods);
        bombeia();
    }
};

// Each arrow does what its command on the menu bar does: a step of 0.05 rad, held at its limit,
// the same angles after every press, and one repaint each time.
TEST_F(Teclado, ArrowsTurnTheViewExactlyAsTheMenuBarDoes) {
    const double X = ANGULOX_INICIAL, Z = ANGULOZ_INICIAL;
    const struct {
        int vk, id;
        std::pair<double, double> primeiro, limite;
    } setas[] = {{VK_LEFT, IDM_ESQUERDA, {X - 0.05, Z}, {GIRO_MIN, Z}},
                 {VK_RIGHT, IDM_DIREITA, {X + 0.05, Z}, {ANGULOX_MAX, Z}},
                 {VK_UP, IDM_CIMA, {X, Z - 0.05}, {X, GIRO_MIN}},
                 {VK_DOWN, IDM_BAIXO, {X, Z + 0.05}, {X, ANGULOZ_MAX}}};
    for (auto &s : setas) {
        std::vector<std::pair<double, double>> angulos[2];
        for (bool teclado : {false, true}) {
            angulox = X, anguloz = Z;
            for (int i = 0; i < 30; ++i) {  // thirty presses reach every limit and stay there
                teclado ? wintest::PressKey(hjan, s.vk) : wintest::ChooseMenuItem(hjan, s.id);
                EXPECT_EQ(pinturas(), 1) << s.vk << " " << teclado << " " << i;
                angulos[teclado].push_back({angulox, anguloz});
            }
        }
        EXPECT_EQ(angulos[1], angulos[0]) << s.vk;
        EXPECT_EQ(std::make_pair(angulos[0].front(), angulos[0].back()), std::make_pair(s.primeiro, s.limite)) << s.vk;
    }
}

// The keys the window defines; with a help dialog open the window keeps its own keys.
TEST_F(Teclado, TheCommandKeys) {
    wintest::OpenDialogDriver abrir;
    abrir.cancel();
    tecla('O');
    EXPECT_EQ(abrir.calls.size(), 0u) << "O alone does nothing";
    tecla('O', wintest::Ctrl);
    EXPECT_EQ(abrir.calls.size(), 1u) << "Ctrl+O opens a work";
    wintest::SaveDialogDriver salvar;
    salvar.cancel();
    tecla('S', wintest::Ctrl);
    ASSERT_EQ(salvar.calls.size(), 1u) << "Ctrl+S saves a work";
    EXPECT_EQ(salvar.calls[0].defExt, "orbix");
    tecla(VK_F1);
    ASSERT_NE(hDlgnmodal, nullptr) << "F1 opens the help";
    const double x = angulox;
    tecla(VK_LEFT);
    EXPECT_NE(angulox, x) << "the main window still has its own keys";
    DestroyWindow(hDlgnmodal);
    bombeia();
}

// What Ctrl+C and Copiar put on the clipboard: the picture on screen, at the resolution the
// screen shows it (also run on screens of ratios 1.5 and 2), and a listing's text.
TEST_F(Teclado, AViewIsCopiedAsThePictureOnScreenAndAListingAsItsTextToo) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}, {-4, 0.5f, 6}});
    wintest::SetClientSize(hjan, 641, 481);  // odd, so a fractional ratio ends inside a device pixel
    for (int id : {IDM_DESENHARREG, IDM_ANGULO, IDM_VERVET, IDM_CALC}) {
        comando(id);
        bombeia();
        if (id == IDM_ANGULO) {  // the menu item, else the key
            wintest::ChooseMenuItem(hjan, IDM_COPIAR);
            bombeia();
        } else {
            tecla('C', wintest::Ctrl);
        }
        EXPECT_EQ(wintest::ClipboardText(), textolistagem(num)) << id;
        int largura = 0, altura = 0;
        ASSERT_TRUE(wintest::ClipboardImage(&largura, &altura)) << id;
        ASSERT_EQ(std::make_pair(largura, altura), wintest::ClientDeviceSize(hjan)) << id;
        int diferentes = 0;
        for (int y = 0; y < altura; ++y)
            for (int x = 0; x < largura; ++x) diferentes += wintest::ClipboardPixel(x, y) != wintest::ClientDevicePixel(hjan, x, y);
        EXPECT_EQ(diferentes, 0) << id << ": the copy is not the picture on screen";
    }
}

TEST_F(Teclado, AClipboardHeldElsewhereIsReportedNotIgnored) {
    ASSERT_TRUE(OpenClipboard(nullptr));  // another program holds it
    wintest::MessageBoxLog log;
    tecla('C', wintest::Ctrl);
    CloseClipboard();
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_NE(log.calls()[0].text.find("área de transferência"), std::string::npos);
}

}  // namespace
