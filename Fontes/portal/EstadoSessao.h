#pragma once
// The portal values the environment object holds: the session of the login and the status figures.
// The portal client's operations read and write them; windows read them.
#include "portal/TabelasDiretorio.h"

#include <QDate>
#include <QDateTime>
#include <QString>

struct EstadoSessao {
    // public values
    qint32 lngID_Contador = 0;   // office id
    qint32 lngSessao = 0;
    qint32 lngLogin_ID = 0;
    qint32 lngAdmin = 0;
    bool bDebug = false;
    bool TemCarteira = false;    // the office works with wallets

    // session
    QString Dominio;
    QString Login;
    QString Usuario;
    QString Escritorio;
    qint16 TLogin = 0;
    qint32 TLoginSegundos = 0;
    QString Logo;
    QString TpLogo;
    QDateTime LastLog;
    QDate DataPortal;
    QString FtpServidor;
    QString FtpUsuario;
    QString FtpSenha;
    bool Autenticado = false;
    bool InternetOk = false;

    // status
    double EspacoTotal = 0;
    double EspacoUtilizado = 0;
    double EspacoDisponivel = 0;
    QString DicaTitulo;
    QString DicaTexto;
    QString OrdemDica;

    // directory tables of the last synchronisation
    portal::TabelasDiretorio Tabelas;

    // last request address and last reply text
    QString UltimaUrl;
    QString UltimaResposta;
};
