// Saving and closing as desktop programs do: Ctrl+S to the work's own file, the title that names
// it and marks changes, and the question before changes not saved are left.
#include "apoio/teste.h"
#include "apoio/pasta.h"
#include "state/historico.h"
#include "trabalho/trabalho.h"

namespace {

const char TITULO[] = "Álgebra Vetorial";

class Fechar : public apoio::JanelaPrincipal {
protected:
    void SetUp() override {
        apoio::JanelaPrincipal::SetUp();
        arquivo = (pasta / "aula.orbix").string();
        outro = (pasta / "outra.orbix").string();
        apoio::escreve(outro, apoio::le(ORBIX_DADOS "/trabalhos/um-vetor.orbix"));
    }
    void umvetor() {
        numpt = 1;
        vetores[0][0] = 4;
    }
    std::string titulo() { return wintest::WindowText(hjan); }
    // A command that must ask for a file once, answered with caminho.
    void salvaem(int id, const std::string &caminho) {
        wintest::SaveDialogDriver salvar;
        salvar.answer(caminho);
        comando(id);
        EXPECT_EQ(salvar.calls.size(), 1u) << id;
    }
    apoio::Pasta pasta;
    std::string arquivo, outro;
};

TEST_F(Fechar, TheTitleNamesTheWorkFileAndMarksChanges) {
    EXPECT_EQ(titulo(), TITULO);
    umvetor();
    comando(IDM_NAOMOSTRAR);
    EXPECT_EQ(titulo(), TITULO);       // no file yet: nothing to name
    salvaem(IDM_SALVARTRAB, arquivo);  // without a file, Ctrl+S asks for one
    EXPECT_EQ(titulo(), std::string("aula.orbix - ") + TITULO);
    comando(IDM_ESCMEDIA);
    EXPECT_EQ(titulo(), std::string("*aula.orbix - ") + TITULO);
    comando(IDM_DESFAZER);  // back to what is saved
    EXPECT_EQ(titulo(), std::string("aula.orbix - ") + TITULO);
    comando(IDM_REFAZER);
    comando(IDM_SALVARTRAB);  // with a file: saved there, no dialog (none is driven)
    EXPECT_EQ(titulo(), std::string("aula.orbix - ") + TITULO);
    EXPECT_NE(apoio::le(arquivo).find("escala media"), std::string::npos);
    salvaem(IDM_SALVARCOMO, outro + ".novo");  // always asks
    EXPECT_EQ(titulo(), std::string("outra.orbix.novo - ") + TITULO);
}

TEST_F(Fechar, LeavingChangesNotSavedAsksFirst) {
    // clang-format off
    const struct { const char *nome; int resposta; bool salvar, cancelasalvar, fica; } linhas[] = {
        {"yes saves under the name asked for, then leaves", IDYES, true, false, false},
        {"yes with the save dialog cancelled stays", IDYES, true, true, true},
        {"no leaves without saving", IDNO, false, false, false}, {"cancel stays", IDCANCEL, false, false, true},
    };
    // clang-format on
    for (int porabrir = 0; porabrir < 3; ++porabrir) {  // closing, opening another work, the session ending
        for (const auto &l : linhas) {
            SCOPED_TRACE(std::string(l.nome) + " " + std::to_string(porabrir));
            TearDown(), SetUp();
            std::filesystem::remove(arquivo);
            umvetor();
            wintest::MessageBoxLog caixas(l.resposta);
            wintest::SaveDialogDriver salvar;
            if (l.salvar && l.cancelasalvar)
                salvar.cancel();
            else if (l.salvar)
                salvar.answer(arquivo);
            wintest::OpenDialogDriver abrir;
            if (porabrir == 1 && !l.fica) abrir.answer(outro);
            if (porabrir == 2) EXPECT_EQ(wintest::EndSession(), !l.fica);
            if (porabrir < 2) comando(porabrir ? IDM_ABRIRTRAB : IDM_SAIR);
            EXPECT_EQ(caixas.texts(), std::vector<std::string>{"Salvar as alterações do trabalho?"});
            ASSERT_EQ(caixas.calls().size(), 1u);
            EXPECT_EQ(caixas.calls()[0].type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
            EXPECT_EQ(std::filesystem::exists(arquivo), l.salvar && !l.cancelasalvar);
            if (porabrir == 1)
                EXPECT_EQ(numpt == 1 && vetores[0][0] == 1, !l.fica);  // the other work, or this one
            else if (porabrir == 0)
                EXPECT_EQ(wintest::IsLive(hjan), l.fica);
        }
    }
}

TEST_F(Fechar, NothingIsAskedWithNothingTypedOrAllSaved) {
    comando(IDM_DIREITA);  // a turned view alone is nothing to lose
    wintest::ChooseMenuItem(hjan, IDM_SAIR);
    wintest::Pump();
    int code = -1;
    EXPECT_TRUE(!wintest::IsLive(hjan) && wintest::TakeQuit(&code) && code == 0) << "closed, quitting with 0";
    TearDown(), SetUp();
    umvetor();
    salvaem(IDM_SALVARTRAB, arquivo);
    wintest::OpenDialogDriver abrir;
    abrir.answer(outro);
    comando(IDM_ABRIRTRAB);  // saved: opened without a question (no message box is driven)
    EXPECT_EQ(titulo(), std::string("outra.orbix - ") + TITULO);
    SendMessageA(hjan, WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(wintest::IsLive(hjan));
}

// A path as long as Linux takes (4,095 bytes) saves and opens; one longer is said so, never taken
// for a cancel.
TEST_F(Fechar, APathAsLongAsTheSystemTakesIsUsedAndALongerOneIsReported) {
    std::string pasta = this->pasta.caminho().string();
    while (pasta.size() < 3800) pasta += "/" + std::string(200, 'p');
    std::filesystem::create_directories(pasta);
    const std::string longo = pasta + "/" + std::string(4095 - pasta.size() - 7, 'n') + ".orbix";
    ASSERT_EQ(longo.size(), 4095u);
    umvetor();
    {
        wintest::SaveDialogDriver salvar;
        salvar.answer(longo).answer(longo.substr(0, longo.size() - 1) + "y");  // the report beside it
        comando(IDM_SALVARCOMO);
        comando(IDM_SALVAR);
    }
    EXPECT_TRUE(std::filesystem::exists(longo));
    EXPECT_EQ(std::string(fntrabalho), longo);
    for (int id : {IDM_SALVARCOMO, IDM_SALVAR}) {
        wintest::MessageBoxLog caixas;
        wintest::SaveDialogDriver salvar;
        salvar.answer(longo + "x");
        comando(id);
        EXPECT_EQ(caixas.texts(), std::vector<std::string>{"O caminho escolhido é longo demais: o programa aceita até 4095 caracteres."})
            << id;
    }
    EXPECT_EQ(std::string(fntrabalho), longo);
}

}  // namespace
