#pragma once
// A loopback HTTP server in its own thread that answers each request from a script: a body with
// a status, a body cut short, bytes that are not HTTP, or no answer at all. Records every request.
#include <QByteArray>
#include <QList>
#include <functional>
#include <mutex>
#include <thread>

class ServidorRoteirizado {
public:
    enum class Modo {
        Normal,     // status line, Content-Length, body
        Truncado,   // announces twice the body's length, sends the body and closes
        Lixo,       // sends the body as it is, no HTTP at all, and closes
        Mudo,       // accepts and never answers, until the client gives up
    };
    struct Roteiro {
        QByteArray corpo;
        int status = 200;
        Modo modo = Modo::Normal;
    };
    struct Requisicao {
        QByteArray alvo;        // the request target: path and query as sent
        QByteArray cabecalhos;  // the header lines as sent
    };

    ServidorRoteirizado();
    ~ServidorRoteirizado();
    ServidorRoteirizado(const ServidorRoteirizado &) = delete;
    ServidorRoteirizado &operator=(const ServidorRoteirizado &) = delete;

    bool ativo() const { return m_escuta >= 0; }
    quint16 porta() const { return m_porta; }
    QByteArray base() const;   // "http://127.0.0.1:<port>/"

    // The answer to each request, from its target.
    void define(std::function<Roteiro(const QByteArray &alvo)> roteiro);
    // Every request gets this body with status 200.
    void responde(const QByteArray &corpo, int status = 200, Modo modo = Modo::Normal);

    QList<Requisicao> requisicoes() const;
    QList<QByteArray> alvos() const;
    void limpa();

    // A loopback port nothing listens on.
    static quint16 portaFechada();

private:
    void serve();
    void atende(int cliente);
    bool esperaLeitura(int fd) const;   // false when the server is stopping

    int m_escuta = -1;
    int m_acorda[2] = {-1, -1};
    quint16 m_porta = 0;
    mutable std::mutex m_trava;
    std::function<Roteiro(const QByteArray &)> m_roteiro;
    QList<Requisicao> m_requisicoes;
    std::thread m_linha;
};
