// The main window: start-up, the splash hold, scrolling and the simple commands. The mouse is the
// calculator's (tests/calc), leaving with "Sair" fechar_test's.
#include "apoio/teste.h"
#include "draw/listagem.h"

#include <tuple>

namespace {

using wintest::GdiCall;

class MainWindow : public apoio::JanelaPrincipal {};

class Startup : public apoio::JanelaPrincipal {
protected:
    Startup() { passaabertura = false; }
};

TEST_F(Startup, OpensWithTitleMenuResourcesAndTheSplashHeldByATimer) {
    apoio::fechajanela(hjan);
    {
        wintest::GdiRecorder rec;
        hjan = apoio::abrejanela(false);
        EXPECT_EQ(apoio::textos(rec.calls()), std::vector<std::string>{"Carregando o ORBIX..."}) << "UpdateWindow paints the splash";
    }
    EXPECT_EQ(wintest::WindowText(hjan), "Álgebra Vetorial");
    EXPECT_EQ(wintest::MenuBarTexts(hjan),
              (std::vector<std::string>{"&Arquivo", "&Vetor", "&Cálculos", "&Info", "&Esquerda", "&Direita", "&Cima", "&Baixo"}));
    EXPECT_EQ(std::make_tuple(maxX, maxY, hInst), std::make_tuple(1024, 768, wintest::Instance()));
    UINT elapse = 0;
    ASSERT_TRUE(wintest::TimerActive(hjan, ID_ABERTURA, &elapse));
    EXPECT_TRUE(elapse >= 1000 && elapse <= 2000) << elapse;
    InvalidateRect(hjan, nullptr, TRUE);  // a repaint during the hold shows the splash again
    EXPECT_EQ(apoio::textos(pinta()), std::vector<std::string>{"Carregando o ORBIX..."});
    EXPECT_EQ(std::make_pair(num, inicia), std::make_pair(int(MODO_ABERTURA), 1));

    wintest::FireTimer(hjan, ID_ABERTURA);
    EXPECT_EQ(apoio::conta(pinta(), GdiCall::MoveTo), 9) << "the vector view: nine axes";
    EXPECT_EQ(std::make_pair(num, inicia), std::make_pair(int(MODO_VETORES), 0));
    EXPECT_FALSE(wintest::TimerActive(hjan, ID_ABERTURA));
    wintest::FireTimer(hjan, ID_ABERTURA);  // the splash never returns
    InvalidateRect(hjan, nullptr, TRUE);
    EXPECT_EQ(apoio::conta(pinta(), GdiCall::MoveTo), 9);
}

TEST_F(Startup, AViewChosenDuringTheHoldStays) {
    for (int id : {IDM_ANGULO, IDM_CALC, IDM_DESENHARREG}) {
        num = MODO_ABERTURA, inicia = 1;
        comando(id);
        const int escolhido = num;
        ASSERT_NE(escolhido, MODO_ABERTURA) << id;
        pinta();
        wintest::FireTimer(hjan, ID_ABERTURA);
        EXPECT_EQ(std::make_pair(num, inicia), std::make_pair(escolhido, 0)) << id;
        EXPECT_EQ(pinturas(), 0) << id << ": nothing new to show";
    }
}

// What the program registers and makes at start-up, and frees when its window goes.
TEST_F(MainWindow, TheClassPensFontAndPictureAreTheProgramsAndAreFreedAtTheEnd) {
    WNDCLASSA wc;
    ASSERT_TRUE(wintest::ClassOf("Orbix", &wc));
    EXPECT_EQ(std::make_tuple(wc.style, wc.lpfnWndProc, wc.cbClsExtra, wc.cbWndExtra, wc.hInstance, wc.hCursor, wc.hbrBackground),
              std::make_tuple(UINT(CS_HREDRAW | CS_VREDRAW), &ProcJan, 0, 0, wintest::Instance(), LoadCursorA(nullptr, IDC_CROSS),
                              (HBRUSH)GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(std::string(wc.lpszMenuName) + "/" + wc.lpszClassName, "Orbix/Orbix");
    using wintest::GdiObjectInfo;
    const auto icone = wintest::Describe(wc.hIcon), f = wintest::Describe(hFonte), b = wintest::Describe(BMP_Orbix);
    EXPECT_EQ(std::make_tuple(icone.kind, icone.width, icone.height), std::make_tuple(GdiObjectInfo::Bitmap, 32, 32));
    EXPECT_EQ(std::make_tuple(f.kind, f.height, f.weight, f.face),
              std::make_tuple(GdiObjectInfo::Font, 12, 400, std::string("Times New Roman")));
    EXPECT_EQ(std::make_tuple(b.kind, b.width, b.height), std::make_tuple(GdiObjectInfo::Bitmap, 549, 422));
    for (int k = 0; k < MAXVETORES; ++k) {  // in the colours of the start state
        const auto p = wintest::Describe(caneta[k]);
        EXPECT_EQ(std::make_tuple(p.kind, p.width, p.color), std::make_tuple(GdiObjectInfo::Pen, 2, Cor[k])) << k;
    }
    std::vector<HGDIOBJ> feitos(caneta, caneta + MAXVETORES);
    feitos.insert(feitos.end(), {hFonte, BMP_Orbix});
    DestroyWindow(hjan);
    for (size_t i = 0; i < feitos.size(); ++i) EXPECT_EQ(wintest::Describe(feitos[i]).kind, GdiObjectInfo::None) << i << " was not freed";
}

// The window opens at the reference client size where the screen has room for it, inside the
// screen's free area; where it has not, at the size the system gave it.
TEST(Abertura, TheWindowOpensAtTheReferenceSizeWhereTheScreenHasRoom) {
    // clang-format off
    const struct { const char *nome; int x, y, w, h; bool cabe; } telas[] = {
        {"a large screen", 0, 0, 1920, 1080, true}, {"room below a panel and beside a dock", 200, 150, 1300, 900, true},
        {"too low", 0, 300, 1400, 760, false},      {"too narrow", 0, 0, 900, 1080, false},
        {"too low below a panel", 0, 500, 1400, 800, false}, {"too narrow beside a dock", 300, 0, 900, 1080, false},
    };
    // clang-format on
    for (auto &t : telas) {
        wintest::SetScreenArea(t.x, t.y, t.w, t.h);
        HWND h = apoio::abrejanela(false);
        ASSERT_NE(h, nullptr);
        if (t.cabe) {
            EXPECT_EQ(std::make_pair(maxX, maxY), std::make_pair(1024, 768)) << t.nome;
            RECT r;
            GetWindowRect(h, &r);
            EXPECT_TRUE(r.left >= t.x && r.top >= t.y && r.right <= t.x + t.w && r.bottom <= t.y + t.h)
                << t.nome << ": " << r.left << "," << r.top << " to " << r.right << "," << r.bottom;
        } else {
            EXPECT_TRUE(maxX < 1024 && maxY < 768 && maxX > 0 && maxY > 0) << t.nome << ": " << maxX << " x " << maxY;
        }
        apoio::fechajanela(h);
    }
    wintest::SetScreenArea(0, 0, 4096, 4096);
}

// The range ends where the listing's last line reaches the top: four pair lines of two vectors,
// 16 pixels apart, are 48 pixels, five steps of 10; 225 lines of fifteen, 359 steps.
TEST_F(MainWindow, ScrollStepsEndAtTheListingsLastLineAndTheThumbIsNotBounded) {
    num = MODO_ESCALARES;
    // clang-format off
    struct Row { int numpt, code, pos, expected; } rows[] = {
        {0, SB_LINEDOWN, 0, 0},   {0, SB_PAGEDOWN, 0, 0}, {2, SB_LINEUP, 0, 0},       {2, SB_PAGEUP, 0, 0},
        {2, SB_LINEDOWN, 0, 1},   {2, SB_PAGEDOWN, 0, 5}, {2, SB_LINEDOWN, 0, 5},     {2, SB_LINEUP, 0, 4},
        {2, SB_TOP, 0, 0},        {2, SB_BOTTOM, 0, 5},   {15, SB_BOTTOM, 0, 359},    {15, SB_PAGEUP, 0, 343},
        {1, SB_THUMBTRACK, 95, 95}, {1, SB_LINEDOWN, 0, 0}, {1, SB_THUMBTRACK, 20, 20},
    };
    // clang-format on
    for (auto &r : rows) {
        numpt = r.numpt;
        SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(r.code, r.pos), 0);
        EXPECT_EQ(SBPosy, r.expected) << r.numpt << " " << r.code;
        EXPECT_EQ(wintest::ScrollPos(hjan), std::min(r.expected, fimrolagem(num))) << r.numpt << " " << r.code;
        EXPECT_EQ(pinturas(), 1) << r.numpt << " " << r.code;
    }
    for (int code : {4, 8, 99}) {  // thumb position, end scroll, none
        SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(code, 7), 0);
        EXPECT_EQ(SBPosy, 20) << code;
        EXPECT_EQ(pinturas(), 0) << code;
    }
}

TEST_F(MainWindow, ModeAndScaleCommands) {
    // clang-format off
    struct Row { int id, num, mostnum, paints; } rows[] = {
        {IDM_DESENHARVET, MODO_VETORES, 1, 0},  // no vectors: nothing happens
        {IDM_ANGULO, MODO_ANGULOS, 1, 1},      {IDM_ESCMEDIA, MODO_ANGULOS, 2, 1},    {IDM_MODULO, MODO_MODULOS, 2, 1},
        {IDM_ESCALAR, MODO_ESCALARES, 2, 1},   {IDM_VETORIAL, MODO_VETORIAIS, 2, 1},  {IDM_VERVET, MODO_LISTAGEM, 2, 1},
        {IDM_NAOMOSTRAR, MODO_LISTAGEM, 0, 1}, {IDM_DESENHARREG, MODO_REGIAO, 0, 1},  {IDM_ESCVETORES, MODO_REGIAO, 1, 1},
        {115, MODO_REGIAO, 1, 0},
    };
    // clang-format on
    for (auto &r : rows) {
        comando(r.id);
        EXPECT_EQ(std::make_pair(num, mostnum), std::make_pair(r.num, r.mostnum)) << r.id;
        EXPECT_EQ(pinturas(), r.paints) << r.id;
    }
    numpt = 1;
    comando(IDM_DESENHARVET);
    EXPECT_EQ(num, MODO_VETORES);
}

}  // namespace
