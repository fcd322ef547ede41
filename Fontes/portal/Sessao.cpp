#include "portal/Sessao.h"

#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "portal/Resposta.h"

namespace portal {

namespace {

const QString kSecaoSessao = QStringLiteral("Autenticacao");
const QString kDataDivergente = QStringLiteral("Data do computador divergente!");

} // namespace

QString Sessao::le(const QString &chave, const QString &padrao) const
{
    return m_ctx.servicos.config.le(kSecaoSessao, chave, padrao);
}

void Sessao::grava(const QString &chave, const QString &valor)
{
    m_ctx.servicos.config.grava(kSecaoSessao, chave, valor);
}

void Sessao::limpaSessao(const QString &valorGravado)
{
    grava(QStringLiteral("Sessao"), valorGravado);
    grava(QStringLiteral("Login_ID"), valorGravado);
    m_ctx.estado.lngSessao = 0;
    m_ctx.estado.lngLogin_ID = 0;
}

qint32 Sessao::SegundosLogin(int codigo)
{
    switch (codigo) {
    case 1: return 1800;
    case 2: return 3600;
    case 3: return 14400;
    case 4: return 86400;
    case 5: return 604800;
    default: return 0;
    }
}

bool Sessao::Autentica(const QString &pDominio, const QString &pLogin, const QString &pSenha, int vTLogin)
{
    EstadoSessao &e = m_ctx.estado;
    e.Autenticado = false;
    const QString dominio = pDominio.toUpper().trimmed();
    const QString login = pLogin.toUpper().trimmed();
    const QString senha = pSenha.trimmed();

    // Encoded so that "&", "#", "+" and "%" in any of them reach the portal as typed.
    const QString resposta = m_ctx.pede(QStringLiteral("printer/printer_login_b.asp")
                                        + QStringLiteral("?log=") + classURL::CodificaValor(login)
                                        + QStringLiteral("&psw=") + classURL::CodificaValor(senha)
                                        + QStringLiteral("&dom=") + classURL::CodificaValor(dominio));

    if (!comecaComMarcador(resposta, m_ctx.sistema)) {
        if (!resposta.isEmpty() && resposta.at(0) >= QLatin1Char('0') && resposta.at(0) <= QLatin1Char('9')) {
            const qsizetype quebra = resposta.indexOf(kQuebraLinha);
            m_ctx.erro = quebra < 0 ? resposta.mid(1) : resposta.mid(quebra + kQuebraLinha.size());
        } else {
            m_ctx.erro = QStringLiteral("Login Incorreto!");
        }
        limpaSessao(QString());
        return false;
    }

    e.InternetOk = true;
    const Partes linhas = Partes::linhas(resposta);
    // Everything is read before anything is kept: a malformed reply leaves the session as it was.
    const qint32 sessao = inteiro32(linhas.exige(1));
    const QString usuario = linhas.exige(3);
    const QString ftpServidor = linhas.exige(4);
    const QString ftpUsuario = linhas.exige(5);
    const QString ftpSenha = linhas.exige(6);
    const QString escritorio = linhas.exige(7);
    const qint32 loginId = inteiro32(linhas.exige(8));
    const qint32 contador = inteiro32(linhas.exige(9));
    const QString logo = linhas.exige(10);
    const QString tpLogo = linhas.exige(13);
    const qint32 admin = inteiro32(linhas.exige(14));
    const QDate dataPortal = data(linhas.exige(11));
    const bool depuracao = linhas.exige(12) != QLatin1String("0");

    e.Dominio = dominio;
    e.Login = login;
    e.lngSessao = sessao;
    e.Usuario = usuario;
    e.FtpServidor = ftpServidor;
    e.FtpUsuario = ftpUsuario;
    e.FtpSenha = ftpSenha;
    e.Escritorio = escritorio;
    e.lngLogin_ID = loginId;
    e.lngID_Contador = contador;
    e.Logo = logo;
    e.TpLogo = tpLogo;
    e.lngAdmin = admin;
    e.DataPortal = dataPortal;
    if (depuracao)
        e.bDebug = true;

    if (m_ctx.servicos.relogio.hoje() != e.DataPortal) {
        m_ctx.erro = kDataDivergente;
        limpaSessao(QString());
        return false;
    }

    grava(QStringLiteral("Sessao"), QString::number(e.lngSessao));
    grava(QStringLiteral("Dominio"), e.Dominio);
    grava(QStringLiteral("Login"), e.Login);
    grava(QStringLiteral("Login_ID"), QString::number(e.lngLogin_ID));
    grava(QStringLiteral("Admin"), QString::number(e.lngAdmin));
    grava(QStringLiteral("Escritorio_ID"), QString::number(e.lngID_Contador));
    grava(QStringLiteral("Escritorio"), e.Escritorio);
    grava(QStringLiteral("TLogin"), QString::number(vTLogin));
    grava(QStringLiteral("LastLog"), textoDataHora(m_ctx.servicos.relogio.agora()));
    e.TLoginSegundos = SegundosLogin(vTLogin);
    grava(QStringLiteral("Usuario"), e.Usuario);
    grava(QStringLiteral("Logo"), e.Logo);
    grava(QStringLiteral("TpLogo"), e.TpLogo);

    if (m_ctx.captura && m_ctx.captura()) {
        e.Autenticado = true;
        return true;
    }
    limpaSessao(QString());
    return false;
}

bool Sessao::ConfirmaLogin()
{
    EstadoSessao &e = m_ctx.estado;
    if (e.lngSessao == 0 || e.lngLogin_ID == 0) {
        e.Autenticado = false;
        return false;
    }
    try {
        const QString resposta = m_ctx.pede(QStringLiteral("printer/printer_login_conf_b.asp")
                                            + QStringLiteral("?s=") + QString::number(e.lngSessao)
                                            + QStringLiteral("&l=") + QString::number(e.lngLogin_ID));
        const Partes linhas = Partes::linhas(resposta);
        const QString linha0 = linhas.valor(0);
        if (linhas.tem(0) && linha0 == m_ctx.sistema) {
            e.InternetOk = true;
            e.DataPortal = data(linhas.exige(1));
            if (m_ctx.servicos.relogio.hoje() == e.DataPortal) {
                e.FtpServidor = linhas.exige(2);
                e.FtpUsuario = linhas.exige(3);
                e.FtpSenha = linhas.exige(4);
                e.LastLog = aoSegundo(m_ctx.servicos.relogio.agora());
                grava(QStringLiteral("LastLog"), textoDataHora(e.LastLog));
                e.Usuario = le(QStringLiteral("Usuario"));
                e.lngID_Contador = inteiro32(le(QStringLiteral("Escritorio_ID")));
                e.Escritorio = le(QStringLiteral("Escritorio"));
                e.TLogin = inteiro16(le(QStringLiteral("TLogin")));
                if (m_ctx.captura && m_ctx.captura()) {
                    e.Autenticado = true;
                    return true;
                }
                return false;
            }
            limpaSessao(QString());
            m_ctx.erro = kDataDivergente;
        } else if (linha0 == QLatin1String("0") || linha0 == QLatin1String("1") || linha0 == QLatin1String("2")
                   || linha0 == QLatin1String("3")) {
            m_ctx.erro = linhas.valor(1);
        } else if (e.bDebug) {
            plataforma::Caixa caixa;
            caixa.texto = QStringLiteral("Erro:") + kQuebraLinha.toString() + resposta;
            caixa.icone = plataforma::Icone::Nenhum;
            caixa.botoes = plataforma::Botoes::Ok;
            m_ctx.servicos.ui.mensagem(caixa);
        }
    } catch (const plataforma::ErroPrograma &) {
        // a reply that cannot be read counts as a failed confirmation
    }
    e.Autenticado = false;
    return false;
}

bool Sessao::Logado()
{
    EstadoSessao &e = m_ctx.estado;
    try {
        const qint32 sessaoGravada = inteiro32(le(QStringLiteral("Sessao"), QStringLiteral("0")));
        if (sessaoGravada == 0 && e.lngSessao == 0)
            return false;
        if (sessaoGravada != e.lngSessao) {
            // Another running copy logged in (or off): adopt its session.
            e.lngSessao = sessaoGravada;
            e.lngLogin_ID = inteiro32(le(QStringLiteral("Login_ID"), QStringLiteral("0")));
            ConfirmaLogin();
            return false;
        }
        const QDateTime ultimo = dataHora(le(QStringLiteral("LastLog"), QStringLiteral("01/01/2000")));
        if (ultimo != e.LastLog)
            ConfirmaLogin();
        return e.Autenticado;
    } catch (const plataforma::ErroPrograma &) {
        return false;
    }
}

void Sessao::LogOff()
{
    EstadoSessao &e = m_ctx.estado;
    e.lngLogin_ID = 0;
    e.lngSessao = 0;
    grava(QStringLiteral("Sessao"), QStringLiteral("0"));
    grava(QStringLiteral("Login_ID"), QStringLiteral("0"));
    e.Autenticado = false;
}

bool Sessao::RestauraSessao()
{
    EstadoSessao &e = m_ctx.estado;
    e.Dominio = le(QStringLiteral("Dominio"));
    e.Login = le(QStringLiteral("Login"));
    e.TLogin = inteiro16(le(QStringLiteral("TLogin")));
    e.lngAdmin = inteiro32(le(QStringLiteral("Admin")));
    e.LastLog = dataHora(le(QStringLiteral("LastLog")));
    e.TLoginSegundos = SegundosLogin(e.TLogin);
    if (e.LastLog.addSecs(e.TLoginSegundos) < m_ctx.servicos.relogio.agora())
        return false;
    e.lngSessao = inteiro32(le(QStringLiteral("Sessao")));
    e.lngLogin_ID = inteiro32(le(QStringLiteral("Login_ID")));
    e.Escritorio = le(QStringLiteral("Escritorio"));
    e.lngID_Contador = inteiro32(le(QStringLiteral("Escritorio_ID")));
    e.TLogin = inteiro16(le(QStringLiteral("TLogin")));
    e.Usuario = le(QStringLiteral("Usuario"));
    e.Logo = le(QStringLiteral("Logo"));
    e.TpLogo = le(QStringLiteral("TpLogo"));
    return ConfirmaLogin();
}

} // namespace portal
