// The routes of ccview --serve (serveApi.h), one handler each, on what one
// server holds: its options, its runner, its idle watch and its page.
#pragma once

#include <string>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "idleWatch.h"
#include "runHistory.h"
#include "requestCheck.h"
#include "runner.h"
#include "serve.h"

struct serveContext {
    const serveOptions& options;
    runner& run;
    idleWatch& idle;
    serverIdentity identity;
    std::string page;      // the page served at "/"
    runHistory* history;   // null when runs are not kept
};

// A route: what it answers, from what the server holds.
using routeHandler = void (*)(const serveContext&, const httplib::Request&, httplib::Response&);
// The handler httplib calls for a route, which holds context.
httplib::Server::Handler routeOf(const serveContext& context, routeHandler handler);

// Adds every route to server. The routes hold context, which must outlive
// the server's listening.
void addRoutes(httplib::Server& server, const serveContext& context);

// The routes of a run's input, history and kept output (serveRunRoutes.cpp).
void addRunRoutes(httplib::Server& server, const serveContext& context);

// Answers with status and a JSON body.
void sendJson(httplib::Response& res, int status, const nlohmann::json& body);
