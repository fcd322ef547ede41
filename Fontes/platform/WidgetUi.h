#pragma once
// UI services on Qt Widgets: the real message boxes, save dialog, cursor and shell.
#include "UiServices.h"

#include <QElapsedTimer>
#include <functional>

namespace plataforma {

class WidgetUi final : public UiServices {
public:
    // `relogioMs`: a monotonic clock in milliseconds for cedeVez (tests fix it); the system's by default.
    explicit WidgetUi(std::function<qint64()> relogioMs = {});

    Resposta mensagem(const Caixa &caixa) override;
    ResultadoSalvar salvarArquivo(const DialogoSalvar &dialogo) override;
    void cursorOcupado(bool ocupado) override;
    void processaEventos() override;
    void cedeVez(Vez vez = Vez::Tudo) override;
    void espera(int milissegundos) override;
    bool abreDocumento(const QString &caminho) override;
    bool abreEndereco(const QString &url) override;
    bool iniciaProcesso(const QString &programa, const QStringList &argumentos) override;

private:
    qint64 agoraMs() const { return m_relogioMs ? m_relogioMs() : m_desdeInicio.elapsed(); }

    int m_ocupado = 0;
    std::function<qint64()> m_relogioMs;
    QElapsedTimer m_desdeInicio;
    qint64 m_ultimaVezMs = 0;
};

} // namespace plataforma
