#pragma once
// The publication record: the data one file is published with and the rules that decide whether
// it may be sent. One instance lives in the environment object (its member Enviar) and is loaded
// again for every file; Try resets only the message and the client list.
//
// Validar reads the environment's folder path value and names the dialog control to focus after
// a failure; the record holds references to those two values of its owner rather than the owner.
#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

class classEnviar {
public:
    // pasta and controleValidacao belong to the owner and must outlive the record; hoje gives the
    // first due date (one calendar month later).
    classEnviar(const QString &pasta, QString &controleValidacao, QDate hoje);

    classEnviar(const classEnviar &) = delete;
    classEnviar &operator=(const classEnviar &) = delete;

    void Inicia(QDate dataReferencia) { m_dataReferencia = dataReferencia; }
    QDate DataReferencia() const { return m_dataReferencia; }

    void Try();
    // Throws ErroPrograma (overflow) past 32767 clients: the count is 16-bit.
    void AddCliente(qint32 cliente);
    const QList<qint32> &ListaClientes() const { return m_clientes; }
    QString Empresas() const;

    qint16 TipoArquivo() const { return m_tipoArquivo; }
    void setTipoArquivo(qint16 valor);
    QString Cod_TpDoc() const;
    QString TpArquivoChar(qint16 pTpArquivo = 0) const;

    const QString &Descricao() const { return m_descricao; }
    void setDescricao(const QString &texto);
    // Date texts come back as dd/MM/yyyy or empty; a text that is no date is stored as empty.
    const QString &Ativacao() const { return m_ativacao; }
    void setAtivacao(const QString &texto);
    const QString &Expiracao() const { return m_expiracao; }
    void setExpiracao(const QString &texto);
    const QString &Vencimento() const { return m_vencimento; }
    void setVencimento(const QString &texto);
    double Valor() const { return m_valor; }
    void setValor(double valor) { m_valor = valor; }

    const QString &Parametro1() const { return m_parametros[0]; }
    const QString &Parametro2() const { return m_parametros[1]; }
    const QString &Parametro3() const { return m_parametros[2]; }
    const QString &Parametro4() const { return m_parametros[3]; }
    const QString &Parametro5() const { return m_parametros[4]; }
    void setParametro1(const QString &texto) { m_parametros[0] = texto; }
    void setParametro2(const QString &texto) { m_parametros[1] = texto; }
    void setParametro3(const QString &texto) { m_parametros[2] = texto; }
    void setParametro4(const QString &texto) { m_parametros[3] = texto; }
    void setParametro5(const QString &texto) { m_parametros[4] = texto; }

    const QString &Observacao() const { return m_observacao; }
    void setObservacao(const QString &texto) { m_observacao = texto; }

    // Notice mode: 0 none, 1 requested without a list, 2 everybody, 3 the addresses in pEmails.
    void Avisar(bool pTodos, const std::optional<QString> &pEmails = std::nullopt, bool pReseta = false);
    int ModoAviso() const { return m_modoAviso; }
    const QString &ListaEmails() const { return m_listaEmails; }
    // The mode as one digit, followed by the address list in mode 3.
    QString Emails() const;

    // sNm_Arq is the file name as the user sees it; the outcome is left in Validado, MensagemErro
    // and, for most failures, the owner's ControleValidacao. Never throws.
    void Validar(const QString &sNm_Arq);
    bool Validado() const { return m_validado; }
    const QString &MensagemErro() const { return m_mensagemErro; }
    // False with e untouched when there is no message; else e receives it.
    bool Catch(QString &e) const;

private:
    const QString &m_pasta;
    QString &m_controleValidacao;

    QDate m_dataReferencia;
    qint16 m_tipoArquivo = 0;
    QString m_descricao;
    QString m_ativacao;
    QString m_expiracao;
    QString m_vencimento;
    double m_valor = 0;
    std::array<QString, 5> m_parametros;
    QString m_observacao;
    QList<qint32> m_clientes;
    bool m_validado = false;
    QString m_mensagemErro;
    int m_modoAviso = 0;
    QString m_listaEmails;
};
