// The routes of ccview --serve (serveApi.h), one handler each, on what one
// server holds: the configs it serves with their runs, the person's
// settings, its idle watch and its identity. The run page's routes and the
// pages are here, the shelf's in shelfRoutes.cpp.
#pragma once

#include <functional>
#include <string>

#include <httplib.h>

#include "idleWatch.h"
#include "requestCheck.h"
#include "servedConfigs.h"
#include "settings.h"

struct serveContext {
    serverIdentity identity;
    servedConfigs& configs;
    idleWatch& idle;
    settingsStore& settings;
    std::string notice;          // what the person should know of the settings, or ""
    std::string shelfPage;       // the shelf's page, when the server serves a shelf
    std::function<void()> quit;  // ends the server
};

// Adds every route to server. The routes hold context, which must outlive
// the server's listening.
void addRoutes(httplib::Server& server, const serveContext& context);
void addShelfRoutes(httplib::Server& server, const serveContext& context);

// Answers with body as JSON, and status.
void sendJson(httplib::Response& res, int status, const nlohmann::json& body);
