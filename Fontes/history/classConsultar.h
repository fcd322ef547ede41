#pragma once
// The query of what the office has published: filters, the request, and the reply read into a
// table of 18 text fields per record. The environment object creates one while the history
// window is open (Consulta_Iniciar / Consulta_Finalizar).
#include "platform/Servicos.h"
#include "portal/classURL.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Rows 0..N-1 are the records, row N stays empty; each row has 18 fields. Fields 0 to 16 are the
// portal's fields at their own positions, field 17 is "Sim" or "Não" (a local copy exists).
using TabelaConsulta = QList<QStringList>;

class classConsultar {
public:
    static constexpr int kCampos = 18;
    // the field positions the window and the retrieval read
    static constexpr int kCampoId = 2;
    static constexpr int kCampoArquivo = 4;
    static constexpr int kCampoTamanho = 5;
    static constexpr int kCampoApagado = 10;
    static constexpr int kCampoLocal = 17;

    explicit classConsultar(plataforma::Servicos &servicos);

    classConsultar(const classConsultar &) = delete;
    classConsultar &operator=(const classConsultar &) = delete;

    // pPathUser ends with the separator; pLastIds is the "*"-joined ids of the last publication.
    void GetPar(const QString &pUrl, qint32 pSession, qint32 pLoginID, const QString &pSistema,
                const QString &pLastIds, const QString &pPathUser);

    // filters; 0 means "all" for the identifiers
    qint32 Empresa() const { return m_empresa; }
    void setEmpresa(qint32 valor) { m_empresa = valor; }
    // Also puts TipoData back to 0.
    qint16 TipoDoc() const { return m_tipoDoc; }
    void setTipoDoc(qint16 valor);
    // Forgets both dates; 2 (due date) is taken only while TipoDoc is 1 (payments).
    qint16 TipoData() const { return m_tipoData; }
    void setTipoData(qint16 valor);
    // Taken, and then sent, only while TipoData is not 0.
    QDate DataInicial() const { return m_dataInicial; }
    void setDataInicial(const QDate &data);
    QDate DataFinal() const { return m_dataFinal; }
    void setDataFinal(const QDate &data);
    bool TemDataInicial() const { return m_temInicial; }
    bool TemDataFinal() const { return m_temFinal; }
    // The list's item data arrives as a floating-point number; throws ErroPrograma (overflow)
    // when it does not fit 32 bits.
    qint32 Usuario() const { return m_usuario; }
    void setUsuario(double valor);
    // 0 to 5; anything else leaves the order as it was.
    qint16 Ordenar() const { return m_ordenar; }
    void setOrdenar(qint16 valor);
    // 0 to 4; anything else becomes 0.
    qint16 Mostrar() const { return m_mostrar; }
    void setMostrar(qint16 valor);

    // Runs the query. vRetorno gets the record count, vSumSize the sum of the sizes in bytes;
    // pEnviados asks for the records of the last publication instead of the filters. False when
    // Erro() holds a message (no records included).
    bool Filtrar(qint16 &vRetorno, qint64 &vSumSize, bool pEnviados);
    // The table of the last query; empty after a failed one.
    const TabelaConsulta &Consulta() const { return m_tabela; }
    // The request address of the current settings (what Filtrar sends).
    QString Endereco(bool pEnviados) const;

    const QString &Erro() const { return m_erro; }
    void Try() { m_erro.clear(); }
    // False with e untouched when there is no message; else e receives it.
    bool Catch(QString &e) const;

    // Not used by the history window; kept with its messages.
    void Validar();
    bool Validado() const { return m_validado; }

private:
    // Reads the reply into m_tabela; throws ErroPrograma on a malformed reply.
    void leResposta(const QString &resposta, qint16 &vRetorno, qint64 &vSumSize);

    plataforma::Servicos &m_servicos;
    classURL m_url;

    QString m_urlBase;
    qint32 m_sessao = 0;
    qint32 m_loginId = 0;
    QString m_sistema;
    QString m_lastIds;
    QString m_pathUser;

    qint32 m_empresa = 0;
    qint16 m_tipoDoc = 0;
    qint16 m_tipoData = 0;
    QDate m_dataInicial;
    QDate m_dataFinal;
    bool m_temInicial = false;
    bool m_temFinal = false;
    qint32 m_usuario = 0;
    qint16 m_ordenar = 0;
    qint16 m_mostrar = 0;

    TabelaConsulta m_tabela;
    QString m_erro;
    bool m_validado = false;
};
