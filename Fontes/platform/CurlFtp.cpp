#include "CurlFtp.h"

#include <QList>
#include <QSaveFile>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace plataforma {

namespace {

using Relogio = std::chrono::steady_clock;

// Longest the caller waits for a step before it gets a turn again.
constexpr int kEsperaMaximaMs = 8;

// Marks the client busy while a step drives the network, so that a step asked for from inside
// the caller's turn (a listener, a click) is refused instead of tearing the session down.
class Conduzindo {
public:
    explicit Conduzindo(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Conduzindo() { m_flag = false; }
    Conduzindo(const Conduzindo &) = delete;
    Conduzindo &operator=(const Conduzindo &) = delete;

private:
    bool &m_flag;
};

bool temControle(const QString &texto)
{
    return std::any_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// Host text for the URL: IPv6 literals in brackets, names in their ASCII form. Empty when the text
// could not be a host at all (it would change the meaning of the URL).
QByteArray hostDaUrl(const QString &host)
{
    if (host.contains(QLatin1Char(':'))) {
        for (const QChar c : host)
            if (!c.isDigit() && !(c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                && !(c >= QLatin1Char('A') && c <= QLatin1Char('F')) && c != QLatin1Char(':') && c != QLatin1Char('.'))
                return {};
        return '[' + host.toLatin1() + ']';
    }
    const QByteArray ace = QUrl::toAce(host);
    if (ace.isEmpty())
        return {};
    for (const char c : ace)
        if (!(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9') && c != '.' && c != '-' && c != '_')
            return {};
    return ace;
}

} // namespace

// One session: the handles, the step being driven and what the callbacks saw.
struct CurlFtp::Sessao {
    CURLM *multi = nullptr;
    CURL *easy = nullptr;
    curl_slist *comandos = nullptr;
    QByteArray base;   // "ftp://host:port/"
    bool conectada = false;
    bool ativo = false;   // the easy handle is in the multi handle

    // the step's outcome
    bool terminou = false;
    CURLcode resultado = CURLE_OK;

    // upload: bytes not yet taken by libcurl; libcurl asked for more and was paused
    bool enviando = false;
    QByteArrayView pendente;   // the caller's bytes, alive while escreve() drives the step
    qsizetype tomados = 0;
    bool pedindo = false;
    bool fim = false;

    QSaveFile *destino = nullptr;

    // the step's complete replies, and the one being read
    QList<QByteArray> respostas;
    QByteArray lendo;

    Relogio::time_point atividade = Relogio::now();
    curl_off_t vistos = 0;

    ~Sessao()
    {
        if (easy && multi && ativo)
            curl_multi_remove_handle(multi, easy);
        if (easy)
            curl_easy_cleanup(easy);
        // closes the cached connection (QUIT when it is still sound)
        if (multi)
            curl_multi_cleanup(multi);
        curl_slist_free_all(comandos);
    }

    static size_t leitura(char *buffer, size_t tamanho, size_t quantidade, void *usuario)
    {
        auto *s = static_cast<Sessao *>(usuario);
        const qsizetype resta = s->pendente.size() - s->tomados;
        if (resta > 0) {
            const qsizetype n = std::min<qsizetype>(resta, static_cast<qsizetype>(tamanho * quantidade));
            std::copy_n(s->pendente.constData() + s->tomados, n, buffer);
            s->tomados += n;
            s->atividade = Relogio::now();
            return static_cast<size_t>(n);
        }
        if (s->fim)
            return 0;
        s->pedindo = true;
        return CURL_READFUNC_PAUSE;
    }

    static size_t gravacao(char *dados, size_t tamanho, size_t quantidade, void *usuario)
    {
        auto *s = static_cast<Sessao *>(usuario);
        const size_t total = tamanho * quantidade;
        s->atividade = Relogio::now();
        if (!s->destino || s->destino->write(dados, static_cast<qint64>(total)) != static_cast<qint64>(total))
            return 0;   // CURLE_WRITE_ERROR
        return total;
    }

    // FTP replies arrive here line by line; a reply ends at "nnn " (multi-line ones start "nnn-").
    static size_t linha(char *dados, size_t tamanho, size_t quantidade, void *usuario)
    {
        auto *s = static_cast<Sessao *>(usuario);
        const size_t total = tamanho * quantidade;
        s->atividade = Relogio::now();
        const QByteArray l = QByteArray(dados, static_cast<qsizetype>(total)).trimmed();
        const bool comCodigo = l.size() >= 3 && std::all_of(l.cbegin(), l.cbegin() + 3, [](char c) { return c >= '0' && c <= '9'; });
        const bool ultima = comCodigo && (l.size() == 3 || l.at(3) == ' ');
        if (s->lendo.isEmpty()) {
            if (ultima)
                s->respostas << l;
            else if (comCodigo && l.at(3) == '-')
                s->lendo = l;
            // anything else is not a reply line (libcurl passes a few made-up headers too)
        } else {
            s->lendo += ' ' + l;
            if (ultima && l.left(3) == s->lendo.left(3)) {
                s->respostas << s->lendo;
                s->lendo.clear();
            }
        }
        return total;
    }

    static int progresso(void *usuario, curl_off_t, curl_off_t recebidos, curl_off_t, curl_off_t enviados)
    {
        auto *s = static_cast<Sessao *>(usuario);
        if (recebidos + enviados != s->vistos) {
            s->vistos = recebidos + enviados;
            s->atividade = Relogio::now();
        }
        return 0;
    }

    // Options every step sets afresh, so nothing of the previous step leaks into the next.
    void preparaPasso(const QByteArray &url)
    {
        // an upload left open is dropped: options cannot change under a running transfer
        if (ativo)
            encerra(CURLE_ABORTED_BY_CALLBACK);
        curl_easy_setopt(easy, CURLOPT_URL, url.constData());
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(easy, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(easy, CURLOPT_QUOTE, nullptr);
        curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
        curl_slist_free_all(comandos);
        comandos = nullptr;
        terminou = false;
        resultado = CURLE_OK;
        respostas.clear();
        lendo.clear();
        vistos = 0;
    }

    // The step's loop, on the step's own thread (CurlFtp::conduz).
    void conduz(const TemposFtp &tempos, const std::function<bool()> &basta)
    {
        atividade = Relogio::now();
        const auto parado = std::chrono::milliseconds(tempos.paradoMs);
        for (;;) {
            int correndo = 0;
            if (curl_multi_perform(multi, &correndo) != CURLM_OK) {
                encerra(CURLE_FAILED_INIT);
                return;
            }
            int restam = 0;
            while (CURLMsg *m = curl_multi_info_read(multi, &restam)) {
                if (m->msg == CURLMSG_DONE && m->easy_handle == easy) {
                    encerra(m->data.result);
                    return;
                }
            }
            if (basta && basta())
                return;
            const auto decorrido = Relogio::now() - atividade;
            if (decorrido >= parado) {
                encerra(CURLE_OPERATION_TIMEDOUT);
                return;
            }
            const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(parado - decorrido).count();
            const int espera = static_cast<int>(std::clamp<long long>(resta, 1, 200));
            if (curl_multi_poll(multi, nullptr, 0, espera, nullptr) != CURLM_OK) {
                encerra(CURLE_FAILED_INIT);
                return;
            }
        }
    }

    void encerra(CURLcode codigo)
    {
        if (ativo)
            curl_multi_remove_handle(multi, easy);
        ativo = false;
        terminou = true;
        resultado = codigo;
        enviando = false;
    }

    long codigoResposta() const
    {
        long codigo = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &codigo);
        return codigo;
    }

    // Continues a paused upload.
    void retoma()
    {
        if (pedindo) {
            pedindo = false;
            curl_easy_pause(easy, CURLPAUSE_CONT);
        }
    }
};

CurlFtp::CurlFtp(TemposFtp tempos) : m_tempos(tempos)
{
    m_iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

CurlFtp::~CurlFtp()
{
    m_sessao.reset();
    if (m_iniciado)
        curl_global_cleanup();
}

QString CurlFtp::descricao(int codigo)
{
    switch (codigo) {
    case CURLE_OK:
        return QStringLiteral("Operação concluída");
    case CURLE_FAILED_INIT:
        return QStringLiteral("Não foi possível iniciar a sessão FTP");
    case CURLE_URL_MALFORMAT:
        return QStringLiteral("Endereço ou nome de arquivo inválido");
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("Servidor não encontrado");
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Não foi possível conectar ao servidor");
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASS_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
        return QStringLiteral("Resposta inesperada do servidor");
    case CURLE_REMOTE_ACCESS_DENIED:
        return QStringLiteral("Acesso negado pelo servidor");
    case CURLE_FTP_CANT_GET_HOST:
        return QStringLiteral("Não foi possível abrir a conexão de dados (modo passivo)");
    case CURLE_FTP_COULDNT_SET_TYPE:
        return QStringLiteral("Não foi possível passar ao modo binário");
    case CURLE_PARTIAL_FILE:
        return QStringLiteral("Transferência incompleta");
    case CURLE_FTP_COULDNT_RETR_FILE:
        return QStringLiteral("Não foi possível baixar o arquivo");
    case CURLE_QUOTE_ERROR:
        return QStringLiteral("Comando recusado pelo servidor");
    case CURLE_WRITE_ERROR:
        return QStringLiteral("Não foi possível gravar o arquivo local");
    case CURLE_UPLOAD_FAILED:
        return QStringLiteral("Envio recusado pelo servidor");
    case CURLE_READ_ERROR:
        return QStringLiteral("Erro de leitura dos dados a enviar");
    case CURLE_OUT_OF_MEMORY:
        return QStringLiteral("Memória insuficiente");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("Tempo de espera esgotado");
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("Operação interrompida");
    case CURLE_GOT_NOTHING:
        return QStringLiteral("O servidor não respondeu");
    case CURLE_SEND_ERROR:
        return QStringLiteral("Falha ao enviar dados ao servidor");
    case CURLE_RECV_ERROR:
        return QStringLiteral("Falha ao receber dados do servidor");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("Usuário ou senha recusados pelo servidor");
    case CURLE_REMOTE_DISK_FULL:
        return QStringLiteral("Espaço insuficiente no servidor");
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return QStringLiteral("Arquivo não encontrado no servidor");
    default:
        return QStringLiteral("Falha de comunicação com o servidor");
    }
}

bool CurlFtp::falha(int codigo, const QString &mensagem)
{
    m_falha = {codigo, mensagem.isEmpty() ? descricao(codigo) : mensagem};
    return false;
}

// The server's own reply when it refused the step, else the library's text.
bool CurlFtp::falhaDoPasso(int codigo)
{
    if (m_sessao->codigoResposta() >= 400 && !m_sessao->respostas.isEmpty())
        return falha(codigo, QString::fromUtf8(m_sessao->respostas.last()));
    return falha(codigo);
}

// A step asked for while another one drives the network (from inside the caller's turn).
bool CurlFtp::ocupado()
{
    if (!m_conduzindo)
        return false;
    falha(CURLE_FAILED_INIT, QStringLiteral("Outra operação FTP em andamento"));
    return true;
}

// Runs `trabalho` on a thread of its own while this one gives the caller its turns (cedeVez) at
// least every few milliseconds. libcurl waits inside some of its own calls (the server's word
// after a transfer, the goodbye when the connection closes), so driving it here with short waits
// would not be enough to keep the window live.
void CurlFtp::emSegundoPlano(const std::function<void()> &trabalho)
{
    const Conduzindo conduzindo(m_conduzindo);
    std::mutex trava;
    std::condition_variable aviso;
    bool pronto = false;
    std::thread fio;
    try {
        fio = std::thread([&] {
            trabalho();
            const std::lock_guard<std::mutex> fim(trava);
            pronto = true;
            aviso.notify_one();   // under the lock: `aviso` lives on the waiting side's stack
        });
    } catch (const std::system_error &) {
        trabalho();   // no thread to be had: the step still runs, only the window waits
        return;
    }
    // a fault raised during the caller's turn waits for the step to end: the thread is joined first
    std::exception_ptr falhaNaVez;
    std::unique_lock<std::mutex> espera(trava);
    for (;;) {
        espera.unlock();
        if (!falhaNaVez) {
            try {
                cedeVez();
            } catch (...) {
                falhaNaVez = std::current_exception();
            }
        }
        espera.lock();
        if (aviso.wait_for(espera, std::chrono::milliseconds(kEsperaMaximaMs), [&] { return pronto; }))
            break;
    }
    espera.unlock();
    fio.join();
    if (falhaNaVez)
        std::rethrow_exception(falhaNaVez);
}

// The one place where a step runs: libcurl is driven until it finishes the step or `basta` says
// the caller can go on, while the window keeps its turns.
void CurlFtp::conduz(const std::function<bool()> &basta)
{
    Sessao &s = *m_sessao;
    if (!s.ativo) {
        if (curl_multi_add_handle(s.multi, s.easy) != CURLM_OK) {
            s.terminou = true;
            s.resultado = CURLE_FAILED_INIT;
            return;
        }
        s.ativo = true;
    }
    emSegundoPlano([&] { s.conduz(m_tempos, basta); });
}

bool CurlFtp::abreSessao(AcessoFtp acesso)
{
    if (ocupado())
        return false;
    m_falha = {};
    m_sessao.reset();
    if (!m_iniciado)
        return falha(CURLE_FAILED_INIT);
    auto s = std::make_unique<Sessao>();
    s->multi = curl_multi_init();
    s->easy = curl_easy_init();
    if (!s->multi || !s->easy)
        return falha(CURLE_FAILED_INIT);

    CURL *e = s->easy;
    if (acesso == AcessoFtp::Direto) {
        // an empty proxy also keeps libcurl from reading the *_proxy variables
        curl_easy_setopt(e, CURLOPT_PROXY, "");
        curl_easy_setopt(e, CURLOPT_NOPROXY, "*");
    }
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_tempos.conexaoMs));
    // bounds the blocking QUIT at the end of the session too
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(std::max(1, (m_tempos.paradoMs + 999) / 1000)));
    curl_easy_setopt(e, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(e, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(e, CURLOPT_READFUNCTION, &Sessao::leitura);
    curl_easy_setopt(e, CURLOPT_READDATA, s.get());
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Sessao::gravacao);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, s.get());
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Sessao::linha);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, s.get());
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Sessao::progresso);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, s.get());
    m_sessao = std::move(s);
    return true;
}

bool CurlFtp::conecta(const QString &host, quint16 porta, const QString &usuario, const QString &senha)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (!m_sessao)
        return falha(CURLE_FAILED_INIT);
    Sessao &s = *m_sessao;
    const QByteArray h = hostDaUrl(host);
    if (h.isEmpty() || porta == 0 || temControle(usuario) || temControle(senha))
        return falha(CURLE_URL_MALFORMAT);
    s.base = "ftp://" + h + ':' + QByteArray::number(porta) + '/';
    const QByteArray u = usuario.toUtf8();
    const QByteArray p = senha.toUtf8();
    curl_easy_setopt(s.easy, CURLOPT_USERNAME, u.constData());
    curl_easy_setopt(s.easy, CURLOPT_PASSWORD, p.constData());
    s.preparaPasso(s.base);
    conduz();
    if (s.resultado != CURLE_OK)
        return falhaDoPasso(s.resultado);
    s.conectada = true;
    return true;
}

// One raw command on the connection, as a step of its own.
bool CurlFtp::comando(const QByteArray &linha)
{
    if (!m_sessao || !m_sessao->conectada)
        return falha(CURLE_FAILED_INIT);
    Sessao &s = *m_sessao;
    s.preparaPasso(s.base);
    s.comandos = curl_slist_append(nullptr, linha.constData());
    curl_easy_setopt(s.easy, CURLOPT_QUOTE, s.comandos);
    conduz();
    if (s.resultado != CURLE_OK)
        return falhaDoPasso(s.resultado);
    return true;
}

bool CurlFtp::mudaDiretorio(const QString &diretorio)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (temControle(diretorio))
        return falha(CURLE_URL_MALFORMAT);
    return comando("CWD " + diretorio.toUtf8());
}

bool CurlFtp::leDiretorio(QString *diretorio)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (!comando("PWD"))
        return false;
    // 257 "/path" is the current directory; a quote inside the name is doubled
    QByteArray r;
    for (const QByteArray &resposta : std::as_const(m_sessao->respostas))
        if (resposta.startsWith("257"))
            r = resposta;
    const qsizetype abre = r.indexOf('"');
    QByteArray caminho;
    if (abre >= 0) {
        for (qsizetype i = abre + 1; i < r.size(); ++i) {
            if (r.at(i) == '"') {
                if (i + 1 < r.size() && r.at(i + 1) == '"') {
                    caminho += '"';
                    ++i;
                    continue;
                }
                break;
            }
            caminho += r.at(i);
        }
    }
    if (diretorio)
        *diretorio = QString::fromUtf8(caminho);
    return true;
}

bool CurlFtp::abreEnvio(const QString &nomeRemoto)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (!m_sessao || !m_sessao->conectada)
        return falha(CURLE_FAILED_INIT);
    if (nomeRemoto.isEmpty() || temControle(nomeRemoto))
        return falha(CURLE_URL_MALFORMAT);
    Sessao &s = *m_sessao;
    // "%2F": the account's root folder, whatever folder the server starts in
    s.preparaPasso(s.base + "%2F" + QUrl::toPercentEncoding(nomeRemoto));
    curl_easy_setopt(s.easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(s.easy, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(s.easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(s.easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(-1));
    s.pendente = {};
    s.tomados = 0;
    s.pedindo = false;
    s.fim = false;
    s.enviando = true;
    // libcurl asks for the first bytes only once the server accepted the file
    conduz([&s] { return s.pedindo; });
    if (s.terminou)
        return falhaDoPasso(s.resultado == CURLE_OK ? CURLE_UPLOAD_FAILED : s.resultado);
    return true;
}

bool CurlFtp::escreve(QByteArrayView bytes)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (!m_sessao || !m_sessao->enviando)
        return falha(CURLE_SEND_ERROR);
    Sessao &s = *m_sessao;
    if (bytes.isEmpty())
        return true;
    s.pendente = bytes;
    s.tomados = 0;
    s.retoma();
    conduz([&s] { return s.pedindo && s.tomados == s.pendente.size(); });
    s.pendente = {};
    s.tomados = 0;
    if (s.terminou)
        return falhaDoPasso(s.resultado == CURLE_OK ? CURLE_SEND_ERROR : s.resultado);
    return true;
}

bool CurlFtp::concluiEnvio()
{
    if (ocupado())
        return false;
    m_falha = {};
    if (!m_sessao || !m_sessao->enviando)
        return falha(CURLE_SEND_ERROR);
    Sessao &s = *m_sessao;
    s.fim = true;
    s.retoma();
    // the server's confirmation that the whole file arrived
    conduz();
    if (s.resultado != CURLE_OK)
        return falhaDoPasso(s.resultado);
    return true;
}

void CurlFtp::fechaArquivo()
{
    if (m_conduzindo)
        return;
    if (m_sessao && m_sessao->enviando)
        m_sessao->encerra(CURLE_ABORTED_BY_CALLBACK);
}

bool CurlFtp::baixa(const QString &nomeRemoto, const QString &caminhoLocal)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (!m_sessao || !m_sessao->conectada)
        return falha(CURLE_FAILED_INIT);
    if (nomeRemoto.isEmpty() || temControle(nomeRemoto))
        return falha(CURLE_URL_MALFORMAT);
    Sessao &s = *m_sessao;
    QSaveFile destino(caminhoLocal);
    if (!destino.open(QIODevice::WriteOnly))
        return falha(CURLE_WRITE_ERROR);
    s.preparaPasso(s.base + "%2F" + QUrl::toPercentEncoding(nomeRemoto));
    curl_easy_setopt(s.easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(s.easy, CURLOPT_NOBODY, 0L);
    s.destino = &destino;
    conduz();
    s.destino = nullptr;
    if (s.resultado != CURLE_OK) {
        destino.cancelWriting();
        return falhaDoPasso(s.resultado);
    }
    if (!destino.commit())
        return falha(CURLE_WRITE_ERROR);
    return true;
}

bool CurlFtp::apaga(const QString &nomeRemoto)
{
    if (ocupado())
        return false;
    m_falha = {};
    if (nomeRemoto.isEmpty() || temControle(nomeRemoto))
        return falha(CURLE_URL_MALFORMAT);
    return comando("DELE " + nomeRemoto.toUtf8());
}

void CurlFtp::fecha()
{
    if (m_conduzindo || !m_sessao)
        return;
    // cleaning up says goodbye to the server and waits for its reply
    std::unique_ptr<Sessao> sessao = std::move(m_sessao);
    emSegundoPlano([&sessao] { sessao.reset(); });
}

} // namespace plataforma
