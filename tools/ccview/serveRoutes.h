// The routes of ccview --serve (serveApi.h), one handler each, on what one
// server holds: the configs it serves with their runs, the person's
// settings, its idle watch and its identity. The run page's routes and the
// pages are here, the shelf's in shelfRoutes.cpp.
#pragma once

#include <functional>
#include <string>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "idleWatch.h"
#include "runHistory.h"
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

// A route: what it answers, from what the server holds.
using routeHandler = void (*)(const serveContext&, const httplib::Request&, httplib::Response&);
// The handler httplib calls for a route, which holds context.
httplib::Server::Handler routeOf(const serveContext& context, routeHandler handler);

// Adds every route to server. The routes hold context, which must outlive
// the server's listening.
void addRoutes(httplib::Server& server, const serveContext& context);
void addShelfRoutes(httplib::Server& server, const serveContext& context);

// The routes of a run's input, history and kept output (serveRunRoutes.cpp).
void addRunRoutes(httplib::Server& server, const serveContext& context);

// The config a run page's request is for (its "config" parameter on a
// shelf's server); null, answered 404, when there is none.
std::shared_ptr<servedConfig> configOf(const serveContext& c, const httplib::Request& req, httplib::Response& res);

// Answers with status and a JSON body.
void sendJson(httplib::Response& res, int status, const nlohmann::json& body);
