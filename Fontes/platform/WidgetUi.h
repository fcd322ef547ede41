#pragma once
// UI services on Qt Widgets: the real message boxes, save dialog, cursor and shell.
#include "UiServices.h"

namespace plataforma {

class WidgetUi final : public UiServices {
public:
    Resposta mensagem(const Caixa &caixa) override;
    ResultadoSalvar salvarArquivo(const DialogoSalvar &dialogo) override;
    void cursorOcupado(bool ocupado) override;
    void processaEventos() override;
    void espera(int milissegundos) override;
    bool abreDocumento(const QString &caminho) override;
    bool abreEndereco(const QString &url) override;
    bool iniciaProcesso(const QString &programa, const QStringList &argumentos) override;

private:
    int m_ocupado = 0;
};

} // namespace plataforma
