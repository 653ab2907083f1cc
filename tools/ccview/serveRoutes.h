// The routes of ccview --serve (serveApi.h), one handler each, on what one
// server holds: its options, its runner, its idle watch and its page.
#pragma once

#include <string>

#include <httplib.h>

#include "idleWatch.h"
#include "requestCheck.h"
#include "runner.h"
#include "serve.h"

struct serveContext {
    const serveOptions& options;
    runner& run;
    idleWatch& idle;
    serverIdentity identity;
    std::string page;  // the page served at "/"
};

// Adds every route to server. The routes hold context, which must outlive
// the server's listening.
void addRoutes(httplib::Server& server, const serveContext& context);
