// The main window: start-up, the splash hold, scrolling, the simple commands and leaving.
#include <gtest/gtest.h>

#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <string>
#include <vector>

namespace {

using wintest::GdiCall;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        // Once per process; another test program file may have registered it first.
        static ATOM atom = registraclasse(wintest::Instance());
        (void)atom;
        {
            wintest::GdiRecorder rec;
            hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
            firstPaint = rec.calls();
        }
        ASSERT_NE(hjan, nullptr);
    }
    void TearDown() override {
        if (IsWindow(hjan)) DestroyWindow(hjan);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
    }
    // Ends the splash hold as the timer would, and lets the repaint happen.
    void pastSplash() {
        wintest::FireTimer(hjan, ID_ABERTURA);
        wintest::Pump();
    }
    // Number of paints the pending messages cause.
    int paintsAfter() {
        wintest::GdiRecorder rec;
        wintest::Pump();
        int n = 0;
        for (auto &c : rec.calls()) n += c.op == GdiCall::SelectFont;
        return n;
    }
    void scroll(int code, int pos = 0) { SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(code, pos), 0); }
    HWND hjan = nullptr;
    std::vector<GdiCall> firstPaint;
};

TEST_F(MainWindow, OpensWithTitleMenuBarAndReferenceClientArea) {
    char title[64];
    GetWindowTextA(hjan, title, sizeof title);
    EXPECT_STREQ(title, "Álgebra Vetorial");
    EXPECT_EQ(wintest::MenuBarTexts(hjan),
              (std::vector<std::string>{"&Arquivo", "&Vetor", "&Cálculos", "&Info", "&Esquerda", "&Direita", "&Cima",
                                        "&Baixo"}));
    EXPECT_EQ(maxX, 1024);
    EXPECT_EQ(maxY, 768);
    EXPECT_EQ(hInst, wintest::Instance());
    EXPECT_NE(BMP_Orbix, nullptr);
    for (int i = 0; i < MAXVETORES; ++i) EXPECT_NE(caneta[i], nullptr) << i;
    EXPECT_NE(hFonte, nullptr);
}

TEST_F(MainWindow, FirstPaintIsTheSplashHeldByATimerThenTheVectorView) {
    bool splash = false;
    for (auto &c : firstPaint) splash |= c.op == GdiCall::TextOut && c.text == "Carregando o ORBIX...";
    EXPECT_TRUE(splash) << "UpdateWindow paints the splash at once";
    EXPECT_EQ(num, MODO_ABERTURA);
    EXPECT_EQ(inicia, 1);
    UINT elapse = 0;
    ASSERT_TRUE(wintest::TimerActive(hjan, ID_ABERTURA, &elapse));
    EXPECT_GE(elapse, 1000u);
    EXPECT_LE(elapse, 2000u);

    // A repaint during the hold shows the splash again and does not restart the hold.
    InvalidateRect(hjan, nullptr, TRUE);
    wintest::Pump();
    EXPECT_EQ(num, MODO_ABERTURA);

    wintest::GdiRecorder rec;
    pastSplash();
    EXPECT_EQ(inicia, 0);
    EXPECT_EQ(num, MODO_VETORES);
    EXPECT_FALSE(wintest::TimerActive(hjan, ID_ABERTURA));
    int axes = 0;
    for (auto &c : rec.calls()) axes += c.op == GdiCall::MoveTo;
    EXPECT_EQ(axes, 9) << "the vector view draws the nine axes";

    // The splash never returns.
    pastSplash();
    SendMessageA(hjan, WM_SIZE, 0, MAKELPARAM(800, 600));
    wintest::Pump();
    EXPECT_EQ(num, MODO_VETORES);
}

TEST_F(MainWindow, AxesReachTheScreenAtTheirReferencePositions) {
    pastSplash();
    // Along the main y axis (y = 350, x from 50 to 550) and the main z axis (x = 300).
    int dark = 0;
    for (int x = 60; x < 540; x += 20) dark += wintest::ClientPixel(hjan, x, 350) != RGB(255, 255, 255);
    EXPECT_EQ(dark, 24);
    EXPECT_NE(wintest::ClientPixel(hjan, 300, 150), RGB(255, 255, 255));
    EXPECT_EQ(wintest::ClientPixel(hjan, 320, 150), RGB(255, 255, 255));
}

TEST_F(MainWindow, ResizeRepaintsAtTheNewScale) {
    pastSplash();
    wintest::GdiRecorder rec;
    wintest::SetClientSize(hjan, 512, 384);
    wintest::Pump();
    EXPECT_EQ(maxX, 512);
    EXPECT_EQ(maxY, 384);
    auto moves = rec.of(GdiCall::MoveTo);
    ASSERT_EQ(moves.size(), 9u);
    EXPECT_EQ(moves[0].x, 150);
    EXPECT_EQ(moves[0].y, 300);
}

TEST_F(MainWindow, ScrollStepsAreBoundedByTheNumberOfVectors) {
    pastSplash();
    struct Step {
        int code, pos, expected;
    };
    struct Row {
        const char *name;
        int numpt;
        std::vector<Step> steps;
    } rows[] = {
        {"no vectors: down stays at 0", 0, {{SB_LINEDOWN, 0, 0}, {SB_PAGEDOWN, 0, 0}}},
        {"up never below 0", 2, {{SB_LINEUP, 0, 0}, {SB_PAGEUP, 0, 0}}},
        {"pages up to 2 x 2 x 20", 2, {{SB_PAGEDOWN, 0, 16}, {SB_PAGEDOWN, 0, 32}, {SB_PAGEDOWN, 0, 48},
                                        {SB_PAGEDOWN, 0, 64}, {SB_PAGEDOWN, 0, 80}, {SB_PAGEDOWN, 0, 80},
                                        {SB_LINEDOWN, 0, 80}, {SB_LINEUP, 0, 79}, {SB_PAGEUP, 0, 63}}},
        {"the thumb goes past the bound", 1, {{SB_THUMBTRACK, 95, 95}, {SB_LINEDOWN, 0, 20}}},
    };
    for (auto &r : rows) {
        SBPosy = 0;
        numpt = r.numpt;
        for (auto &s : r.steps) {
            scroll(s.code, s.pos);
            EXPECT_EQ(SBPosy, s.expected) << r.name;
            EXPECT_EQ(wintest::ScrollPos(hjan), s.expected) << r.name;
            EXPECT_EQ(paintsAfter(), 1) << r.name;
        }
    }
}

TEST_F(MainWindow, ThumbReleaseAndOtherScrollCodesChangeNothingAndDoNotRepaint) {
    pastSplash();
    numpt = 3;
    scroll(SB_THUMBTRACK, 40);
    wintest::Pump();
    for (int code : {SB_THUMBPOSITION, SB_TOP, SB_BOTTOM, SB_ENDSCROLL, 99}) {
        scroll(code, 7);
        EXPECT_EQ(SBPosy, 40) << code;
        EXPECT_EQ(paintsAfter(), 0) << code;
    }
}

TEST_F(MainWindow, RotationStopsAtItsLimits) {
    pastSplash();
    struct Row {
        const char *name;
        int id;
        double *angle;
        double start, limit;
        int pressesToLimit;
    } rows[] = {
        {"Direita", IDM_DIREITA, &angulox, 1.0471666666666668, 1.3962222222222223, 7},
        {"Esquerda", IDM_ESQUERDA, &angulox, 1.0471666666666668, 0.3926875, 14},
        {"Cima", IDM_CIMA, &anguloz, 0.5235833333333334, 0.3926875, 3},
        {"Baixo", IDM_BAIXO, &anguloz, 0.5235833333333334, 1.745277777777778, 25},
        {"Direita from the lower limit", IDM_DIREITA, &angulox, 0.3926875, 1.3962222222222223, 21},
    };
    for (auto &r : rows) {
        *r.angle = r.start;
        for (int i = 1; i < r.pressesToLimit; ++i) {
            SendMessageA(hjan, WM_COMMAND, r.id, 0);
            EXPECT_NE(*r.angle, r.limit) << r.name << " press " << i;
        }
        SendMessageA(hjan, WM_COMMAND, r.id, 0);
        EXPECT_EQ(*r.angle, r.limit) << r.name;
        SendMessageA(hjan, WM_COMMAND, r.id, 0);
        EXPECT_EQ(*r.angle, r.limit) << r.name << " stays";
        EXPECT_EQ(paintsAfter(), 1) << r.name;
    }
    angulox = 1.0471666666666668;
    anguloz = 0.5235833333333334;
}

TEST_F(MainWindow, ModeAndScaleCommands) {
    pastSplash();
    struct Row {
        const char *name;
        int id;
        int num, mostnum, paints;
    } rows[] = {
        {"draw vectors with none entered", IDM_DESENHARVET, MODO_VETORES, 1, 0},
        {"angles", IDM_ANGULO, MODO_ANGULOS, 1, 1},
        {"scale mode in a list repaints the list", IDM_ESCMEDIA, MODO_ANGULOS, 2, 1},
        {"moduli", IDM_MODULO, MODO_MODULOS, 2, 1},
        {"dot products", IDM_ESCALAR, MODO_ESCALARES, 2, 1},
        {"cross products", IDM_VETORIAL, MODO_VETORIAIS, 2, 1},
        {"listing", IDM_VERVET, MODO_LISTAGEM, 2, 1},
        {"no labels", IDM_NAOMOSTRAR, MODO_LISTAGEM, 0, 1},
        {"region", IDM_DESENHARREG, MODO_REGIAO, 0, 1},
        {"vector labels", IDM_ESCVETORES, MODO_REGIAO, 1, 1},
        {"an id of no item", 115, MODO_REGIAO, 1, 0},
    };
    for (auto &r : rows) {
        SendMessageA(hjan, WM_COMMAND, MAKEWPARAM(r.id, 0), 0);
        EXPECT_EQ(num, r.num) << r.name;
        EXPECT_EQ(mostnum, r.mostnum) << r.name;
        EXPECT_EQ(paintsAfter(), r.paints) << r.name;
    }
    numpt = 1;
    SendMessageA(hjan, WM_COMMAND, IDM_DESENHARVET, 0);
    EXPECT_EQ(num, MODO_VETORES);
}

TEST_F(MainWindow, MouseMessagesRecordThePositionAndAReleaseRepaints) {
    pastSplash();
    SendMessageA(hjan, WM_LBUTTONDOWN, 1, MAKELPARAM(120, 340));
    EXPECT_EQ(pox, 120);
    EXPECT_EQ(poy, 340);
    EXPECT_EQ(paintsAfter(), 0);
    wintest::Click(hjan, 7, 9);
    wintest::Pump();
    EXPECT_EQ(pox, 7);
    EXPECT_EQ(poy, 9);
    SendMessageA(hjan, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(paintsAfter(), 1);
}

TEST_F(MainWindow, SairClosesTheWindowAndQuitsWithZero) {
    pastSplash();
    wintest::ChooseMenuItem(hjan, IDM_SAIR);
    wintest::Pump();
    EXPECT_FALSE(IsWindow(hjan));
    int code = -1;
    EXPECT_TRUE(wintest::TakeQuit(&code));
    EXPECT_EQ(code, 0);
}

}  // namespace
