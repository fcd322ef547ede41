#pragma once
// The environment object: one per run, created by the main window's load and released by its
// unload. It holds the current document and its flags, the portal session and status values
// (EstadoSessao) and the text of the last failure. Operations return a success flag and leave a
// Portuguese message in Erro(); they never show anything themselves.
#include "platform/Servicos.h"
#include "history/classConsultar.h"
#include "portal/EstadoSessao.h"
#include "publication/classEnviar.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class ServicosPortal;
class classFtp;
namespace transferencia {
class FilaEnvio;
}

class classAmbiente : public EstadoSessao {
public:
    explicit classAmbiente(plataforma::Servicos &servicos);
    // Deletes the current document file: the "PROC" copy after a capture, else the delivered
    // file; never a file the program neither received nor captured.
    ~classAmbiente();

    classAmbiente(const classAmbiente &) = delete;
    classAmbiente &operator=(const classAmbiente &) = delete;

    plataforma::Servicos &servicos() const { return m_servicos; }
    plataforma::FileService &FSO() const { return m_servicos.fso; }

    // public variables of the publication dialog
    QString ControleValidacao;
    QString pasta;
    QString UsuariosId;
    QString Email;
    // the publication record; its Validar reads pasta and writes ControleValidacao
    classEnviar Enviar;
    // the history query; exists only between Consulta_Iniciar and Consulta_Finalizar
    std::unique_ptr<classConsultar> Consultar;
    // "*"-joined record ids of the last successful registration; the history query lists them
    QString LastIds;

    const QString &Sistema() const { return m_sistema; }
    const QString &PathUser() const { return m_pathUser; }
    bool Monitor() const { return m_monitor; }
    const QString &Erro() const { return m_erro; }

    // Accepts the document named by pArquivo; false leaves the reason in Erro().
    bool Inicia(bool pMonitor, const QString &pArquivo, const std::optional<QString> &vTipo = std::nullopt);
    // A run without a document (the history or the queue opened from the desktop): the version is
    // written and the stored session restored as at start-up, and a login captures nothing.
    void IniciaSemDocumento();
    bool SemDocumento() const { return m_semDocumento; }

    // the current document
    const QString &arquivo() const { return m_arquivo; }
    void setArquivo(const QString &caminho) { m_arquivo = caminho; }
    // Decimal text of the size in bytes (64-bit); throws ErroPrograma when the file is gone.
    QString ArquivoTamanho() const;
    const QString &Tipo() const { return m_tipo; }
    void setTipo(const QString &nomeOuCaminho);
    QString TipoDesc() const;
    const QString &Titulo() const { return m_titulo; }
    // Stores the trimmed title ("Digite um Título" counts as none) and hands it back.
    QString setTitulo(const QString &texto);

    bool SalvarPDF(const QString &pDestino, bool pSusbistituir);
    bool Salvo() const { return m_salvo; }
    bool Enviado() const { return m_enviado; }
    // For the queue's sender: each queued document is a publication of its own and starts unsent;
    // the run's own flag is put back afterwards.
    void setEnviado(bool valor) { m_enviado = valor; }
    // Publishes the current document through the transfer window's vFtp: upload, registration,
    // backups and notices. Enviado, Erro() and LastIds tell how it went.
    void Envia(classFtp &vFtp);
    bool Enfileirado() const { return m_enfileirado; }
    // send queue: copies each file of the file list into "queqe/files" with one index line for
    // the validated record; false leaves the message in Erro() and Enfileirado false
    bool Enfileirar();
    // the queue's index as rows of eleven fields (field 0: the client's name) plus an empty row;
    // a queue that cannot be read sets pErro and Erro()
    QList<QStringList> CarregaFila(bool &pErro);
    // the send queue of this program folder, for whoever sends it
    transferencia::FilaEnvio Fila();

    // Empty identifier: capture into "PROC"; otherwise a backup into "Back" named by it.
    bool Captura(const QString &identificador);

    // file list of the send queue
    void LimpaListaArquivos();
    void AddListaArquivos(const QString &caminho);
    const QStringList &ListaArquivos() const { return m_listaArquivos; }

    // portal session (implemented with the portal client)
    bool Autentica(const QString &pDominio, const QString &pLogin, const QString &pSenha, int vTLogin);
    bool Logado();
    void LogOff();
    // portal directory: pCarteiras picks the wallet form; pAtualiza is set to true
    bool Sincroniza(bool &pAtualiza, bool pCarteiras, const QString &pUsuario = QString());
    QList<portal::LinhaTabela> Carteiras() const;
    QList<portal::LinhaTabela> Clientes(qint64 vCarteira) const;   // > 0: one wallet, else all
    QList<portal::LinhaTabela> Usuarios() const;
    // portal status services
    bool Internet();
    bool AtualizaEspaco();
    bool Dica();
    QString LogoEscritorio(const QString &pCaminho, bool pAtualiza);
    QString URLBase() const;
    QString URLBaseSite() const;
    // history: the query object for the history window, and one published file downloaded into
    // "Back" under its record id (false leaves the message in Erro())
    void Consulta_Iniciar();
    void Consulta_Finalizar();
    bool BArquivo(const QString &pId_Arq, const QString &pTam_arq);

protected:
    void setErro(const QString &texto) { m_erro = texto; }
    void marcaEnviado() { m_enviado = true; }
    void marcaEnfileirado() { m_enfileirado = true; }

private:
    bool ValidaArquivo(QString &caminho);
    void RegistraVersao();
    // Restores the stored session at start-up; false when none could be restored.
    bool RestauraSessao();

    plataforma::Servicos &m_servicos;
    std::shared_ptr<ServicosPortal> m_portal;
    QString m_sistema;
    QString m_pathUser;
    QString m_arquivo;
    QString m_arquivoRecebido;   // the delivered file, as Inicia accepted it
    QString m_arquivoCapturado;  // the copy in "PROC", once captured
    QString m_tipo;
    QString m_titulo;
    QString m_erro;
    QStringList m_listaArquivos;
    bool m_monitor = false;
    bool m_semDocumento = false;
    bool m_salvo = false;
    bool m_enviado = false;
    bool m_enfileirado = false;
};
