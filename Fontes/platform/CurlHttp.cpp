#include "CurlHttp.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <new>

namespace plataforma {

namespace {

using Relogio = std::chrono::steady_clock;

struct Transferencia {
    QByteArray corpo;
    Relogio::time_point ultimoDado = Relogio::now();
};

size_t recebeCorpo(char *dados, size_t tamanho, size_t quantidade, void *usuario)
{
    auto *t = static_cast<Transferencia *>(usuario);
    const size_t total = tamanho * quantidade;
    try {
        t->corpo.append(dados, static_cast<qsizetype>(total));
    } catch (const std::bad_alloc &) {
        return 0;   // ends the transfer with what was read
    }
    t->ultimoDado = Relogio::now();
    return total;
}

size_t recebeCabecalho(char *, size_t tamanho, size_t quantidade, void *usuario)
{
    static_cast<Transferencia *>(usuario)->ultimoDado = Relogio::now();
    return tamanho * quantidade;
}

} // namespace

CurlHttp::CurlHttp(TemposHttp tempos) : m_tempos(tempos)
{
    m_iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

CurlHttp::~CurlHttp()
{
    if (m_iniciado)
        curl_global_cleanup();
}

QByteArray CurlHttp::escapaUrl(const QByteArray &url)
{
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray saida;
    saida.reserve(url.size());
    for (const char c : url) {
        const auto b = static_cast<unsigned char>(c);
        // a raw "#" in a value would end the query as a fragment
        if (b <= 0x20 || b >= 0x7F || b == '#') {
            saida.append('%');
            saida.append(kHex[b >> 4]);
            saida.append(kHex[b & 0x0F]);
        } else {
            saida.append(c);
        }
    }
    return saida;
}

QByteArray CurlHttp::get(const QByteArray &url)
{
    if (!m_iniciado)
        return {};
    CURL *easy = curl_easy_init();
    if (!easy)
        return {};
    CURLM *multi = curl_multi_init();
    if (!multi) {
        curl_easy_cleanup(easy);
        return {};
    }

    Transferencia t;
    const QByteArray endereco = escapaUrl(url);
    curl_slist *cabecalhos = nullptr;
    cabecalhos = curl_slist_append(cabecalhos, "Cache-Control: no-cache");
    cabecalhos = curl_slist_append(cabecalhos, "Pragma: no-cache");

    curl_easy_setopt(easy, CURLOPT_URL, endereco.constData());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Vorlin Printer");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, cabecalhos);
    // Direct access: an empty proxy also stops libcurl from reading the *_proxy variables.
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_tempos.conexaoMs));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, recebeCorpo);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, recebeCabecalho);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &t);

    // Driven through the multi interface so a stalled reply is noticed to the millisecond rather
    // than at libcurl's one-second speed checks.
    curl_multi_add_handle(multi, easy);
    const auto parado = std::chrono::milliseconds(m_tempos.paradoMs);
    int ativos = 1;
    while (ativos > 0) {
        if (curl_multi_perform(multi, &ativos) != CURLM_OK)
            break;
        if (ativos == 0)
            break;
        const auto decorrido = Relogio::now() - t.ultimoDado;
        if (decorrido >= parado)
            break;
        cedeVez();
        const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(parado - decorrido).count();
        // short waits when the caller wants its turns
        const int espera = static_cast<int>(std::clamp<long long>(resta, 1, temVez() ? 8 : 200));
        if (curl_multi_poll(multi, nullptr, 0, espera, nullptr) != CURLM_OK)
            break;
    }

    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
    curl_slist_free_all(cabecalhos);
    return t.corpo;
}

} // namespace plataforma
