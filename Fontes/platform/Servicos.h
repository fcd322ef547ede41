#pragma once
// The platform services one run of the program uses, handed to the environment object and the
// windows. Tests build one from doubles; nothing here is global.
#include "Clock.h"
#include "FileService.h"
#include "FtpClient.h"
#include "HttpClient.h"
#include "SettingsStore.h"
#include "UiServices.h"

namespace plataforma {

struct Servicos {
    SettingsStore &config;
    FileService &fso;
    UiServices &ui;
    Clock &relogio;
    HttpClient &http;
    FtpClient &ftp;
};

} // namespace plataforma
